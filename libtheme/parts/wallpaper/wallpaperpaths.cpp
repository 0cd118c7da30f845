#include "wallpaperpaths.h"
#include "themedefaults.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>

namespace {
bool isUndefined(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("undefined");
}
} // namespace

bool WallpaperPaths::isColor(const QString &value)
{
    return value.startsWith(QLatin1Char('#')) && QColor::isValidColor(value);
}

bool WallpaperPaths::namesNoFile(const QString &value)
{
    return isUndefined(value) || isColor(value);
}

bool WallpaperPaths::namesFile(const QString &value)
{
    return !namesNoFile(value) && QDir::isAbsolutePath(value);
}

QString WallpaperPaths::logo(const QString &value)
{
    if (isUndefined(value)) {
        return QString();
    }
    if (value == ThemeDefaults::LogoPixmap.defaultValue) {
        return value;
    }
    return namesFile(value) ? QFileInfo(value).canonicalFilePath() : QString();
}

QString WallpaperPaths::liveWallpaper(const QString &value)
{
    if (isUndefined(value)) {
        return QString();
    }
    if (value == ThemeDefaults::WallPaper.defaultValue || isColor(value)) {
        return value;
    }
    return namesFile(value) ? QFileInfo(value).canonicalFilePath() : QString();
}

QString WallpaperPaths::storedWallpaper(const QString &value)
{
    if (isUndefined(value)) {
        return QString();
    }
    if (isColor(value)) {
        return value;
    }
    const QString canonical = QFileInfo(value).canonicalFilePath();
    return canonical.isEmpty() ? value : canonical;
}
