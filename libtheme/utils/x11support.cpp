#include "x11support.h"

#include <QGuiApplication>
#include <QX11Info>

#include <X11/Xlib.h>

#include <pexowm.h>

namespace {
bool hasX11Application()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) && QX11Info::isPlatformX11();
}

Display *ownDisplay()
{
    // Opened once, on first need; a failure is not retried.
    static Display *const display = XOpenDisplay(nullptr);
    return display;
}
} // namespace

Display *PexoX11::display()
{
    return hasX11Application() ? QX11Info::display() : ownDisplay();
}

unsigned long PexoX11::rootWindow()
{
    if (hasX11Application()) {
        return QX11Info::appRootWindow();
    }
    Display *dpy = ownDisplay();
    return dpy ? DefaultRootWindow(dpy) : 0;
}

bool PexoWm::isSafeText(const QString &text)
{
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) && !text.contains(QChar(0));
}

bool PexoWm::isSafeCommand(const QString &command)
{
    return isSafeText(command.endsWith(QLatin1Char('\n')) ? command.chopped(1) : command);
}

bool PexoWm::send(const QString &command, Channel channel)
{
    if (!isSafeCommand(command)) {
        return false;
    }
    // The channel needs no display: a missing one is passed as null.
    Display *dpy = hasX11Application() ? QX11Info::display() : nullptr;
    const QByteArray bytes = command.toLocal8Bit();
    return channel == PexoChannel ? pexoSendCommandToWM(dpy, bytes.constData()) : SendCommandToWM(dpy, bytes.constData());
}
