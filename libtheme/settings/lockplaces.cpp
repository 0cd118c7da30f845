#include "lockplaces.h"
#include "failedwrites.h"
#include "lockholder.h"
#include "sessionlock.h"
#include "smallfile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <unistd.h>

namespace {
// The place that a writer removing a stale lock takes first, and the lock.
const char *const suffixes[] = {".lock.rmlock", ".lock"};

constexpr int pollMs = 10;
// What a wait gets after a slow change has spent its time.
constexpr int leastWaitMs = 250;

enum class Found {
    // Nothing, or a stale lock that the writer removes itself.
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
    // The writer opens a stale lock for writing before it removes it.
    return ::access(name.constData(), W_OK) == 0 ? Found::Free : Found::Removable;
}

QDeadlineTimer deadline()
{
    const QDeadlineTimer change = SessionLock::lockDeadline();
    const QDeadlineTimer least(leastWaitMs);
    return change.deadline() > least.deadline() ? change : least;
}

// Replaced by a file of its own, which is removed: never followed or written through.
bool remove(const QString &lock)
{
    return SmallFile::place(lock, QByteArray()) && ::unlink(QFile::encodeName(lock).constData()) == 0;
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
    const QDeadlineTimer until = deadline();
    for (const char *suffix : suffixes) {
        const QString lock = file + QLatin1String(suffix);
        struct stat target;
        while (look(lock, &target) == Found::Held) {
            if (until.hasExpired()) {
                const QString holder = LockHolder::describe(lock, target);
                return holder.isEmpty() ? QStringLiteral("%1 (its lock %2 is held by another program)").arg(file, lock)
                                        : QStringLiteral("%1 (its lock is held by %2)").arg(file, holder);
            }
            QThread::msleep(pollMs);
        }
    }
    return QString();
}

bool LockPlaces::clear(const QString &file)
{
    // Something else may be put in the place meanwhile: a few turns.
    constexpr int removals = 8;
    const QDeadlineTimer until = deadline();
    for (const char *suffix : suffixes) {
        const QString lock = file + QLatin1String(suffix);
        int removed = 0;
        for (;;) {
            struct stat target;
            const Found found = look(lock, &target);
            if (found == Found::Free) {
                break;
            }
            const bool cleared = found == Found::Held ? !until.hasExpired() : found == Found::Removable && removed++ < removals && remove(lock);
            if (!cleared) {
                FailedWrites::note(lock);
                return false;
            }
            if (found == Found::Held) {
                QThread::msleep(pollMs);
            }
        }
    }
    return true;
}
