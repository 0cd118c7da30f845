/*
    Stand-in for the desktop core library: the window manager's command channel.

    The channel is a UNIX-domain stream socket at $XDG_RUNTIME_DIR/pexo-wm-<display>
    (/tmp when XDG_RUNTIME_DIR is unset), <display> being the display name ($DISPLAY).
    One connection carries one command.
*/
#ifndef PEXOCORE_PEXOWM_H
#define PEXOCORE_PEXOWM_H

#include "pexocore_export.h"

#include <string>

typedef struct _XDisplay Display;

// Socket path of the window manager serving the given display (null: $DISPLAY).
PEXOCORE_EXPORT std::string pexoWmSocketPath(Display *display = nullptr);

// Sends a NUL-terminated command. True only when every byte was written.
// Without a listening window manager the call fails at once.
PEXOCORE_EXPORT bool pexoSendCommandToWM(Display *display, const char *command);
PEXOCORE_EXPORT bool SendCommandToWM(Display *display, const char *command);

#endif
