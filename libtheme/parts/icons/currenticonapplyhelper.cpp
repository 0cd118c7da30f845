#include "currenticonapplyhelper.h"
#include "configfiles.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "settingsreplace.h"
#include "themedefaults.h"
#include "utils.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSettings>

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

    // Qt's file is left alone when it is no usable settings file.
    if (ConfigFiles::isUsable(QStringLiteral("Trolltech.conf"))) {
        QSettings qtSettings(QSettings::UserScope, QStringLiteral("Trolltech"));
        // Only the user's own file counts, not the system-wide one behind it.
        qtSettings.setFallbacksEnabled(false);
        qtSettings.beginGroup(QStringLiteral("Qt"));
        // A value that the file already holds is not written again.
        if (qtSettings.value(key).toString() != QVariant(monochrome).toString()) {
            SettingsReplace::store(qtSettings, {{key, monochrome}});
        }
    }

    Utils::updateQtSettingsStamp();
    return true;
}

bool CurrentIconApplyHelper::applyMonochromeTaskbar(bool monochrome)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::UseTrayIconTheme.key, monochrome);
}
