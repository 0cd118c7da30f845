#include "themedecorator.h"
#include "administratormarker.h"
#include "appliedtheme.h"
#include "installedtheme.h"
#include "integritylevel.h"
#include "livesettingschange.h"
#include "livetheme.h"
#include "themefiles.h"

#include "themecorelog.h"

#include <KLocalizedString>

#include <currentsettingsprovider.h>
#include <failedwrites.h>
#include <localfile.h>
#include <processwait.h>
#include <sessionlock.h>
#include <settingsreplace.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStringList>

#include <optional>

// Registers ":/themepreview.svg"; must stay outside any namespace.
static void initThemeCoreResource()
{
    Q_INIT_RESOURCE(themecore);
}

namespace {
const int dialogTimeoutMs = 30000;

// The name typed into the dialog, or an empty text when the dialog did not
// end normally with exit code 0.
QString askForName(const QStringList &arguments)
{
    QProcess dialog;
    dialog.start(QStringLiteral("pexo-dialog"), arguments, QIODevice::ReadWrite);
    // The page's window keeps repainting behind the dialog.
    if (!waitForFinishedRepainting(dialog, dialogTimeoutMs)) {
        if (dialog.state() != QProcess::NotRunning) {
            qCWarning(THEME_CORE_LOG) << "pexo-dialog did not finish in time";
            dialog.kill();
            dialog.waitForFinished();
        }
        return QString();
    }
    if (dialog.exitStatus() != QProcess::NormalExit || dialog.exitCode() != 0) {
        return QString();
    }
    QByteArray output = dialog.readAllStandardOutput();
    const int nul = output.indexOf('\0');
    if (nul >= 0) {
        output.truncate(nul);
    }
    return QString::fromUtf8(output).trimmed();
}

// What the change starts from, once it holds the lock: the current theme
// as stored now, and the live settings as they are now with the edits
// made on the page's (or tool's) copy since it read them made again on
// them, so that no value that another writer changed meanwhile is written
// back. Where another session switched or saved the theme since this
// session's last change, or set what the sessions share in an
// administrator session, the change starts from the theme as stored when
// this session changed nothing of its own since, as the next session sync
// would, and otherwise takes what the sessions share from the theme. False,
// with error(), when the theme recorded is no longer the one the page
// read: saved into it, its edits would land in another theme.
bool takeFilesAsTheyAre(ThemeController *controller, bool installed)
{
    if (!controller->isCurrentThemeRecorded()) {
        Q_EMIT controller->error(QStringLiteral("The current theme was changed by another program; open the page again to change it"));
        return false;
    }
    const std::shared_ptr<Theme> current = controller->currentTheme();
    current->read();
    std::shared_ptr<Theme> base = AppliedTheme::readLive();
    const QString &id = controller->currentThemeId();
    if (installed && !(*base == *current) && !AppliedTheme::isApplied(id, *current, *base)) {
        const bool administrator = AdministratorMarker::left() == AdministratorMarker::Left::Elsewhere;
        if (administrator || AppliedTheme::isChangedElsewhere(id, *current)) {
            // This session's own changes since, made on the theme as stored.
            auto own = std::make_shared<Theme>(std::make_shared<CurrentSettingsProvider>());
            own->copyFrom(current);
            if (AppliedTheme::takeOwnChanges(*own, *base)) {
                base = own;
            } else if (AppliedTheme::isUnchanged(*base)) {
                base = current;
            } else if (administrator) {
                AppliedTheme::takeSharedValues(*base, *current);
            }
        }
    }
    // The registry's live theme keeps what it read.
    std::static_pointer_cast<LiveTheme>(controller->systemTheme())->rebase(base);
    return true;
}

// Applies a stored theme; what could not be written goes out as the
// controller's error. False then.
bool applyStored(Theme &theme, ThemeController *controller)
{
    bool failed = false;
    const QMetaObject::Connection connection = QObject::connect(&theme, &Theme::error, controller, [controller, &failed](const QString &message) {
        failed = true;
        Q_EMIT controller->error(message);
    });
    theme.apply();
    QObject::disconnect(connection);
    return !failed;
}
} // namespace

class ThemeDecoratorPrivate
{
public:
    QHash<QString, QString> keys;
};

ThemeDecorator::ThemeDecorator()
    : controller(new ThemeController)
    , d(new ThemeDecoratorPrivate)
{
    initThemeCoreResource();
}

ThemeDecorator::~ThemeDecorator()
{
    delete controller;
}

void ThemeDecorator::updateNeedSave()
{
}

void ThemeDecorator::apply()
{
    const std::shared_ptr<Theme> current = controller->currentTheme();
    // The record may name any file: write only a theme of the theme directories.
    const bool installed = isInstalledTheme(*current);
    const QString stored = ThemeFiles::settingsPath(current->desktopPath());
    // Live settings that cannot be written were read as defaults: copied
    // into the current theme, they would cost it its own values. A theme
    // that cannot be written fails the save before anything is written.
    const LiveSettingsChange change(LiveSettingsChange::Files::Live, controller->currentThemeId(), installed ? QStringList{stored} : QStringList());
    if (!change.refusal().isEmpty()) {
        Q_EMIT controller->error(change.refusal());
        return;
    }
    if (!takeFilesAsTheyAre(controller, installed)) {
        return;
    }
    const std::shared_ptr<Theme> live = controller->systemTheme();
    current->copyFrom(live);
    // What the theme held, put back when the live settings could not take
    // the change: a failed save changes no stored theme.
    const std::optional<QByteArray> before = installed ? LocalFile::read(stored, LocalFile::Kind::Settings) : std::nullopt;
    // A theme that had no settings file has none again.
    const bool hadNone = installed && !before && !QFileInfo(stored).exists() && !QFileInfo(stored).isSymLink();
    if (installed) {
        // The live settings keep their changes when the theme could not take them.
        if (!applyStored(*current, controller)) {
            return;
        }
    } else {
        Q_EMIT controller->error(QStringLiteral("Current theme not saved, it is not a valid installed theme: ") + current->desktopPath());
    }
    const FailedWrites failed;
    live->apply();
    if (!failed.files().isEmpty()) {
        // The theme keeps what it held; so it tells when it cannot.
        const bool putBack = before ? SettingsReplace::write(stored, *before) : hadNone && (!QFileInfo::exists(stored) || QFile::remove(stored));
        if (installed && !putBack) {
            Q_EMIT controller->error(QStringLiteral("Could not put back the settings of the current theme ") + stored);
        }
        return;
    }
    if (!installed) {
        return;
    }
    // The theme holds what the live settings took: a scheme of the
    // system's own brings its colours.
    const std::shared_ptr<Theme> applied = AppliedTheme::readLive();
    if (!(*applied == *current)) {
        current->copyFrom(applied);
        if (!applyStored(*current, controller)) {
            return;
        }
    }
    // What the theme reads back, which the master file may fix otherwise.
    current->read();
    if (const QString message = AppliedTheme::note(controller->currentThemeId(), *current, *applied); !message.isEmpty()) {
        Q_EMIT controller->error(message);
    }
}

void ThemeDecorator::registerProperty(const QString &property, const QString &key)
{
    d->keys.insert(property, key);
}

QString ThemeDecorator::keyForProperty(const QString &property) const
{
    return d->keys.value(property, property);
}

bool ThemeDecorator::isPropertyImmutable(const QString &property) const
{
    return controller->currentTheme()->isPropertyImmutable(keyForProperty(property));
}

void ThemeDecorator::createNewThemeBasedOnCurrent()
{
    const QStringList arguments{
        QStringLiteral("--caption"),
        i18n("Save theme as…"),
        QStringLiteral("--inputbox"),
        i18n("Your changes will be saved in a new theme.\nPlease enter a name for the new topic"),
        controller->currentTheme()->name() + QLatin1Char(' ') + i18n("(Copy)"),
    };

    // Cancelled, failed, timed out, empty or taken names change nothing.
    const QString name = askForName(arguments);
    if (name.isEmpty() || controller->theme(name)) {
        updateNeedSave();
        return;
    }

    // Held from the new theme's creation to the end of the save, not while
    // the name is asked for.
    const SessionLock lock(SessionLock::Wait::Page, [this](const QString &message) {
        Q_EMIT controller->error(message);
    });
    if (!lock.isLocked()) {
        Q_EMIT controller->error(lock.message());
        updateNeedSave();
        return;
    }
    const LiveSettingsChange change(LiveSettingsChange::Files::LiveAndRecord, name);
    if (!change.refusal().isEmpty()) {
        Q_EMIT controller->error(change.refusal());
        updateNeedSave();
        return;
    }
    if (!takeFilesAsTheyAre(controller, isInstalledTheme(*controller->currentTheme()))) {
        updateNeedSave();
        return;
    }
    // A directory of that name, whatever it holds, is refused.
    const std::shared_ptr<Theme> created = controller->createTheme(name, controller->currentThemeId()) ? controller->theme(name) : nullptr;
    if (!created) {
        updateNeedSave();
        return;
    }
    created->copyFrom(controller->systemTheme());
    if (!applyStored(*created, controller)) {
        return;
    }
    controller->setCurrentTheme(created->id());
    // Not recorded: the read-only theme is still current.
    if (controller->currentThemeId() != created->id()) {
        return;
    }
    apply();
}

bool ThemeDecorator::mandatoryIntegrityControl() const
{
    // Asked on the page's window thread.
    return isHighIntegrityLevel(SessionLock::patience(SessionLock::Wait::Page));
}
