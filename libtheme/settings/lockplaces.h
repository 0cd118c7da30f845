/*
    Internal: the places beside a settings file where KConfig and Qt's
    settings class take its lock: "NAME.lock", and "NAME.lock.rmlock" while
    one of them removes a stale lock. They wait for ever for a lock that
    they can neither take nor remove, so what stands there is looked at
    before a write, as Qt's lock files see it.

    What cannot be anybody's lock (a folder, a fifo, a socket, a device, a
    link that leads nowhere) is replaced by a file of its own, which is
    removed; a folder holding files refuses the write. A regular file (links
    followed), whatever its mode and owner, may be a lock: it is waited for
    while another process holds it, or while Qt would still take it for
    held (LockHolder::isStale). One that nobody holds and Qt takes for stale
    is left to the writer, which removes it, or removed here when the writer
    could not (a file the user may not write). A wait ends at the deadline
    of the change (SessionLock::lockDeadline()), never within less than a
    quarter of a second.
*/
#ifndef LOCKPLACES_H
#define LOCKPLACES_H

#include <QString>

namespace LockPlaces {
// The first of the file's lock places where a folder holding files stands;
// empty when there is none.
QString blocked(const QString &file);

// Waits while another program holds a lock of the file. Empty when the
// writer will take it; else the file and who holds its lock, for a message.
QString heldPast(const QString &file);

// Makes the lock places ready for the writer, waiting as heldPast() does.
// False, with the place noted in the open FailedWrites collections, when a
// folder holding files stands there, what stands there could not be
// removed, or the lock was still held at the deadline.
bool clear(const QString &file);
} // namespace LockPlaces

#endif
