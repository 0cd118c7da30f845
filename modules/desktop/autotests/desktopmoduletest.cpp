// The desktop page, loaded as a settings host loads it.

#include <moduletestsupport.h>

#include <QDir>
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
