#include "sessionlock.h"
#include "localfile.h"
#include "runprogram.h"
#include "smallfile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <atomic>
#include <optional>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
constexpr int pollMs = 10;
constexpr int toolPatienceMs = 60000;
constexpr int pagePatienceMs = 2000;

// The lock of this process.
std::atomic<bool> held{false};
// What openLockFile() gives while another writer makes the lock file.
constexpr int busy = -2;

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

// The lock file, opened for its flock only: it is never written. Whatever
// else stands in its place (a link, a fifo, a socket, a device, an empty
// folder, a file the user cannot read, which no writer can hold) is
// replaced by an empty file first.
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
        if (!SmallFile::place(path, QByteArray(), error)) {
            return -1;
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
    const std::optional<QByteArray> locks = LocalFile::read(QStringLiteral("/proc/locks"), LocalFile::Kind::Settings);
    if (::fstat(fd, &status) != 0 || !locks) {
        return QString();
    }
    const QByteArray file = QByteArray::number(major(status.st_dev), 16).rightJustified(2, '0') + ':' +
        QByteArray::number(minor(status.st_dev), 16).rightJustified(2, '0') + ':' + QByteArray::number(qulonglong(status.st_ino));
    const QList<QByteArray> lines = locks->split('\n');
    for (const QByteArray &line : lines) {
        // "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF"; waiters show "->".
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields.at(1) != "FLOCK" || fields.at(5) != file) {
            continue;
        }
        const QByteArray pid = fields.at(4);
        const std::optional<QByteArray> commandLine =
            LocalFile::read(QStringLiteral("/proc/%1/cmdline").arg(QString::fromLatin1(pid)), LocalFile::Kind::Settings);
        const QString program = commandLine ? QFileInfo(QFile::decodeName(commandLine->left(commandLine->indexOf('\0')))).fileName() : QString();
        return program.isEmpty() ? QStringLiteral("process %1").arg(QString::fromLatin1(pid))
                                 : QStringLiteral("%1, process %2").arg(program, QString::fromLatin1(pid));
    }
    return QString();
}
} // namespace

SessionLock::SessionLock(Wait wait)
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
    held = true;
    if (wait == Wait::Page) {
        m_programs = std::make_unique<ProgramPatience>(patience(wait));
    }
}

SessionLock::~SessionLock()
{
    if (m_fd < 0) {
        return;
    }
    m_programs.reset();
    ::close(m_fd);
    held = false;
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

int SessionLock::patience(Wait wait)
{
    return wait == Wait::Page ? pagePatienceMs : toolPatienceMs;
}
