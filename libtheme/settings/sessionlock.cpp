#include "sessionlock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <mutex>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int pollMs = 10;

// The lock of this process: its descriptor and how many holders share it.
std::mutex guard;
int lockFd = -1;
int holders = 0;

// The lock file; an empty folder or a link left in its place is removed first.
int openLockFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK;
    const int fd = ::open(name.constData(), flags, 0600);
    // A link in its place is removed: the lock is a file of its own.
    if (fd < 0 && ((errno == EISDIR && ::rmdir(name.constData()) == 0) || (errno == ELOOP && ::unlink(name.constData()) == 0))) {
        return ::open(name.constData(), flags, 0600);
    }
    return fd;
}
} // namespace

SessionLock::SessionLock(int timeoutMs)
{
    const std::lock_guard<std::mutex> lock(guard);
    if (holders > 0) {
        ++holders;
        m_locked = true;
        return;
    }
    const QString file = path();
    if (file.isEmpty()) {
        m_message = QStringLiteral("Cannot open the lock of the session settings: no runtime directory");
        return;
    }
    const int fd = openLockFile(file);
    if (fd < 0) {
        m_message = QStringLiteral("Cannot open the lock of the session settings %1: %2").arg(file, QString::fromLocal8Bit(::strerror(errno)));
        return;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            ::close(fd);
            m_message = QStringLiteral("Another change of the session settings did not end in time (lock %1)").arg(file);
            return;
        }
        QThread::msleep(pollMs);
    }
    lockFd = fd;
    holders = 1;
    m_locked = true;
}

SessionLock::~SessionLock()
{
    if (!m_locked) {
        return;
    }
    const std::lock_guard<std::mutex> lock(guard);
    if (--holders == 0) {
        ::close(lockFd);
        lockFd = -1;
    }
}

bool SessionLock::isLocked() const
{
    return m_locked;
}

const QString &SessionLock::message() const
{
    return m_message;
}

QString SessionLock::path()
{
    QString dir = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/pexo-theme-settings.lock");
}
