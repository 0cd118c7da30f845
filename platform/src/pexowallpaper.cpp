#include "pexowallpaper.h"
#include "wallpaperdirs.h"

namespace {
const char defaultName[] = "pexo-default";
const char defaultFile[] = "pexo-default-light.jpg";
const char *const extensions[] = {"", ".jpg", ".jpeg", ".png", ".svg"};
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
        return WallpaperDirs::isFile(wanted) ? wanted : std::string();
    }
    if (wanted == defaultName) {
        wanted = defaultFile;
    }
    for (const std::string &dir : WallpaperDirs::searched()) {
        for (const char *extension : extensions) {
            const std::string candidate = dir + "/" + wanted + extension;
            if (WallpaperDirs::isFile(candidate)) {
                return candidate;
            }
        }
    }
    return std::string();
}
