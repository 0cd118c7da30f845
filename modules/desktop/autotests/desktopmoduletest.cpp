// The desktop page, loaded as a settings host loads it.

#include <moduletestsupport.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString id = QStringLiteral("kcm_pexo_desktop");
}

class DesktopModuleTest : public QObject
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
                                   {QStringLiteral("Desktop"),
                                    QStringLiteral("Рабочий стол"),
                                    QStringLiteral("Desktop Settings"),
                                    QStringLiteral("Настройки рабочего стола"),
                                    QStringLiteral("preferences-system-desktop"),
                                    QStringLiteral("40")});
    }

    void properties()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        const QStringList names{QStringLiteral("dndIndicator"), QStringLiteral("autoColor"), QStringLiteral("showTrash"), QStringLiteral("showComputer")};
        QCOMPARE(ModuleTest::propertyNames(module.get()), names);
        ModuleTest::verifyProperties(module.get());
    }

    void saveAndDefaults()
    {
        ModuleTest::verifySaveAndDefaults(id);
        const auto module = ModuleTest::create(id);
        ModuleTest::verifySavedValue(module.get(), "autoColor", false, QStringLiteral("AdaptiveIconStringColor"), QStringLiteral("false"));
    }

    void immutability()
    {
        ModuleTest::verifyImmutability(id,
                                       {{QStringLiteral("dndIndicator"), QStringLiteral("DnDIndicationOnDesktop")},
                                        {QStringLiteral("autoColor"), QStringLiteral("AdaptiveIconStringColor")},
                                        {QStringLiteral("showTrash"), QStringLiteral("showTrash")}},
                                       QStringLiteral("showComputer"));
    }

    // Nothing fits on the disk: the save fails at once with the page's
    // error, writes and announces nothing, and the changes still need saving.
    void fullHome()
    {
        const QString computer = QDir::homePath() + QStringLiteral("/Desktops/Desktop1/mycomp.desktop");
        QVERIFY(PexoTest::writeFile(computer, "[Desktop Entry]\nType=Link\nHidden=true\n"));
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QSignalSpy errors(module.get(), SIGNAL(error(QString)));
        module->setProperty("dndIndicator", false);
        module->setProperty("showComputer", true);

        const PexoTest::FullDisk disk(QDir::homePath());
        QVERIFY(disk.isFull());
        const PexoTest::TreeSnapshot before = PexoTest::snapshotTree(QDir::homePath());
        {
            const PexoTest::Watchdog watchdog(PexoTest::patienceMs / 1000);
            QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
            QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        }
        QCOMPARE(errors.count(), 2);
        const QString message = errors.first().first().toString();
        QVERIFY2(message.contains(ThemeDefaults::currentThemeConfigPath) && message.contains(computer), qPrintable(message));
        QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath())), QStringList());
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "updateNeedSave"));
        QVERIFY(module->property("needsSave").toBool());
    }

    void openSettings()
    {
        const QString settings = ModuleTest::recordSettingsApplication();
        QVERIFY(!settings.isEmpty());

        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "openSettings", Q_ARG(QString, QString())));
        QTRY_COMPARE_WITH_TIMEOUT(PexoTest::recordedCommands(), QStringList{settings + QLatin1Char(' ')}, PexoTest::patienceMs);
    }
};

QTEST_MAIN(DesktopModuleTest)

#include "desktopmoduletest.moc"
