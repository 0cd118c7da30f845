// The screen-saver page, loaded as a settings host loads it.

#include <moduletestsupport.h>

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString id = QStringLiteral("kcm_pexo_screensaver");

bool readBool(QObject *module, const char *property)
{
    return module->property(property).toBool();
}
} // namespace

class ScreenSaverModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        BehaviourTest::resetFiles();
    }

    void metaData()
    {
        ModuleTest::verifyMetaData(id,
                                   {QStringLiteral("ScreenSaver"),
                                    QStringLiteral("Блокировка экрана"),
                                    QStringLiteral("ScreenSaver Settings"),
                                    QStringLiteral("Настройки экрана блокировки"),
                                    QStringLiteral("preferences-system-screen-lock"),
                                    QStringLiteral("70")});
    }

    void properties()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        const QStringList names{QStringLiteral("screensaverDelay"),
                                QStringLiteral("lockerDpmsTimeout"),
                                QStringLiteral("lockerOnDpms"),
                                QStringLiteral("lockerOnSleep"),
                                QStringLiteral("lockerOnSwitch"),
                                QStringLiteral("lockerOnLid"),
                                QStringLiteral("screensaverStartDelay"),
                                QStringLiteral("passwordTimeout"),
                                QStringLiteral("bellLevel"),
                                QStringLiteral("ttyLock"),
                                QStringLiteral("xaccessLock"),
                                QStringLiteral("numlockOn"),
                                QStringLiteral("hasPowerdevil"),
                                QStringLiteral("seatList")};
        QCOMPARE(ModuleTest::propertyNames(module.get()), names);
        ModuleTest::verifyProperties(module.get());
    }

    void saveAndDefaults()
    {
        ModuleTest::verifySaveAndDefaults(id);
        const auto module = ModuleTest::create(id);
        ModuleTest::verifySavedValue(module.get(), "screensaverStartDelay", 17, QStringLiteral("ScreenSaverStartOnDPMSDelay"), QStringLiteral("17"));
    }

    void immutability()
    {
        ModuleTest::verifyImmutability(id,
                                       {{QStringLiteral("screensaverDelay"), QStringLiteral("ScreenSaverDelay")},
                                        {QStringLiteral("lockerDpmsTimeout"), QStringLiteral("LockerDpmsOffTimeout")},
                                        {QStringLiteral("lockerOnDpms"), QStringLiteral("LockerOnDPMS")},
                                        {QStringLiteral("lockerOnSleep"), QStringLiteral("LockerOnSleep")},
                                        {QStringLiteral("lockerOnSwitch"), QStringLiteral("LockerOnSwitch")},
                                        {QStringLiteral("lockerOnLid"), QStringLiteral("LockerOnLid")},
                                        {QStringLiteral("screensaverStartDelay"), QStringLiteral("ScreenSaverStartOnDPMSDelay")},
                                        {QStringLiteral("passwordTimeout"), QStringLiteral("LockerWrongPasswdTimeout")},
                                        {QStringLiteral("bellLevel"), QStringLiteral("LockerBellLevel")},
                                        {QStringLiteral("ttyLock"), QStringLiteral("LockerTTYLock")},
                                        {QStringLiteral("xaccessLock"), QStringLiteral("LockerXaccessLock")},
                                        {QStringLiteral("numlockOn"), QStringLiteral("numLockOn")}},
                                       QStringLiteral("hasPowerdevil"));
    }

    // The daemon's name is longer than the kernel's 15-character command name.
    void powerManagementDaemon()
    {
        const QString daemon = QDir::homePath() + QStringLiteral("/bin/org_kde_powerdevil");
        QVERIFY(QDir().mkpath(QDir::homePath() + QStringLiteral("/bin")));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), daemon));
        const QString truncated = QDir::homePath() + QStringLiteral("/bin/org_kde_powerde");
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), truncated));

        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QSignalSpy powerdevil(module.get(), SIGNAL(hasPowerdevilChanged()));
        QSignalSpy seats(module.get(), SIGNAL(seatListChanged()));
        QProcess other;
        other.start(truncated, {QStringLiteral("60")});
        QVERIFY(other.waitForStarted(PexoTest::patienceMs));
        QVERIFY(!readBool(module.get(), "hasPowerdevil"));

        QProcess running;
        running.start(daemon, {QStringLiteral("60")});
        QVERIFY(running.waitForStarted(PexoTest::patienceMs));
        QVERIFY(readBool(module.get(), "hasPowerdevil"));
        running.kill();
        QVERIFY(PexoTest::waitForExit(running));
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QVERIFY(!readBool(module.get(), "hasPowerdevil"));
        QCOMPARE(powerdevil.count(), 1);
        QCOMPARE(seats.count(), 1);
        other.kill();
        QVERIFY(PexoTest::waitForExit(other));
    }

    void seatList()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(!readBool(module.get(), "seatList"));
        qputenv("PEXO_SEAT_LIST", QByteArray(""));
        QVERIFY(readBool(module.get(), "seatList"));
        qunsetenv("PEXO_SEAT_LIST");
    }

    void otherSettingsPrograms()
    {
        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-admin-dm")));
        const QString settings = ModuleTest::recordSettingsApplication();
        QVERIFY(!settings.isEmpty());

        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "openPowerDevilSettings"));
        QTRY_COMPARE_WITH_TIMEOUT(PexoTest::recordedCommands(), QStringList{settings + QStringLiteral(" kcm_powerdevilprofilesconfig")}, PexoTest::patienceMs);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "openDmSettings"));
        QTRY_COMPARE_WITH_TIMEOUT(PexoTest::recordedCommands().size(), 2, PexoTest::patienceMs);
        QCOMPARE(PexoTest::recordedCommands().last(), QStringLiteral("/usr/bin/pexo-admin-dm screensaver"));
    }
};

QTEST_MAIN(ScreenSaverModuleTest)

#include "screensavermoduletest.moc"
