/*
    Internal: the one writer of every settings file (KDE's and Qt's
    configuration files, and files written whole, such as the compositor's,
    the desktop folders' and the palette variables).

    KConfig, QSettings and QSaveFile replace a file with a temporary one. On
    a nearly full disk the last part of the temporary file may never be
    written, and the short file still takes the old one's place while the
    writer reports success. So a rewrite is refused when the file (links
    followed) is no regular file within the settings size, when the user
    cannot write it, or when its file system clearly lacks the room for it;
    meanwhile the old content is kept by a hard link beside the file (it
    takes no room): when the new file lost an entry that the old one held
    and the writer still holds, or ends within a line, the old content is
    put back. Every failure is noted in the open FailedWrites collections.

    Other programs take a file's lock while they write it, and KConfig and
    Qt's settings class wait for it without end. So the file's lock is
    taken here first, as they take it (LockPlaces), within the change's
    patience, and held while the write is prepared and made; a write is
    refused when the lock is still held by another program then. Qt's
    settings class writes a link of the file's own beside it, renamed into
    its place, and never waits. KConfig takes the lock itself and merges its
    changes into the file as it is then: the lock is let go the moment
    before, and another program that takes it within those microseconds
    makes KConfig wait for it.

    A writer holds a shared lock on the file it keeps from before the link
    is made until it is gone. The next write of the file removes the links
    that writers killed during a save left behind: those nobody holds.
*/
#ifndef SETTINGSREPLACE_H
#define SETTINGSREPLACE_H

#include "pexotheme_export.h"

#include <QStringList>
#include <QVariantMap>

class KConfig;

namespace SettingsReplace {
enum class Result {
    // Written.
    Replaced,
    // Refused: no usable file, one the user cannot write, or no room.
    // Nothing was written.
    Refused,
    // The writer reported a failure.
    Failed,
    // The writer reported success but the file came out short: it holds
    // its old content again when that could be kept.
    CutShort,
};

// Of files rewritten one after another, those that may not be replaced
// (or the place of a file's lock, where a folder holding files stands);
// all of them when each may be but their file systems lack the room for
// all of them together, each as it is and a little more; else the first
// whose lock another program held past the change's patience, named with
// its holder ("FILE (its lock is held by PROGRAM, process PID)"). Empty
// when a change that rewrites them may go ahead.
PEXOTHEME_EXPORT QStringList unreplaceable(const QStringList &files);

// Syncs a dirty configuration to its file, the path with links followed.
PEXOTHEME_EXPORT Result sync(KConfig &config, const QString &file);

// Sets the values (keys within the group) in the INI file of Qt's settings
// class at the path and writes it; values that it holds already are not
// written again. False when they did not reach the file.
PEXOTHEME_EXPORT bool store(const QString &file, const QString &group, const QVariantMap &values);

// Writes the bytes as the whole new content of the file. False when they
// did not reach it.
PEXOTHEME_EXPORT bool write(const QString &file, const QByteArray &bytes);
} // namespace SettingsReplace

#endif
