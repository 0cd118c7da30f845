#include "baseiconapplyhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

BaseIconApplyHelper::BaseIconApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseIconApplyHelper::~BaseIconApplyHelper() = default;

bool BaseIconApplyHelper::applyCurrentTheme(const QString &theme)
{
    return m_settings->write(ThemeDefaults::IconTheme.key, theme) == IThemeSettings::Written;
}

bool BaseIconApplyHelper::applyMonochromeToolbar(bool monochrome)
{
    return m_settings->write(ThemeDefaults::useSymbolicIconsForToolBar.key, monochrome) == IThemeSettings::Written;
}

bool BaseIconApplyHelper::applyMonochromeTaskbar(bool monochrome)
{
    return m_settings->write(ThemeDefaults::UseTrayIconTheme.key, monochrome) == IThemeSettings::Written;
}
