#include "offscreenfallback.h"

#include <QByteArray>
#include <QtGlobal>

#include <X11/Xlib.h>

void useOffscreenWithoutDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return;
    }
    Display *display = qEnvironmentVariableIsEmpty("DISPLAY") ? nullptr : XOpenDisplay(nullptr);
    if (display) {
        XCloseDisplay(display);
        return;
    }
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}
