/*
    Shared fixture of the wallpaper record tests: the live settings with the
    Current helpers, and a "Desktops" folder with a few desktop folders.
*/
#ifndef DESKTOPFOLDERS_H
#define DESKTOPFOLDERS_H

#include "currentwallpaperapplyhelper.h"
#include "currentwallpaperreadhelper.h"
#include "kconfigstorage.h"
#include "pexotestsupport.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QFile>

struct LiveSettings
{
    LiveSettings()
        : master(ThemeDefaults::masterThemeConfigPath)
        , user(ThemeDefaults::currentThemeConfigPath)
        , settings(&master, &user)
        , applyHelper(&settings)
        , readHelper(&settings)
    {
    }

    KConfigStorage master;
    KConfigStorage user;
    ThemeSettings settings;
    CurrentWallpaperApplyHelper applyHelper;
    CurrentWallpaperReadHelper readHelper;
};

namespace DesktopFolders {
inline QString desktops()
{
    return QDir::homePath() + QStringLiteral("/Desktops");
}

// The record file of a folder under "Desktops"; Desktop1 is the current desktop folder.
inline QString record(const char *folder)
{
    return desktops() + QLatin1Char('/') + QLatin1String(folder) + QStringLiteral("/.directory");
}

// Desktop1, Desktop2, desktop7 and Other with a record file each, Desktop4
// without one, and a plain file named Desktop3.
inline bool reset(const QByteArray &content = QByteArray("[Desktop Entry]\nIcon=user-desktop\n"))
{
    QDir(desktops()).removeRecursively();
    bool ok = QDir().mkpath(desktops() + QStringLiteral("/Desktop4"));
    for (const char *folder : {"Desktop1", "Desktop2", "desktop7", "Other"}) {
        ok = ok && PexoTest::writeFile(record(folder), content);
    }
    return ok && PexoTest::writeFile(desktops() + QStringLiteral("/Desktop3"), QByteArray("not a folder"));
}

inline QByteArray read(const char *folder)
{
    return PexoTest::readFile(record(folder));
}

inline QString liveValue(const char *key)
{
    const KConfig config(ThemeDefaults::currentThemeConfigPath, KConfig::SimpleConfig);
    return config.group("Variables").readEntry(key, QStringLiteral("<absent>"));
}
} // namespace DesktopFolders

#endif
