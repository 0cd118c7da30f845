/*
    Internal: the wallpaper records of the desktop folders' ".directory"
    files. "X-PEXO-WallPaper" in group "Desktop Entry" holds the wallpaper of
    a desktop folder, in group "Monitor::<screen name>" its wallpaper on that
    screen. The current desktop folder and the per-desktop folders
    ("Desktops/Desktop*") are fixed when the library is loaded.
*/
#ifndef WALLPAPERRECORDS_H
#define WALLPAPERRECORDS_H

#include "pexotheme_export.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace WallpaperRecords {
// A colour wallpaper ("#...") is stored and sent in double quotes.
QString quoted(const QString &wallpaper);

// False for a text that would break a record line or the command.
bool isSafeValue(const QString &text);

// The name of the screen of the application's first top-level window.
std::optional<QString> currentScreenName();

// Sets the per-desktop record of the current desktop folder (existing files only).
void setDesktopRecord(const QString &value);
// Removes the per-desktop record from every per-desktop folder.
void clearDesktopRecords();

// Sets the record of the screen in the current desktop folder and, when
// allFolders is true, in every per-desktop folder (existing files only).
void setScreenRecords(const QString &screenName, const QString &value, bool allFolders);
// Removes every "Monitor::" group from every per-desktop folder.
void clearScreenRecords();

// The non-empty record value of the current desktop folder, if any.
std::optional<QString> desktopRecord();
std::optional<QString> screenRecord(const QString &screenName);

// Whether a record value names a wallpaper: a colour, or an existing file.
bool isUsableRecord(const QString &value);

// The record files that a change of the wallpaper may rewrite: those of
// the current and the per-desktop folders that are there as usable files
// (the others are left alone).
PEXOTHEME_EXPORT QStringList files();

// Sends "PEXOWM_UPDATE_VAL WallPaperLocal <value>\n".
void sendLocalWallpaper(const QString &value);
} // namespace WallpaperRecords

#endif
