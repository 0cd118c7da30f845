/*
    Internal: the wallpaper directories searched by the wallpaper and logo
    look-ups.
*/
#ifndef PEXOCORE_WALLPAPERDIRS_H
#define PEXOCORE_WALLPAPERDIRS_H

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace WallpaperDirs {
inline bool isFile(const std::string &path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
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
