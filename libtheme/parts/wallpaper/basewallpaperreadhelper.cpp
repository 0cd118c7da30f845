#include "basewallpaperreadhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"
#include "wallpaperpaths.h"

namespace {
QVariant readKey(IThemeSettings *settings, const ThemeDefaults::Entry &entry)
{
    const QVariant defaultValue(entry.defaultValue);
    return settings ? settings->read(entry.key, defaultValue) : defaultValue;
}
} // namespace

BaseWallpaperReadHelper::BaseWallpaperReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseWallpaperReadHelper::~BaseWallpaperReadHelper() = default;

QString BaseWallpaperReadHelper::readLogo()
{
    return WallpaperPaths::logo(readKey(m_settings, ThemeDefaults::LogoPixmap).toString());
}

QString BaseWallpaperReadHelper::readLogoPosition()
{
    return readKey(m_settings, ThemeDefaults::LogoPosition).toString();
}

QString BaseWallpaperReadHelper::readWallpaper()
{
    return WallpaperPaths::storedWallpaper(readKey(m_settings, ThemeDefaults::WallPaper).toString());
}

QString BaseWallpaperReadHelper::readWallpaperPosition()
{
    return readKey(m_settings, ThemeDefaults::WallPaperPos).toString();
}

bool BaseWallpaperReadHelper::readWallpaperForCurrentDesktop()
{
    return readKey(m_settings, ThemeDefaults::WallPaperForCurrentDesktop).toBool();
}

bool BaseWallpaperReadHelper::readWallpaperForCurrentScreen()
{
    return readKey(m_settings, ThemeDefaults::WallPaperForCurrentScreen).toBool();
}

int BaseWallpaperReadHelper::readWallpaperPeriod()
{
    return readKey(m_settings, ThemeDefaults::WallPaperPeriod).toInt();
}
