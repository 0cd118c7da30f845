#ifndef CURRENTDESKTOPAPPLYHELPER_H
#define CURRENTDESKTOPAPPLYHELPER_H

#include "abstractdesktopapplyhelper.h"

class IThemeSettings;

// Applies the desktop switches to the live desktop: two keys of the live
// settings, announced to the window manager, and the Hidden flag of the
// trash and computer shortcut files, followed by "PEXOWM_UPDATE_SHORTCUT".
class PEXOTHEME_EXPORT CurrentDesktopApplyHelper : public AbstractDesktopApplyHelper
{
public:
    // The settings are not owned.
    explicit CurrentDesktopApplyHelper(IThemeSettings *settings);
    ~CurrentDesktopApplyHelper() override;

    bool applyShowDragNDropIndication(bool show) override;
    bool applyAdaptiveIconStringColor(bool adaptive) override;
    // False, and nothing sent, when the shortcut already is in that state.
    bool applyShowTrashOnDesktop(bool show) override;
    bool applyShowComputerOnDesktop(bool show) override;

private:
    IThemeSettings *const m_settings;
};

// Shows or hides the desktop's computer shortcut, creating it from its
// template when needed. True when the shortcut file was changed.
PEXOTHEME_EXPORT bool saveShowComputer(bool show);

#endif
