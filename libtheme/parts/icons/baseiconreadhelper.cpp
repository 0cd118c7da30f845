#include "baseiconreadhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseIconReadHelper::BaseIconReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseIconReadHelper::~BaseIconReadHelper() = default;

QString BaseIconReadHelper::readCurrentTheme()
{
    return PartSettings::read(m_settings, ThemeDefaults::IconTheme).toString();
}

bool BaseIconReadHelper::readMonochromeToolbar()
{
    const auto &entry = ThemeDefaults::useSymbolicIconsForToolBar;
    return PartSettings::read(m_settings, entry).toBool();
}

bool BaseIconReadHelper::readMonochromeTaskbar()
{
    const auto &entry = ThemeDefaults::UseTrayIconTheme;
    return PartSettings::read(m_settings, entry).toBool();
}
