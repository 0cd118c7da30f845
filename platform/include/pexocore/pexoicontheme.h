/*
    Stand-in for the desktop core library: icon and cursor themes.

    Icon themes are freedesktop icon theme directories: a directory named after
    the theme in one of the icon base directories ($HOME/.icons,
    $XDG_DATA_HOME/icons, then each $XDG_DATA_DIRS entry + "/icons"), holding an
    "index.theme" with a group "Icon Theme" whose "Directories" name the icon
    subdirectories, each described by its own group (Size, Scale, Context,
    Type, MinSize, MaxSize, Threshold). A theme may be spread over several base
    directories; the first "index.theme" found describes it. A theme read for
    one PexoIconTheme is shared with the others of the same thread, with the
    look-ups made in it, while its index.theme stays as it was and for ten
    seconds at most: an icon file added in that time may not be found yet.

    The session's cursor theme and size are kept in the file "cursor" of the
    session directory (GetPexoDir(PexoSessionConfigDir)), lines "name=..." and
    "size=...", so that a value set by one process is read by the next.
*/
#ifndef PEXOCORE_PEXOICONTHEME_H
#define PEXOCORE_PEXOICONTHEME_H

#include "pexocore_export.h"

#include <memory>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

class PexoIconThemePrivate;

class PEXOCORE_EXPORT PexoIconTheme
{
public:
    // The names (UTF-8) of the icon themes in the base directories, in base
    // directory order and by name within one; a theme present in several base
    // directories is listed once for each. Themes without icon directories
    // (cursor themes) are not listed.
    static std::vector<std::string> getThemesNames();

    // name: the theme (UTF-8). fallbackTheme: the theme searched after the
    // theme and the themes it inherits from; "" means "hicolor". ownIconsOnly:
    // search the theme's own directories only.
    PexoIconTheme(const std::string &name, const std::string &fallbackTheme, bool ownIconsOnly);
    ~PexoIconTheme();

    PexoIconTheme(const PexoIconTheme &) = delete;
    PexoIconTheme &operator=(const PexoIconTheme &) = delete;

    // Reads the theme's index.theme; false when the theme is missing or has
    // no "Icon Theme" group. Look-ups before or after a failed load give "".
    bool load();

    // The file of an icon (UTF-8), "" when neither the theme, its parents nor
    // the fallback theme has it under this name or a shorter generic name
    // ("user-trash-full", then "user-trash", then "user"). Directories of the
    // given context (case-insensitive; "apps" stands for "Applications") are
    // searched before the others; an exact size before the closest one.
    std::string getIconPath(const std::string &icon, int size, const std::string &context) const;

    // False when the session's cursor could not be stored (its file is no
    // usable file of settings, or cannot be written).
    static bool setCurrentCursorThemeName(const char *name);
    static bool setCurrentCursorThemeSize(int size);
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

private:
    std::unique_ptr<PexoIconThemePrivate> const d;
};

#endif
