#include "currentsizesapplyhelper.h"
#include "partsettings.h"

CurrentSizesApplyHelper::CurrentSizesApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentSizesApplyHelper::~CurrentSizesApplyHelper() = default;

bool CurrentSizesApplyHelper::applyTaskbarSize(int size)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::TaskbarHeight.key, size);
}

bool CurrentSizesApplyHelper::applyWindowFrameTitleSize(int size)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::FrameTitleHeight.key, size);
}

bool CurrentSizesApplyHelper::applyWindowFrameBorderSize(int size)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::FrameBorderWidth.key, size);
}

bool CurrentSizesApplyHelper::applyDesktopIconSize(int size)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::DesktopIconSize.key, size);
}
