#ifndef ABSTRACTSIZESREADHELPER_H
#define ABSTRACTSIZESREADHELPER_H

#include "ireadhelper.h"

// Reads the sizes part's values.
class PEXOTHEME_EXPORT AbstractSizesReadHelper : public IReadHelper
{
public:
    virtual int readTaskbarSize() = 0;
    virtual int readWindowFrameTitleSize() = 0;
    virtual int readWindowFrameBorderSize() = 0;
    virtual int readDesktopIconSize() = 0;
};

#endif
