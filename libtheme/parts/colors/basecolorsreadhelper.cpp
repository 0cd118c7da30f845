#include "basecolorsreadhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseColorsReadHelper::BaseColorsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseColorsReadHelper::~BaseColorsReadHelper() = default;

QString BaseColorsReadHelper::readColorSchemeType()
{
    return PartSettings::read(m_settings, ThemeDefaults::SchemeType).toString();
}

QString BaseColorsReadHelper::readColorSchemePath()
{
    return PartSettings::read(m_settings, ThemeDefaults::ColorScheme).toString();
}

QString BaseColorsReadHelper::readWallpaperColorSchemeType()
{
    return PartSettings::read(m_settings, ThemeDefaults::WallPaperColorScheme).toString();
}

QString BaseColorsReadHelper::readPrimaryColor()
{
    return PartSettings::read(m_settings, ThemeDefaults::PrimaryColor).toString();
}

QString BaseColorsReadHelper::readBackgroundColor()
{
    return PartSettings::read(m_settings, ThemeDefaults::BackgroundColor).toString();
}

bool BaseColorsReadHelper::readIsCustomColorSchemeDark()
{
    return PartSettings::read(m_settings, ThemeDefaults::CustomSchemeDark).toBool();
}
