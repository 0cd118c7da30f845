// The window-manager page, loaded as a settings host loads it.

#include <moduletestsupport.h>

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString id = QStringLiteral("kcm_pexo_wm");
}

class WmModuleTest : public QObject
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
                                   {QStringLiteral("Window Manager"),
                                    QStringLiteral("Менеджер окон"),
                                    QStringLiteral("Window Manager Settings"),
                                    QStringLiteral("Настройки менеджера окон"),
                                    QStringLiteral("preferences-system-windows"),
                                    QStringLiteral("60")});
    }

    void properties()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        const QStringList names{QStringLiteral("keyboardPerWindow"),
                                QStringLiteral("keyboardForNewWindow"),
                                QStringLiteral("opaqueMove"),
                                QStringLiteral("opaqueMoveEnabled"),
                                QStringLiteral("opaqueResize"),
                                QStringLiteral("opaqueResizeEnabled"),
                                QStringLiteral("snappingMoving"),
                                QStringLiteral("snappingResize"),
                                QStringLiteral("placement"),
                                QStringLiteral("smartPlacement"),
                                QStringLiteral("titlebarStringCentered"),
                                QStringLiteral("snapTopMaximize"),
                                QStringLiteral("restoreSizeAfterSnap"),
                                QStringLiteral("resizeAllSnap")};
        QCOMPARE(ModuleTest::propertyNames(module.get()), names);
        ModuleTest::verifyProperties(module.get());
    }

    void saveAndDefaults()
    {
        ModuleTest::verifySaveAndDefaults(id);
    }

    void opaqueResizeAlone()
    {
        BehaviourTest::resetFiles("OpaqueMove=false\nOpaqueResize=true\nSnappingResize=true\n");
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(module->property("opaqueMoveEnabled").toBool());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QVERIFY(module->property("opaqueMoveEnabled").toBool() && module->property("opaqueResizeEnabled").toBool());
        QVERIFY(!module->property("opaqueMove").toBool());

        QSignalSpy resized(module.get(), SIGNAL(opaqueResizeChanged()));
        QSignalSpy snapped(module.get(), SIGNAL(snappingResizeChanged()));
        ModuleTest::verifySavedValue(module.get(), "opaqueResize", false, QStringLiteral("OpaqueResize"), QStringLiteral("false"));
        QCOMPARE(resized.count(), 1);
        QCOMPARE(snapped.count(), 0);
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("SnappingResize")), QStringLiteral("true"));
    }

    void placement()
    {
        BehaviourTest::resetFiles("DefaultPlacement=southeast\n");
        auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(module->property("placement").toInt(), 7);
        ModuleTest::verifySavedValue(module.get(), "placement", 4, QStringLiteral("DefaultPlacement"), QStringLiteral("East"));
        module.reset();

        BehaviourTest::resetFiles("DefaultPlacement=Nowhere\n");
        module = ModuleTest::create(id);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(module->property("placement").toInt(), 0);
    }

    // Another program saved a value of the page's part since the page
    // loaded: the page's save keeps it, and tells the window manager so.
    void savedBesideAnotherWriter()
    {
        BehaviourTest::resetFiles("DefaultPlacement=Center\n");
        auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        const PexoTest::ProgramRun other = PexoTest::runProgram(QStringLiteral("ulvar-systemsettings"),
                                                                {id, QStringLiteral("--set"), QStringLiteral("placement=SouthEast"), QStringLiteral("--save")});
        QVERIFY2(other.exitCode == 0, qPrintable(other.errors));
        PexoTest::takeWmCommands();
        QVERIFY(module->setProperty("titlebarStringCentered", !module->property("titlebarStringCentered").toBool()));
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("DefaultPlacement")), QStringLiteral("SouthEast"));
        const QStringList commands = PexoTest::takeWmCommands();
        QVERIFY2(commands.contains(QStringLiteral("PEXOWM_UPDATE_VAL DefaultPlacement SouthEast\n")), qPrintable(commands.join(QString())));
    }

    void immutability()
    {
        ModuleTest::verifyImmutability(id,
                                       {{QStringLiteral("keyboardPerWindow"), QStringLiteral("OwnKbPerWindow")},
                                        {QStringLiteral("keyboardForNewWindow"), QStringLiteral("BaseKbForNewWindow")},
                                        {QStringLiteral("opaqueMove"), QStringLiteral("OpaqueMove")},
                                        {QStringLiteral("opaqueMoveEnabled"), QStringLiteral("opaqueMoveEnabled")},
                                        {QStringLiteral("opaqueResize"), QStringLiteral("OpaqueResize")},
                                        {QStringLiteral("snappingMoving"), QStringLiteral("SnappingMoving")},
                                        {QStringLiteral("snappingResize"), QStringLiteral("SnappingResize")},
                                        {QStringLiteral("placement"), QStringLiteral("DefaultPlacement")},
                                        {QStringLiteral("smartPlacement"), QStringLiteral("SmartPlacement")},
                                        {QStringLiteral("titlebarStringCentered"), QStringLiteral("TitlebarStringCenter")},
                                        {QStringLiteral("snapTopMaximize"), QStringLiteral("SnapTopMaximize")},
                                        {QStringLiteral("restoreSizeAfterSnap"), QStringLiteral("RestoreSizeAfterSnap")},
                                        {QStringLiteral("resizeAllSnap"), QStringLiteral("ResizeAllSnap")}},
                                       QStringLiteral("opaqueResizeEnabled"));
    }

    // What a page sees: the enumeration by name, the module's properties.
    void qmlPage()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QQmlEngine engine;
        engine.rootContext()->setContextProperty(QStringLiteral("kcm"), module.get());
        QQmlComponent page(&engine);
        page.setData("import QtQml 2.15\n"
                     "import ru.ulvarlinux.kcm.wm.private 1.0\n"
                     "QtObject {\n"
                     "    property int shown: kcm.placement\n"
                     "    property var unknown: Placement.RightToLeft\n"
                     "    Component.onCompleted: kcm.placement = Placement.SouthWest\n"
                     "}\n",
                     QUrl());
        std::unique_ptr<QObject> object(page.create());
        QVERIFY2(object, qPrintable(page.errorString()));
        // The binding followed the module's change signal.
        QCOMPARE(object->property("shown").toInt(), 5);
        QCOMPARE(module->property("placement").toInt(), 5);
        // Placement has no such value (window map styles have).
        QVERIFY(!object->property("unknown").isValid());

        QQmlComponent created(&engine);
        created.setData("import ru.ulvarlinux.kcm.wm.private 1.0\nPlacement {}\n", QUrl());
        QVERIFY(created.isError());
        QVERIFY2(created.errorString().contains(QStringLiteral("enum class for Placement")), qPrintable(created.errorString()));
    }
};

QTEST_MAIN(WmModuleTest)

#include "wmmoduletest.moc"
