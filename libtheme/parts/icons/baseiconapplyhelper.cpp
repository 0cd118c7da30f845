#include "baseiconapplyhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseIconApplyHelper::BaseIconApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseIconApplyHelper::~BaseIconApplyHelper() = default;

bool BaseIconApplyHelper::applyCurrentTheme(const QString &theme)
{
    return PartSettings::write(m_settings, ThemeDefaults::IconTheme.key, theme);
}

bool BaseIconApplyHelper::applyMonochromeToolbar(bool monochrome)
{
    return PartSettings::write(m_settings, ThemeDefaults::useSymbolicIconsForToolBar.key, monochrome);
}

bool BaseIconApplyHelper::applyMonochromeTaskbar(bool monochrome)
{
    return PartSettings::write(m_settings, ThemeDefaults::UseTrayIconTheme.key, monochrome);
}
