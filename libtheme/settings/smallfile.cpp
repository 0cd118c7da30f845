#include "smallfile.h"
#include "leftbehind.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Something else may be put in the place meanwhile: the file is moved in
// once the place is free, within a few turns.
constexpr int attempts = 8;

QString reason(const QString &path, int error)
{
    if (error == ENOTEMPTY || error == EEXIST) {
        return QStringLiteral("a folder holding files stands at %1").arg(path);
    }
    return QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(::strerror(error)));
}

// The new content, made beside the file as ".NAME.new-XXXXXXXX".
const char newWhat[] = "new";

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

// A new file beside the place, held (flock) while it lives so that no one
// takes it for one that a killed writer left; -1 when it cannot be made.
int makeNew(const QString &path, QByteArray *name)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        *name = QFile::encodeName(LeftBehind::besideName(path, newWhat));
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_SH | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}
} // namespace

bool SmallFile::place(const QString &path, const QByteArray &bytes, QString *error)
{
    const auto fail = [&](int cause) {
        if (error) {
            *error = reason(path, cause);
        }
        return false;
    };
    // What writers killed before the rename left beside it.
    LeftBehind::removeBeside(path, newWhat);
    QByteArray made;
    const int fd = makeNew(path, &made);
    if (fd < 0) {
        return fail(errno);
    }
    const bool written = writeAll(fd, bytes);
    int cause = errno;
    // The rename replaces whatever stands in the place but a folder, in one
    // step: the old file stays until the new one is whole.
    const QByteArray name = QFile::encodeName(path);
    bool moved = false;
    if (written) {
        for (int attempt = 0; attempt < attempts && !moved; ++attempt) {
            moved = ::rename(made.constData(), name.constData()) == 0;
            cause = errno;
            if (!moved && (cause != EISDIR || ::rmdir(name.constData()) != 0)) {
                cause = cause == EISDIR ? errno : cause;
                break;
            }
        }
    }
    if (!moved) {
        ::unlink(made.constData());
    }
    ::close(fd);
    return moved || fail(cause);
}
