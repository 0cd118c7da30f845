#ifndef ABSTRACTCOLORSAPPLYHELPER_H
#define ABSTRACTCOLORSAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Pushes the values of a ColorsThemePart into a stored theme or the desktop.
class PEXOTHEME_EXPORT AbstractColorsApplyHelper : public IApplyHelper
{
public:
    virtual bool applyColorSchemeType(const QString &type) = 0;
    virtual bool applyColorSchemePath(const QString &path) = 0;
    virtual bool applyWallpaperColorSchemeType(const QString &type) = 0;
    virtual bool applyPrimaryColor(const QString &color) = 0;
    virtual bool applyBackgroundColor(const QString &color) = 0;
    virtual bool applyIsCustomColorSchemeDark(bool dark) = 0;
};

#endif
