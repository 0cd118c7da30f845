/*
    Stand-in for the desktop core library: wallpaper look-up.
*/
#ifndef PEXOCORE_PEXOWALLPAPER_H
#define PEXOCORE_PEXOWALLPAPER_H

#include "pexocore_export.h"

#include <string>

// The wallpaper file for a name or a path, as a UTF-8 path, or "" when none
// is found. A path (a name with "/") is returned when a picture file that can
// be read is there (a fifo, a device or a huge file is none); a bare
// name is looked up, as it is and with .jpg, .jpeg, .png or .svg added, in
// $XDG_DATA_HOME/wallpapers and then /usr/share/wallpapers; "pexo-default"
// names the shipped light default wallpaper. The desktop picks among sizes
// and variants by width, height, text and colour; the stand-in ships one file
// per wallpaper and ignores them.
PEXOCORE_EXPORT std::string FindWallPaperByName(const char *name, int width, int height, const char *text, const char *color);

#endif
