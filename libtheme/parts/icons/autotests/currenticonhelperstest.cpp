// The live icon helpers: the window manager, the D-Bus signal, Qt's own
// settings file, the settings stamp and the live settings file.

#include "currenticonapplyhelper.h"
#include "currenticonreadhelper.h"
#include "iconthemepart.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <pexotestsupport.h>

#include <QSettings>
#include <QTest>

#include <memory>

namespace {
struct Layers
{
    KConfigStorage master{ThemeDefaults::masterThemeConfigPath};
    KConfigStorage user{ThemeDefaults::currentThemeConfigPath};
    ThemeSettings settings{&master, &user};
};

// Writes the master file and the live settings file, then opens both.
std::unique_ptr<Layers> openLive(const QByteArray &masterBody, const QByteArray &liveBody)
{
    PexoTest::writeFile(ThemeDefaults::masterThemeConfigPath, "[Variables]\n" + masterBody);
    PexoTest::writeFile(ThemeDefaults::currentThemeConfigPath, "[Variables]\n" + liveBody);
    return std::make_unique<Layers>();
}

QByteArray liveFile()
{
    return PexoTest::readFile(ThemeDefaults::currentThemeConfigPath);
}

QString qtSettingsPath()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Trolltech")).fileName();
}

QByteArray stampProperty()
{
    return PexoTest::rootWindowProperty("_QT_SETTINGS_TIMESTAMP_" + qgetenv("DISPLAY"));
}
} // namespace

class CurrentIconHelpersTest : public QObject
{
    Q_OBJECT

private:
    PexoTest::DBusSignalWatcher m_iconSignals;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_iconSignals.watch(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged")));
        PexoTest::takeWmCommands();
    }

    void init()
    {
        m_iconSignals.clear();
    }

    void newThemeIsAnnouncedThenWritten()
    {
        auto layers = openLive(QByteArray(), "IconTheme=old\n");
        CurrentIconApplyHelper apply(&layers->settings);
        QVERIFY(apply.applyCurrentTheme(QStringLiteral("breeze")));

        QCOMPARE(PexoTest::takeWmCommands(), QStringList{QStringLiteral("PEXOWM_UPDATE_VAL IconTheme breeze\n")});
        QVERIFY(m_iconSignals.waitForCount(1));
        QCOMPARE(m_iconSignals.count(), 1);
        QCOMPARE(m_iconSignals.arrivals().first().arguments(), QVariantList{QVariant(0)});
        QVERIFY(liveFile().contains("IconTheme=breeze\n"));
        QCOMPARE(CurrentIconReadHelper(&layers->settings).readCurrentTheme(), QStringLiteral("breeze"));
    }

    void unsentCommandStopsEverything_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::addColumn<QString>("theme");

        QTest::newRow("no window manager") << false << QStringLiteral("breeze");
        QTest::newRow("line break in the name") << true << QStringLiteral("x\nPEXOWM_UPDATE_VAL UseComposite false");
    }

    void unsentCommandStopsEverything()
    {
        QFETCH(bool, listening);
        QFETCH(QString, theme);

        auto layers = openLive(QByteArray(), "IconTheme=old\n");
        CurrentIconApplyHelper apply(&layers->settings);
        if (!listening) {
            PexoTest::stopWmListener();
        }
        const bool applied = apply.applyCurrentTheme(theme);
        if (!listening) {
            PexoTest::startWmListener();
        }
        QVERIFY(!applied);
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
        // Whatever this process sent reaches the bus before the marker.
        QVERIFY(m_iconSignals.sync());
        QCOMPARE(m_iconSignals.count(), 0);
        QCOMPARE(liveFile(), QByteArray("[Variables]\nIconTheme=old\n"));
    }

    void toolbarFlagReachesQtSettingsWhenFixed()
    {
        auto layers = openLive("useSymbolicIconsForToolBar=true\n", QByteArray());
        const QByteArray stampBefore = stampProperty();
        QTest::qWait(5);

        CurrentIconApplyHelper apply(&layers->settings);
        QVERIFY(apply.applyMonochromeToolbar(false)); // true although the live key is fixed
        const QByteArray qtSettings = PexoTest::readFile(qtSettingsPath());
        QVERIFY2(qtSettings.contains("[Qt]\n") && qtSettings.contains("useSymbolicIconsForToolBar=false\n"), qtSettings.constData());
        const QByteArray stamp = stampProperty();
        QCOMPARE(stamp.size(), 13);
        QVERIFY(stamp != stampBefore);
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
        QVERIFY(!liveFile().contains("useSymbolicIconsForToolBar"));

        // The live toolbar flag is Qt's, not the live settings'.
        CurrentIconReadHelper read(&layers->settings);
        QVERIFY(!read.readMonochromeToolbar());
        IconThemePart part;
        part.read(&read);
        QVERIFY(!part.isToolbarMonochrome());
        QVERIFY(!part.hasChanges(&read));
        part.setIsToolbarMonochrome(true); // what the live settings hold
        QVERIFY(part.hasChanges(&read));

        PexoTest::writeFile(qtSettingsPath(), "[Qt]\nuseSymbolicIconsForToolBar=true\n");
        QVERIFY(read.readMonochromeToolbar()); // the file is reread
    }

    void taskbarFlag()
    {
        {
            auto layers = openLive("UseTrayIconTheme=true\n", QByteArray());
            QVERIFY(!CurrentIconApplyHelper(&layers->settings).applyMonochromeTaskbar(false));
            QVERIFY(PexoTest::takeWmCommands().isEmpty());
        }
        auto layers = openLive(QByteArray(), QByteArray());
        QVERIFY(CurrentIconApplyHelper(&layers->settings).applyMonochromeTaskbar(false));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{QStringLiteral("PEXOWM_UPDATE_VAL UseTrayIconTheme false\n")});
        QVERIFY(liveFile().contains("UseTrayIconTheme=false\n"));
        QVERIFY(!CurrentIconReadHelper(&layers->settings).readMonochromeTaskbar());
    }

    void partApply()
    {
        auto layers = openLive(QByteArray(), QByteArray());
        IconThemePart part;
        part.setCurrentTheme(QStringLiteral("Papirus"));
        part.setIsToolbarMonochrome(true);
        part.setIsTaskbarMonochrome(true);
        CurrentIconApplyHelper apply(&layers->settings);
        part.apply(&apply);

        QCOMPARE(PexoTest::takeWmCommands(),
                 QStringList({QStringLiteral("PEXOWM_UPDATE_VAL IconTheme Papirus\n"), QStringLiteral("PEXOWM_UPDATE_VAL UseTrayIconTheme true\n")}));
        QVERIFY(m_iconSignals.waitForCount(1));
        const QByteArray file = liveFile();
        QVERIFY(file.contains("IconTheme=Papirus\n"));
        QVERIFY(file.contains("useSymbolicIconsForToolBar=true\n"));
        QVERIFY(file.contains("UseTrayIconTheme=true\n"));
        CurrentIconReadHelper read(&layers->settings);
        QVERIFY(!part.hasChanges(&read));
    }
};

QTEST_MAIN(CurrentIconHelpersTest)

#include "currenticonhelperstest.moc"
