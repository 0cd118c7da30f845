#ifndef ABSTRACTWALLPAPERREADHELPER_H
#define ABSTRACTWALLPAPERREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the values of a WallpaperThemePart.
class PEXOTHEME_EXPORT AbstractWallpaperReadHelper : public IReadHelper
{
public:
    virtual QString readLogo() = 0;
    virtual QString readLogoPosition() = 0;
    virtual QString readWallpaper() = 0;
    virtual QString readWallpaperPosition() = 0;
    virtual bool readWallpaperForCurrentDesktop() = 0;
    virtual bool readWallpaperForCurrentScreen() = 0;
    virtual int readWallpaperPeriod() = 0;
};

#endif
