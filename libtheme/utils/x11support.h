/*
    Internal: the X11 connection and the window-manager channel of the library.
*/
#ifndef X11SUPPORT_H
#define X11SUPPORT_H

#include "pexotheme_export.h"

#include <QString>

typedef struct _XDisplay Display;

namespace PexoX11 {
// The application's display when it has one, else one process-wide
// connection of the library's own; null when no X server can be reached.
PEXOTHEME_EXPORT Display *display();
PEXOTHEME_EXPORT unsigned long rootWindow();
} // namespace PexoX11

namespace PexoWm {
enum Channel {
    PexoChannel, // pexoSendCommandToWM
    LegacyChannel, // SendCommandToWM
};

// False for a text holding a line break or a NUL: it could forge a second
// command or cut the command short.
PEXOTHEME_EXPORT bool isSafeText(const QString &text);

// False for a command that is not safe text but for a line feed at its end.
PEXOTHEME_EXPORT bool isSafeCommand(const QString &command);

// Sends one command in the local 8-bit encoding; unsafe commands are refused.
PEXOTHEME_EXPORT bool send(const QString &command, Channel channel = PexoChannel);
} // namespace PexoWm

#endif
