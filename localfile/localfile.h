/*
    Internal: the one way to open a local file that a setting, a theme or a
    page names. Such a file is used only when it is a regular file (after
    links are followed) no larger than its kind allows; anything else (a
    fifo, a device, a directory, a file too large) reads as missing. Files are
    opened without blocking, so a fifo never holds up the caller.
*/
#ifndef LOCALFILE_H
#define LOCALFILE_H

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QFile;

namespace LocalFile {
enum class Kind {
    // Settings, descriptions, colour schemes, .directory and index files.
    Settings,
    // Raster images; their pixels are limited by the image reader.
    Image,
    // SVG drawings.
    Svg,
    // Sound files; played as a stream.
    Sound,
    // Theme archives; read as a stream.
    Archive,
};

// The largest file of a kind, in bytes.
qint64 sizeLimit(Kind kind);

// The kind of a file of an icon theme that the icon look-up reads, told by
// its name: ".png" and ".xpm" pictures, ".svg" drawings; nothing for a file
// it never reads.
std::optional<Kind> iconFileKind(const QString &fileName);

// True when the path names a regular file within the kind's limit that can be
// opened for reading. A file that says it is empty, as those of /proc and
// /sys do, is read through to see that it keeps within the limit.
bool isUsable(const QString &path, Kind kind);

// What one look at the path's status (links followed) shows, without
// opening it.
enum class Status {
    // Nothing, or a dangling link.
    Missing,
    // A folder.
    Directory,
    // A regular file within the kind's limit that is not empty: enough for
    // a file read before, or one handed by name to a reader that opens it
    // itself (a configuration).
    LooksUsable,
    // Anything else, a link loop, a path that cannot be looked at and an
    // empty file included (those of /proc and /sys say 0): ask isUsable.
    Other,
};
Status status(const QString &path, Kind kind);

// The absolute path of what is at the path, every link followed, found
// with one look-up; empty when nothing is there.
QString canonicalPath(const QString &path);

// The path made absolute against the working directory, "." and ".."
// taken out (".." of the root is the root, and goes up from where a link
// before it leads); a link that the path names is kept as it is.
QString absolutePath(const QString &path);

// True when something is at the path (a dangling link is nothing, a link
// loop is something: no file can be made there).
bool exists(const QString &path);

// The path itself, absolute, when something is there; else its nearest
// parent that is there, where what is missing would be made.
QString nearestExisting(const QString &path);

// True when nothing is at the path or it is usable: a file that may be read
// as missing, or written.
bool isMissingOrUsable(const QString &path, Kind kind);

// As isMissingOrUsable, without opening a file whose status shows enough:
// for a file handed by name to a reader that opens it itself.
bool isMissingOrLooksUsable(const QString &path, Kind kind);

// The file opened for reading, or null when it is not usable.
std::unique_ptr<QFile> open(const QString &path, Kind kind);

// The whole file, or nothing when it is not usable or cannot be read.
std::optional<QByteArray> read(const QString &path, Kind kind);
// The same for a file open for reading, from its start; its offset stays.
std::optional<QByteArray> read(int fd, Kind kind);

// Creates the file, where nothing may be yet, with the bytes; false with
// nothing left at the path when they could not all be written.
bool writeNew(const QString &path, const QByteArray &bytes);
} // namespace LocalFile

#endif
