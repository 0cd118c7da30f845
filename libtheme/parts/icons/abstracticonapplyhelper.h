#ifndef ABSTRACTICONAPPLYHELPER_H
#define ABSTRACTICONAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Pushes the values of an IconThemePart into a stored theme or the desktop.
class PEXOTHEME_EXPORT AbstractIconApplyHelper : public IApplyHelper
{
public:
    virtual bool applyCurrentTheme(const QString &theme) = 0;
    virtual bool applyMonochromeToolbar(bool monochrome) = 0;
    virtual bool applyMonochromeTaskbar(bool monochrome) = 0;
};

#endif
