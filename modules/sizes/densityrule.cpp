#include "densityrule.h"

#include <pexodpi.h>
#include <pexoicontheme.h>

#include <QX11Info>

namespace {
constexpr double HighDensity = 120.0;
constexpr int TaskbarIconKind = 0;
constexpr int DesktopIconKind = 1;
// The taskbar is its icons plus this padding.
constexpr int TaskbarPadding = 17;
constexpr int MediumTaskbar = 48;
constexpr int MediumIcons = 32;
constexpr int TitleBase = 32;
constexpr int BorderBase = 5;
constexpr int Automatic = -1;

int resolved(int stored, int automatic)
{
    return stored == Automatic ? automatic : stored;
}

int resolved(int stored, int automatic, int zero)
{
    return stored == 0 ? zero : resolved(stored, automatic);
}
} // namespace

bool DensityRule::Sizes::allAutomatic() const
{
    return taskbar == Automatic && windowHeader == Automatic && windowFrame == Automatic && desktopIcons == Automatic;
}

double DensityRule::foundDensity()
{
    return FindDPI(QX11Info::display(), QX11Info::appScreen(), QX11Info::appRootWindow());
}

double DensityRule::xftDensity()
{
    return GetXftDPI(QX11Info::display(), QX11Info::appScreen());
}

DensityRule::Sizes DensityRule::shownSizes(const Sizes &stored, double foundDensity, double xftDensity)
{
    const double effective = xftDensity > 0 ? xftDensity : foundDensity;
    Sizes shown;
    if (effective > HighDensity) {
        // The Xft density picks the branch; the sizes follow the screen.
        const int dpi = static_cast<int>(foundDensity);
        const int taskbarIcons = PexoIconTheme::GetIconSizeForDPI(dpi, TaskbarIconKind);
        const int desktopIcons = PexoIconTheme::GetIconSizeForDPI(dpi, DesktopIconKind);
        shown.desktopIcons = resolved(stored.desktopIcons, desktopIcons, MediumIcons);
        shown.taskbar = resolved(stored.taskbar, taskbarIcons + TaskbarPadding, MediumTaskbar);
        shown.windowHeader = resolved(stored.windowHeader, PexoIconTheme::GetFrameTitleSizeForDPI(dpi, TitleBase));
        shown.windowFrame = resolved(stored.windowFrame, PexoIconTheme::GetFrameBorderSizeForDPI(dpi, BorderBase));
    } else {
        shown.desktopIcons = resolved(stored.desktopIcons, MediumIcons);
        shown.taskbar = resolved(stored.taskbar, MediumTaskbar);
        shown.windowHeader = resolved(stored.windowHeader, TitleBase);
        shown.windowFrame = resolved(stored.windowFrame, BorderBase);
    }
    return shown;
}

int DensityRule::stepIndex(int size, int small, int medium)
{
    if (size <= small) {
        return 0;
    }
    return size <= medium ? 1 : 2;
}
