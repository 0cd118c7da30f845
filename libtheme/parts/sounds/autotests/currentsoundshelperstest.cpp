// The live sounds helpers: the live settings file and the window manager.

#include "currentsoundsapplyhelper.h"
#include "currentsoundsreadhelper.h"
#include "kconfigstorage.h"
#include "soundsthemepart.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <pexotestsupport.h>

#include <QMetaEnum>
#include <QTest>

#include <memory>

namespace {
struct Layers
{
    KConfigStorage master{ThemeDefaults::masterThemeConfigPath};
    KConfigStorage user{ThemeDefaults::currentThemeConfigPath};
    ThemeSettings settings{&master, &user};
};

std::unique_ptr<Layers> openLive(const QByteArray &masterBody)
{
    PexoTest::writeFile(ThemeDefaults::masterThemeConfigPath, "[Variables]\n" + masterBody);
    PexoTest::writeFile(ThemeDefaults::currentThemeConfigPath, "[Variables]\n");
    return std::make_unique<Layers>();
}

// The key of an event: its enumerator's name followed by "Sound".
QString eventKey(int sound)
{
    return QLatin1String(QMetaEnum::fromType<SoundsThemePart::Sounds>().valueToKey(sound)) + QStringLiteral("Sound");
}

// A part whose event values are "<key>.wav", MenuPopup's empty.
void fill(SoundsThemePart &part)
{
    part.setSoundThemeEnabled(true);
    part.setSoundTheme(QStringLiteral("freedesktop"));
    for (int i = SoundsThemePart::MenuCommand; i <= SoundsThemePart::AltKb; ++i) {
        part.setSound(SoundsThemePart::Sounds(i), eventKey(i) + QStringLiteral(".wav"));
    }
}

// The commands that applying such a part sends, in table order.
QStringList expectedCommands()
{
    QStringList commands{QStringLiteral("PEXOWM_UPDATE_VAL EnableSound true\n"), QStringLiteral("PEXOWM_UPDATE_VAL SoundTheme freedesktop\n")};
    commands << QStringLiteral("PEXOWM_UPDATE_VAL MenuPopupSound \n");
    for (int i = SoundsThemePart::MenuCommand; i <= SoundsThemePart::AltKb; ++i) {
        commands << QStringLiteral("PEXOWM_UPDATE_VAL %1 %1.wav\n").arg(eventKey(i));
    }
    return commands;
}
} // namespace

class CurrentSoundsHelpersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        PexoTest::takeWmCommands();
    }

    void everyKeyInTableOrder()
    {
        auto layers = openLive(QByteArray());
        SoundsThemePart part;
        fill(part);
        CurrentSoundsApplyHelper apply(&layers->settings);
        part.apply(&apply);

        QCOMPARE(PexoTest::takeWmCommands(), expectedCommands());
        const QByteArray file = PexoTest::readFile(ThemeDefaults::currentThemeConfigPath);
        QVERIFY(file.contains("EnableSound=true\n"));
        QVERIFY(file.contains("MenuPopupSound=\n"));
        QVERIFY(file.contains("AltKbSound=AltKbSound.wav\n"));

        SoundsThemePart live;
        CurrentSoundsReadHelper read(&layers->settings);
        live.read(&read);
        QVERIFY(live == part);
        QVERIFY(!part.hasChanges(&read));
    }

    void masterFixesEnableSound()
    {
        auto layers = openLive("EnableSound=false\n");
        CurrentSoundsApplyHelper apply(&layers->settings);
        QVERIFY(!apply.applySoundThemeEnabled(true));
        QVERIFY(PexoTest::takeWmCommands().isEmpty());

        SoundsThemePart part;
        fill(part);
        part.apply(&apply);
        QCOMPARE(PexoTest::takeWmCommands(), expectedCommands().mid(1));
        QVERIFY(!PexoTest::readFile(ThemeDefaults::currentThemeConfigPath).contains("EnableSound"));
        QVERIFY(!CurrentSoundsReadHelper(&layers->settings).readSoundThemeEnabled());
    }

    void noWindowManager()
    {
        auto layers = openLive(QByteArray());
        CurrentSoundsApplyHelper apply(&layers->settings);
        PexoTest::stopWmListener();
        const bool applied = apply.applyOpenSound(QStringLiteral("open.wav"));
        PexoTest::startWmListener();
        QVERIFY(!applied);
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
        // The key is written before the window manager is told.
        QVERIFY(PexoTest::readFile(ThemeDefaults::currentThemeConfigPath).contains("OpenSound=open.wav\n"));
    }
};

QTEST_GUILESS_MAIN(CurrentSoundsHelpersTest)

#include "currentsoundshelperstest.moc"
