#include "currentwallpaperapplyhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"
#include "utils.h"
#include "wallpaperrecords.h"

namespace {
int writeKey(IThemeSettings *settings, const ThemeDefaults::Entry &entry, const QVariant &value)
{
    return settings ? settings->write(entry.key, value) : int(IThemeSettings::WriteFailed);
}

// Only a value that reached the live settings is announced.
bool writeAndNotify(IThemeSettings *settings, const ThemeDefaults::Entry &entry, const QVariant &value)
{
    if (writeKey(settings, entry, value) != IThemeSettings::Written) {
        return false;
    }
    return Utils::updatePexoWmVariable(entry.key, value);
}
} // namespace

CurrentWallpaperApplyHelper::CurrentWallpaperApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentWallpaperApplyHelper::~CurrentWallpaperApplyHelper() = default;

bool CurrentWallpaperApplyHelper::applyLogo(const QString &logo)
{
    return writeAndNotify(m_settings, ThemeDefaults::LogoPixmap, logo);
}

bool CurrentWallpaperApplyHelper::applyLogoPosition(const QString &position)
{
    return writeAndNotify(m_settings, ThemeDefaults::LogoPosition, position);
}

bool CurrentWallpaperApplyHelper::applyWallpaper(const QString &wallpaper)
{
    return writeAndNotify(m_settings, ThemeDefaults::WallPaper, wallpaper);
}

bool CurrentWallpaperApplyHelper::applyWallpaperPosition(const QString &position)
{
    return writeAndNotify(m_settings, ThemeDefaults::WallPaperPos, position);
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
    return writeKey(m_settings, ThemeDefaults::WallPaperForCurrentDesktop, flag) == IThemeSettings::Written;
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
                const ThemeDefaults::Entry &perDesktop = ThemeDefaults::WallPaperForCurrentDesktop;
                const bool forCurrentDesktop = m_settings && m_settings->read(perDesktop.key, perDesktop.defaultValue).toBool();
                WallpaperRecords::setScreenRecords(*screen, value, !forCurrentDesktop);
            }
            WallpaperRecords::sendLocalWallpaper(value);
        }
    } else {
        WallpaperRecords::clearScreenRecords();
    }
    return writeKey(m_settings, ThemeDefaults::WallPaperForCurrentScreen, flag) == IThemeSettings::Written;
}

bool CurrentWallpaperApplyHelper::applyWallpaperPeriod(int period)
{
    return writeAndNotify(m_settings, ThemeDefaults::WallPaperPeriod, period);
}
