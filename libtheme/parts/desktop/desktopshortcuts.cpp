#include "desktopshortcuts.h"
#include "configfile.h"
#include "configsync.h"
#include "failedwrites.h"
#include "localfile.h"
#include "x11support.h"

#include <KConfig>
#include <KConfigGroup>

#include <QFile>

#include <pexodesktopentry.h>
#include <pexodirs.h>

#include <memory>
#include <optional>

namespace {
QString pexoDir(PexoDir kind)
{
    return QString::fromUtf8(GetPexoDir(kind).c_str());
}

const QString desktopDir = pexoDir(PexoDesktopDir);
const QString templateDir = pexoDir(PexoSystemDataDir) + QStringLiteral("/Desktops/Desktop1");

// A copy of a usable template, never written over anything.
bool copyTemplate(const QString &templatePath, const QString &entryPath)
{
    const std::optional<QByteArray> text = LocalFile::read(templatePath, LocalFile::Kind::Settings);
    if (!text || !LocalFile::writeNew(entryPath, *text)) {
        return false;
    }
    QFile::setPermissions(entryPath, QFile::permissions(templatePath));
    return true;
}
} // namespace

const QString DesktopShortcuts::trashEntry = desktopDir + QStringLiteral("/mytrash.desktop");
const QString DesktopShortcuts::computerEntry = desktopDir + QStringLiteral("/mycomp.desktop");
const QString DesktopShortcuts::trashTemplate = templateDir + QStringLiteral("/mytrash.desktop");
const QString DesktopShortcuts::computerTemplate = templateDir + QStringLiteral("/mycomp.desktop");

bool DesktopShortcuts::isShown(const QString &entryPath)
{
    // An entry that is no usable file does not load.
    if (!LocalFile::isUsable(entryPath, LocalFile::Kind::Settings)) {
        return false;
    }
    PexoDesktopEntry entry(entryPath);
    return entry.load() && !entry.hidden();
}

bool DesktopShortcuts::setShown(const QString &entryPath, const QString &templatePath, bool show)
{
    if (!QFile::exists(entryPath)) {
        if (!show) {
            return false;
        }
        if (!copyTemplate(templatePath, entryPath)) {
            FailedWrites::note(entryPath);
            return false;
        }
        return true;
    }
    // A file that does not load reads as hidden and is left alone rather
    // than rewritten: it cannot be shown.
    const auto unloadable = [&entryPath, show] {
        if (show) {
            FailedWrites::note(entryPath);
        }
        return false;
    };
    if (!LocalFile::isUsable(entryPath, LocalFile::Kind::Settings)) {
        return unloadable();
    }
    PexoDesktopEntry entry(entryPath);
    if (!entry.load()) {
        return unloadable();
    }
    const bool shown = !entry.hidden();
    if (shown == show) {
        return false;
    }
    // Through the settings writer, which notes a failure; every other key
    // stays as it is.
    const std::shared_ptr<KConfig> config = ConfigFile::open(entryPath);
    KConfigGroup(config.get(), QStringLiteral("Desktop Entry")).writeEntry("Hidden", !show);
    return ConfigSync::sync(config);
}

bool DesktopShortcuts::announceChange()
{
    return PexoWm::send(QStringLiteral("PEXOWM_UPDATE_SHORTCUT\n"), PexoWm::LegacyChannel);
}
