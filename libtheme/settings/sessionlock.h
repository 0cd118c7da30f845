/*
    Internal: the lock that every writer of the session's settings holds for
    a whole switch or save, so that two of them never interleave: the last
    one to take it wins whole. It is an flock() on a file in the user's
    runtime directory, which the kernel releases when its holder ends,
    killed or not. A change takes it once, where it starts (a tool's run, a
    page's save); the steps of the change only ask whether it is held.
*/
#ifndef SESSIONLOCK_H
#define SESSIONLOCK_H

#include "pexotheme_export.h"

#include <QString>

#include <memory>

class ProgramPatience;

class PEXOTHEME_EXPORT SessionLock
{
public:
    enum class Wait {
        // A tool waits for the writer before it: a switch takes well under
        // a second, a busy machine's queue of them far less than a minute.
        Tool,
        // A page waits on its window's thread: it gives up within a couple
        // of seconds, naming the other writer; while it holds the lock, the
        // helper programs of its change together take no longer.
        Page,
    };

    explicit SessionLock(Wait wait);
    ~SessionLock();
    SessionLock(const SessionLock &) = delete;
    SessionLock &operator=(const SessionLock &) = delete;

    bool isLocked() const;
    // Why the lock was not taken; empty when it was.
    const QString &message() const;

    // Whether this process holds the lock.
    static bool isHeld();
    // The lock file.
    static QString path();
    // How long each kind of writer waits, in milliseconds.
    static int patience(Wait wait);

private:
    // The lock file, open while this object holds it.
    int m_fd = -1;
    QString m_message;
    std::unique_ptr<ProgramPatience> m_programs;
};

#endif
