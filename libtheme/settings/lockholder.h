/*
    Internal: whether another process holds a lock file, and who: the lock
    the kernel keeps on the file (flock() or fcntl()), which goes with its
    holder, killed or not, and what Qt's lock files (QLockFile, which
    KConfig and Qt's settings class take) say of their holder.
*/
#ifndef LOCKHOLDER_H
#define LOCKHOLDER_H

#include <QString>

#include <optional>

#include <sys/stat.h>

namespace LockHolder {
// Whether another process holds a lock on the file at the path, whose
// status (links followed) is given: tried on the file when it can be
// opened, else looked up in the kernel's list of locks. True also when
// that list cannot be read through: nobody can tell that it is free.
bool isLocked(const QString &path, const struct stat &status);

// "program, process PID" of the process that holds a lock on the file of
// that status, as the kernel lists it; empty when it cannot tell.
QString listed(const struct stat &status);

// What a lock file of Qt's says: the process, the program and the machine
// that made it.
struct QtLockInfo
{
    qint64 pid = 0;
    QString application;
    QString host;
    // Another machine, or this one before it last started: the process
    // is not one of those running here.
    bool elsewhere = false;
};
// Nothing when the file cannot be read or does not say so.
std::optional<QtLockInfo> qtLockInfo(const QString &path);

// Whether Qt takes a lock file of that info and status for stale: its
// process ended on this machine, or it was made more than Qt's 30 s ago
// (or as far in the future). A lock that nobody holds is taken from its
// holder then; else Qt waits for it.
bool isStale(const std::optional<QtLockInfo> &info, const struct stat &status);

// The holder of a lock file of Qt's for a message, from what the file
// says, else as the kernel lists it; empty when neither tells.
QString describe(const QString &path, const struct stat &status);
} // namespace LockHolder

#endif
