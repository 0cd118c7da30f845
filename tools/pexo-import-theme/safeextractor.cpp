#include "safeextractor.h"

#include <KArchive>
#include <KArchiveDirectory>
#include <KArchiveFile>

#include <QDebug>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace SafeExtractor {
namespace {
// Zip archives keep the file type in the mode; tar archives usually do not.
bool hasType(const KArchiveEntry *entry, mode_t type)
{
    const mode_t format = entry->permissions() & S_IFMT;
    return format == 0 || format == type;
}
} // namespace

bool isSafeName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/'));
}

const KArchiveFile *regularFile(const KArchiveEntry *entry)
{
    // Hard links come with the name they point to, like symbolic links.
    if (!entry || !entry->isFile() || !entry->symLinkTarget().isEmpty() || !hasType(entry, S_IFREG)) {
        return nullptr;
    }
    return static_cast<const KArchiveFile *>(entry);
}

const KArchiveDirectory *directory(const KArchiveEntry *entry)
{
    if (!entry || !entry->isDirectory() || !entry->symLinkTarget().isEmpty() || !hasType(entry, S_IFDIR)) {
        return nullptr;
    }
    return static_cast<const KArchiveDirectory *>(entry);
}

bool writeNewFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    // O_EXCL: fails on any existing file, a link included.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        qWarning() << "Cannot create" << path << file.errorString();
        return false;
    }
    if (file.write(data) != data.size() || !file.flush()) {
        qWarning() << "Cannot write" << path << file.errorString();
        file.close();
        file.remove();
        return false;
    }
    file.close();
    return true;
}

bool extractTree(const KArchiveDirectory *source, const QString &label, const QString &target)
{
    bool ok = true;
    const QDir targetDir(target);
    const QStringList names = source->entries();
    for (const QString &name : names) {
        const QString entryLabel = label + QLatin1Char('/') + name;
        if (!isSafeName(name)) {
            qWarning() << "Refusing archive entry" << entryLabel;
            ok = false;
            continue;
        }
        const KArchiveEntry *entry = source->entry(name);
        const QString path = target + QLatin1Char('/') + name;
        if (const KArchiveDirectory *dir = directory(entry)) {
            if (!targetDir.mkdir(name)) {
                qWarning() << "Cannot create directory" << path;
                ok = false;
                continue;
            }
            ok = extractTree(dir, entryLabel, path) && ok;
        } else if (const KArchiveFile *file = regularFile(entry)) {
            ok = writeNewFile(path, file->data()) && ok;
        } else {
            qWarning() << "Refusing archive entry that is not a plain file or directory" << entryLabel;
            ok = false;
        }
    }
    return ok;
}
} // namespace SafeExtractor
