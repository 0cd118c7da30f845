#include "basewallpaperreadhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"
#include "wallpaperpaths.h"

BaseWallpaperReadHelper::BaseWallpaperReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseWallpaperReadHelper::~BaseWallpaperReadHelper() = default;

QString BaseWallpaperReadHelper::readLogo()
{
    return WallpaperPaths::logo(PartSettings::read(m_settings, ThemeDefaults::LogoPixmap).toString());
}

QString BaseWallpaperReadHelper::readLogoPosition()
{
    return PartSettings::read(m_settings, ThemeDefaults::LogoPosition).toString();
}

QString BaseWallpaperReadHelper::readWallpaper()
{
    return WallpaperPaths::storedWallpaper(PartSettings::read(m_settings, ThemeDefaults::WallPaper).toString());
}

QString BaseWallpaperReadHelper::readWallpaperPosition()
{
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperPos).toString();
}

bool BaseWallpaperReadHelper::readWallpaperForCurrentDesktop()
{
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperForCurrentDesktop).toBool();
}

bool BaseWallpaperReadHelper::readWallpaperForCurrentScreen()
{
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperForCurrentScreen).toBool();
}

int BaseWallpaperReadHelper::readWallpaperPeriod()
{
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperPeriod).toInt();
}
