#include "installedtheme.h"

#include <theme.h>
#include <themedefaults.h>

#include <QDir>
#include <QFileInfo>

bool isThemeDirectoryIn(const QString &path, const QString &themesDirectory)
{
    const QFileInfo directory(QFileInfo(path).canonicalFilePath());
    const QString themes = QDir(themesDirectory).canonicalPath();
    if (directory.filePath().isEmpty() || themes.isEmpty() || !directory.isDir()) {
        return false;
    }
    return directory.absolutePath() == themes;
}

bool isInstalledTheme(const Theme &theme)
{
    if (!theme.isValid()) {
        return false;
    }
    const QString directory = QFileInfo(theme.desktopPath()).absolutePath();
    return isThemeDirectoryIn(directory, ThemeDefaults::userThemesDir) || isThemeDirectoryIn(directory, ThemeDefaults::systemThemesDir);
}
