#ifndef PERSONALIZATION_H
#define PERSONALIZATION_H

#include "pexotheme_export.h"

#include <QObject>

#include <memory>

class DesktopThemePart;
class EffectsThemePart;
class IPersonalizationSettingsProvider;
class PersonalizationPrivate;
class ScreenSaverThemePart;
class SizesThemePart;
class TaskbarThemePart;
class WmThemePart;

// The desktop's behaviour settings: six parts over one provider, always
// visited in the order taskbar, desktop, window manager, sizes, screen
// saver, effects.
class PEXOTHEME_EXPORT Personalization : public QObject
{
    Q_OBJECT
public:
    Personalization(const std::shared_ptr<IPersonalizationSettingsProvider> &provider, QObject *parent = nullptr);
    ~Personalization() override;

    std::shared_ptr<TaskbarThemePart> taskbarThemePart() const;
    std::shared_ptr<DesktopThemePart> desktopThemePart() const;
    std::shared_ptr<WmThemePart> wmThemePart() const;
    std::shared_ptr<SizesThemePart> sizesThemePart() const;
    std::shared_ptr<ScreenSaverThemePart> screenSaverThemePart() const;
    std::shared_ptr<EffectsThemePart> effectsThemePart() const;

    // Applies the parts that have changes, syncing the settings after each;
    // stops at a part whose files could not be written, with error().
    void apply();
    void read();
    // Resets the parts' values; nothing is written.
    void defaults();
    bool hasChanges() const;
    void copyFrom(const std::shared_ptr<Personalization> &other);
    // Null does nothing.
    void copyFrom(Personalization *other);

    // True when the administrator's master file holds the settings key.
    bool isPropertyImmutable(const QString &key) const;

Q_SIGNALS:
    void error(const QString &message);
    void changed();

private:
    std::unique_ptr<PersonalizationPrivate> const d;
};

#endif
