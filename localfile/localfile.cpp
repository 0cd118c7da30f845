#include "localfile.h"

#include <QFile>

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

// A descriptor open for reading on a usable file, or -1. The path is looked
// at before it is opened, so that a device is never opened; the open file is
// looked at again, in case the path changed in between.
int openDescriptor(const QString &path, LocalFile::Kind kind)
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
    if (::fstat(fd, &status) != 0 || !isRegular(status, kind)) {
        ::close(fd);
        return -1;
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

bool LocalFile::isUsable(const QString &path, Kind kind)
{
    const int fd = openDescriptor(path, kind);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

bool LocalFile::exists(const QString &path)
{
    struct stat status;
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0;
}

bool LocalFile::isMissingOrUsable(const QString &path, Kind kind)
{
    return !exists(path) || isUsable(path, kind);
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
    const int fd = openDescriptor(path, kind);
    if (fd < 0) {
        return std::nullopt;
    }
    // The size seen by stat is not trusted: the file may grow, and some
    // files of /proc and /sys say 0.
    const qint64 limit = sizeLimit(kind);
    QByteArray bytes;
    char buffer[16384];
    ssize_t n;
    bool ok = true;
    while ((n = ::read(fd, buffer, sizeof(buffer))) != 0) {
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
            break;
        }
        if (bytes.size() + n > limit) {
            ok = false;
            break;
        }
        bytes.append(buffer, int(n));
    }
    ::close(fd);
    if (!ok) {
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
