/*
    Names of the files and groups the theme registry reads and writes.
*/
#ifndef THEMEFILES_H
#define THEMEFILES_H

#include <themedefaults.h>

#include <QFileInfo>
#include <QString>

namespace ThemeFiles {
// Group of a theme's description file.
inline const QString &indexGroup = ThemeDefaults::themeDescriptionGroup;
// A theme's description file, directly inside the theme directory.
inline const QString indexFileName = QStringLiteral("index.theme");
// A theme's stored settings, below its directory.
inline const QString settingsSubPath = QStringLiteral("theme/themerc");
// The stored settings of the theme described by the file at indexPath.
inline QString settingsPath(const QString &indexPath)
{
    return QFileInfo(indexPath).absolutePath() + QLatin1Char('/') + settingsSubPath;
}
// The current-theme record in the user's configuration directory.
inline const QString recordFileName = QStringLiteral("pexo-admin-themerc");
} // namespace ThemeFiles

#endif
