#ifndef BASEWALLPAPERAPPLYHELPER_H
#define BASEWALLPAPERAPPLYHELPER_H

#include "abstractwallpaperapplyhelper.h"

class IThemeSettings;

// Writes the wallpaper keys of a stored theme. The settings are not owned.
class PEXOTHEME_EXPORT BaseWallpaperApplyHelper : public AbstractWallpaperApplyHelper
{
public:
    explicit BaseWallpaperApplyHelper(IThemeSettings *settings);
    ~BaseWallpaperApplyHelper() override;

    bool applyLogo(const QString &logo) override;
    bool applyLogoPosition(const QString &position) override;
    bool applyWallpaper(const QString &wallpaper) override;
    bool applyWallpaperPosition(const QString &position) override;
    // The wallpaper is not used: only the flag is stored.
    bool applyWallpaperForCurrentDesktop(bool flag, const QString &wallpaper) override;
    bool applyWallpaperForCurrentScreen(bool flag, const QString &wallpaper) override;
    bool applyWallpaperPeriod(int period) override;

private:
    IThemeSettings *const m_settings;
};

#endif
