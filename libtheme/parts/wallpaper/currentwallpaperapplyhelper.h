#ifndef CURRENTWALLPAPERAPPLYHELPER_H
#define CURRENTWALLPAPERAPPLYHELPER_H

#include "abstractwallpaperapplyhelper.h"

class IThemeSettings;

// Writes the wallpaper keys of the live settings and tells the window
// manager. The two flags also keep the desktop folders' wallpaper records.
// The settings are not owned.
class PEXOTHEME_EXPORT CurrentWallpaperApplyHelper : public AbstractWallpaperApplyHelper
{
public:
    explicit CurrentWallpaperApplyHelper(IThemeSettings *settings);
    ~CurrentWallpaperApplyHelper() override;

    bool applyLogo(const QString &logo) override;
    bool applyLogoPosition(const QString &position) override;
    bool applyWallpaper(const QString &wallpaper) override;
    bool applyWallpaperPosition(const QString &position) override;
    // Set: records the wallpaper for the current desktop folder and sends it
    // as "WallPaperLocal". Clear: removes the record from every desktop folder.
    // The result is that of writing the flag.
    bool applyWallpaperForCurrentDesktop(bool flag, const QString &wallpaper) override;
    // Set: records the wallpaper for the current screen in the current desktop
    // folder, and in every desktop folder unless the per-desktop flag is on,
    // and sends it as "WallPaperLocal". Clear: removes every per-screen record.
    // The result is that of writing the flag.
    bool applyWallpaperForCurrentScreen(bool flag, const QString &wallpaper) override;
    bool applyWallpaperPeriod(int period) override;

private:
    IThemeSettings *const m_settings;
};

#endif
