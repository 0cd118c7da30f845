#include "safeextractor.h"

#include <KArchive>
#include <KArchiveDirectory>
#include <KArchiveFile>
#include <KTar>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

#include <sys/stat.h>

namespace {
constexpr qint64 chunkSize = 64 * 1024;

// Zip archives keep the file type in the mode; tar archives usually do not.
bool hasType(const KArchiveEntry *entry, mode_t type)
{
    const mode_t format = entry->permissions() & S_IFMT;
    return format == 0 || format == type;
}
} // namespace

class SafeExtractorPrivate
{
public:
    bool isPlainTarFile(const KArchiveFile *file) const;

    // The tar stream, or null for other formats.
    QIODevice *tar = nullptr;
};

// KTar gives devices and fifos as empty files; the type lies in the entry's
// header, the 512 bytes before its data.
bool SafeExtractorPrivate::isPlainTarFile(const KArchiveFile *file) const
{
    constexpr qint64 headerSize = 512;
    constexpr qint64 typeOffset = 156;
    char type = 0;
    if (file->position() < headerSize || !tar->seek(file->position() - headerSize + typeOffset) || tar->read(&type, 1) != 1) {
        return false;
    }
    // Regular file, its old form, and a contiguous file.
    return type == '0' || type == '\0' || type == '7';
}

SafeExtractor::SafeExtractor(const KArchive *archive)
    : d(new SafeExtractorPrivate)
{
    if (dynamic_cast<const KTar *>(archive)) {
        d->tar = archive->device();
    }
}

SafeExtractor::~SafeExtractor() = default;

bool SafeExtractor::isSafeName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/'));
}

const KArchiveFile *SafeExtractor::regularFile(const KArchiveEntry *entry) const
{
    // Hard links come with the name they point to, like symbolic links.
    if (!entry || !entry->isFile() || !entry->symLinkTarget().isEmpty() || !hasType(entry, S_IFREG)) {
        return nullptr;
    }
    const auto *file = static_cast<const KArchiveFile *>(entry);
    if (d->tar && !d->isPlainTarFile(file)) {
        return nullptr;
    }
    return file;
}

const KArchiveDirectory *SafeExtractor::directory(const KArchiveEntry *entry)
{
    if (!entry || !entry->isDirectory() || !entry->symLinkTarget().isEmpty() || !hasType(entry, S_IFDIR)) {
        return nullptr;
    }
    return static_cast<const KArchiveDirectory *>(entry);
}

bool SafeExtractor::writeNewFile(const QString &path, const KArchiveFile *file) const
{
    QFile out(path);
    // O_EXCL: fails on any existing file, a link included.
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        qWarning() << "Cannot create" << path << out.errorString();
        return false;
    }
    const std::unique_ptr<QIODevice> in(file->createDevice());
    QByteArray buffer(chunkSize, Qt::Uninitialized);
    qint64 copied = 0;
    bool readable = in != nullptr;
    bool written = true;
    // A zip entry may unpack to more than it declares: never copy more.
    while (readable && written && copied <= file->size()) {
        const qint64 read = in->read(buffer.data(), std::min(chunkSize, file->size() - copied + 1));
        readable = read >= 0;
        if (read <= 0) {
            break;
        }
        written = out.write(buffer.constData(), read) == read;
        copied += read;
    }
    written = written && out.flush();
    bool ok = false;
    if (!readable) {
        qWarning() << "Cannot read archive entry" << file->name();
    } else if (!written) {
        qWarning() << "Cannot write" << path << out.errorString();
    } else if (copied != file->size()) {
        qWarning() << "Refusing archive entry whose content does not have its stated size" << file->name();
    } else {
        ok = true;
    }
    out.close();
    if (!ok) {
        out.remove();
    }
    return ok;
}

bool SafeExtractor::sameContent(const QString &path, const KArchiveFile *file) const
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.size() != file->size()) {
        return false;
    }
    QFile existing(path);
    const std::unique_ptr<QIODevice> in(file->createDevice());
    if (!in || !existing.open(QIODevice::ReadOnly)) {
        return false;
    }
    qint64 compared = 0;
    while (compared < file->size()) {
        const QByteArray theirs = in->read(chunkSize);
        if (theirs.isEmpty() || existing.read(theirs.size()) != theirs) {
            return false;
        }
        compared += theirs.size();
    }
    return compared == file->size();
}

bool SafeExtractor::extractTree(const KArchiveDirectory *source, const QString &label, const QString &target) const
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
            ok = writeNewFile(path, file) && ok;
        } else {
            qWarning() << "Refusing archive entry that is not a plain file or directory" << entryLabel;
            ok = false;
        }
    }
    return ok;
}
