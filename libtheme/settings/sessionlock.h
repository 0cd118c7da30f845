/*
    Internal: the lock that every writer of the session's settings holds for
    a whole switch or save, so that two of them never interleave: the last
    one to take it wins whole. It is an flock() on a file in the user's
    runtime directory, which the kernel releases when its holder ends,
    killed or not. Holders nest within a process: the outermost one takes
    the lock, the inner ones share it.
*/
#ifndef SESSIONLOCK_H
#define SESSIONLOCK_H

#include "pexotheme_export.h"

#include <QString>

class PEXOTHEME_EXPORT SessionLock
{
public:
    // How long a writer waits for the one before it: a switch takes well
    // under a second, a busy machine's queue of them far less than this.
    static constexpr int defaultTimeoutMs = 60000;

    explicit SessionLock(int timeoutMs = defaultTimeoutMs);
    ~SessionLock();
    SessionLock(const SessionLock &) = delete;
    SessionLock &operator=(const SessionLock &) = delete;

    bool isLocked() const;
    // Why the lock was not taken; empty when it was.
    const QString &message() const;

    // The lock file.
    static QString path();

private:
    bool m_locked = false;
    QString m_message;
};

#endif
