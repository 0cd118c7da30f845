/*
    pexo-set-theme ID: makes the theme ID current and pushes it into the live
    settings; an administrator session always gets the administrator theme.
*/

#include <offscreenfallback.h>
#include <toolscommon.h>

#include <theme.h>
#include <themecontroller.h>
#include <themedefaults.h>

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    if (argc < 2) {
        return 2;
    }
    const QString id = QString::fromLocal8Bit(argv[1]);

    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const bool administrator = prepareSession();
    auto controller = std::make_unique<ThemeController>();

    if (administrator) {
        controller->setCurrentTheme(ThemeDefaults::adminThemeId);
        qCWarning(THEME_UTILS_LOG) << "You can use only administrator theme";
        return 0;
    }

    std::shared_ptr<Theme> found;
    const auto themes = controller->availableThemes();
    for (const auto &theme : themes) {
        if (theme->id() == id) {
            found = theme;
            break;
        }
    }
    if (!found) {
        qCWarning(THEME_UTILS_LOG) << "Unable to find theme" << id;
        return 1;
    }
    if (!found->isValid()) {
        qCWarning(THEME_UTILS_LOG) << "Cam't select" << id << "theme, it is not valid";
        return 1;
    }
    controller->setCurrentTheme(id);
    return 0;
}
