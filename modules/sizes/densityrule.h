#ifndef DENSITYRULE_H
#define DENSITYRULE_H

// How the sizes page turns stored sizes into the sizes it shows. A stored -1
// means that the desktop calculates the size from the screen density.
class DensityRule
{
public:
    // One value per row of the page.
    struct Sizes
    {
        int taskbar = -1;
        int windowHeader = -1;
        int windowFrame = -1;
        int desktopIcons = -1;

        bool allAutomatic() const;
    };

    // The density of the application's screen found from its size; 96
    // without an X display.
    static double foundDensity();
    // The density configured for Xft; 0 when unset or without a display.
    static double xftDensity();

    // Above 120 dpi (strictly, the Xft density deciding when it is set), the
    // automatic sizes come from the found density and a stored 0 gives the
    // medium taskbar and icon sizes; otherwise the sizes at 96 dpi are used
    // and stored values, 0 included, are shown as they are.
    static Sizes shownSizes(const Sizes &stored, double foundDensity, double xftDensity);

    // The step of a size: 0 up to small, 1 up to medium, else 2.
    static int stepIndex(int size, int small, int medium);
};

#endif
