#ifndef ABSTRACTCURSORREADHELPER_H
#define ABSTRACTCURSORREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the values of a CursorThemePart from a stored theme or the session.
class PEXOTHEME_EXPORT AbstractCursorReadHelper : public IReadHelper
{
public:
    virtual QString readCurrentTheme() = 0;
    virtual int readSize() = 0;
};

#endif
