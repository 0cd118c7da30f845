/*
    Stand-in for the desktop core library: the logo drawn over the wallpaper.
*/
#ifndef PEXOCORE_PEXOLOGO_H
#define PEXOCORE_PEXOLOGO_H

#include "pexocore_export.h"

#include <string>

// The logo file for a logo name, as a UTF-8 path, or "" when none is found.
// tone is "white" (for dark backgrounds) or "black" (for light ones). The
// name is looked up as <name>_<tone>, then <name>_light (white) or
// <name>_dark (black), then <name>, each with .svg or .png, in
// $XDG_DATA_HOME/wallpapers/logo and then /usr/share/wallpapers/logo. A path
// (a name with "/") is returned when a file is there. The desktop picks
// among sizes by width and height; the stand-in ignores them.
PEXOCORE_EXPORT std::string FindDefaultLogoPath(const char *name, int width, int height, const char *tone);

// The top-left corner, in screen coordinates, of a logo of the given size at
// a position of the screen's area: "TopLeft", "Top", "TopRight", "Right",
// "Center", "Left", "BottomLeft", "Bottom" or "BottomRight" (any other name).
// Logos off the centre keep a margin of a fortieth of the screen's shorter side.
PEXOCORE_EXPORT void
CalcLogoPosition(int logoWidth, int logoHeight, int screenX, int screenY, int screenWidth, int screenHeight, const char *position, int *x, int *y);

#endif
