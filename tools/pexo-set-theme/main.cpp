/*
    pexo-set-theme ID: makes the theme ID current and pushes it into the live
    settings; an administrator session always gets the administrator theme.
    Exit status: 0 selected, 1 unknown or invalid theme (one whose files are
    larger than a theme may hold is named so), or one that could not be
    recorded or applied, 2 no argument.
*/

#include <offscreenfallback.h>
#include <sessionlock.h>
#include <toolscommon.h>

#include <theme.h>
#include <themecontroller.h>
#include <themedefaults.h>
#include <themedescriptions.h>

#include <QApplication>
#include <QFileInfo>

#include <memory>

int main(int argc, char **argv)
{
    if (argc < 2) {
        return 2;
    }
    const QString id = QString::fromLocal8Bit(argv[1]);

    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    // One writer of the session's settings at a time, for the whole run.
    const SessionLock lock(SessionLock::Wait::Tool);
    if (!lock.isLocked()) {
        qCWarning(THEME_UTILS_LOG).noquote() << lock.message();
        return 1;
    }
    const bool administrator = prepareSession();
    auto controller = std::make_unique<ThemeController>();
    // A theme that could not be recorded or applied is not selected.
    bool failed = false;
    QObject::connect(controller.get(), &ThemeController::error, [&failed](const QString &message) {
        qCWarning(THEME_UTILS_LOG).noquote() << message;
        failed = true;
    });

    if (administrator) {
        controller->setCurrentTheme(ThemeDefaults::adminThemeId);
        qCWarning(THEME_UTILS_LOG) << "You can use only administrator theme";
        return failed ? 1 : 0;
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
        // A theme directory of that id whose files are larger than a theme
        // may hold is there, but holds no theme.
        const QStringList oversized = ThemeDescriptions::oversized(id);
        if (oversized.isEmpty()) {
            qCWarning(THEME_UTILS_LOG) << "Unable to find theme" << id;
        } else {
            qCWarning(THEME_UTILS_LOG).nospace() << "Unable to select theme " << id << " in " << QFileInfo(oversized.first()).absolutePath() << ": "
                                                 << qUtf8Printable(ThemeDescriptions::sizeRefusal(oversized.first()));
        }
        return 1;
    }
    if (!found->isValid()) {
        qCWarning(THEME_UTILS_LOG) << "Cam't select" << id << "theme, it is not valid";
        return 1;
    }
    controller->setCurrentTheme(id);
    return failed ? 1 : 0;
}
