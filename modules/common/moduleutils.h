/*
    Helpers shared by the wallpaper and colour settings modules.
*/
#ifndef KCM_MODULEUTILS_H
#define KCM_MODULEUTILS_H

#include <QColor>
#include <QRect>
#include <QString>

#include <optional>

namespace Kcm {
// Kept apart from the theme library's Utils, which lives in the same process.
class Utils
{
public:
    Utils() = delete;

    static const QString darkSchemeFileName;
    static const QString darkSchemePath;
    static const QString lightSchemeFileName;
    static const QString lightSchemePath;
    static const QString adminSchemeFileName;
    static const QString adminSchemePath;
    static const QString generatorScript;
    static const QString generatorResultPrefix;

    // The file a page is given, as the settings keep it: a file URL's path,
    // "~" as the home folder, a relative path of an existing file made
    // absolute; any other text (a colour, a name) as it is.
    static QString spelledPath(const QString &text);
    // A fresh "<uuid>.png" path in the user's "Wallpapers" directory; the file is not created.
    static QString generateNameForWallpaper();
    // The geometry of the screen in device pixels: the screen of the first
    // top-level window when asked for and there is one, else the primary screen.
    static QRect screenGeometry(bool currentScreen);
    // Runs the generator script on the wallpaper: the generated scheme's path,
    // the script's error text when it failed, or a null string.
    static QString generateSchemeForWallpaper(const QString &wallpaper, bool dark);

    // The scheme made for the wallpaper: the user's generated scheme, else a
    // fresh one from the generator, else the system's generated scheme; each
    // only when it is a colour scheme file (a regular file of settings size
    // with a "Colors:" group). A null string when there is none; message then
    // holds the generator's error text (empty when it gave none).
    static QString findWallpaperScheme(const QString &wallpaper, bool dark, QString *message);
    // Installs the scheme as the user's "<wallpaper name>-generated-<dark|light>.colors":
    // through a temporary file renamed over the old copy, and not at all when
    // the scheme is that file already. The installed path, or a null string
    // when the scheme is no colour scheme file or could not be written (the
    // old copy is then left as it was).
    static QString installWallpaperScheme(const QString &scheme, const QString &wallpaper, bool dark);

    // The accent and background colours a scheme file gives the live theme.
    struct SchemeColors
    {
        QString accent;
        QString background;
    };
    // For a scheme whose window-manager colours the live theme takes up (a
    // system scheme with a "WM" group), the colours of its active window
    // header and taskbar background, as the live theme writes them; for any
    // other scheme its palette's Highlight and Base. Nothing for a path that
    // is not an absolute path of a file, or a file without groups, which
    // would give KDE's built-in colours.
    static std::optional<SchemeColors> schemeColors(const QString &path);

    static bool isUserColorScheme(const QString &path);
    static bool isPexoColorScheme(const QString &path);
    static QColor getColor(const QString &text);
    static QString getColorName(const QString &text);
    static bool isUlvarColorScheme(const QString &path);
    static bool isGeneratedColorScheme(const QString &path);
};
} // namespace Kcm

#endif
