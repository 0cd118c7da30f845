// The computed paths of the shared table, with and without a session suffix
// (the suffix variant runs with PEXO_SESSION_SUFFIX set).

#include "themedefaults.h"

#include <QTest>

class PathsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void computedPaths()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        const QString suffix = qEnvironmentVariable("PEXO_SESSION_SUFFIX");
        QVERIFY(config.startsWith(QDir::homePath()));
        if (suffix.isEmpty()) {
            QVERIFY(ThemeDefaults::currentThemeConfigPath.endsWith(QLatin1String("/current.themerc")));
        }

        QCOMPARE(ThemeDefaults::currentThemeConfigPath, config + QStringLiteral("/pexo/session/current.themerc") + suffix);
        QCOMPARE(ThemeDefaults::defaultThemeConfigPath, config + QStringLiteral("/pexo/session/default.themerc") + suffix);
        QCOMPARE(ThemeDefaults::adminSessionAppliedPath, config + QStringLiteral("/pexo/session/.admin-session-applied"));
        QCOMPARE(ThemeDefaults::paletteConfigPath, config + QStringLiteral("/pexo/paletterc"));
        QCOMPARE(ThemeDefaults::masterThemeConfigPath, QStringLiteral("/usr/share/pexo/theme.master/themerc"));
        QCOMPARE(ThemeDefaults::userThemesDir, QDir::homePath() + QStringLiteral("/.local/share/pexothemes"));
        QVERIFY(QFileInfo(config + QStringLiteral("/pexo/session")).isDir()); // created on first use
    }

    void sharedDefaults()
    {
        QCOMPARE(ThemeDefaults::ColorScheme.defaultValue, ThemeDefaults::lightColorSchemePath);
        QCOMPARE(ThemeDefaults::ColorScheme.adminDefaultValue, ThemeDefaults::adminColorSchemePath);
        QCOMPARE(ThemeDefaults::WallPaper.defaultValue, ThemeDefaults::lightWallpaperPath);
        QCOMPARE(ThemeDefaults::CompositorVerticalSyncronizationEnabled.key, QStringLiteral("CompositorVerticalSyncronizationEnabled"));
        QCOMPARE(ThemeDefaults::useSymbolicIconsForToolBar.key, QStringLiteral("useSymbolicIconsForToolBar"));
        QCOMPARE(ThemeDefaults::wmUpdateVariableFormat, QStringLiteral("PEXOWM_UPDATE_VAL %1 %2\n"));
    }
};

QTEST_GUILESS_MAIN(PathsTest)

#include "pathstest.moc"
