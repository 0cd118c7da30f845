#include "basecolorsapplyhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseColorsApplyHelper::BaseColorsApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseColorsApplyHelper::~BaseColorsApplyHelper() = default;

IThemeSettings *BaseColorsApplyHelper::settings() const
{
    return m_settings;
}

bool BaseColorsApplyHelper::applyColorSchemeType(const QString &type)
{
    return PartSettings::write(m_settings, ThemeDefaults::SchemeType.key, type);
}

bool BaseColorsApplyHelper::applyColorSchemePath(const QString &path)
{
    return PartSettings::write(m_settings, ThemeDefaults::ColorScheme.key, path);
}

bool BaseColorsApplyHelper::applyWallpaperColorSchemeType(const QString &type)
{
    return PartSettings::write(m_settings, ThemeDefaults::WallPaperColorScheme.key, type);
}

bool BaseColorsApplyHelper::applyPrimaryColor(const QString &color)
{
    return PartSettings::write(m_settings, ThemeDefaults::PrimaryColor.key, color);
}

bool BaseColorsApplyHelper::applyBackgroundColor(const QString &color)
{
    return PartSettings::write(m_settings, ThemeDefaults::BackgroundColor.key, color);
}

bool BaseColorsApplyHelper::applyIsCustomColorSchemeDark(bool dark)
{
    return PartSettings::write(m_settings, ThemeDefaults::CustomSchemeDark.key, dark);
}
