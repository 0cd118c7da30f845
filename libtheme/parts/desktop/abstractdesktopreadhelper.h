#ifndef ABSTRACTDESKTOPREADHELPER_H
#define ABSTRACTDESKTOPREADHELPER_H

#include "ireadhelper.h"

// Reads the desktop part's switches.
class PEXOTHEME_EXPORT AbstractDesktopReadHelper : public IReadHelper
{
public:
    virtual bool readShowDragNDropIndication() = 0;
    virtual bool readAdaptiveIconStringColor() = 0;
    virtual bool readShowTrashOnDesktop() = 0;
    virtual bool readShowComputerOnDesktop() = 0;
};

#endif
