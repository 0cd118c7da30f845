#include "basewallpaperapplyhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

namespace {
bool writeKey(IThemeSettings *settings, const ThemeDefaults::Entry &entry, const QVariant &value)
{
    return settings && settings->write(entry.key, value) == IThemeSettings::Written;
}
} // namespace

BaseWallpaperApplyHelper::BaseWallpaperApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseWallpaperApplyHelper::~BaseWallpaperApplyHelper() = default;

bool BaseWallpaperApplyHelper::applyLogo(const QString &logo)
{
    return writeKey(m_settings, ThemeDefaults::LogoPixmap, logo);
}

bool BaseWallpaperApplyHelper::applyLogoPosition(const QString &position)
{
    return writeKey(m_settings, ThemeDefaults::LogoPosition, position);
}

bool BaseWallpaperApplyHelper::applyWallpaper(const QString &wallpaper)
{
    return writeKey(m_settings, ThemeDefaults::WallPaper, wallpaper);
}

bool BaseWallpaperApplyHelper::applyWallpaperPosition(const QString &position)
{
    return writeKey(m_settings, ThemeDefaults::WallPaperPos, position);
}

bool BaseWallpaperApplyHelper::applyWallpaperForCurrentDesktop(bool flag, const QString &wallpaper)
{
    Q_UNUSED(wallpaper)
    return writeKey(m_settings, ThemeDefaults::WallPaperForCurrentDesktop, flag);
}

bool BaseWallpaperApplyHelper::applyWallpaperForCurrentScreen(bool flag, const QString &wallpaper)
{
    Q_UNUSED(wallpaper)
    return writeKey(m_settings, ThemeDefaults::WallPaperForCurrentScreen, flag);
}

bool BaseWallpaperApplyHelper::applyWallpaperPeriod(int period)
{
    return writeKey(m_settings, ThemeDefaults::WallPaperPeriod, period);
}
