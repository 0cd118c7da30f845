#include "currentwmreadhelper.h"
#include "partsettings.h"

CurrentWmReadHelper::CurrentWmReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentWmReadHelper::~CurrentWmReadHelper() = default;

bool CurrentWmReadHelper::readOwnKeyboardLayoutForWindows()
{
    return PartSettings::read(m_settings, ThemeDefaults::OwnKbPerWindow).toBool();
}

bool CurrentWmReadHelper::readBaseKeyboardLayoutForWindows()
{
    return PartSettings::read(m_settings, ThemeDefaults::BaseKbForNewWindow).toBool();
}

bool CurrentWmReadHelper::readOpaqueMoveEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::OpaqueMove).toBool();
}

bool CurrentWmReadHelper::readOpaqueResizeEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::OpaqueResize).toBool();
}

bool CurrentWmReadHelper::readSnappingMoveEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::SnappingMoving).toBool();
}

bool CurrentWmReadHelper::readSnappingResizeEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::SnappingResize).toBool();
}

QString CurrentWmReadHelper::readDefaultWindowPlacement()
{
    return PartSettings::read(m_settings, ThemeDefaults::DefaultPlacement).toString();
}

bool CurrentWmReadHelper::readSmartPlacementEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::SmartPlacement).toBool();
}

bool CurrentWmReadHelper::readTitlebarStringCenter()
{
    return PartSettings::read(m_settings, ThemeDefaults::TitlebarStringCenter).toBool();
}

bool CurrentWmReadHelper::readSnapTopMaximize()
{
    return PartSettings::read(m_settings, ThemeDefaults::SnapTopMaximize).toBool();
}

bool CurrentWmReadHelper::readRestoreSizeAfterSnap()
{
    return PartSettings::read(m_settings, ThemeDefaults::RestoreSizeAfterSnap).toBool();
}

bool CurrentWmReadHelper::readResizeAllSnap()
{
    return PartSettings::read(m_settings, ThemeDefaults::ResizeAllSnap).toBool();
}
