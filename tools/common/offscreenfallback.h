/*
    Lets a tool run without an X display.
*/
#ifndef OFFSCREENFALLBACK_H
#define OFFSCREENFALLBACK_H

// Call before the application object: when no Qt platform was chosen and no
// X display can be reached, Qt's X11 plug-in would abort the program, so the
// offscreen one is used. The theme library then skips what needs X.
void useOffscreenWithoutDisplay();

#endif
