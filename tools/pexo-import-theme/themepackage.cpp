#include "themepackage.h"

#include "localfile.h"

#include <KArchive>
#include <KArchiveDirectory>
#include <KArchiveFile>
#include <KCompressionDevice>
#include <KTar>
#include <KZip>

#include <QDebug>
#include <QDir>
#include <QMimeDatabase>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <vector>

namespace {
const char *const tooLarge = "Refusing archive that unpacks to more than 1 GiB:";
const char *const noRoom = "Not enough free space to unpack";
} // namespace

class ThemePackagePrivate
{
public:
    std::unique_ptr<QIODevice> openTar();
    // Notes the sizes of the files and the number of directories.
    void measure();

    QString path;
    // The archive file, opened once; the archive reads it or device.
    std::unique_ptr<QFile> file;
    std::unique_ptr<QIODevice> device;
    // Works on file or device, so it goes after them.
    std::unique_ptr<KArchive> archive;
    std::vector<qint64> fileSizes;
    qint64 directories = 0;
    qint64 unpackedSize = 0;
};

void ThemePackagePrivate::measure()
{
    QList<const KArchiveDirectory *> pending{archive->directory()};
    while (!pending.isEmpty()) {
        const KArchiveDirectory *dir = pending.takeLast();
        const QStringList names = dir->entries();
        for (const QString &name : names) {
            const KArchiveEntry *entry = dir->entry(name);
            if (entry->isDirectory()) {
                pending.append(static_cast<const KArchiveDirectory *>(entry));
                ++directories;
            } else if (entry->isFile()) {
                const qint64 size = std::max<qint64>(0, static_cast<const KArchiveFile *>(entry)->size());
                fileSizes.push_back(size);
                // Kept from overflowing by headers that lie.
                unpackedSize = std::min(unpackedSize + std::min(size, ThemePackage::maxUnpackedSize + 1), ThemePackage::maxUnpackedSize + 1);
            }
        }
    }
}

// The tar stream: the file itself, or its decompressed copy in a temporary
// file. The compression is found from the content, as KTar does.
std::unique_ptr<QIODevice> ThemePackagePrivate::openTar()
{
    const KCompressionDevice::CompressionType type = KCompressionDevice::compressionTypeForMimeType(QMimeDatabase().mimeTypeForData(file.get()).name());
    if (!file->seek(0)) {
        return nullptr;
    }
    if (type == KCompressionDevice::None) {
        return std::move(file);
    }

    KCompressionDevice input(file.get(), false, type);
    auto temporary = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/pexo-import-XXXXXX.tar"));
    if (!input.open(QIODevice::ReadOnly) || !temporary->open()) {
        return nullptr;
    }
    const qint64 room = QStorageInfo(QDir::tempPath()).bytesAvailable();
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 read = input.read(buffer.data(), buffer.size());
        if (read < 0) {
            return nullptr;
        }
        if (read == 0) {
            break;
        }
        total += read;
        if (total > ThemePackage::maxUnpackedSize) {
            qWarning() << tooLarge << path;
            return nullptr;
        }
        if ((room >= 0 && total > room) || temporary->write(buffer.constData(), read) != read) {
            qWarning() << noRoom << path;
            return nullptr;
        }
    }
    if (!temporary->flush() || !temporary->seek(0)) {
        return nullptr;
    }
    return temporary;
}

ThemePackage::ThemePackage(const QString &path)
    : d(new ThemePackagePrivate)
{
    d->path = path;
}

ThemePackage::~ThemePackage() = default;

ThemePackage::Result ThemePackage::open()
{
    // Opened once, so that what is read is what was looked at.
    d->file = LocalFile::open(d->path, LocalFile::Kind::Archive);
    if (!d->file) {
        return NotReadable;
    }
    const QMimeType mime = QMimeDatabase().mimeTypeForFileNameAndData(d->path, d->file.get());
    if (!d->file->seek(0)) {
        return NotReadable;
    }
    if (mime.inherits(QStringLiteral("application/zip"))) {
        d->archive = std::make_unique<KZip>(d->file.get());
    } else {
        for (const char *type : {"application/x-compressed-tar",
                                 "application/x-gzip",
                                 "application/x-tar",
                                 "application/x-bzip-compressed-tar",
                                 "application/x-xz",
                                 "application/x-lzma"}) {
            if (mime.inherits(QLatin1String(type))) {
                d->device = d->openTar();
                if (!d->device) {
                    return NotReadable;
                }
                d->archive = std::make_unique<KTar>(d->device.get());
                break;
            }
        }
    }
    if (!d->archive) {
        qWarning() << "Could not open package file, unsupported archive format:" << d->path << mime.name();
        return UnsupportedFormat;
    }
    if (!d->archive->open(QIODevice::ReadOnly)) {
        d->archive.reset();
        return NotReadable;
    }
    d->measure();
    if (d->unpackedSize > maxUnpackedSize) {
        qWarning() << tooLarge << d->path;
        d->archive.reset();
        return NotReadable;
    }
    return Opened;
}

const KArchive *ThemePackage::archive() const
{
    return d->archive.get();
}

ThemePackage::DiskUse ThemePackage::diskUse(qint64 blockSize) const
{
    DiskUse use;
    use.blocks = d->directories;
    use.inodes = d->directories + qint64(d->fileSizes.size());
    for (const qint64 size : d->fileSizes) {
        use.blocks += std::max<qint64>(1, size / blockSize + (size % blockSize != 0));
    }
    return use;
}
