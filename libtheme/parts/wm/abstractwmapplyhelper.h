#ifndef ABSTRACTWMAPPLYHELPER_H
#define ABSTRACTWMAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Stores and announces the window-manager part's values; true when done.
class PEXOTHEME_EXPORT AbstractWmApplyHelper : public IApplyHelper
{
public:
    virtual bool applyOwnKeyboardLayoutForWindows(bool enabled) = 0;
    virtual bool applyBaseKeyboardLayoutForWindows(bool enabled) = 0;
    virtual bool applyOpaqueMoveEnabled(bool enabled) = 0;
    virtual bool applyOpaqueResizeEnabled(bool enabled) = 0;
    virtual bool applySnappingMoveEnabled(bool enabled) = 0;
    virtual bool applySnappingResizeEnabled(bool enabled) = 0;
    virtual bool applyDefaultWindowPlacement(const QString &placement) = 0;
    virtual bool applySmartPlacementEnabled(bool enabled) = 0;
    virtual bool applyTitlebarStringCenter(bool centered) = 0;
    virtual bool applySnapTopMaximize(bool enabled) = 0;
    virtual bool applyRestoreSizeAfterSnap(bool enabled) = 0;
    virtual bool applyResizeAllSnap(bool enabled) = 0;
};

#endif
