#include "currentwallpaperapplyhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"
#include "wallpaperrecords.h"

CurrentWallpaperApplyHelper::CurrentWallpaperApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentWallpaperApplyHelper::~CurrentWallpaperApplyHelper() = default;

bool CurrentWallpaperApplyHelper::applyLogo(const QString &logo)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LogoPixmap.key, logo);
}

bool CurrentWallpaperApplyHelper::applyLogoPosition(const QString &position)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LogoPosition.key, position);
}

bool CurrentWallpaperApplyHelper::applyWallpaper(const QString &wallpaper)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::WallPaper.key, wallpaper);
}

bool CurrentWallpaperApplyHelper::applyWallpaperPosition(const QString &position)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::WallPaperPos.key, position);
}

bool CurrentWallpaperApplyHelper::applyWallpaperForCurrentDesktop(bool flag, const QString &wallpaper)
{
    if (flag) {
        const QString value = WallpaperRecords::quoted(wallpaper);
        if (WallpaperRecords::isSafeValue(value)) {
            WallpaperRecords::setDesktopRecord(value);
            WallpaperRecords::sendLocalWallpaper(value);
        }
    } else {
        WallpaperRecords::clearDesktopRecords();
    }
    return PartSettings::write(m_settings, ThemeDefaults::WallPaperForCurrentDesktop.key, flag);
}

bool CurrentWallpaperApplyHelper::applyWallpaperForCurrentScreen(bool flag, const QString &wallpaper)
{
    if (flag) {
        const std::optional<QString> screen = WallpaperRecords::currentScreenName();
        const QString value = WallpaperRecords::quoted(wallpaper);
        if (WallpaperRecords::isSafeValue(value)) {
            if (screen && WallpaperRecords::isSafeValue(*screen)) {
                // The per-desktop flag written just before decides whether
                // the other desktop folders get the record too.
                const bool forCurrentDesktop = PartSettings::read(m_settings, ThemeDefaults::WallPaperForCurrentDesktop).toBool();
                WallpaperRecords::setScreenRecords(*screen, value, !forCurrentDesktop);
            }
            WallpaperRecords::sendLocalWallpaper(value);
        }
    } else {
        WallpaperRecords::clearScreenRecords();
    }
    return PartSettings::write(m_settings, ThemeDefaults::WallPaperForCurrentScreen.key, flag);
}

bool CurrentWallpaperApplyHelper::applyWallpaperPeriod(int period)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::WallPaperPeriod.key, period);
}
