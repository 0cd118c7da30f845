#ifndef INSTALLEDTHEME_H
#define INSTALLEDTHEME_H

#include <QString>

class Theme;

// True for an existing directory that lies directly in themesDirectory once
// every link is resolved.
bool isThemeDirectoryIn(const QString &path, const QString &themesDirectory);

// True when the theme is valid and its directory lies directly in the user or
// the system themes directory: only such a theme may be written, whatever the
// current-theme record says.
bool isInstalledTheme(const Theme &theme);

#endif
