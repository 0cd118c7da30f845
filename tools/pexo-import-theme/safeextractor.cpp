#include "safeextractor.h"
#include "stagingdir.h"

#include <KArchive>
#include <KArchiveDirectory>
#include <KArchiveFile>
#include <KTar>

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <map>
#include <memory>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 chunkSize = 64 * 1024;

// Zip archives keep the file type in the mode; tar archives usually do not.
bool hasType(const KArchiveEntry *entry, mode_t type)
{
    const mode_t format = entry->permissions() & S_IFMT;
    return format == 0 || format == type;
}

// Errors saying the disk takes no more. Others (a name taken, a directory
// not writable) only refuse one entry.
bool isWriteFailure(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EIO || error == EFBIG;
}
} // namespace

class SafeExtractorPrivate
{
public:
    bool isPlainTarFile(const KArchiveFile *file) const;
    bool createFile(const QString &path, const KArchiveFile *file, bool record);
    bool createDir(const QString &path, bool record);
    // The hidden folder in dir, made when first asked for; null when it
    // cannot be made.
    const StagingDir *stagingDir(const QString &dir);
    StagingDir::Move move(const QString &staged, const QString &path);
    void removeLeftBehind(const QString &dir);

    // The tar stream, or null for other formats.
    QIODevice *tar = nullptr;
    // What was created, oldest first; not what lies below a created directory.
    QStringList created;
    bool writeFailed = false;
    std::map<QString, std::unique_ptr<StagingDir>> staging;
    // The directories looked at for folders left behind, links followed.
    QSet<QString> swept;
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

bool SafeExtractorPrivate::createFile(const QString &path, const KArchiveFile *file, bool record)
{
    if (writeFailed) {
        return false;
    }
    // O_EXCL: fails on any existing file, a link included.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        qWarning() << "Cannot create" << path << qt_error_string(error);
        writeFailed = isWriteFailure(error);
        return false;
    }
    QFile out;
    if (!out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        QFile::remove(path);
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
    const QString writeError = out.errorString();
    out.close();
    written = written && out.error() == QFileDevice::NoError;
    bool ok = false;
    if (!readable) {
        qWarning() << "Cannot read archive entry" << file->name();
    } else if (!written) {
        qWarning() << "Cannot write" << path << writeError;
        writeFailed = true;
    } else if (copied != file->size()) {
        qWarning() << "Refusing archive entry whose content does not have its stated size" << file->name();
    } else {
        ok = true;
    }
    if (!ok) {
        QFile::remove(path);
    } else if (record) {
        created.append(path);
    }
    return ok;
}

bool SafeExtractorPrivate::createDir(const QString &path, bool record)
{
    if (writeFailed) {
        return false;
    }
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0) {
        writeFailed = isWriteFailure(errno);
        return false;
    }
    if (record) {
        created.append(path);
    }
    return true;
}

const StagingDir *SafeExtractorPrivate::stagingDir(const QString &dir)
{
    if (writeFailed) {
        return nullptr;
    }
    std::unique_ptr<StagingDir> &made = staging[dir];
    if (!made) {
        removeLeftBehind(dir);
        made = std::make_unique<StagingDir>(dir);
    }
    if (made->path().isEmpty()) {
        writeFailed = isWriteFailure(made->error());
        return nullptr;
    }
    return made.get();
}

StagingDir::Move SafeExtractorPrivate::move(const QString &staged, const QString &path)
{
    const StagingDir::Move moved = StagingDir::moveIntoPlace(staged, path);
    if (moved == StagingDir::Moved) {
        created.append(path);
    }
    writeFailed = writeFailed || moved == StagingDir::Failed;
    return moved;
}

bool SafeExtractor::placeNewFile(const QString &path, const KArchiveFile *file) const
{
    const QFileInfo info(path);
    const StagingDir *staging = d->stagingDir(info.absolutePath());
    if (!staging) {
        return false;
    }
    const QString staged = staging->path() + QLatin1Char('/') + info.fileName();
    if (!d->createFile(staged, file, false)) {
        return false;
    }
    const StagingDir::Move moved = d->move(staged, path);
    if (moved == StagingDir::Taken) {
        qWarning() << "Cannot create" << path << qt_error_string(EEXIST);
    }
    if (moved != StagingDir::Moved) {
        QFile::remove(staged);
    }
    return moved == StagingDir::Moved;
}

bool SafeExtractor::writeNewFile(const QString &path, const KArchiveFile *file) const
{
    return d->createFile(path, file, true);
}

QString SafeExtractor::makeStagedDir(const QString &path) const
{
    const QFileInfo info(path);
    const StagingDir *staging = d->stagingDir(info.absolutePath());
    const QString staged = staging ? staging->path() + QLatin1Char('/') + info.fileName() : QString();
    return !staged.isEmpty() && d->createDir(staged, false) ? staged : QString();
}

bool SafeExtractor::moveIntoPlace(const QString &staged, const QString &path) const
{
    return !d->writeFailed && d->move(staged, path) == StagingDir::Moved;
}

bool SafeExtractor::makeDir(const QString &path) const
{
    return d->createDir(path, true);
}

bool SafeExtractor::makePath(const QString &path) const
{
    const QFileInfo info(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    if (info.isDir()) {
        return true;
    }
    if (info.isRoot() || !makePath(info.absolutePath())) {
        return false;
    }
    return makeDir(info.absoluteFilePath()) || (!d->writeFailed && QFileInfo(info.absoluteFilePath()).isDir());
}

namespace {
// True when the device holds size bytes, those of file.
bool holdsContent(QIODevice &device, qint64 size, const KArchiveFile *file)
{
    const std::unique_ptr<QIODevice> in(file->createDevice());
    if (!in || size != file->size()) {
        return false;
    }
    qint64 compared = 0;
    while (compared < file->size()) {
        const QByteArray theirs = in->read(chunkSize);
        if (theirs.isEmpty() || device.read(theirs.size()) != theirs) {
            return false;
        }
        compared += theirs.size();
    }
    return compared == file->size();
}
} // namespace

bool SafeExtractor::sameContent(const QString &path, const KArchiveFile *file) const
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) {
        return false;
    }
    QFile existing(path);
    return existing.open(QIODevice::ReadOnly) && holdsContent(existing, info.size(), file);
}

bool SafeExtractor::sameContent(const KArchiveFile *one, const KArchiveFile *other)
{
    // The devices of one archive share its stream: read one after the other.
    const auto digest = [](const KArchiveFile *file) {
        const std::unique_ptr<QIODevice> device(file->createDevice());
        QCryptographicHash hash(QCryptographicHash::Sha256);
        qint64 read = 0;
        while (device && read < file->size()) {
            const QByteArray chunk = device->read(std::min(chunkSize, file->size() - read));
            if (chunk.isEmpty()) {
                return QByteArray();
            }
            hash.addData(chunk);
            read += chunk.size();
        }
        return device ? hash.result() : QByteArray();
    };
    if (one == other) {
        return true;
    }
    if (one->size() != other->size()) {
        return false;
    }
    const QByteArray digest1 = digest(one);
    return !digest1.isEmpty() && digest1 == digest(other);
}

bool SafeExtractor::extractTree(const KArchiveDirectory *source, const QString &label, const QString &target) const
{
    bool ok = true;
    const QStringList names = source->entries();
    for (const QString &name : names) {
        if (d->writeFailed) {
            return false;
        }
        const QString entryLabel = label + QLatin1Char('/') + name;
        if (!isSafeName(name)) {
            qWarning() << "Refusing archive entry" << entryLabel;
            ok = false;
            continue;
        }
        const KArchiveEntry *entry = source->entry(name);
        const QString path = target + QLatin1Char('/') + name;
        if (const KArchiveDirectory *dir = directory(entry)) {
            if (!d->createDir(path, false)) {
                qWarning() << "Cannot create directory" << path;
                ok = false;
                continue;
            }
            ok = extractTree(dir, entryLabel, path) && ok;
        } else if (const KArchiveFile *file = regularFile(entry)) {
            ok = d->createFile(path, file, false) && ok;
        } else {
            qWarning() << "Refusing archive entry that is not a plain file or directory" << entryLabel;
            ok = false;
        }
    }
    return ok;
}

void SafeExtractorPrivate::removeLeftBehind(const QString &dir)
{
    // A folder still missing has nothing in it yet.
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    if (!canonical.isEmpty() && !swept.contains(canonical)) {
        swept.insert(canonical);
        StagingDir::removeLeftBehind(canonical);
    }
}

void SafeExtractor::removeLeftBehind(const QString &dir) const
{
    d->removeLeftBehind(dir);
}

bool SafeExtractor::writeFailed() const
{
    return d->writeFailed;
}

void SafeExtractor::removeCreated() const
{
    for (auto it = d->created.crbegin(); it != d->created.crend(); ++it) {
        const QFileInfo info(*it);
        if (info.isDir() && !info.isSymLink()) {
            QDir(*it).removeRecursively();
        } else {
            QFile::remove(*it);
        }
    }
    d->created.clear();
}
