#include "currentwallpaperreadhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"
#include "wallpaperpaths.h"
#include "wallpaperrecords.h"

CurrentWallpaperReadHelper::CurrentWallpaperReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentWallpaperReadHelper::~CurrentWallpaperReadHelper() = default;

QString CurrentWallpaperReadHelper::readLogo()
{
    return WallpaperPaths::logo(PartSettings::read(m_settings, ThemeDefaults::LogoPixmap).toString());
}

QString CurrentWallpaperReadHelper::readLogoPosition()
{
    return PartSettings::read(m_settings, ThemeDefaults::LogoPosition).toString();
}

QString CurrentWallpaperReadHelper::readWallpaper()
{
    return WallpaperPaths::liveWallpaper(PartSettings::read(m_settings, ThemeDefaults::WallPaper).toString());
}

QString CurrentWallpaperReadHelper::readWallpaperPosition()
{
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperPos).toString();
}

bool CurrentWallpaperReadHelper::readWallpaperForCurrentDesktop()
{
    if (const std::optional<QString> record = WallpaperRecords::desktopRecord()) {
        return WallpaperRecords::isUsableRecord(*record);
    }
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperForCurrentDesktop).toBool();
}

bool CurrentWallpaperReadHelper::readWallpaperForCurrentScreen()
{
    if (const std::optional<QString> screen = WallpaperRecords::currentScreenName()) {
        if (const std::optional<QString> record = WallpaperRecords::screenRecord(*screen)) {
            return WallpaperRecords::isUsableRecord(*record);
        }
    }
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperForCurrentScreen).toBool();
}

int CurrentWallpaperReadHelper::readWallpaperPeriod()
{
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperPeriod).toInt();
}
