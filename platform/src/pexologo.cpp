#include "pexologo.h"
#include "wallpaperdirs.h"

#include <algorithm>
#include <cstring>

std::string FindDefaultLogoPath(const char *name, int width, int height, const char *tone)
{
    (void)width;
    (void)height;
    if (!name || !*name) {
        return std::string();
    }
    const std::string wanted(name);
    if (wanted.find('/') != std::string::npos) {
        return WallpaperDirs::isFile(wanted) ? wanted : std::string();
    }
    const std::string toneName(tone ? tone : "");
    const std::string variants[] = {
        toneName.empty() ? wanted : wanted + "_" + toneName,
        wanted + (toneName == "white" ? "_light" : "_dark"),
        wanted,
    };
    for (const std::string &dir : WallpaperDirs::searched("/logo")) {
        for (const std::string &variant : variants) {
            for (const char *extension : {".svg", ".png"}) {
                const std::string candidate = dir + "/" + variant + extension;
                if (WallpaperDirs::isFile(candidate)) {
                    return candidate;
                }
            }
        }
    }
    return std::string();
}

void CalcLogoPosition(int logoWidth, int logoHeight, int screenX, int screenY, int screenWidth, int screenHeight, const char *position, int *x, int *y)
{
    // Column and row of each position: 0 start, 1 centre, 2 end.
    static const struct
    {
        const char *name;
        int column;
        int row;
    } places[] = {
        {"TopLeft", 0, 0},
        {"Top", 1, 0},
        {"TopRight", 2, 0},
        {"Right", 2, 1},
        {"Center", 1, 1},
        {"Left", 0, 1},
        {"BottomLeft", 0, 2},
        {"Bottom", 1, 2},
    };
    int column = 2;
    int row = 2;
    for (const auto &place : places) {
        if (position && std::strcmp(position, place.name) == 0) {
            column = place.column;
            row = place.row;
            break;
        }
    }
    const int margin = std::max(0, std::min(screenWidth, screenHeight) / 40);
    const auto offset = [margin](int place, int room) {
        return place == 0 ? margin : place == 1 ? room / 2 : room - margin;
    };
    if (x) {
        *x = screenX + offset(column, screenWidth - logoWidth);
    }
    if (y) {
        *y = screenY + offset(row, screenHeight - logoHeight);
    }
}
