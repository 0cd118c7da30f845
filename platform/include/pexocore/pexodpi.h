/*
    Stand-in for the desktop core library: screen density.
*/
#ifndef PEXOCORE_PEXODPI_H
#define PEXOCORE_PEXODPI_H

#include "pexocore_export.h"

typedef struct _XDisplay Display;

// The density of an X screen in dots per inch: the mean of the horizontal and
// vertical densities from its size in pixels (the current size of root, when
// root is the screen's root window) and in millimetres, rounded to a whole
// number, since the server only knows whole millimetres. 96 when there is no
// display, no such screen or no physical size.
PEXOCORE_EXPORT double FindDPI(Display *display, int screen, unsigned long root);

// The "Xft.dpi" resource of the screen (its own resources first, then the
// display's), read from the server at each call; 0 when it is unset, not a
// number or not positive, and when there is no display.
PEXOCORE_EXPORT double GetXftDPI(Display *display, int screen);

#endif
