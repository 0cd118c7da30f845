#include "desktopshortcuts.h"
#include "failedwrites.h"
#include "x11support.h"

#include <QFile>

#include <pexodesktopentry.h>
#include <pexodirs.h>

namespace {
QString pexoDir(PexoDir kind)
{
    return QString::fromUtf8(GetPexoDir(kind).c_str());
}

const QString desktopDir = pexoDir(PexoDesktopDir);
const QString templateDir = pexoDir(PexoSystemDataDir) + QStringLiteral("/Desktops/Desktop1");
} // namespace

const QString DesktopShortcuts::trashEntry = desktopDir + QStringLiteral("/mytrash.desktop");
const QString DesktopShortcuts::computerEntry = desktopDir + QStringLiteral("/mycomp.desktop");
const QString DesktopShortcuts::trashTemplate = templateDir + QStringLiteral("/mytrash.desktop");
const QString DesktopShortcuts::computerTemplate = templateDir + QStringLiteral("/mycomp.desktop");

bool DesktopShortcuts::isShown(const QString &entryPath)
{
    if (!QFile::exists(entryPath)) {
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
        if (!QFile::copy(templatePath, entryPath)) {
            FailedWrites::note(entryPath);
            return false;
        }
        return true;
    }
    PexoDesktopEntry entry(entryPath);
    // A file that does not load is left alone rather than rewritten.
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
