/*
    The wallpaper, logo and colour-scheme values as a theme's settings store
    them, and where the files they name lie.
*/
#ifndef STOREDFILEPATH_H
#define STOREDFILEPATH_H

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QString>

// True for a value that names no file: "", "undefined" or a "#" colour.
inline bool namesNoFile(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("undefined") || (value.startsWith(QLatin1Char('#')) && QColor::isValidColor(value));
}

// True for a file named by a relative path, which each program would
// resolve against its own working directory.
inline bool isRelativeFilePath(const QString &value)
{
    return !namesNoFile(value) && QDir::isRelativePath(value);
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
