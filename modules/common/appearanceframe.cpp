#include "appearanceframe.h"
#include "paletteguard.h"

#include <configfile.h>
#include <sessionlock.h>
#include <themecontroller.h>
#include <themedecorator.h>

#include <KColorSchemeManager>

#include <QAbstractItemModel>

namespace {
// The scheme file's path in KDE's list of colour schemes.
const int schemePathRole = Qt::UserRole;
} // namespace

void AppearanceFrame::save(ThemeDecorator *decorator, ThemeController *controller)
{
    if (controller->currentTheme()->isReadOnly()) {
        // Other writers are held up once a name is given, not while it is asked for.
        decorator->createNewThemeBasedOnCurrent();
        return;
    }
    // The whole save: what a page's own apply() writes before the decorator's too.
    const SessionLock lock(SessionLock::Wait::Page, [controller](const QString &message) {
        Q_EMIT controller->error(message);
    });
    if (!lock.isLocked()) {
        Q_EMIT controller->error(lock.message());
        return;
    }
    decorator->apply();
}

bool AppearanceFrame::hasChanges(const ThemeController *controller)
{
    return controller->systemTheme()->hasChanges();
}

void AppearanceFrame::activateColorScheme(const QString &path)
{
    // Creating the manager already re-applies the scheme remembered in the
    // application's configuration, or the default one. It reads every
    // scheme, and the one activated again.
    ConfigFile::parse([&path] {
        PaletteGuard guard;
        KColorSchemeManager manager;
        manager.setAutosaveChanges(false);
        const QAbstractItemModel *schemes = manager.model();
        for (int row = 0; row < schemes->rowCount(); ++row) {
            const QModelIndex index = schemes->index(row, 0);
            if (index.isValid() && index.data(schemePathRole).toString() == path) {
                guard.release();
                manager.activateScheme(index);
                return;
            }
        }
    });
}
