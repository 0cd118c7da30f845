// The taskbar page, loaded as a settings host loads it.

#include <moduletestsupport.h>

#include <QTest>

namespace {
const QString id = QStringLiteral("kcm_pexo_taskbar");
}

class TaskbarModuleTest : public QObject
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
                                   {QStringLiteral("Taskbar"),
                                    QStringLiteral("Панель задач"),
                                    QStringLiteral("Taskbar Settings"),
                                    QStringLiteral("Настройки панели задач"),
                                    QStringLiteral("preferences-system-taskbar"),
                                    QStringLiteral("50")});
    }

    void properties()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        const QStringList names{QStringLiteral("labelsOnTaskbar"),
                                QStringLiteral("usePager"),
                                QStringLiteral("buttonCombine"),
                                QStringLiteral("multiTaskbar"),
                                QStringLiteral("switcherAllPages"),
                                QStringLiteral("useNationalFlags")};
        QCOMPARE(ModuleTest::propertyNames(module.get()), names);
        ModuleTest::verifyProperties(module.get());
    }

    void saveAndDefaults()
    {
        ModuleTest::verifySaveAndDefaults(id);
        const auto module = ModuleTest::create(id);
        ModuleTest::verifySavedValue(module.get(), "labelsOnTaskbar", false, QStringLiteral("NoTaskbarButtonName"), QStringLiteral("true"));
    }

    void immutability()
    {
        ModuleTest::verifyImmutability(id,
                                       {{QStringLiteral("labelsOnTaskbar"), QStringLiteral("NoTaskbarButtonName")},
                                        {QStringLiteral("usePager"), QStringLiteral("UsePager")},
                                        {QStringLiteral("buttonCombine"), QStringLiteral("TaskbarButtonCombine")},
                                        {QStringLiteral("multiTaskbar"), QStringLiteral("MultiTaskbar")},
                                        {QStringLiteral("switcherAllPages"), QStringLiteral("SwitcherAllPages")},
                                        {QStringLiteral("useNationalFlags"), QStringLiteral("BaseKbImage")},
                                        {QStringLiteral("useAltNationalFlags"), QStringLiteral("AltKbImage")}},
                                       QStringLiteral("position"));
    }

    // Two pages open in one settings application: a value the other page
    // saved after this one loaded is neither written back nor a change here.
    void otherPageSavedMeanwhile()
    {
        BehaviourTest::resetFiles("OwnKbPerWindow=false\nUsePager=true\n");
        const auto taskbar = ModuleTest::create(id);
        const auto wm = ModuleTest::create(QStringLiteral("kcm_pexo_wm"));
        QVERIFY(taskbar && wm);
        QVERIFY(QMetaObject::invokeMethod(taskbar.get(), "load"));
        QVERIFY(QMetaObject::invokeMethod(wm.get(), "load"));

        QVERIFY(wm->setProperty("keyboardPerWindow", true));
        QVERIFY(QMetaObject::invokeMethod(wm.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("OwnKbPerWindow")), QStringLiteral("true"));
        PexoTest::takeWmCommands();

        QVERIFY(taskbar->setProperty("usePager", false));
        QVERIFY(taskbar->setProperty("usePager", true));
        QVERIFY(!taskbar->property("needsSave").toBool());
        QVERIFY(taskbar->setProperty("usePager", false));
        QVERIFY(QMetaObject::invokeMethod(taskbar.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("UsePager")), QStringLiteral("false"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("OwnKbPerWindow")), QStringLiteral("true"));
        QCOMPARE(PexoTest::takeWmCommands().filter(QStringLiteral("OwnKbPerWindow")), QStringList());
    }
};

QTEST_MAIN(TaskbarModuleTest)

#include "taskbarmoduletest.moc"
