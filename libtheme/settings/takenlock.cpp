#include "takenlock.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// What Qt's lock files hold.
QByteArray contents()
{
    static const QByteArray program = [] {
        QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
        exe.remove(QStringLiteral(" (deleted)"));
        return QFileInfo(exe).fileName().toUtf8();
    }();
    return QByteArray::number(qint64(::getpid())) + '\n' + program + '\n' + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
        QSysInfo::bootUniqueId() + '\n';
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= size_t(written);
    }
    return true;
}
} // namespace

std::unique_ptr<TakenLock> TakenLock::take(const QString &path, Result *result)
{
    std::unique_ptr<TakenLock> lock(new TakenLock);
    lock->m_path = path;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::flock(fd, LOCK_EX | LOCK_NB);
        if (writeAll(fd, contents())) {
            lock->m_fd = fd;
            *result = Result::Taken;
            return lock;
        }
        ::unlink(name.constData());
        ::close(fd);
        *result = Result::Failed;
        return nullptr;
    }
    if (errno != EEXIST) {
        *result = Result::Failed;
        return nullptr;
    }
    lock->m_qtLock = std::make_unique<QLockFile>(path);
    if (lock->m_qtLock->tryLock(0)) {
        *result = Result::Taken;
        return lock;
    }
    *result = lock->m_qtLock->error() == QLockFile::LockFailedError ? Result::Held : Result::Failed;
    return nullptr;
}

TakenLock::~TakenLock()
{
    unlock();
}

void TakenLock::unlock()
{
    if (m_qtLock) {
        m_qtLock->unlock();
    }
    if (m_fd < 0) {
        return;
    }
    struct stat held;
    struct stat standing;
    const QByteArray name = QFile::encodeName(m_path);
    if (::fstat(m_fd, &held) == 0 && ::lstat(name.constData(), &standing) == 0 && held.st_dev == standing.st_dev && held.st_ino == standing.st_ino) {
        ::unlink(name.constData());
    }
    ::close(m_fd);
    m_fd = -1;
}
