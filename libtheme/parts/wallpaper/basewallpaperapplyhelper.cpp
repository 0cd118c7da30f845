#include "basewallpaperapplyhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseWallpaperApplyHelper::BaseWallpaperApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseWallpaperApplyHelper::~BaseWallpaperApplyHelper() = default;

bool BaseWallpaperApplyHelper::applyLogo(const QString &logo)
{
    return PartSettings::write(m_settings, ThemeDefaults::LogoPixmap.key, logo);
}

bool BaseWallpaperApplyHelper::applyLogoPosition(const QString &position)
{
    return PartSettings::write(m_settings, ThemeDefaults::LogoPosition.key, position);
}

bool BaseWallpaperApplyHelper::applyWallpaper(const QString &wallpaper)
{
    return PartSettings::write(m_settings, ThemeDefaults::WallPaper.key, wallpaper);
}

bool BaseWallpaperApplyHelper::applyWallpaperPosition(const QString &position)
{
    return PartSettings::write(m_settings, ThemeDefaults::WallPaperPos.key, position);
}

bool BaseWallpaperApplyHelper::applyWallpaperForCurrentDesktop(bool flag, const QString &wallpaper)
{
    Q_UNUSED(wallpaper)
    return PartSettings::write(m_settings, ThemeDefaults::WallPaperForCurrentDesktop.key, flag);
}

bool BaseWallpaperApplyHelper::applyWallpaperForCurrentScreen(bool flag, const QString &wallpaper)
{
    Q_UNUSED(wallpaper)
    return PartSettings::write(m_settings, ThemeDefaults::WallPaperForCurrentScreen.key, flag);
}

bool BaseWallpaperApplyHelper::applyWallpaperPeriod(int period)
{
    return PartSettings::write(m_settings, ThemeDefaults::WallPaperPeriod.key, period);
}
