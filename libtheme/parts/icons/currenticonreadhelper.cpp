#include "currenticonreadhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

#include <QSettings>

CurrentIconReadHelper::CurrentIconReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentIconReadHelper::~CurrentIconReadHelper() = default;

QString CurrentIconReadHelper::readCurrentTheme()
{
    return m_settings->read(ThemeDefaults::IconTheme.key, ThemeDefaults::IconTheme.defaultValue).toString();
}

bool CurrentIconReadHelper::readMonochromeToolbar()
{
    const auto &entry = ThemeDefaults::useSymbolicIconsForToolBar;
    QSettings qtSettings(QSettings::UserScope, QStringLiteral("Trolltech"));
    qtSettings.sync();
    qtSettings.beginGroup(QStringLiteral("Qt"));
    return qtSettings.value(entry.key, entry.defaultValue).toBool();
}

bool CurrentIconReadHelper::readMonochromeTaskbar()
{
    const auto &entry = ThemeDefaults::UseTrayIconTheme;
    return m_settings->read(entry.key, entry.defaultValue).toBool();
}
