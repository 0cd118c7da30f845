#ifndef CURRENTWALLPAPERREADHELPER_H
#define CURRENTWALLPAPERREADHELPER_H

#include "abstractwallpaperreadhelper.h"

class IThemeSettings;

// Reads the wallpaper keys of the live settings; the two flags come from the
// current desktop folder's wallpaper records when it has one. The settings
// are not owned.
class PEXOTHEME_EXPORT CurrentWallpaperReadHelper : public AbstractWallpaperReadHelper
{
public:
    explicit CurrentWallpaperReadHelper(IThemeSettings *settings);
    ~CurrentWallpaperReadHelper() override;

    // A logo other than the default becomes its canonical path, "" when missing.
    QString readLogo() override;
    QString readLogoPosition() override;
    // As the logo, with the default wallpaper; a colour stays as it is.
    QString readWallpaper() override;
    QString readWallpaperPosition() override;
    // A record counts as set when it holds a colour or names an existing file.
    bool readWallpaperForCurrentDesktop() override;
    bool readWallpaperForCurrentScreen() override;
    int readWallpaperPeriod() override;

private:
    IThemeSettings *const m_settings;
};

#endif
