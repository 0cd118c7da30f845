// Reads or sets the session's cursor state from a process of its own:
// "cursorprobe" prints "<name> <size>", "cursorprobe NAME SIZE" sets both.
#include <pexoicontheme.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc == 3) {
        PexoIconTheme::setCurrentCursorThemeName(argv[1]);
        PexoIconTheme::setCurrentCursorThemeSize(std::atoi(argv[2]));
        return 0;
    }
    std::printf("%s %d\n", PexoIconTheme::getCurrentCursorThemeName(nullptr).c_str(), PexoIconTheme::getCurrentCursorThemeSize(nullptr));
    return 0;
}
