/*
    Stand-in for the desktop integration library: density scaling.
*/
#ifndef PEXOCORE_PEXOINTEGRATION_H
#define PEXOCORE_PEXOINTEGRATION_H

#include "pexocore_export.h"

// value scaled from 96 dpi to the logical density of the application's
// primary screen; value itself without a GUI application or screen.
PEXOCORE_EXPORT double pexoDpiScaled(double value);

#endif
