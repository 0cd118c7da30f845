/*
    Stand-in for the desktop core library: colour helpers.

    Colours are texts that QColor parses; results are "#rrggbb" (lower case),
    except textColorFor, which answers "#FFFFFF" or "#000000".
*/
#ifndef PEXOCORE_PEXOCOLORS_H
#define PEXOCORE_PEXOCOLORS_H

#include "pexocore_export.h"

#include <map>
#include <string>

// factor > 0 blends towards white by factor (clamped to 1), factor < 0 towards
// black by -factor; 0 returns the colour itself. An invalid colour gives "".
PEXOCORE_EXPORT std::string CreateShadeColor(const char *color, double factor);

// "color100" .. "color900" in steps of 100, each also under its bare number
// ("100" .. "900"), as callers ask for either; "color500" is the colour itself,
// colorN for N < 500 is CreateShadeColor(color, (500 - N) / 500.0), for N > 500
// CreateShadeColor(color, -(N - 500) / 500.0). Empty for an invalid colour.
PEXOCORE_EXPORT std::map<std::string, std::string> CreateShadeColors(const char *color);

// The colour darkened by 30 % (by 15 % when strong is false).
PEXOCORE_EXPORT std::string GetPrimaryDarkColor(const char *color, bool strong);

// "#000000" on colours whose relative luminance (sRGB, WCAG) is above 0.5,
// otherwise "#FFFFFF". An invalid colour counts as black.
PEXOCORE_EXPORT std::string textColorFor(const char *color);

#endif
