#ifndef CURRENTWMAPPLYHELPER_H
#define CURRENTWMAPPLYHELPER_H

#include "abstractwmapplyhelper.h"

class IThemeSettings;

// Writes each window-manager value into the live settings and then tells
// the window manager.
class PEXOTHEME_EXPORT CurrentWmApplyHelper : public AbstractWmApplyHelper
{
public:
    // The settings are not owned.
    explicit CurrentWmApplyHelper(IThemeSettings *settings);
    ~CurrentWmApplyHelper() override;

    bool applyOwnKeyboardLayoutForWindows(bool enabled) override;
    bool applyBaseKeyboardLayoutForWindows(bool enabled) override;
    bool applyOpaqueMoveEnabled(bool enabled) override;
    bool applyOpaqueResizeEnabled(bool enabled) override;
    bool applySnappingMoveEnabled(bool enabled) override;
    bool applySnappingResizeEnabled(bool enabled) override;
    bool applyDefaultWindowPlacement(const QString &placement) override;
    bool applySmartPlacementEnabled(bool enabled) override;
    bool applyTitlebarStringCenter(bool centered) override;
    bool applySnapTopMaximize(bool enabled) override;
    bool applyRestoreSizeAfterSnap(bool enabled) override;
    bool applyResizeAllSnap(bool enabled) override;

private:
    IThemeSettings *const m_settings;
};

#endif
