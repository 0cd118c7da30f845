#include "smallfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Something else may be put in the place meanwhile: the file is made once
// it is free, within a few turns.
constexpr int attempts = 8;

QString reason(const QString &path, int error)
{
    if (error == ENOTEMPTY) {
        return QStringLiteral("a folder holding files stands at %1").arg(path);
    }
    return QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(::strerror(error)));
}

// Removes the name at the path, whatever it names: a folder only when empty.
bool clear(const QByteArray &name)
{
    struct stat status;
    if (::lstat(name.constData(), &status) != 0) {
        return errno == ENOENT;
    }
    return S_ISDIR(status.st_mode) ? ::rmdir(name.constData()) == 0 : ::unlink(name.constData()) == 0 || errno == ENOENT;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += n;
    }
    return true;
}
} // namespace

bool SmallFile::place(const QString &path, const QByteArray &bytes, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    int cause = 0;
    for (int attempt = 0; attempt < attempts && fd < 0; ++attempt) {
        // Never opens what is there: a new file or nothing.
        fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            break;
        }
        cause = errno;
        if (cause != EEXIST || !clear(name)) {
            cause = cause == EEXIST ? errno : cause;
            break;
        }
    }
    if (fd < 0) {
        if (error) {
            *error = reason(path, cause);
        }
        return false;
    }
    const bool written = writeAll(fd, bytes);
    cause = errno;
    if (::close(fd) != 0 || !written) {
        cause = written ? errno : cause;
        ::unlink(name.constData());
        if (error) {
            *error = reason(path, cause);
        }
        return false;
    }
    return true;
}
