#include "currentdesktopapplyhelper.h"
#include "desktopshortcuts.h"
#include "partsettings.h"

CurrentDesktopApplyHelper::CurrentDesktopApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentDesktopApplyHelper::~CurrentDesktopApplyHelper() = default;

bool CurrentDesktopApplyHelper::applyShowDragNDropIndication(bool show)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::DnDIndicationOnDesktop.key, show);
}

bool CurrentDesktopApplyHelper::applyAdaptiveIconStringColor(bool adaptive)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::AdaptiveIconStringColor.key, adaptive);
}

bool CurrentDesktopApplyHelper::applyShowTrashOnDesktop(bool show)
{
    return DesktopShortcuts::setShown(DesktopShortcuts::trashEntry, DesktopShortcuts::trashTemplate, show) && DesktopShortcuts::announceChange();
}

bool CurrentDesktopApplyHelper::applyShowComputerOnDesktop(bool show)
{
    return saveShowComputer(show) && DesktopShortcuts::announceChange();
}

bool saveShowComputer(bool show)
{
    return DesktopShortcuts::setShown(DesktopShortcuts::computerEntry, DesktopShortcuts::computerTemplate, show);
}
