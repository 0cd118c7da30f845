#ifndef MODULE_H
#define MODULE_H

#include "logoposition.h"
#include "wallpaperstyle.h"

#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

#include <QPixmap>
#include <QString>

#include <memory>

class ModulePrivate;

// The wallpaper page: the wallpaper and its placement, the logo over it and
// its position, whether the wallpaper is for the current screen or desktop
// only, the slide-show period, and a preview of the desktop.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(QString wallpaper READ wallpaper WRITE setWallpaper NOTIFY wallpaperChanged)
    Q_PROPERTY(QString logo READ logo WRITE setLogo NOTIFY logoChanged)
    Q_PROPERTY(WallpaperStyle::Value wallpaperStyle READ wallpaperStyle WRITE setWallpaperStyle NOTIFY wallpaperStyleChanged)
    Q_PROPERTY(LogoPosition::Value logoPosition READ logoPosition WRITE setLogoPosition NOTIFY logoPositionChanged)
    Q_PROPERTY(QPixmap pixmap READ pixmap NOTIFY pixmapChanged)
    Q_PROPERTY(bool usePager READ usePager NOTIFY usePagerChanged)
    Q_PROPERTY(bool forCurrentScreen READ forCurrentScreen WRITE setForCurrentScreen NOTIFY forCurrentScreenChanged)
    Q_PROPERTY(bool forCurrentDesktop READ forCurrentDesktop WRITE setForCurrentDesktop NOTIFY forCurrentDesktopChanged)
    Q_PROPERTY(int slideShowPeriod READ slideShowPeriod WRITE setSlideShowPeriod NOTIFY slideShowPeriodChanged)
    Q_PROPERTY(bool mandatoryIntegrityControl READ mandatoryIntegrityControl CONSTANT)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    // The desktop folder's own wallpaper when the wallpaper is per screen or
    // per desktop (and not fixed by the administrator), else the theme's.
    QString wallpaper() const;
    // Follows a ".desktop" link and converts SVG pictures to PNG first.
    void setWallpaper(const QString &path);
    QString logo() const;
    void setLogo(const QString &logo);
    WallpaperStyle::Value wallpaperStyle() const;
    void setWallpaperStyle(WallpaperStyle::Value style);
    LogoPosition::Value logoPosition() const;
    void setLogoPosition(LogoPosition::Value position);
    QPixmap pixmap() const;
    bool usePager() const;
    bool forCurrentScreen() const;
    void setForCurrentScreen(bool forCurrentScreen);
    bool forCurrentDesktop() const;
    void setForCurrentDesktop(bool forCurrentDesktop);
    int slideShowPeriod() const;
    void setSlideShowPeriod(int period);

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;
    // The name of the screen the page is shown on; empty without a window.
    Q_INVOKABLE QString screenName() const;

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;

private Q_SLOTS:
    void updateNeedSave() override;

public Q_SLOTS:
    void setPixmap(const QPixmap &pixmap);
    // Takes the accent and background colours from the new colour scheme.
    void onColorSchemePathChanged();

public:
    // Installs a colour scheme made from a new wallpaper when the scheme
    // follows the wallpaper, then saves into the current theme.
    void apply() override;

Q_SIGNALS:
    void wallpaperChanged();
    void logoChanged();
    void wallpaperStyleChanged();
    void logoPositionChanged();
    void usePagerChanged();
    void forCurrentScreenChanged();
    void forCurrentDesktopChanged();
    void slideShowPeriodChanged();
    void pixmapChanged();
    void error(const QString &message);

private:
    friend class ModulePrivate;
    std::unique_ptr<ModulePrivate> const d;
};

#endif
