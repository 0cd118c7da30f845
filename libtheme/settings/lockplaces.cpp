#include "lockplaces.h"
#include "failedwrites.h"
#include "lockholder.h"
#include "sessionlock.h"
#include "smallfile.h"
#include "takenlock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <memory>
#include <unistd.h>

namespace {
// The place that a writer removing a stale lock takes first, and the lock.
const char *const suffixes[] = {".lock.rmlock", ".lock"};

constexpr int pollMs = 10;

enum class Found {
    // Nothing, or a stale lock that Qt's lock file removes itself.
    Free,
    // Nobody's lock, or a stale one that the writer cannot remove.
    Removable,
    // A folder holding files.
    Blocked,
    // Held, or taken for held by Qt.
    Held,
};

Found look(const QString &lock, struct stat *target)
{
    const QByteArray name = QFile::encodeName(lock);
    struct stat link;
    if (::lstat(name.constData(), &link) != 0) {
        return Found::Free;
    }
    if (S_ISDIR(link.st_mode)) {
        return QDir(lock).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System) ? Found::Removable : Found::Blocked;
    }
    if (::stat(name.constData(), target) != 0 || !S_ISREG(target->st_mode)) {
        return Found::Removable;
    }
    if (LockHolder::isLocked(lock, *target) || !LockHolder::isStale(LockHolder::qtLockInfo(lock), *target)) {
        return Found::Held;
    }
    // Qt opens a stale lock for writing before it removes it.
    return ::access(name.constData(), W_OK) == 0 ? Found::Free : Found::Removable;
}

// Replaced by a file of its own, which is removed: never followed or written through.
bool remove(const QString &lock)
{
    return SmallFile::place(lock, QByteArray()) && ::unlink(QFile::encodeName(lock).constData()) == 0;
}

// The file and who holds its lock, for a message.
QString held(const QString &file, const QString &lock, const struct stat &target)
{
    const QString holder = LockHolder::describe(lock, target);
    return holder.isEmpty() ? QStringLiteral("%1 (its lock %2 is held by another program)").arg(file, lock)
                            : QStringLiteral("%1 (its lock is held by %2)").arg(file, holder);
}
} // namespace

QString LockPlaces::blocked(const QString &file)
{
    for (const char *suffix : suffixes) {
        const QString lock = file + QLatin1String(suffix);
        struct stat target;
        if (look(lock, &target) == Found::Blocked) {
            return lock;
        }
    }
    return QString();
}

QString LockPlaces::heldPast(const QString &file)
{
    const QDeadlineTimer until = SessionLock::lockDeadline();
    for (const char *suffix : suffixes) {
        const QString lock = file + QLatin1String(suffix);
        struct stat target;
        while (look(lock, &target) == Found::Held) {
            if (until.hasExpired()) {
                return held(file, lock, target);
            }
            QThread::msleep(pollMs);
        }
    }
    return QString();
}

std::unique_ptr<TakenLock> LockPlaces::take(const QString &file)
{
    // Something else may be put in the place meanwhile: a few turns.
    constexpr int removals = 8;
    const QDeadlineTimer until = SessionLock::lockDeadline();
    const QString lockName = file + QStringLiteral(".lock");
    int removed = 0;
    for (;;) {
        Found found = Found::Free;
        QString lock;
        for (const char *suffix : suffixes) {
            lock = file + QLatin1String(suffix);
            struct stat target;
            found = look(lock, &target);
            if (found != Found::Free) {
                break;
            }
        }
        if (found == Found::Blocked || (found == Found::Removable && (removed++ >= removals || !remove(lock)))) {
            FailedWrites::note(lock);
            return nullptr;
        }
        if (found == Found::Removable) {
            continue;
        }
        if (found == Found::Free) {
            // Taken as the writers take it, in the folder that they would
            // make; a stale one goes as they remove it.
            QDir().mkpath(QFileInfo(file).absolutePath());
            TakenLock::Result result = TakenLock::Result::Failed;
            if (std::unique_ptr<TakenLock> held = TakenLock::take(lockName, &result)) {
                return held;
            }
            // One that cannot be made (a full disk, a folder it may not
            // write): the file is noted by its writer.
            if (result == TakenLock::Result::Failed) {
                return nullptr;
            }
        }
        // Held, or taken by another program since it was looked at.
        if (until.hasExpired()) {
            struct stat target;
            FailedWrites::note(::lstat(QFile::encodeName(lock).constData(), &target) == 0 ? held(file, lock, target) : lockName);
            return nullptr;
        }
        QThread::msleep(pollMs);
    }
}
