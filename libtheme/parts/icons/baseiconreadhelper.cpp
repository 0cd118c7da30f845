#include "baseiconreadhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

BaseIconReadHelper::BaseIconReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseIconReadHelper::~BaseIconReadHelper() = default;

QString BaseIconReadHelper::readCurrentTheme()
{
    return m_settings->read(ThemeDefaults::IconTheme.key, ThemeDefaults::IconTheme.defaultValue).toString();
}

bool BaseIconReadHelper::readMonochromeToolbar()
{
    const auto &entry = ThemeDefaults::useSymbolicIconsForToolBar;
    return m_settings->read(entry.key, entry.defaultValue).toBool();
}

bool BaseIconReadHelper::readMonochromeTaskbar()
{
    const auto &entry = ThemeDefaults::UseTrayIconTheme;
    return m_settings->read(entry.key, entry.defaultValue).toBool();
}
