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

#include <QDeadlineTimer>
#include <QString>

#include <functional>
#include <memory>

class ProgramPatience;

class PEXOTHEME_EXPORT SessionLock
{
public:
    enum class Wait {
        // A tool waits for the writer before it: a switch takes well under
        // a second, a busy machine's queue of them far less than a minute.
        // The change's waits for the locks that other programs hold on the
        // settings files end within the same minute.
        Tool,
        // A page waits on its window's thread: it gives up within a couple
        // of seconds, naming the other writer, and so do its waits for the
        // locks of the settings files; while it holds the lock, the helper
        // programs of its change together take no longer.
        Page,
    };

    // Told why the running desktop may not show a page's change yet: the
    // helper programs that the page's patience cut off, once the lock is
    // let go.
    using Tell = std::function<void(const QString &message)>;

    explicit SessionLock(Wait wait, Tell tellCutOff = Tell());
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
    // When the change of this process stops waiting for the locks of the
    // settings files too: the patience of its writer, counted from when it
    // began to wait for this lock. Without the lock, the tool's patience
    // from now.
    static QDeadlineTimer lockDeadline();

private:
    // The lock file, open while this object holds it.
    int m_fd = -1;
    QString m_message;
    std::unique_ptr<ProgramPatience> m_programs;
    Tell m_tellCutOff;
};

#endif
