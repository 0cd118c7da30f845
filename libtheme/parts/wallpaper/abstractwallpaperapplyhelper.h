#ifndef ABSTRACTWALLPAPERAPPLYHELPER_H
#define ABSTRACTWALLPAPERAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Stores the values of a WallpaperThemePart; true when stored or sent.
class PEXOTHEME_EXPORT AbstractWallpaperApplyHelper : public IApplyHelper
{
public:
    virtual bool applyLogo(const QString &logo) = 0;
    virtual bool applyLogoPosition(const QString &position) = 0;
    virtual bool applyWallpaper(const QString &wallpaper) = 0;
    virtual bool applyWallpaperPosition(const QString &position) = 0;
    virtual bool applyWallpaperForCurrentDesktop(bool flag, const QString &wallpaper) = 0;
    virtual bool applyWallpaperForCurrentScreen(bool flag, const QString &wallpaper) = 0;
    virtual bool applyWallpaperPeriod(int period) = 0;
};

#endif
