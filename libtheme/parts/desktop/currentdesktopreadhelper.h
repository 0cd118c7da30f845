#ifndef CURRENTDESKTOPREADHELPER_H
#define CURRENTDESKTOPREADHELPER_H

#include "abstractdesktopreadhelper.h"

class IThemeSettings;

// Reads the desktop switches: two keys of the live settings and whether the
// trash and computer shortcut files are shown.
class PEXOTHEME_EXPORT CurrentDesktopReadHelper : public AbstractDesktopReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentDesktopReadHelper(IThemeSettings *settings);
    ~CurrentDesktopReadHelper() override;

    bool readShowDragNDropIndication() override;
    bool readAdaptiveIconStringColor() override;
    bool readShowTrashOnDesktop() override;
    bool readShowComputerOnDesktop() override;

private:
    IThemeSettings *const m_settings;
};

#endif
