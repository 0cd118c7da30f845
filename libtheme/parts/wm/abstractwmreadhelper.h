#ifndef ABSTRACTWMREADHELPER_H
#define ABSTRACTWMREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the window-manager part's values.
class PEXOTHEME_EXPORT AbstractWmReadHelper : public IReadHelper
{
public:
    virtual bool readOwnKeyboardLayoutForWindows() = 0;
    virtual bool readBaseKeyboardLayoutForWindows() = 0;
    virtual bool readOpaqueMoveEnabled() = 0;
    virtual bool readOpaqueResizeEnabled() = 0;
    virtual bool readSnappingMoveEnabled() = 0;
    virtual bool readSnappingResizeEnabled() = 0;
    virtual QString readDefaultWindowPlacement() = 0;
    virtual bool readSmartPlacementEnabled() = 0;
    virtual bool readTitlebarStringCenter() = 0;
    virtual bool readSnapTopMaximize() = 0;
    virtual bool readRestoreSizeAfterSnap() = 0;
    virtual bool readResizeAllSnap() = 0;
};

#endif
