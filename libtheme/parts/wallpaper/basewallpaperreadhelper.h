#ifndef BASEWALLPAPERREADHELPER_H
#define BASEWALLPAPERREADHELPER_H

#include "abstractwallpaperreadhelper.h"

class IThemeSettings;

// Reads the wallpaper keys of a stored theme. The settings are not owned.
class PEXOTHEME_EXPORT BaseWallpaperReadHelper : public AbstractWallpaperReadHelper
{
public:
    explicit BaseWallpaperReadHelper(IThemeSettings *settings);
    ~BaseWallpaperReadHelper() override;

    // A logo other than the default becomes its canonical path, "" when missing.
    QString readLogo() override;
    QString readLogoPosition() override;
    // An existing file becomes its canonical path; a missing one stays as stored.
    QString readWallpaper() override;
    QString readWallpaperPosition() override;
    bool readWallpaperForCurrentDesktop() override;
    bool readWallpaperForCurrentScreen() override;
    int readWallpaperPeriod() override;

private:
    IThemeSettings *const m_settings;
};

#endif
