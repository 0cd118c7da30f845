#ifndef CURRENTWMREADHELPER_H
#define CURRENTWMREADHELPER_H

#include "abstractwmreadhelper.h"

class IThemeSettings;

// Reads the window-manager values from the live settings.
class PEXOTHEME_EXPORT CurrentWmReadHelper : public AbstractWmReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentWmReadHelper(IThemeSettings *settings);
    ~CurrentWmReadHelper() override;

    bool readOwnKeyboardLayoutForWindows() override;
    bool readBaseKeyboardLayoutForWindows() override;
    bool readOpaqueMoveEnabled() override;
    bool readOpaqueResizeEnabled() override;
    bool readSnappingMoveEnabled() override;
    bool readSnappingResizeEnabled() override;
    QString readDefaultWindowPlacement() override;
    bool readSmartPlacementEnabled() override;
    bool readTitlebarStringCenter() override;
    bool readSnapTopMaximize() override;
    bool readRestoreSizeAfterSnap() override;
    bool readResizeAllSnap() override;

private:
    IThemeSettings *const m_settings;
};

#endif
