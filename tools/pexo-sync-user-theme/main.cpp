/*
    pexo-sync-user-theme: brings the session's live settings and the
    current-theme record into line with each other at session start.
*/

#include <administratormarker.h>
#include <appliedtheme.h>
#include <configfile.h>
#include <configsync.h>
#include <livesettingschange.h>
#include <localfile.h>
#include <offscreenfallback.h>
#include <sessionlock.h>
#include <toolscommon.h>

#include <theme.h>
#include <themecontroller.h>
#include <themedefaults.h>
#include <themedescriptions.h>

#include <KConfigGroup>
#include <KLocalizedString>
#include <KSharedConfig>

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <memory>
#include <optional>

#include <sys/stat.h>

namespace {
const QString adminThemeId = ThemeDefaults::adminThemeId;
const QString defaultThemeId = ThemeDefaults::defaultThemeId;

// Something could not be written: the run fails.
bool writeFailed = false;

// "Custom", then "Custom1", "Custom2" ...: the first id that is neither
// known nor the name of anything in the user themes folder (a dangling
// link included). A folder that cannot be looked into takes no name: the
// theme is then not made there.
QString uniqueThemeId(const ThemeController &controller)
{
    const QString base = i18n("Custom");
    const QDir userThemes(ThemeDefaults::userThemesDir);
    const auto isFree = [&](const QString &id) {
        struct stat status;
        return !controller.theme(id) && ::lstat(QFile::encodeName(userThemes.filePath(id)).constData(), &status) != 0;
    };
    if (isFree(base)) {
        return base;
    }
    for (int n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (isFree(candidate)) {
            return candidate;
        }
    }
}

// Makes the theme directory, which must not be there yet, with a copy of
// the live settings (when a theme may hold them) and a description. What
// it made is removed again when a step fails.
bool createUserThemeDir(const QString &id)
{
    const QString themeDir = QDir(ThemeDefaults::userThemesDir).filePath(id);
    const QString settingsDir = themeDir + QStringLiteral("/theme");
    if (!QDir().mkpath(ThemeDefaults::userThemesDir) || !QDir().mkdir(themeDir) || !QDir().mkdir(settingsDir)) {
        qWarning() << "Failed to create theme directory:" << settingsDir;
        return false;
    }
    auto removeMade = qScopeGuard([&themeDir] {
        QDir(themeDir).removeRecursively();
    });
    const QString settingsFile = settingsDir + QStringLiteral("/themerc");
    std::optional<QByteArray> live = LocalFile::read(ThemeDefaults::currentThemeConfigPath, LocalFile::Kind::Settings);
    // Live settings larger than a theme may hold would make a theme that is
    // never listed: it starts empty, and takes its values when applied.
    if (live && live->size() > ThemeDescriptions::sizeLimit(ThemeDescriptions::File::Settings)) {
        live = QByteArrayLiteral("[Variables]\n");
    }
    if (!live || !LocalFile::writeNew(settingsFile, *live)) {
        qWarning() << "Failed to copy current.themerc to" << settingsFile;
        return false;
    }
    KSharedConfigPtr index = ConfigFile::openShared(themeDir + QStringLiteral("/index.theme"), KConfig::CascadeConfig);
    KConfigGroup group(index, ThemeDefaults::themeDescriptionGroup);
    group.writeEntry("Id", id);
    group.writeEntry("Name", id);
    group.writeEntry("Comment", i18n("User theme"));
    if (!ConfigSync::sync(index)) {
        qWarning() << "Failed to write" << index->name();
        return false;
    }
    removeMade.dismiss();
    return true;
}

// A live settings file that exists must be a readable file, or every
// decision below would be taken on defaults. A fifo there is refused
// without waiting for a writer.
bool liveSettingsReadable()
{
    const QString &path = ThemeDefaults::currentThemeConfigPath;
    return LocalFile::isMissingOrUsable(path, LocalFile::Kind::Settings);
}

int administratorSession(ThemeController &controller)
{
    const auto adminTheme = controller.theme(adminThemeId);
    if (!adminTheme) {
        return 1;
    }
    adminTheme->read();
    const LiveSettingsChange change(LiveSettingsChange::Files::Live);
    if (!change.refusal().isEmpty()) {
        qWarning().noquote() << change.refusal();
        return 1;
    }
    const auto systemTheme = controller.systemTheme();
    systemTheme->copyFrom(adminTheme);
    systemTheme->apply();
    // Live settings that did not take the theme were not set by this session.
    if (writeFailed) {
        return 1;
    }
    QString error;
    if (!AdministratorMarker::place(&error)) {
        qWarning().noquote() << QStringLiteral("Could not write") << error;
        return 1;
    }
    return 0;
}

int ordinarySession(ThemeController &controller)
{
    if (!liveSettingsReadable()) {
        qWarning() << "Cannot read the live settings" << ThemeDefaults::currentThemeConfigPath;
        return 1;
    }
    const auto currentTheme = controller.currentTheme();
    const auto systemTheme = controller.systemTheme();
    currentTheme->read();
    systemTheme->read();

    // Live settings that the current theme gave when it was applied are its own.
    if (*currentTheme == *systemTheme || AppliedTheme::isApplied(controller.currentThemeId(), *currentTheme, *systemTheme)) {
        const LiveSettingsChange change(LiveSettingsChange::Files::Live);
        if (!change.refusal().isEmpty()) {
            qWarning().noquote() << change.refusal();
            return 1;
        }
        systemTheme->apply();
        // A scheme file changed since may have brought other colours: they
        // are the theme's too.
        if (!writeFailed) {
            if (const QString message = AppliedTheme::note(controller.currentThemeId(), *currentTheme, *AppliedTheme::readLive()); !message.isEmpty()) {
                qWarning().noquote() << message;
                return 1;
            }
        }
        return 0;
    }
    if (!currentTheme->isValid()) {
        controller.setCurrentTheme(defaultThemeId);
        return 0;
    }
    // Live settings last set by an administrator session: the recorded
    // theme again. Left half made by a change that did not end: the theme
    // it led to, unless another session recorded another theme since or it
    // is gone, else the recorded one.
    const AdministratorMarker::Left marker = AdministratorMarker::left();
    if (marker == AdministratorMarker::Left::Here || LiveSettingsChange::wasCutOff()) {
        const QString target = marker == AdministratorMarker::Left::Here ? QString() : LiveSettingsChange::unfinishedTarget();
        const auto unfinished = target == controller.currentThemeId() ? controller.theme(target) : nullptr;
        controller.setCurrentTheme(unfinished && unfinished->isValid() ? target : controller.currentThemeId());
        if (marker == AdministratorMarker::Left::Here && !writeFailed) {
            AdministratorMarker::remove();
        }
        return 0;
    }
    // Another session switched or saved the theme since this one's last
    // change, or set what the sessions share in an administrator session.
    // This session takes the recorded theme, as stored now, where it changed
    // nothing of its own since; else it keeps its own settings, and takes
    // what the sessions share from the theme where an administrator session
    // set it.
    if (marker == AdministratorMarker::Left::Elsewhere || AppliedTheme::isChangedElsewhere(controller.currentThemeId(), *currentTheme)) {
        if (AppliedTheme::isUnchanged(*systemTheme)) {
            controller.setCurrentTheme(controller.currentThemeId());
            return 0;
        }
        if (marker == AdministratorMarker::Left::Elsewhere) {
            AppliedTheme::takeSharedValues(*systemTheme, *currentTheme);
        }
    }
    // A first session has no live settings of the user's to keep: the
    // recorded theme, whatever the master file fixes in it.
    if (!QFileInfo::exists(ThemeDefaults::currentThemeConfigPath)) {
        controller.setCurrentTheme(controller.currentThemeId());
        return 0;
    }
    if (const auto equal = controller.equalTheme(systemTheme)) {
        controller.setCurrentTheme(equal->id());
        return 0;
    }

    // Save the live settings as a new user theme. A theme that cannot be
    // saved whole is removed again, and the live settings stay as they are.
    const QString id = uniqueThemeId(controller);
    if (!createUserThemeDir(id)) {
        return 1;
    }
    const QString themeDir = QDir(ThemeDefaults::userThemesDir).filePath(id);
    auto removeNewTheme = qScopeGuard([&themeDir] {
        QDir(themeDir).removeRecursively();
    });
    controller.updateAvailableThemes();
    const auto newTheme = controller.theme(id);
    if (!newTheme) {
        qWarning() << "Failed to load newly created theme:" << id;
        return 1;
    }
    // The byte copy lacks what lives outside current.themerc (the palette
    // colours and scheme, the cursor): write them into the new theme before
    // selecting it, which reads it back from disk.
    newTheme->copyFrom(systemTheme);
    // Its message goes out as the controller's: a failure of the run.
    QObject::connect(newTheme.get(), &Theme::error, &controller, &ThemeController::error);
    newTheme->apply();
    if (writeFailed) {
        return 1;
    }
    removeNewTheme.dismiss();
    controller.setCurrentTheme(id);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    // One writer of the session's settings at a time, for the whole run.
    const SessionLock lock(SessionLock::Wait::Tool);
    if (!lock.isLocked()) {
        qWarning().noquote() << lock.message();
        return 1;
    }
    const bool administrator = prepareSession();
    auto controller = std::make_unique<ThemeController>();
    QObject::connect(controller.get(), &ThemeController::error, [](const QString &message) {
        qWarning().noquote() << message;
        writeFailed = true;
    });
    const int code = administrator ? administratorSession(*controller) : ordinarySession(*controller);
    controller.reset();
    return writeFailed && code == 0 ? 1 : code;
}
