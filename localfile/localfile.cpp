#include "localfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 MiB = 1024 * 1024;

bool isRegular(const struct stat &status, LocalFile::Kind kind)
{
    return S_ISREG(status.st_mode) && status.st_size <= LocalFile::sizeLimit(kind);
}

// Reads the file from its start into bytes, when given, without moving its
// offset; false when it holds more than the limit or cannot be read. A
// short read that reaches the size the file reported is its end; files
// that report no size (those of /proc and /sys) are read until nothing
// comes.
bool readWithin(int fd, qint64 limit, QByteArray *bytes, qint64 reportedSize = 0)
{
    char buffer[16384];
    qint64 total = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof(buffer), total);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        total += n;
        if (total > limit) {
            return false;
        }
        if (bytes) {
            bytes->append(buffer, int(n));
        }
        if (reportedSize > 0 && total >= reportedSize && n < ssize_t(sizeof(buffer))) {
            return true;
        }
    }
}

// A descriptor open for reading on a usable file, or -1. The path is looked
// at before it is opened, so that a device is never opened; the open file is
// looked at again, in case the path changed in between. A file that says it
// is empty may not be (those of /proc and /sys say 0): unless it is to be
// read anyway (its size asked for), it is read through to see that it keeps
// within the limit.
int openDescriptor(const QString &path, LocalFile::Kind kind, qint64 *reportedSize = nullptr)
{
    if (path.isEmpty()) {
        return -1;
    }
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0 || !isRegular(status, kind)) {
        return -1;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    const qint64 limit = LocalFile::sizeLimit(kind);
    if (::fstat(fd, &status) != 0 || !isRegular(status, kind) ||
        (status.st_size == 0 && !reportedSize && limit < std::numeric_limits<qint64>::max() && !readWithin(fd, limit, nullptr))) {
        ::close(fd);
        return -1;
    }
    if (reportedSize) {
        *reportedSize = status.st_size;
    }
    return fd;
}
} // namespace

qint64 LocalFile::sizeLimit(Kind kind)
{
    switch (kind) {
    case Kind::Settings:
        return 1 * MiB;
    case Kind::Image:
        return 256 * MiB;
    case Kind::Svg:
        return 16 * MiB;
    case Kind::Sound:
        return 256 * MiB;
    case Kind::Archive:
        break;
    }
    return std::numeric_limits<qint64>::max();
}

std::optional<LocalFile::Kind> LocalFile::iconFileKind(const QString &fileName)
{
    if (fileName.endsWith(QLatin1String(".svg"))) {
        return Kind::Svg;
    }
    if (fileName.endsWith(QLatin1String(".png")) || fileName.endsWith(QLatin1String(".xpm"))) {
        return Kind::Image;
    }
    return std::nullopt;
}

bool LocalFile::isUsable(const QString &path, Kind kind)
{
    const int fd = openDescriptor(path, kind);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

LocalFile::Status LocalFile::status(const QString &path, Kind kind)
{
    struct stat status;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return path.isEmpty() || errno == ENOENT ? Status::Missing : Status::Other;
    }
    if (S_ISDIR(status.st_mode)) {
        return Status::Directory;
    }
    return isRegular(status, kind) && (status.st_size > 0 || sizeLimit(kind) == std::numeric_limits<qint64>::max()) ? Status::LooksUsable : Status::Other;
}

QString LocalFile::absolutePath(const QString &path)
{
    const QString given = QDir::current().absoluteFilePath(path);
    // ".." goes up from where a link leads, not from the link: the folder
    // is resolved as the system resolves it when it is there.
    if (given.split(QLatin1Char('/')).contains(QLatin1String(".."))) {
        const QFileInfo info(given);
        const bool named = info.fileName() != QLatin1String("..") && info.fileName() != QLatin1String(".");
        const QString folder = QFileInfo(named ? info.path() : given).canonicalFilePath();
        if (!folder.isEmpty()) {
            return named ? QDir(folder).filePath(info.fileName()) : folder;
        }
    }
    QString absolute = QDir::cleanPath(given);
    while (absolute.startsWith(QLatin1String("/../")) || absolute == QLatin1String("/..")) {
        absolute = absolute.mid(3);
    }
    return absolute.isEmpty() ? QStringLiteral("/") : absolute;
}

QString LocalFile::canonicalPath(const QString &path)
{
    if (path.isEmpty()) {
        return QString();
    }
    // Opened only as a place in the tree: nothing is read, no device opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_PATH | O_CLOEXEC);
    if (fd < 0) {
        return QString();
    }
    char target[4096];
    const QByteArray link = QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(fd);
    const ssize_t length = ::readlink(link.constData(), target, sizeof(target));
    struct stat status;
    // A file removed meanwhile reads with a mark of its own; without /proc
    // the path is resolved a part at a time.
    const bool named = ::fstat(fd, &status) == 0 && status.st_nlink > 0;
    ::close(fd);
    if (named && length > 0 && length < ssize_t(sizeof(target)) && target[0] == '/') {
        return QFile::decodeName(QByteArray(target, int(length)));
    }
    return QFileInfo(path).canonicalFilePath();
}

bool LocalFile::exists(const QString &path)
{
    struct stat status;
    return !path.isEmpty() && (::stat(QFile::encodeName(path).constData(), &status) == 0 || errno == ELOOP);
}

QString LocalFile::nearestExisting(const QString &path)
{
    QFileInfo info(path);
    while (!info.exists() && !info.isRoot()) {
        info.setFile(info.absolutePath());
    }
    return info.absoluteFilePath();
}

bool LocalFile::isMissingOrUsable(const QString &path, Kind kind)
{
    return !exists(path) || isUsable(path, kind);
}

bool LocalFile::isMissingOrLooksUsable(const QString &path, Kind kind)
{
    switch (status(path, kind)) {
    case Status::Missing:
    case Status::LooksUsable:
        return true;
    case Status::Directory:
        return false;
    case Status::Other:
        break;
    }
    return isUsable(path, kind);
}

std::unique_ptr<QFile> LocalFile::open(const QString &path, Kind kind)
{
    const int fd = openDescriptor(path, kind);
    if (fd < 0) {
        return nullptr;
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

std::optional<QByteArray> LocalFile::read(const QString &path, Kind kind)
{
    qint64 reportedSize = 0;
    const int fd = openDescriptor(path, kind, &reportedSize);
    if (fd < 0) {
        return std::nullopt;
    }
    // The size seen by stat is not trusted: the file may grow.
    QByteArray bytes;
    const bool ok = readWithin(fd, sizeLimit(kind), &bytes, reportedSize);
    ::close(fd);
    if (!ok) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> LocalFile::read(int fd, Kind kind)
{
    struct stat status;
    QByteArray bytes;
    if (fd < 0 || ::fstat(fd, &status) != 0 || !isRegular(status, kind) || !readWithin(fd, sizeLimit(kind), &bytes, status.st_size)) {
        return std::nullopt;
    }
    return bytes;
}

bool LocalFile::writeNew(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.remove();
        return false;
    }
    return true;
}
