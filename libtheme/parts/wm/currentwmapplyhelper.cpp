#include "currentwmapplyhelper.h"
#include "partsettings.h"

CurrentWmApplyHelper::CurrentWmApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentWmApplyHelper::~CurrentWmApplyHelper() = default;

bool CurrentWmApplyHelper::applyOwnKeyboardLayoutForWindows(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::OwnKbPerWindow.key, enabled);
}

bool CurrentWmApplyHelper::applyBaseKeyboardLayoutForWindows(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::BaseKbForNewWindow.key, enabled);
}

bool CurrentWmApplyHelper::applyOpaqueMoveEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::OpaqueMove.key, enabled);
}

bool CurrentWmApplyHelper::applyOpaqueResizeEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::OpaqueResize.key, enabled);
}

bool CurrentWmApplyHelper::applySnappingMoveEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SnappingMoving.key, enabled);
}

bool CurrentWmApplyHelper::applySnappingResizeEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SnappingResize.key, enabled);
}

bool CurrentWmApplyHelper::applyDefaultWindowPlacement(const QString &placement)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::DefaultPlacement.key, placement);
}

bool CurrentWmApplyHelper::applySmartPlacementEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SmartPlacement.key, enabled);
}

bool CurrentWmApplyHelper::applyTitlebarStringCenter(bool centered)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::TitlebarStringCenter.key, centered);
}

bool CurrentWmApplyHelper::applySnapTopMaximize(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SnapTopMaximize.key, enabled);
}

bool CurrentWmApplyHelper::applyRestoreSizeAfterSnap(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::RestoreSizeAfterSnap.key, enabled);
}

bool CurrentWmApplyHelper::applyResizeAllSnap(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::ResizeAllSnap.key, enabled);
}
