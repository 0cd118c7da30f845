#include "pexodpi.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr double DefaultDpi = 96.0;
constexpr double MillimetresPerInch = 25.4;

bool validScreen(Display *display, int screen)
{
    return display && screen >= 0 && screen < ScreenCount(display);
}

// A text property of a root window, read now rather than from the copy Xlib
// took when the connection was opened; "" when it is missing.
std::string rootProperty(Display *display, Window root, const char *name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) {
        return std::string();
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, root, atom, 0, 1 << 20, False, XA_STRING, &type, &format, &count, &after, &data) == Success && data) {
        if (type == XA_STRING && format == 8) {
            text.assign(reinterpret_cast<const char *>(data), count);
        }
        XFree(data);
    }
    return text;
}

double xftDpiIn(const std::string &resources)
{
    if (resources.empty()) {
        return 0;
    }
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources.c_str());
    if (!database) {
        return 0;
    }
    double dpi = 0;
    char *type = nullptr;
    XrmValue value;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        const std::string text(value.addr, strnlen(value.addr, value.size));
        char *end = nullptr;
        const double parsed = std::strtod(text.c_str(), &end);
        if (end != text.c_str() && std::isfinite(parsed) && parsed > 0) {
            dpi = parsed;
        }
    }
    XrmDestroyDatabase(database);
    return dpi;
}
} // namespace

double FindDPI(Display *display, int screen, unsigned long root)
{
    if (!validScreen(display, screen)) {
        return DefaultDpi;
    }
    double width = DisplayWidth(display, screen);
    double height = DisplayHeight(display, screen);
    // The root window follows size changes that DisplayWidth does not see.
    // Any other window is ignored: asking for a bad one would end the process.
    if (root == RootWindow(display, screen)) {
        Window rootOfRoot = 0;
        int x = 0;
        int y = 0;
        unsigned int w = 0;
        unsigned int h = 0;
        unsigned int border = 0;
        unsigned int depth = 0;
        if (XGetGeometry(display, root, &rootOfRoot, &x, &y, &w, &h, &border, &depth) && w > 0 && h > 0) {
            width = w;
            height = h;
        }
    }
    const int widthMm = DisplayWidthMM(display, screen);
    const int heightMm = DisplayHeightMM(display, screen);
    double dpi = 0;
    if (widthMm > 0 && heightMm > 0) {
        dpi = (width * MillimetresPerInch / widthMm + height * MillimetresPerInch / heightMm) / 2;
    } else if (widthMm > 0) {
        dpi = width * MillimetresPerInch / widthMm;
    } else if (heightMm > 0) {
        dpi = height * MillimetresPerInch / heightMm;
    }
    return dpi > 0 ? std::round(dpi) : DefaultDpi;
}

double GetXftDPI(Display *display, int screen)
{
    if (!validScreen(display, screen)) {
        return 0;
    }
    const double own = xftDpiIn(rootProperty(display, RootWindow(display, screen), "SCREEN_RESOURCES"));
    if (own > 0) {
        return own;
    }
    return xftDpiIn(rootProperty(display, RootWindow(display, 0), "RESOURCE_MANAGER"));
}
