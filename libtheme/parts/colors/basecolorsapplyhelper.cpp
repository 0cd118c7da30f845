#include "basecolorsapplyhelper.h"
#include "ithemesettings.h"
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
    return m_settings->write(ThemeDefaults::SchemeType.key, type) == IThemeSettings::Written;
}

bool BaseColorsApplyHelper::applyColorSchemePath(const QString &path)
{
    return m_settings->write(ThemeDefaults::ColorScheme.key, path) == IThemeSettings::Written;
}

bool BaseColorsApplyHelper::applyWallpaperColorSchemeType(const QString &type)
{
    return m_settings->write(ThemeDefaults::WallPaperColorScheme.key, type) == IThemeSettings::Written;
}

bool BaseColorsApplyHelper::applyPrimaryColor(const QString &color)
{
    return m_settings->write(ThemeDefaults::PrimaryColor.key, color) == IThemeSettings::Written;
}

bool BaseColorsApplyHelper::applyBackgroundColor(const QString &color)
{
    return m_settings->write(ThemeDefaults::BackgroundColor.key, color) == IThemeSettings::Written;
}

bool BaseColorsApplyHelper::applyIsCustomColorSchemeDark(bool dark)
{
    return m_settings->write(ThemeDefaults::CustomSchemeDark.key, dark) == IThemeSettings::Written;
}
