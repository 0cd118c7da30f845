/*
    Internal: what a wallpaper or logo value names, the one rule of the
    pages, the preview, the export and the import, and how stored values
    become the paths the wallpaper part holds.
*/
#ifndef WALLPAPERPATHS_H
#define WALLPAPERPATHS_H

#include "pexotheme_export.h"

#include <QString>

namespace WallpaperPaths {
// True for a value that names no file: "", "undefined" or a colour.
PEXOTHEME_EXPORT bool namesNoFile(const QString &value);

// True for a value that names a file: by its absolute path, the only way a
// theme names one. Any other value (a relative path, a bare name) is none a
// theme may hold: each program would resolve it against its own working
// directory.
PEXOTHEME_EXPORT bool namesFile(const QString &value);

// "#" followed by a colour QColor parses: a wallpaper drawn as a plain colour.
PEXOTHEME_EXPORT bool isColor(const QString &value);

// "" and "undefined" give ""; the default logo stays; a file becomes its
// canonical path, "" when it is missing; anything else gives "".
QString logo(const QString &value);

// As logo() with the default wallpaper; a colour stays as it is.
QString liveWallpaper(const QString &value);

// "" and "undefined" give ""; an existing file becomes its canonical path;
// anything else (a colour, a missing file) stays as it is.
QString storedWallpaper(const QString &value);
} // namespace WallpaperPaths

#endif
