#include "pexowallpaper.h"

#include <cstdlib>
#include <filesystem>

namespace {
const char defaultName[] = "pexo-default";
const char defaultFile[] = "pexo-default-light.jpg";
const char *const extensions[] = {"", ".jpg", ".jpeg", ".png", ".svg"};

bool isFile(const std::filesystem::path &path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

std::string userWallpaperDir()
{
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/') {
        return std::string(dataHome) + "/wallpapers";
    }
    const char *home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/wallpapers";
}
} // namespace

std::string FindWallPaperByName(const char *name, int width, int height, const char *text, const char *color)
{
    (void)width;
    (void)height;
    (void)text;
    (void)color;
    if (!name || !*name) {
        return std::string();
    }
    std::string wanted(name);
    if (wanted.find('/') != std::string::npos) {
        return isFile(wanted) ? wanted : std::string();
    }
    if (wanted == defaultName) {
        wanted = defaultFile;
    }
    for (const std::string &dir : {userWallpaperDir(), std::string("/usr/share/wallpapers")}) {
        for (const char *extension : extensions) {
            const std::string candidate = dir + "/" + wanted + extension;
            if (isFile(candidate)) {
                return candidate;
            }
        }
    }
    return std::string();
}
