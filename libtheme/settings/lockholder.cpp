#include "lockholder.h"
#include "localfile.h"
#include "outsidetext.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
// How old a lock file of Qt's may be before Qt takes it for stale
// (QLockFile's default, which KConfig and Qt's settings class keep).
constexpr qint64 qtStaleLockMs = 30000;

// A program's name for a message.
QString programName(const QString &name)
{
    return OutsideText::shown(QFileInfo(name).fileName());
}

// How long the kernel's list of locks is read at most: it is as long as
// the locks of the machine are many.
constexpr int listReadMs = 2000;
// A line of the list is far shorter.
constexpr int longestLine = 4096;

// What the kernel lists of the locks on one file.
struct Listed
{
    // False when the list could not be read through.
    bool known = true;
    // The holder of a lock on it: nothing when none is listed, an empty
    // text when it cannot tell the holder.
    std::optional<QString> holder;
};

// The holder named by a line of the list when it locks the file (as
// "MAJOR:MINOR:INODE"); nothing for another line.
std::optional<QString> holderIn(const QByteArray &line, const QByteArray &file)
{
    // "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF"; waiters show "->".
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 6 || fields.at(1) == "->" || fields.at(5) != file) {
        return std::nullopt;
    }
    // A holder outside this process's namespace shows no process.
    const QByteArray pid = fields.at(4);
    if (pid.toLongLong() <= 0) {
        return QString();
    }
    const std::optional<QByteArray> commandLine = LocalFile::read(QStringLiteral("/proc/%1/cmdline").arg(QString::fromLatin1(pid)), LocalFile::Kind::Settings);
    const QString program = commandLine ? programName(QFile::decodeName(commandLine->left(commandLine->indexOf('\0')))) : QString();
    return program.isEmpty() ? QStringLiteral("process %1").arg(QString::fromLatin1(pid))
                             : QStringLiteral("%1, process %2").arg(program, QString::fromLatin1(pid));
}

// The list is read line by line, bounded in time rather than in size: a
// machine may hold many locks.
Listed listedLock(const struct stat &status)
{
    const QByteArray file = QByteArray::number(major(status.st_dev), 16).rightJustified(2, '0') + ':' +
        QByteArray::number(minor(status.st_dev), 16).rightJustified(2, '0') + ':' + QByteArray::number(qulonglong(status.st_ino));
    Listed listed;
    const int fd = ::open("/proc/locks", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        listed.known = false;
        return listed;
    }
    const QDeadlineTimer deadline(listReadMs);
    QByteArray pending;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0 || deadline.hasExpired()) {
            listed.known = n == 0;
            break;
        }
        pending.append(buffer, int(n));
        int start = 0;
        for (int end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n', start)) {
            listed.holder = holderIn(pending.mid(start, end - start), file);
            if (listed.holder) {
                ::close(fd);
                return listed;
            }
            start = end + 1;
        }
        pending.remove(0, start);
        if (pending.size() > longestLine) {
            listed.known = false;
            break;
        }
    }
    ::close(fd);
    return listed;
}
} // namespace

bool LockHolder::isLocked(const QString &path, const struct stat &status)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat opened;
    if (fd < 0 || ::fstat(fd, &opened) != 0 || opened.st_dev != status.st_dev || opened.st_ino != status.st_ino) {
        if (fd >= 0) {
            ::close(fd);
        }
        // A list that cannot be read through tells nothing: the file may be held.
        const Listed listed = listedLock(status);
        return !listed.known || listed.holder.has_value();
    }
    // A shared lock conflicts only with a holder's exclusive one; it is let go at once.
    bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!locked) {
        ::flock(fd, LOCK_UN);
        struct flock region = {};
        region.l_type = F_WRLCK;
        region.l_whence = SEEK_SET;
        locked = ::fcntl(fd, F_GETLK, &region) == 0 && region.l_type != F_UNLCK;
    }
    ::close(fd);
    return locked;
}

QString LockHolder::listed(const struct stat &status)
{
    return listedLock(status).holder.value_or(QString());
}

std::optional<LockHolder::QtLockInfo> LockHolder::qtLockInfo(const QString &path)
{
    // "PID\nAPPLICATION\nHOST\n", and the machine's and the boot's ids.
    const std::optional<QByteArray> text = LocalFile::read(path, LocalFile::Kind::Settings);
    const QList<QByteArray> lines = text ? text->split('\n') : QList<QByteArray>();
    bool number = false;
    const qint64 pid = lines.isEmpty() ? 0 : lines.first().toLongLong(&number);
    if (lines.size() < 3 || !number || pid <= 0) {
        return std::nullopt;
    }
    QtLockInfo info;
    info.pid = pid;
    info.application = QString::fromUtf8(lines.at(1));
    info.host = QString::fromUtf8(lines.at(2));
    const QByteArray machine = lines.value(3);
    const QByteArray boot = lines.value(4);
    info.elsewhere = (!info.host.isEmpty() && info.host != QSysInfo::machineHostName()) || (!machine.isEmpty() && machine != QSysInfo::machineUniqueId());
    // Made here before the machine last started: that process has ended.
    if (!info.elsewhere && !boot.isEmpty() && boot != QSysInfo::bootUniqueId()) {
        info.pid = -1;
    }
    return info;
}

bool LockHolder::isStale(const std::optional<QtLockInfo> &info, const struct stat &status)
{
    if (info && !info->elsewhere && (info->pid < 0 || (::kill(pid_t(info->pid), 0) != 0 && errno == ESRCH))) {
        return true;
    }
    const qint64 made = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
    return qAbs(QDateTime::currentMSecsSinceEpoch() - made) > qtStaleLockMs;
}

QString LockHolder::describe(const QString &path, const struct stat &status)
{
    const std::optional<QtLockInfo> info = qtLockInfo(path);
    if (!info || info->pid < 0) {
        return listed(status);
    }
    const QString program = programName(info->application);
    QString holder = program.isEmpty() ? QStringLiteral("process %1").arg(info->pid) : QStringLiteral("%1, process %2").arg(program).arg(info->pid);
    if (info->elsewhere) {
        holder += QStringLiteral(" on ") + OutsideText::shown(info->host);
    }
    return holder;
}
