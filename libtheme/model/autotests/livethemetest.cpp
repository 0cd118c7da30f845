// A shipped system theme copied into the live settings and applied: what
// reaches the settings files, the window manager and the session bus, and
// that the live settings then read back equal to the stored theme.

#include "basesettingsprovider.h"
#include "colorsthemepart.h"
#include "currentsettingsprovider.h"
#include "theme.h"
#include "themedefaults.h"
#include "wallpaperthemepart.h"

#include <pexotestsupport.h>

#include <QTest>

class LiveThemeTest : public QObject
{
    Q_OBJECT

private:
    static std::shared_ptr<Theme> openStored(const QString &id)
    {
        const QString dir = ThemeDefaults::systemThemesDir + QLatin1Char('/') + id;
        return std::make_shared<Theme>(KSharedConfig::openConfig(dir + QStringLiteral("/index.theme"), KConfig::SimpleConfig),
                                       std::make_shared<BaseSettingsProvider>(dir + QStringLiteral("/theme/themerc")));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoTest::installSampleData());
        for (const char *program : {"/usr/bin/killall", "/usr/bin/pexo-vkbd", "/usr/bin/xrdb"}) {
            QVERIFY(PexoTest::installCommandRecorder(QString::fromLatin1(program)));
        }
    }

    void storedThemeAppliedToTheDesktop()
    {
        const auto stored = openStored(QStringLiteral("UlvarTornelDark"));
        QVERIFY(stored->isValid());
        stored->read();

        const auto live = std::make_shared<Theme>(std::make_shared<CurrentSettingsProvider>());
        live->read();
        QVERIFY(!(*live == *stored));

        PexoTest::DBusSignalWatcher bus;
        QVERIFY(bus.watch(QStringLiteral("/BreezeStyle"), QStringLiteral("org.kde.Breeze.Style"), QStringLiteral("reparseConfiguration")));
        QVERIFY(bus.watch(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged")));
        PexoTest::takeWmCommands();

        live->copyFrom(stored);
        QVERIFY(live->hasChanges());
        live->apply();

        const QStringList commands = PexoTest::takeWmCommands();
        const QString scheme = QStringLiteral("/usr/share/color-schemes/UlvarDark.colors");
        const QStringList firstCommands = commands.mid(0, 3);
        QCOMPARE(firstCommands,
                 QStringList({QStringLiteral("PEXOWM_UPDATE_VAL PrimaryColor #2884be\n"),
                              QStringLiteral("PEXOWM_UPDATE_VAL BackgroundColor #181a1d\n"),
                              QStringLiteral("PEXOWM_UPDATE_VAL ColorScheme %1\n").arg(scheme)}));
        QVERIFY(commands.contains(QStringLiteral("PEXOWM_UPDATE_VAL CursorTheme default\n")));
        QVERIFY(commands.contains(QStringLiteral("PEXOWM_UPDATE_VAL IconTheme ulvar-tornel\n")));
        QVERIFY(commands.indexOf(QStringLiteral("PEXOWM_UPDATE_VAL CursorTheme default\n")) <
                commands.indexOf(QStringLiteral("PEXOWM_UPDATE_VAL IconTheme ulvar-tornel\n")));

        QVERIFY(bus.waitForCount(2));
        QCOMPARE(bus.members().mid(0, 2), QStringList({QStringLiteral("reparseConfiguration"), QStringLiteral("iconChanged")}));

        const QByteArray palette = PexoTest::readFile(ThemeDefaults::paletteConfigPath);
        QVERIFY(palette.contains("ColorScheme=" + scheme.toUtf8()));
        QVERIFY(palette.contains("PrimaryColor=#2884be"));
        QVERIFY(palette.contains("BackgroundColor=#181a1d"));
        const QByteArray current = PexoTest::readFile(ThemeDefaults::currentThemeConfigPath);
        QVERIFY(current.contains("WallPaper=/usr/share/wallpapers/pexo-default-dark.jpg"));
        QVERIFY(current.contains("TitlebarActiveColor=#2884be")); // a system scheme replaces the references
        QVERIFY(!current.contains("\nColorScheme=")); // the scheme lives in paletterc only
        QVERIFY(!current.contains("\nCursorTheme=")); // the cursor lives in the core library only

        const auto reopened = std::make_shared<Theme>(std::make_shared<CurrentSettingsProvider>());
        reopened->read();
        QVERIFY(*reopened == *stored);
        QVERIFY(!reopened->hasChanges());
    }
};

QTEST_MAIN(LiveThemeTest)

#include "livethemetest.moc"
