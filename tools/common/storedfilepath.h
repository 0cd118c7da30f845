/*
    The wallpaper, logo and colour-scheme values as a theme's settings store
    them, and where the files they name lie.
*/
#ifndef STOREDFILEPATH_H
#define STOREDFILEPATH_H

#include "wallpaperpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

// True for a value that names no file: "", "undefined" or a "#" colour.
inline bool namesNoFile(const QString &value)
{
    return WallpaperPaths::namesNoFile(value);
}

// True for a value that names neither no file nor a file: a relative path
// or a bare name, which the pages refuse.
inline bool isRelativeFilePath(const QString &value)
{
    return !namesNoFile(value) && !WallpaperPaths::namesFile(value);
}

// True when path, after resolving links, lies below one of the directories.
inline bool isBelowOneOf(const QString &path, const QStringList &dirs)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const QString &dir : dirs) {
        const QString canonicalDir = QFileInfo(dir).canonicalFilePath();
        if (!canonical.isEmpty() && !canonicalDir.isEmpty() && canonical.startsWith(canonicalDir + QLatin1Char('/'))) {
            return true;
        }
    }
    return false;
}

#endif
