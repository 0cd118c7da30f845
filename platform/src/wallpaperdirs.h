/*
    Internal: the wallpaper directories searched by the wallpaper and logo
    look-ups.
*/
#ifndef PEXOCORE_WALLPAPERDIRS_H
#define PEXOCORE_WALLPAPERDIRS_H

#include "localfile.h"

#include <QFile>

#include <array>
#include <cstdlib>
#include <string>

namespace WallpaperDirs {
// A picture file that can be read: an SVG drawing or an image within the
// limits of its kind.
inline bool isFile(const std::string &path)
{
    const QString name = QFile::decodeName(path.c_str());
    return LocalFile::isUsable(name, name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ? LocalFile::Kind::Svg : LocalFile::Kind::Image);
}

// $XDG_DATA_HOME/wallpapers (when absolute, else below $HOME), then the
// system's, each followed by subdir.
inline std::array<std::string, 2> searched(const std::string &subdir = std::string())
{
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    const std::string user = dataHome && *dataHome == '/' ? std::string(dataHome) : std::string(home ? home : "") + "/.local/share";
    return {user + "/wallpapers" + subdir, "/usr/share/wallpapers" + subdir};
}
} // namespace WallpaperDirs

#endif
