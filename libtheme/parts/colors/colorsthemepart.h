#ifndef COLORSTHEMEPART_H
#define COLORSTHEMEPART_H

#include "ithemepart.h"

#include <QPalette>
#include <QString>

#include <memory>

class ColorsThemePartPrivate;

// The colour settings of a theme: scheme type and path, the kind of scheme
// generated from the wallpaper, the primary and background colours, and
// whether a custom scheme is dark.
class PEXOTHEME_EXPORT ColorsThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(QString colorSchemeType READ colorSchemeType WRITE setColorSchemeType NOTIFY colorSchemeTypeChanged)
    Q_PROPERTY(QString colorSchemePath READ colorSchemePath WRITE setColorSchemePath NOTIFY colorSchemePathChanged)
    Q_PROPERTY(QString wallpaperColorSchemeType READ wallpaperColorSchemeType WRITE setWallpaperColorSchemeType NOTIFY wallpaperColorSchemeTypeChanged)
    Q_PROPERTY(QString primaryColor READ primaryColor WRITE setPrimaryColor NOTIFY primaryColorChanged)
    Q_PROPERTY(QString backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY backgroundColorChanged)
    Q_PROPERTY(bool isCustomColorSchemeDark READ isCustomColorSchemeDark WRITE setIsCustomColorSchemeDark NOTIFY isCustomColorSchemeDarkChanged)
public:
    // The part never takes a Qt parent; its owner holds it.
    explicit ColorsThemePart(QObject *parent = nullptr);
    ~ColorsThemePart() override;

    const QString &colorSchemeType() const;
    void setColorSchemeType(const QString &type);

    const QString &colorSchemePath() const;
    void setColorSchemePath(const QString &path);

    const QString &wallpaperColorSchemeType() const;
    void setWallpaperColorSchemeType(const QString &type);

    const QString &primaryColor() const;
    void setPrimaryColor(const QString &color);

    const QString &backgroundColor() const;
    void setBackgroundColor(const QString &color);

    bool isCustomColorSchemeDark() const;
    void setIsCustomColorSchemeDark(bool dark);

    // The palette that the scheme and the two colours give.
    QPalette currentPalette();

    // Compares the scheme path, the two colours and the dark flag.
    bool operator==(const ColorsThemePart &other) const;

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

Q_SIGNALS:
    void colorSchemeTypeChanged();
    void colorSchemePathChanged();
    void wallpaperColorSchemeTypeChanged();
    void primaryColorChanged();
    void backgroundColorChanged();
    void isCustomColorSchemeDarkChanged();

private:
    std::unique_ptr<ColorsThemePartPrivate> const d;
};

#endif
