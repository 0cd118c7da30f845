#include "currenticonapplyhelper.h"
#include "configfiles.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "settingsreplace.h"
#include "themedefaults.h"
#include "utils.h"

#include <QDBusConnection>
#include <QDBusMessage>

CurrentIconApplyHelper::CurrentIconApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentIconApplyHelper::~CurrentIconApplyHelper() = default;

bool CurrentIconApplyHelper::applyCurrentTheme(const QString &theme)
{
    const QString &key = ThemeDefaults::IconTheme.key;
    if (!Utils::updatePexoWmVariable(key, theme)) {
        return false;
    }

    QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged"));
    message << 0;
    QDBusConnection::sessionBus().send(message);

    return PartSettings::write(m_settings, key, theme);
}

bool CurrentIconApplyHelper::applyMonochromeToolbar(bool monochrome)
{
    const QString &key = ThemeDefaults::useSymbolicIconsForToolBar.key;
    m_settings->write(key, monochrome);

    // A failure is noted for the save; the change is still announced.
    SettingsReplace::store(ConfigFiles::userFile(QStringLiteral("Trolltech.conf")), QStringLiteral("Qt"), {{key, monochrome}});

    Utils::updateQtSettingsStamp();
    return true;
}

bool CurrentIconApplyHelper::applyMonochromeTaskbar(bool monochrome)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::UseTrayIconTheme.key, monochrome);
}
