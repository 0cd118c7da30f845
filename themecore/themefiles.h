/*
    Names of the files and groups the theme registry reads and writes.
*/
#ifndef THEMEFILES_H
#define THEMEFILES_H

#include <themedefaults.h>

#include <QString>

namespace ThemeFiles {
// Group of a theme's description file.
inline const QString &indexGroup = ThemeDefaults::themeDescriptionGroup;
// A theme's description file, directly inside the theme directory.
inline const QString indexFileName = QStringLiteral("index.theme");
// The current-theme record in the user's configuration directory.
inline const QString recordFileName = QStringLiteral("pexo-admin-themerc");
} // namespace ThemeFiles

#endif
