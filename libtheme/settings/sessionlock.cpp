#include "sessionlock.h"
#include "lockholder.h"
#include "runprogram.h"
#include "smallfile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <atomic>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int pollMs = 10;
constexpr int toolPatienceMs = 60000;
constexpr int pagePatienceMs = 2000;

// The lock of this process.
std::atomic<bool> held{false};
// The deadline of its waits for locks, as QDeadlineTimer::deadline().
std::atomic<qint64> heldDeadline{0};
// What openLockFile() gives while another writer makes the lock file.
constexpr int busy = -2;
// What it gives for a file in its place that the user can neither read
// nor make readable: another user's.
constexpr int foreign = -3;

QString systemError(int error)
{
    return QString::fromLocal8Bit(::strerror(error));
}

// Holds a folder's flock while it lives, so that two writers never repair
// the lock file's place at once: one would remove what the other made.
class FolderLock
{
public:
    FolderLock(const QByteArray &folder, const QDeadlineTimer &deadline)
        : m_fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
        , m_error(m_fd < 0 ? errno : 0)
    {
        while (m_fd >= 0 && !m_locked) {
            m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
            m_error = m_locked ? 0 : errno;
            if (!m_locked && ((m_error != EWOULDBLOCK && m_error != EINTR) || deadline.hasExpired())) {
                break;
            }
            if (!m_locked) {
                QThread::msleep(1);
            }
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    bool isLocked() const
    {
        return m_locked;
    }

    // Why it is not locked.
    int error() const
    {
        return m_error;
    }

private:
    int m_fd;
    int m_error;
    bool m_locked = false;
};

// Gives the owner read and write access to the regular file at the path,
// when it is the user's own: a file made unreadable may be held all the
// same, and must not be replaced. False when it is not the user's.
bool restoreOwnerAccess(const QByteArray &name)
{
    const int fd = ::open(name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    struct stat status;
    const bool restored = fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
        ::chmod(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), (status.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return restored;
}

// The lock file, opened for its flock only: it is never written. Whatever
// else stands in its place (a link, a fifo, a socket, a device, an empty
// folder), which no writer can hold, is replaced by an empty file first.
// A regular file may be held: one of the user's that the user cannot read
// gets its owner's access back; one of another user's gives foreign.
int openLockFile(const QString &path, const QDeadlineTimer &deadline, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    const FolderLock folder(QFile::encodeName(QFileInfo(path).absolutePath()), deadline);
    if (!folder.isLocked()) {
        // Held past the deadline: by another writer taking the lock.
        if (folder.error() == EWOULDBLOCK) {
            return busy;
        }
        *error = QStringLiteral("%1: %2").arg(QFileInfo(path).absolutePath(), systemError(folder.error()));
        return -1;
    }
    struct stat status;
    if ((::lstat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode)) && !SmallFile::place(path, QByteArray(), error)) {
        return -1;
    }
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(name.constData(), flags);
    if (fd < 0 && errno == EACCES) {
        if (!restoreOwnerAccess(name)) {
            return foreign;
        }
        fd = ::open(name.constData(), flags);
    }
    if (fd < 0) {
        *error = QStringLiteral("%1: %2").arg(path, systemError(errno));
    }
    return fd;
}

// Whether the file open at fd is still the one at the path: another writer
// may have replaced what it took for no lock file.
bool isAtPath(int fd, const QString &path)
{
    struct stat opened;
    struct stat named;
    return ::fstat(fd, &opened) == 0 && ::lstat(QFile::encodeName(path).constData(), &named) == 0 && opened.st_dev == named.st_dev &&
        opened.st_ino == named.st_ino;
}

// Whether the file open at fd has no other name than the lock's.
bool isOwnFile(int fd)
{
    struct stat status;
    return ::fstat(fd, &status) != 0 || status.st_nlink <= 1;
}

// The program and process that hold the flock on the file open at fd, as
// the kernel lists the locks; empty when it cannot tell.
QString holderOf(int fd)
{
    struct stat status;
    return ::fstat(fd, &status) == 0 ? LockHolder::listed(status) : QString();
}
} // namespace

SessionLock::SessionLock(Wait wait, Tell tellCutOff)
{
    // A change takes the lock once, where it starts.
    Q_ASSERT_X(!held, "SessionLock", "the session lock is taken once per change");
    if (held) {
        m_message = QStringLiteral("The session settings are being changed by this program already");
        return;
    }
    const QString file = path();
    if (file.isEmpty()) {
        m_message = QStringLiteral("Cannot open the lock of the session settings: no runtime directory");
        return;
    }
    const QDeadlineTimer deadline(patience(wait));
    const auto otherChange = [this, wait, &file](const QString &holder) {
        const QString other = holder.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder);
        m_message = wait == Wait::Page ? QStringLiteral("Another change of the session settings is under way%1: try again when it has ended").arg(other)
                                       : QStringLiteral("Another change of the session settings%1 did not end in time (lock %2)").arg(other, file);
    };
    QString error;
    int fd = -1;
    for (;;) {
        if (fd < 0) {
            fd = openLockFile(file, deadline, &error);
            if (fd == busy) {
                otherChange(QString());
                return;
            }
            if (fd == foreign) {
                if (deadline.hasExpired()) {
                    struct stat status;
                    const QString holder = ::lstat(QFile::encodeName(file).constData(), &status) == 0 ? LockHolder::listed(status) : QString();
                    m_message = QStringLiteral("Cannot open the lock of the session settings: %1 is another user's file that this user may not read%2")
                                    .arg(file, holder.isEmpty() ? QString() : QStringLiteral(" (held by %1)").arg(holder));
                    return;
                }
                QThread::msleep(pollMs);
                continue;
            }
            if (fd < 0) {
                m_message = QStringLiteral("Cannot open the lock of the session settings: %1").arg(error);
                return;
            }
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // A hard link to a file of the user's is replaced once it is
            // held, when no other writer can hold it; where that fails, it
            // serves as it is.
            if (isAtPath(fd, file) && (isOwnFile(fd) || !SmallFile::place(file, QByteArray()))) {
                break;
            }
            ::close(fd);
            fd = -1;
            continue;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            otherChange(holderOf(fd));
            ::close(fd);
            return;
        }
        QThread::msleep(pollMs);
    }
    m_fd = fd;
    heldDeadline = deadline.deadline();
    held = true;
    if (wait == Wait::Page) {
        m_programs = std::make_unique<ProgramPatience>(patience(wait));
        m_tellCutOff = std::move(tellCutOff);
    }
}

SessionLock::~SessionLock()
{
    if (m_fd < 0) {
        return;
    }
    const QStringList cutOff = m_programs ? m_programs->cutOff() : QStringList();
    m_programs.reset();
    ::close(m_fd);
    held = false;
    if (!cutOff.isEmpty() && m_tellCutOff) {
        m_tellCutOff(QStringLiteral("The running desktop may not show the change yet: %1 did not finish in time").arg(cutOff.join(QStringLiteral(", "))));
    }
}

bool SessionLock::isLocked() const
{
    return m_fd >= 0;
}

const QString &SessionLock::message() const
{
    return m_message;
}

bool SessionLock::isHeld()
{
    return held;
}

QString SessionLock::path()
{
    QString dir = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/pexo-theme-settings.lock");
}

QDeadlineTimer SessionLock::lockDeadline()
{
    if (!held) {
        return QDeadlineTimer(toolPatienceMs);
    }
    QDeadlineTimer deadline;
    deadline.setDeadline(heldDeadline);
    return deadline;
}

int SessionLock::patience(Wait wait)
{
    return wait == Wait::Page ? pagePatienceMs : toolPatienceMs;
}
