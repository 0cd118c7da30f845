/*
    Internal: the places beside a settings file where KConfig and Qt's
    settings class take its lock: "NAME.lock", and "NAME.lock.rmlock" while
    one of them removes a stale lock. They wait for ever for a lock that
    they can neither take nor remove, so the settings writer takes the lock
    itself, as they take it, before it writes: they wait for it meanwhile.

    What cannot be anybody's lock (a folder, a fifo, a socket, a device, a
    link that leads nowhere) is replaced by a file of its own, which is
    removed; a folder holding files refuses the write. A regular file (links
    followed), whatever its mode and owner, may be a lock: it is waited for
    while another process holds it, or while Qt would still take it for
    held (LockHolder::isStale). One that nobody holds and Qt takes for stale
    goes as Qt removes it, or is removed here when Qt could not (a file the
    user may not write). A wait ends at the deadline of the change
    (SessionLock::lockDeadline()); past it, a lock still held is given up
    at once.
*/
#ifndef LOCKPLACES_H
#define LOCKPLACES_H

#include <QString>

#include <memory>

class TakenLock;

namespace LockPlaces {
// The first of the file's lock places where a folder holding files stands;
// empty when there is none.
QString blocked(const QString &file);

// Waits while another program holds a lock of the file. Empty when the
// writer will take it; else the file and who holds its lock, for a message.
QString heldPast(const QString &file);

// Makes the lock places ready and takes the file's lock, waiting as
// heldPast() does: held until the lock goes. Null, with the place noted in
// the open FailedWrites collections, when a folder holding files stands
// there, what stands there could not be removed, or the lock was still
// held at the deadline (named with its holder); null, noting nothing, when
// the lock could not be made.
std::unique_ptr<TakenLock> take(const QString &file);
} // namespace LockPlaces

#endif
