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
};

#endif
