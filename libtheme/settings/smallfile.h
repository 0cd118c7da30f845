/*
    Internal: the one way to make the small files that mark the state of the
    session's settings (the lock, the mark of a change under way, the
    administrator-session marker, the record of an applied theme). The file
    is made anew beside its place, as ".NAME.new-XXXXXXXX", and renamed into
    it: whatever stands there (a link, a fifo, a socket, a device, a file
    with other names, an empty folder) is replaced in one step, never
    followed, opened or written through. A folder holding files is left
    alone, and the file is not made. A new file that a writer killed before
    the rename left goes with the next write.
*/
#ifndef SMALLFILE_H
#define SMALLFILE_H

#include "pexotheme_export.h"

#include <QByteArray>
#include <QString>

namespace SmallFile {
// Makes the file at path holding the bytes, mode 0600; its folder must be
// there. False, with the reason in *error when given, when it could not be made.
PEXOTHEME_EXPORT bool place(const QString &path, const QByteArray &bytes, QString *error = nullptr);
} // namespace SmallFile

#endif
