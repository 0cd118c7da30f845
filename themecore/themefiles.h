/*
    Names of the files and groups the theme registry reads and writes.
*/
#ifndef THEMEFILES_H
#define THEMEFILES_H

#include <themedefaults.h>
#include <themedescriptions.h>

#include <QString>

namespace ThemeFiles {
// Group of a theme's description file.
inline const QString &indexGroup = ThemeDefaults::themeDescriptionGroup;
// A theme's description file, directly inside the theme directory.
inline const QString &indexFileName = ThemeDescriptions::indexFileName;
// A theme's stored settings, below its directory.
inline const QString &settingsSubPath = ThemeDescriptions::settingsSubPath;
// The stored settings of the theme described by the file at indexPath.
using ThemeDescriptions::settingsPath;
// The current-theme record in the user's configuration directory.
inline const QString recordFileName = QStringLiteral("pexo-admin-themerc");
} // namespace ThemeFiles

#endif
