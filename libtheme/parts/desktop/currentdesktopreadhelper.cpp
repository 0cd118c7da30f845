#include "currentdesktopreadhelper.h"
#include "desktopshortcuts.h"
#include "partsettings.h"

CurrentDesktopReadHelper::CurrentDesktopReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentDesktopReadHelper::~CurrentDesktopReadHelper() = default;

bool CurrentDesktopReadHelper::readShowDragNDropIndication()
{
    return PartSettings::read(m_settings, ThemeDefaults::DnDIndicationOnDesktop).toBool();
}

bool CurrentDesktopReadHelper::readAdaptiveIconStringColor()
{
    return PartSettings::read(m_settings, ThemeDefaults::AdaptiveIconStringColor).toBool();
}

bool CurrentDesktopReadHelper::readShowTrashOnDesktop()
{
    return DesktopShortcuts::isShown(DesktopShortcuts::trashEntry);
}

bool CurrentDesktopReadHelper::readShowComputerOnDesktop()
{
    return DesktopShortcuts::isShown(DesktopShortcuts::computerEntry);
}
