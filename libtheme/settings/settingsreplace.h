/*
    Internal: the guard around every rewrite of a settings file.

    KConfig and QSettings replace a file with a temporary one. On a nearly
    full disk the last part of the temporary file may never be written, and
    the short file still takes the old one's place while the writer reports
    success. So a rewrite is refused when the file system clearly lacks the
    room for it, and meanwhile the old content is kept by a hard link beside
    the file (it takes no room): when the new file lost an entry that the
    old one held and the writer still holds, or ends within a line, the old
    content is put back.
*/
#ifndef SETTINGSREPLACE_H
#define SETTINGSREPLACE_H

#include "pexotheme_export.h"

#include <QVariantMap>

class KConfig;
class QSettings;

namespace SettingsReplace {
enum class Result {
    // Written.
    Replaced,
    // Refused for want of room: nothing was written.
    NoRoom,
    // The writer reported a failure.
    Failed,
    // The writer reported success but the file came out short: it holds
    // its old content again when that could be kept.
    CutShort,
};

// Syncs a dirty configuration to its file, the path with links followed.
PEXOTHEME_EXPORT Result sync(KConfig &config, const QString &file);

// Sets the values (keys within the current group) and writes the settings'
// file. False when they did not reach the file; the settings then show
// what the file holds.
PEXOTHEME_EXPORT bool store(QSettings &settings, const QVariantMap &values);
} // namespace SettingsReplace

#endif
