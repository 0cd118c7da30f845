#include "desktopshortcuts.h"
#include "failedwrites.h"
#include "localfile.h"
#include "x11support.h"

#include <QFile>

#include <pexodesktopentry.h>
#include <pexodirs.h>

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
    // A file that does not load is left alone rather than rewritten.
    if (!LocalFile::isUsable(entryPath, LocalFile::Kind::Settings)) {
        return false;
    }
    PexoDesktopEntry entry(entryPath);
    if (!entry.load()) {
        return false;
    }
    const bool shown = !entry.hidden();
    if (shown == show) {
        return false;
    }
    entry.setHidden(!show);
    if (!entry.save(false)) {
        FailedWrites::note(entryPath);
        return false;
    }
    return true;
}

bool DesktopShortcuts::announceChange()
{
    return PexoWm::send(QStringLiteral("PEXOWM_UPDATE_SHORTCUT\n"), PexoWm::LegacyChannel);
}
