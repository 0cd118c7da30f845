/*
    Internal: what writers that were killed half way left in a folder. A
    writer holds a lock (flock) on each file or folder it leaves there for a
    while; one that nobody holds a lock on was left by a writer that died.
*/
#ifndef LEFTBEHIND_H
#define LEFTBEHIND_H

#include "pexotheme_export.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace LeftBehind {
enum class Type {
    File,
    Folder,
};

// The entry at path, a regular file or a folder as type says, opened
// without following a link and locked exclusively without waiting: a
// descriptor while the entry there is still the one opened and nobody
// else holds it, else -1. Closing it lets the lock go.
PEXOTHEME_EXPORT int hold(const QByteArray &path, Type type);

// Removes the entries of dir whose names isLeftBehind takes and that
// nobody holds, each while it is held here: a folder with everything in
// it, links removed and never followed.
PEXOTHEME_EXPORT void remove(const QString &dir, Type type, const std::function<bool(const QByteArray &name)> &isLeftBehind);

// A new name ".NAME.<what>-XXXXXXXX" (eight hexadecimal digits) for a file
// that a writer keeps beside the file at path for a while.
PEXOTHEME_EXPORT QString besideName(const QString &path, const char *what);
// Removes the files of that kind beside the file at path that nobody holds,
// and what their own writers left beside them (".lock", ".XXXXXX").
PEXOTHEME_EXPORT void removeBeside(const QString &path, const char *what);
} // namespace LeftBehind

#endif
