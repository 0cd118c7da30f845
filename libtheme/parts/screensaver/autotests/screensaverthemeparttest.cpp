#include "screensaverthemepart.h"
#include "basepersonalizationsettingsprovider.h"
#include "behaviourtestsupport.h"

#include <QSignalSpy>

using namespace BehaviourTest;

namespace {
const QStringList keys = {QStringLiteral("ScreenSaverDelay"),
                          QStringLiteral("LockerDpmsOffTimeout"),
                          QStringLiteral("LockerOnDPMS"),
                          QStringLiteral("LockerOnSleep"),
                          QStringLiteral("LockerOnSwitch"),
                          QStringLiteral("LockerOnLid"),
                          QStringLiteral("ScreenSaverStartOnDPMSDelay"),
                          QStringLiteral("LockerWrongPasswdTimeout"),
                          QStringLiteral("LockerBellLevel"),
                          QStringLiteral("LockerTTYLock"),
                          QStringLiteral("LockerXaccessLock"),
                          QStringLiteral("numLockOn")};

QStringList valuesOf(const ScreenSaverThemePart &part)
{
    const auto flag = [](bool value) {
        return value ? QStringLiteral("true") : QStringLiteral("false");
    };
    return {QString::number(part.delay()),
            QString::number(part.lockerDpmsTimeout()),
            flag(part.lockerOnDpms()),
            flag(part.lockerOnSleep()),
            flag(part.lockerOnSwitch()),
            flag(part.lockerOnLid()),
            QString::number(part.startDelay()),
            QString::number(part.passwordTimeout()),
            QString::number(part.bellLevel()),
            flag(part.ttyLock()),
            flag(part.xaccessLock()),
            flag(part.numlockOn())};
}

const QStringList defaultValues = {QStringLiteral("600"),
                                   QStringLiteral("60"),
                                   QStringLiteral("true"),
                                   QStringLiteral("true"),
                                   QStringLiteral("true"),
                                   QStringLiteral("true"),
                                   QStringLiteral("3"),
                                   QStringLiteral("2"),
                                   QStringLiteral("50"),
                                   QStringLiteral("true"),
                                   QStringLiteral("false"),
                                   QStringLiteral("false")};
} // namespace

class ScreenSaverThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        resetFiles();
    }

    void absentKeysReadAsDefaults()
    {
        BasePersonalizationSettingsProvider provider;
        ScreenSaverThemePart part;
        part.setDelay(1);
        part.setNumlockOn(true);
        part.read(provider.screenSaverReadHelper());
        QCOMPARE(valuesOf(part), defaultValues);

        ScreenSaverThemePart defaults;
        defaults.setBellLevel(7);
        defaults.defaults();
        QVERIFY(defaults == part);
    }

    void readsValues_data()
    {
        QTest::addColumn<QByteArray>("live");
        QTest::addColumn<int>("bellLevel");
        QTest::addColumn<bool>("numlockOn");

        QTest::newRow("numbers") << QByteArray("LockerBellLevel= 75 \nnumLockOn=true\n") << 75 << true;
        QTest::newRow("FALSE") << QByteArray("LockerBellLevel=-3\nnumLockOn=FALSE\n") << -3 << false;
        QTest::newRow("no") << QByteArray("LockerBellLevel=abc\nnumLockOn=no\n") << 0 << true;
        QTest::newRow("other spelling") << QByteArray("NumLockOn=true\nnumlockOn=true\n") << 50 << false;
    }

    void readsValues()
    {
        QFETCH(QByteArray, live);
        QFETCH(int, bellLevel);
        QFETCH(bool, numlockOn);

        resetFiles(live);
        BasePersonalizationSettingsProvider provider;
        ScreenSaverThemePart part;
        part.read(provider.screenSaverReadHelper());
        QCOMPARE(part.bellLevel(), bellLevel);
        QCOMPARE(part.numlockOn(), numlockOn);
    }

    void appliesEveryValue()
    {
        BasePersonalizationSettingsProvider provider;
        ScreenSaverThemePart part;
        part.defaults();
        part.setDelay(-5);
        part.setLockerOnLid(false);
        part.setNumlockOn(true);
        part.apply(provider.screenSaverApplyHelper());

        QStringList values = defaultValues;
        values[0] = QStringLiteral("-5");
        values[5] = QStringLiteral("false");
        values[11] = QStringLiteral("true");
        QStringList expected;
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(liveValue(keys.at(i)), values.at(i));
            expected << variableCommand(keys.at(i), values.at(i));
        }
        QCOMPARE(PexoTest::takeWmCommands(), expected);
        QVERIFY(!part.hasChanges(provider.screenSaverReadHelper()));
    }

    void masterKeyIsNeitherWrittenNorSent()
    {
        resetFiles("", "LockerTTYLock=false\n");
        BasePersonalizationSettingsProvider provider;
        ScreenSaverThemePart part;
        part.defaults();
        part.apply(provider.screenSaverApplyHelper());
        QVERIFY(liveValue(QStringLiteral("LockerTTYLock")).isNull());
        const QStringList commands = PexoTest::takeWmCommands();
        QCOMPARE(commands.size(), 11);
        QVERIFY(!commands.contains(variableCommand(QStringLiteral("LockerTTYLock"), QStringLiteral("true"))));
        QCOMPARE(commands.last(), variableCommand(QStringLiteral("numLockOn"), QStringLiteral("false")));
    }

    void delaySignal()
    {
        ScreenSaverThemePart part;
        part.defaults();
        QSignalSpy delayChanged(&part, &ScreenSaverThemePart::screensaverDelayChanged);
        QSignalSpy startDelayChanged(&part, &ScreenSaverThemePart::screensaverStartDelayChanged);
        QSignalSpy changed(&part, &IThemePart::changed);
        part.setDelay(600);
        part.setDelay(300);
        part.setStartDelay(9);
        QCOMPARE(delayChanged.count(), 1);
        QCOMPARE(startDelayChanged.count(), 1);
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(ScreenSaverThemePartTest)

#include "screensaverthemeparttest.moc"
