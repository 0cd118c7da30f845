/*
    Stand-in for the desktop core library: icon and cursor themes.

    The session's cursor theme and size are kept in the file "cursor" of the
    session directory (GetPexoDir(PexoSessionConfigDir)), lines "name=..." and
    "size=...", so that a value set by one process is read by the next.
*/
#ifndef PEXOCORE_PEXOICONTHEME_H
#define PEXOCORE_PEXOICONTHEME_H

#include "pexocore_export.h"

#include <string>

typedef struct _XDisplay Display;

class PEXOCORE_EXPORT PexoIconTheme
{
public:
    static void setCurrentCursorThemeName(const char *name);
    static void setCurrentCursorThemeSize(int size);
    // "" when no cursor theme was set.
    static std::string getCurrentCursorThemeName(Display *display);
    // -1 when no size was set.
    static int getCurrentCursorThemeSize(Display *display);

    // Sizes in pixels for a screen density in dots per inch. Each grows with
    // the density: the size at 96 dpi scaled by dpi / 96 and rounded, where
    // densities below 96 count as 96. At 96 dpi the icon sizes are 24 for the
    // taskbar (kind 0) and 32 for the desktop (kind 1); other kinds give 0.
    // The frame sizes at 96 dpi are the base given.
    static int GetIconSizeForDPI(int dpi, int kind);
    static int GetFrameTitleSizeForDPI(int dpi, int base);
    static int GetFrameBorderSizeForDPI(int dpi, int base);
};

#endif
