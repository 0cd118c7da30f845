// The live colour road: "paletterc", the window manager, the shell commands,
// the window-manager colour references, Qt's palette, the D-Bus signals and
// the settings stamp.

#include "colorsthemepart.h"
#include "currentcolorsapplyhelper.h"
#include "currentcolorsreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <pexotestsupport.h>

#include <KConfig>
#include <KConfigGroup>

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {
const QString killTaskbar = QStringLiteral("/usr/bin/killall pexo-start-panel");
const QString updateKeyboard = QStringLiteral("/usr/bin/pexo-vkbd --update");
const QString foreignSchemePath = QStringLiteral("/usr/share/color-schemes/Forest.colors");
const QStringList paletteVariables{QStringLiteral("PrimaryColor"),
                                   QStringLiteral("PrimaryTextColor"),
                                   QStringLiteral("PrimaryLightColor"),
                                   QStringLiteral("PrimaryLightTextColor"),
                                   QStringLiteral("PrimaryDarkColor"),
                                   QStringLiteral("PrimaryDarkTextColor"),
                                   QStringLiteral("BackgroundColor"),
                                   QStringLiteral("BackgroundTextColor")};

struct Live
{
    KConfigStorage master{ThemeDefaults::masterThemeConfigPath};
    KConfigStorage user{ThemeDefaults::currentThemeConfigPath};
    ThemeSettings settings{&master, &user};
    CurrentColorsApplyHelper apply{&settings};
    CurrentColorsReadHelper read{&settings};
};

// Writes the master file (fixing MenuColor) and the live settings file, then opens the live helpers.
std::unique_ptr<Live> openLive(const QByteArray &liveBody = QByteArray())
{
    PexoTest::writeFile(ThemeDefaults::masterThemeConfigPath, "[Variables]\nMenuColor=#123123\n");
    PexoTest::writeFile(ThemeDefaults::currentThemeConfigPath, "[Variables]\n" + liveBody);
    return std::make_unique<Live>();
}

// The "Variables" group of a file as it is on disk now.
QMap<QString, QString> onDisk(const QString &path)
{
    KConfig file(path, KConfig::SimpleConfig);
    return file.group(ThemeDefaults::themeVariablesGroup).entryMap();
}

QString liveValue(const QString &key)
{
    return onDisk(ThemeDefaults::currentThemeConfigPath).value(key, QStringLiteral("<missing>"));
}

QString paletteValue(const QString &key)
{
    return onDisk(ThemeDefaults::paletteConfigPath).value(key, QStringLiteral("<missing>"));
}

QString wmUpdate(const QString &key, const QString &value)
{
    return ThemeDefaults::wmUpdateVariableFormat.arg(key, value);
}

QString qtSettingsPath()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Trolltech")).fileName();
}

QStringList qtPalette(const char *group)
{
    return QSettings(qtSettingsPath(), QSettings::IniFormat).value(QStringLiteral("Qt/Palette/") + QLatin1String(group)).toStringList();
}

QString breeze(const char *key)
{
    return KConfig(QStringLiteral("breezerc"), KConfig::SimpleConfig).group("Colors:View").readEntry(key, QString());
}

QDateTime stampTime()
{
    QDataStream stream(PexoTest::rootWindowProperty("_QT_SETTINGS_TIMESTAMP_" + qgetenv("DISPLAY")));
    QDateTime time;
    stream >> time;
    return time;
}

QByteArray dataFile(const char *name)
{
    return PexoTest::readFile(QStringLiteral(PEXO_DATA_DIR "/") + QLatin1String(name));
}
} // namespace

class CurrentColorsHelpersTest : public QObject
{
    Q_OBJECT

private:
    PexoTest::DBusSignalWatcher m_signals;

    // Shell commands run since the previous call.
    QStringList takeShellCommands()
    {
        const QStringList commands = PexoTest::recordedCommands();
        PexoTest::clearRecordedCommands();
        return commands;
    }

    // The two signals of one scheme change, in order, and nothing else.
    void verifySchemeSignals()
    {
        QVERIFY(m_signals.waitForCount(2));
        QVERIFY(m_signals.sync());
        QCOMPARE(m_signals.members(), QStringList({QStringLiteral("reparseConfiguration"), QStringLiteral("iconChanged")}));
        m_signals.clear();
    }

    // All 38 references name palette variables (but MenuColor, fixed by the master file).
    void verifyRestored()
    {
        const QMap<QString, QString> live = onDisk(ThemeDefaults::currentThemeConfigPath);
        int references = 0;
        for (auto it = live.cbegin(); it != live.cend(); ++it) {
            references += paletteVariables.contains(it.value());
        }
        QCOMPARE(references, 37);
        QVERIFY(!live.contains(QStringLiteral("MenuColor")));
        QCOMPARE(live.value(QStringLiteral("TitlebarColor")), QStringLiteral("BackgroundColor"));
        QCOMPARE(live.value(QStringLiteral("TitleStringActiveColor")), QStringLiteral("PrimaryTextColor"));
        QCOMPARE(live.value(QStringLiteral("TaskbarColor")), QStringLiteral("PrimaryDarkColor"));
        QCOMPARE(live.value(QStringLiteral("SwitcherActiveColor")), QStringLiteral("PrimaryColor"));
        QCOMPARE(live.value(QStringLiteral("IconStringColor")), QStringLiteral("PrimaryTextColor"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *name : {"UlvarLight.colors", "UlvarDark.colors", "UlvarTornelAdmin.colors"}) {
            QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/share/color-schemes/") + QLatin1String(name), dataFile(name)));
        }
        QVERIFY(PexoTest::writeFile(foreignSchemePath,
                                    "[Colors:Selection]\nBackgroundNormal=46,125,50\n\n[Colors:Window]\nBackgroundNormal=232,240,232\n"
                                    "ForegroundNormal=20,30,20\n\n[General]\nName=Forest\n"));
        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-vkbd")));
        QVERIFY(m_signals.watch(QStringLiteral("/BreezeStyle"), QStringLiteral("org.kde.Breeze.Style"), QStringLiteral("reparseConfiguration")));
        QVERIFY(m_signals.watch(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged")));
    }

    void init()
    {
        PexoTest::takeWmCommands();
        takeShellCommands();
        m_signals.clear();
    }

    void invalidColor_data()
    {
        QTest::addColumn<QString>("color");
        QTest::newRow("empty") << QString();
        QTest::newRow("no colour name") << QStringLiteral("nocolour");
        QTest::newRow("five digits") << QStringLiteral("#12345");
    }

    void invalidColor()
    {
        QFETCH(QString, color);
        auto live = openLive();
        const QByteArray before = PexoTest::readFile(ThemeDefaults::paletteConfigPath);
        QVERIFY(!live->apply.applyPrimaryColor(color));
        QVERIFY(!live->apply.applyBackgroundColor(color));
        QCOMPARE(PexoTest::readFile(ThemeDefaults::paletteConfigPath), before);
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());
        QCOMPARE(takeShellCommands(), QStringList());
    }

    // A helper program that hangs is killed: the change goes on.
    void hungHelperProgram()
    {
        auto live = openLive("PrimaryColor=#000001\n");
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/bin/pexo-vkbd"), "#!/bin/sh\nexec sleep 600\n"));
        auto restore = qScopeGuard([] {
            PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-vkbd"));
        });
        const PexoTest::Watchdog watchdog(PexoTest::patienceMs / 1000);
        QVERIFY(live->apply.applyPrimaryColor(QStringLiteral("#000002")));
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#000002"));
    }

    void paletteColors()
    {
        auto live = openLive("PrimaryColor=#000001\n");
        // A colour keyword is written as given.
        QVERIFY(live->apply.applyPrimaryColor(QStringLiteral("red")));
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("red"));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmUpdate(QStringLiteral("PrimaryColor"), QStringLiteral("red"))});
        QCOMPARE(takeShellCommands(), QStringList({killTaskbar, updateKeyboard}));

        QVERIFY(live->apply.applyBackgroundColor(QStringLiteral("#202020")));
        QCOMPARE(paletteValue(QStringLiteral("BackgroundColor")), QStringLiteral("#202020"));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmUpdate(QStringLiteral("BackgroundColor"), QStringLiteral("#202020"))});
        QCOMPARE(takeShellCommands(), QStringList());

        // The live read takes "paletterc" only.
        QCOMPARE(live->read.readPrimaryColor(), QStringLiteral("red"));
        QCOMPARE(liveValue(QStringLiteral("PrimaryColor")), QStringLiteral("#000001"));

        // Without the window manager the value stays written, and the taskbar is left alone.
        QVERIFY(PexoTest::stopWmListener());
        const bool applied = live->apply.applyPrimaryColor(QStringLiteral("#123456"));
        QVERIFY(PexoTest::startWmListener());
        QVERIFY(!applied);
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#123456"));
        QCOMPARE(takeShellCommands(), QStringList());
    }

    void systemScheme()
    {
        auto live = openLive("SwitcherActiveColor=kept\n");
        ColorsThemePart part;
        part.setColorSchemeType(QStringLiteral("Custom"));
        part.setWallpaperColorSchemeType(QStringLiteral("dark"));
        part.setIsCustomColorSchemeDark(true);
        part.setPrimaryColor(QStringLiteral("#abcdef"));
        part.setBackgroundColor(QStringLiteral("#fedcba"));
        part.setColorSchemePath(ThemeDefaults::darkColorSchemePath);

        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        part.apply(&live->apply);

        QCOMPARE(PexoTest::takeWmCommands(),
                 QStringList({wmUpdate(QStringLiteral("PrimaryColor"), QStringLiteral("#abcdef")),
                              wmUpdate(QStringLiteral("BackgroundColor"), QStringLiteral("#fedcba")),
                              wmUpdate(QStringLiteral("ColorScheme"), ThemeDefaults::darkColorSchemePath)}));
        // Once, after the replaced references: the primary colour needs no run of its own.
        QCOMPARE(takeShellCommands(), QStringList({killTaskbar, updateKeyboard}));
        QVERIFY(m_signals.waitForCount(2));
        QCOMPARE(m_signals.arrivals().at(0).path(), QStringLiteral("/BreezeStyle"));
        QVERIFY(m_signals.arrivals().at(0).arguments().isEmpty());
        QCOMPARE(m_signals.arrivals().at(1).path(), QStringLiteral("/KIconLoader"));
        QCOMPARE(m_signals.arrivals().at(1).arguments(), QVariantList{QVariant(0)});
        verifySchemeSignals();

        // The stamp is renewed after Qt's palette is written and before "ColorScheme" is.
        const QDateTime stamp = stampTime();
        QVERIFY(stamp >= before);
        QVERIFY(QFileInfo(qtSettingsPath()).lastModified() <= stamp);
        QVERIFY(stamp <= QFileInfo(ThemeDefaults::paletteConfigPath).lastModified());

        // The three plain values and the scheme's own window-manager colours.
        const QList<QPair<const char *, const char *>> expected{
            {"SchemeType", "Custom"},
            {"WallPaperColorScheme", "dark"},
            {"CustomSchemeDark", "true"},
            {"TitlebarActiveColor", "#2884be"},
            {"FrameActiveColor", "#2884be"},
            {"TitleStringActiveColor", "#ffffff"},
            {"TitlebarColor", "#24282c"},
            {"FrameActiveOutlineColor", "#4c9fd2"},
            {"FrameOutlineColor", "#3a4046"},
            {"TaskbarColor", "#181a1d"},
            {"MenuColor2", "#181a1d"},
            {"ClockStringColor", "#ffffff"},
            {"ButtonColor", "#33383e"},
            {"IconStringColor", "white"},
            {"SwitcherActiveColor", "kept"},
            {"MenuColor", "<missing>"}, // fixed by the master file
        };
        for (const auto &[key, value] : expected) {
            QCOMPARE(liveValue(QLatin1String(key)), QLatin1String(value));
        }

        // "paletterc": the scheme's colours replace the part's.
        QCOMPARE(live->read.readPrimaryColor(), QStringLiteral("#2884be"));
        QCOMPARE(live->read.readBackgroundColor(), QStringLiteral("#181a1d"));
        QCOMPARE(live->read.readColorSchemePath(), ThemeDefaults::darkColorSchemePath);
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#2884be"));

        // Qt's palette and the Breeze colours come from the scheme file.
        const QStringList active = qtPalette("active");
        QCOMPARE(active.size(), 21);
        QCOMPARE(qtPalette("disabled").size(), 21);
        QCOMPARE(active.at(QPalette::Highlight), QStringLiteral("#2884be"));
        QCOMPARE(active.at(QPalette::Window), QStringLiteral("#2a2e32"));
        QCOMPARE(breeze("DecorationFocus"), QStringLiteral("#2884be"));
        QCOMPARE(breeze("DecorationHover"), QStringLiteral("#539dcb"));
    }

    void foreignScheme()
    {
        auto live = openLive();
        const QFileInfo liveFile(ThemeDefaults::currentThemeConfigPath);
        PexoTest::FileWriteCounter writes(liveFile.absolutePath());
        // A system scheme first: the foreign one then gives back every reference.
        QVERIFY(live->apply.applyColorSchemePath(ThemeDefaults::lightColorSchemePath));
        QCOMPARE(writes.count(liveFile.fileName()), 1); // the references at once
        QCOMPARE(liveValue(QStringLiteral("TitlebarActiveColor")), QStringLiteral("#118bcc"));
        QVERIFY(live->apply.applyPrimaryColor(QStringLiteral("#aa3300")));
        QVERIFY(live->apply.applyBackgroundColor(QStringLiteral("#eeeeee")));
        verifySchemeSignals();
        init();

        QVERIFY(live->apply.applyColorSchemePath(foreignSchemePath));
        QCOMPARE(writes.count(liveFile.fileName()), 2);
        verifyRestored();
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#aa3300"));
        QCOMPARE(paletteValue(QStringLiteral("BackgroundColor")), QStringLiteral("#eeeeee"));
        QCOMPARE(paletteValue(QStringLiteral("ColorScheme")), foreignSchemePath);
        QCOMPARE(takeShellCommands(), QStringList());
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmUpdate(QStringLiteral("ColorScheme"), foreignSchemePath)});
        verifySchemeSignals();
        // KDE's palette of the scheme, with its selection as the decoration colour.
        QCOMPARE(qtPalette("active").at(QPalette::Highlight), QStringLiteral("#2e7d32"));
        QCOMPARE(qtPalette("active").at(QPalette::Window), QStringLiteral("#e8f0e8"));
        QCOMPARE(breeze("DecorationFocus"), QStringLiteral("#2e7d32"));

        // An empty path goes the same way.
        QVERIFY(live->apply.applyColorSchemePath(QString()));
        QCOMPARE(paletteValue(QStringLiteral("ColorScheme")), QString());
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmUpdate(QStringLiteral("ColorScheme"), QString())});
        verifySchemeSignals();
    }

    void ownScheme()
    {
        const QString userScheme = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/color-schemes/User.colors");
        QVERIFY(PexoTest::writeFile(userScheme, dataFile("User.colors")));
        auto live = openLive();
        QVERIFY(live->apply.applyPrimaryColor(QStringLiteral("#cc3311")));
        QVERIFY(live->apply.applyBackgroundColor(QStringLiteral("#ffffff")));
        QVERIFY(live->apply.applyColorSchemePath(userScheme));
        verifySchemeSignals();

        // Built from the colours last applied, and written back into the scheme.
        verifyRestored();
        QCOMPARE(qtPalette("active").at(QPalette::Highlight), QStringLiteral("#cc3311"));
        QCOMPARE(breeze("DecorationFocus"), QStringLiteral("#cc3311"));
        QCOMPARE(KConfig(userScheme, KConfig::SimpleConfig).group("Colors:Selection").readEntry("BackgroundNormal", QColor()), QColor(0xcc, 0x33, 0x11));
    }

    void systemNameWithoutColors_data()
    {
        QTest::addColumn<QByteArray>("contents"); // empty: no file
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("no WM group") << QByteArray("[Colors:Selection]\nBackgroundNormal=200,0,0\n\n[General]\nName=Broken\n");
    }

    void systemNameWithoutColors()
    {
        QFETCH(QByteArray, contents);
        const QString path = ThemeDefaults::adminColorSchemePath;
        PexoTest::removePath(path);
        if (!contents.isEmpty()) {
            QVERIFY(PexoTest::writeFile(path, contents));
        }
        auto live = openLive("TitlebarColor=#111111\n");
        QVERIFY(live->apply.applyPrimaryColor(QStringLiteral("#aa3300")));
        QVERIFY(live->apply.applyBackgroundColor(QStringLiteral("#eeeeee")));
        init();

        // Treated as a foreign scheme: nothing turns black, the user's colours stay.
        const bool applied = live->apply.applyColorSchemePath(path);
        QVERIFY(PexoTest::writeFile(path, dataFile("UlvarTornelAdmin.colors")));
        QVERIFY(applied);
        verifyRestored();
        QVERIFY(!PexoTest::readFile(ThemeDefaults::currentThemeConfigPath).contains("#000000"));
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#aa3300"));
        QCOMPARE(paletteValue(QStringLiteral("BackgroundColor")), QStringLiteral("#eeeeee"));
        QCOMPARE(paletteValue(QStringLiteral("ColorScheme")), path);
        QCOMPARE(takeShellCommands(), QStringList());
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmUpdate(QStringLiteral("ColorScheme"), path)});
        verifySchemeSignals();
    }

    void partialWindowManagerGroup()
    {
        // A system name whose "WM" group lacks most entries takes what it has, black for the rest.
        const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/color-schemes/UlvarLight.colors");
        QVERIFY(PexoTest::writeFile(path, "[WM]\nactiveWindowHeader=17,139,204\ninactiveWindowHeader=#AABBCC\n"));
        auto live = openLive();
        QVERIFY(live->apply.applyColorSchemePath(path));
        verifySchemeSignals();

        QCOMPARE(liveValue(QStringLiteral("TitlebarActiveColor2")), QStringLiteral("#118bcc"));
        QCOMPARE(liveValue(QStringLiteral("TitlebarColor")), QStringLiteral("#aabbcc"));
        QCOMPARE(liveValue(QStringLiteral("TaskbarColor")), QStringLiteral("#000000"));
        QCOMPARE(liveValue(QStringLiteral("TaskbarStringColor")), QStringLiteral("#ffffff"));
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#118bcc"));
        QCOMPARE(paletteValue(QStringLiteral("BackgroundColor")), QStringLiteral("#000000"));
        QCOMPARE(takeShellCommands(), QStringList({killTaskbar, updateKeyboard}));
    }

    void unwritablePalette()
    {
        // A directory where "paletterc" should be: every write to it fails.
        PexoTest::removePath(ThemeDefaults::paletteConfigPath);
        QVERIFY(QDir().mkpath(ThemeDefaults::paletteConfigPath));
        auto live = openLive();
        QVERIFY(!live->apply.applyPrimaryColor(QStringLiteral("#123456")));
        QVERIFY(!live->apply.applyBackgroundColor(QStringLiteral("#123456")));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());
        QCOMPARE(takeShellCommands(), QStringList());

        // The scheme path is still announced.
        QVERIFY(live->apply.applyColorSchemePath(foreignSchemePath));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmUpdate(QStringLiteral("ColorScheme"), foreignSchemePath)});
        verifySchemeSignals();
    }
};

QTEST_MAIN(CurrentColorsHelpersTest)

#include "currentcolorshelperstest.moc"
