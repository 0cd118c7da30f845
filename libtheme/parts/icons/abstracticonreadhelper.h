#ifndef ABSTRACTICONREADHELPER_H
#define ABSTRACTICONREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the values of an IconThemePart from a stored theme or the desktop.
class PEXOTHEME_EXPORT AbstractIconReadHelper : public IReadHelper
{
public:
    virtual QString readCurrentTheme() = 0;
    virtual bool readMonochromeToolbar() = 0;
    virtual bool readMonochromeTaskbar() = 0;
};

#endif
