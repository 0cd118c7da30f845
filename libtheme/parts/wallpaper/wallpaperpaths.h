/*
    Internal: how stored wallpaper and logo values become the paths the
    wallpaper part holds.
*/
#ifndef WALLPAPERPATHS_H
#define WALLPAPERPATHS_H

#include <QString>

namespace WallpaperPaths {
// "#" followed by a colour QColor parses: a wallpaper drawn as a plain colour.
bool isColor(const QString &value);

// "" and "undefined" give ""; the default logo stays; any other value becomes
// its canonical path, "" when the file is missing.
QString logo(const QString &value);

// As logo() with the default wallpaper; a colour stays as it is.
QString liveWallpaper(const QString &value);

// "" and "undefined" give ""; an existing file becomes its canonical path;
// anything else (a colour, a missing file) stays as it is.
QString storedWallpaper(const QString &value);
} // namespace WallpaperPaths

#endif
