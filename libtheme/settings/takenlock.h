/*
    Internal: a lock file taken as Qt's lock files take it (QLockFile, for
    which KConfig and Qt's settings class wait): "PID\nPROGRAM\nHOST\n" and
    the machine's and the boot's ids, under flock() while it is held. It is
    not flushed to disk: it goes with its holder.
*/
#ifndef TAKENLOCK_H
#define TAKENLOCK_H

#include <QString>

#include <memory>

class QLockFile;

class TakenLock
{
public:
    enum class Result {
        Taken,
        // Another process holds it, or Qt takes it for held.
        Held,
        // It could not be made (a full disk, a folder it may not write).
        Failed,
    };

    // The lock file at the path, taken at once; null, with why, when it
    // was not. One that stands and Qt takes for stale goes as Qt removes it.
    static std::unique_ptr<TakenLock> take(const QString &path, Result *result);

    ~TakenLock();
    TakenLock(const TakenLock &) = delete;
    TakenLock &operator=(const TakenLock &) = delete;

    // Lets go: the file goes, unless another stands in its place.
    void unlock();

private:
    TakenLock() = default;

    QString m_path;
    int m_fd = -1;
    // Where a stale one was replaced by Qt's own.
    std::unique_ptr<QLockFile> m_qtLock;
};

#endif
