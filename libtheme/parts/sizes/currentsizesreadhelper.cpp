#include "currentsizesreadhelper.h"
#include "partsettings.h"

CurrentSizesReadHelper::CurrentSizesReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentSizesReadHelper::~CurrentSizesReadHelper() = default;

int CurrentSizesReadHelper::readTaskbarSize()
{
    return PartSettings::read(m_settings, ThemeDefaults::TaskbarHeight).toInt();
}

int CurrentSizesReadHelper::readWindowFrameTitleSize()
{
    return PartSettings::read(m_settings, ThemeDefaults::FrameTitleHeight).toInt();
}

int CurrentSizesReadHelper::readWindowFrameBorderSize()
{
    return PartSettings::read(m_settings, ThemeDefaults::FrameBorderWidth).toInt();
}

int CurrentSizesReadHelper::readDesktopIconSize()
{
    return PartSettings::read(m_settings, ThemeDefaults::DesktopIconSize).toInt();
}
