#ifndef THEME_H
#define THEME_H

#include "pexotheme_export.h"

#include <KSharedConfig>

#include <QObject>

#include <memory>

class ColorsThemePart;
class CursorThemePart;
class IconThemePart;
class ISettingsProvider;
class SoundsThemePart;
class ThemePrivate;
class WallpaperThemePart;

// One theme: a stored theme (its index.theme and a provider over its
// theme/themerc) or the live desktop settings (a provider alone), made of
// five appearance parts.
class PEXOTHEME_EXPORT Theme : public QObject
{
    Q_OBJECT
public:
    // The live theme: no description file, never valid.
    explicit Theme(const std::shared_ptr<ISettingsProvider> &provider, QObject *parent = nullptr);
    // A stored theme described by the group "Pexo Theme" of config.
    Theme(const KSharedConfigPtr &config, const std::shared_ptr<ISettingsProvider> &provider, QObject *parent = nullptr);
    // The same over a configuration that is not listed among KDE's shared
    // ones: opening it does not look through every one already open.
    Theme(const std::shared_ptr<KConfig> &config, const std::shared_ptr<ISettingsProvider> &provider, QObject *parent = nullptr);
    ~Theme() override;

    const QString &id() const;
    const QString &name() const;
    const QString &comment() const;
    const QString &desktopPath() const;
    bool isReadOnly() const;
    bool isValid() const;

    std::shared_ptr<ColorsThemePart> colorsThemePart() const;
    std::shared_ptr<CursorThemePart> cursorThemePart() const;
    std::shared_ptr<WallpaperThemePart> wallpaperThemePart() const;
    std::shared_ptr<IconThemePart> iconThemePart() const;
    std::shared_ptr<SoundsThemePart> soundsThemePart() const;

    // Applies all five parts, then syncs the settings once; error() names
    // the files that could not be written.
    virtual void apply();
    virtual void read();
    virtual void defaults();
    virtual bool hasChanges() const;
    virtual void copyFrom(const std::shared_ptr<Theme> &other);

    // True when the administrator's master file holds the settings key.
    bool isPropertyImmutable(const QString &key);

    // Compares settings only, not identity.
    bool operator==(const Theme &other) const;

    // Rewrite the description file; the live settings file is never named.
    void setName(const QString &name);
    void setComment(const QString &comment);

Q_SIGNALS:
    void error(const QString &message);
    void changed();

private:
    std::unique_ptr<ThemePrivate> const d;
};

#endif
