#include "basecolorsreadhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

namespace {
QVariant readEntry(IThemeSettings *settings, const ThemeDefaults::Entry &entry)
{
    return settings->read(entry.key, entry.defaultValue);
}
} // namespace

BaseColorsReadHelper::BaseColorsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseColorsReadHelper::~BaseColorsReadHelper() = default;

QString BaseColorsReadHelper::readColorSchemeType()
{
    return readEntry(m_settings, ThemeDefaults::SchemeType).toString();
}

QString BaseColorsReadHelper::readColorSchemePath()
{
    return readEntry(m_settings, ThemeDefaults::ColorScheme).toString();
}

QString BaseColorsReadHelper::readWallpaperColorSchemeType()
{
    return readEntry(m_settings, ThemeDefaults::WallPaperColorScheme).toString();
}

QString BaseColorsReadHelper::readPrimaryColor()
{
    return readEntry(m_settings, ThemeDefaults::PrimaryColor).toString();
}

QString BaseColorsReadHelper::readBackgroundColor()
{
    return readEntry(m_settings, ThemeDefaults::BackgroundColor).toString();
}

bool BaseColorsReadHelper::readIsCustomColorSchemeDark()
{
    return readEntry(m_settings, ThemeDefaults::CustomSchemeDark).toBool();
}
