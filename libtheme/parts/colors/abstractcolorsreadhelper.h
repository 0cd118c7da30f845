#ifndef ABSTRACTCOLORSREADHELPER_H
#define ABSTRACTCOLORSREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the values of a ColorsThemePart from a stored theme or the desktop.
class PEXOTHEME_EXPORT AbstractColorsReadHelper : public IReadHelper
{
public:
    virtual QString readColorSchemeType() = 0;
    virtual QString readColorSchemePath() = 0;
    virtual QString readWallpaperColorSchemeType() = 0;
    virtual QString readPrimaryColor() = 0;
    virtual QString readBackgroundColor() = 0;
    virtual bool readIsCustomColorSchemeDark() = 0;
};

#endif
