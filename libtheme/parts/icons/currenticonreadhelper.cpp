#include "currenticonreadhelper.h"
#include "configfiles.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

#include <QSettings>

CurrentIconReadHelper::CurrentIconReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentIconReadHelper::~CurrentIconReadHelper() = default;

QString CurrentIconReadHelper::readCurrentTheme()
{
    return PartSettings::read(m_settings, ThemeDefaults::IconTheme).toString();
}

bool CurrentIconReadHelper::readMonochromeToolbar()
{
    const auto &entry = ThemeDefaults::useSymbolicIconsForToolBar;
    // Qt's file reads as missing when it is no usable settings file.
    if (!ConfigFiles::isUsable(QStringLiteral("Trolltech.conf"))) {
        return QVariant(entry.defaultValue).toBool();
    }
    QSettings qtSettings(QSettings::UserScope, QStringLiteral("Trolltech"));
    qtSettings.sync();
    qtSettings.beginGroup(QStringLiteral("Qt"));
    return qtSettings.value(entry.key, entry.defaultValue).toBool();
}

bool CurrentIconReadHelper::readMonochromeTaskbar()
{
    const auto &entry = ThemeDefaults::UseTrayIconTheme;
    return PartSettings::read(m_settings, entry).toBool();
}
