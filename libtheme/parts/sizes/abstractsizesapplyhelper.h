#ifndef ABSTRACTSIZESAPPLYHELPER_H
#define ABSTRACTSIZESAPPLYHELPER_H

#include "iapplyhelper.h"

// Stores and announces the sizes part's values; true when done.
class PEXOTHEME_EXPORT AbstractSizesApplyHelper : public IApplyHelper
{
public:
    virtual bool applyTaskbarSize(int size) = 0;
    virtual bool applyWindowFrameTitleSize(int size) = 0;
    virtual bool applyWindowFrameBorderSize(int size) = 0;
    virtual bool applyDesktopIconSize(int size) = 0;
};

#endif
