// The sizes page, loaded as a settings host loads it, on the sandbox's
// 96 dpi X server, with and without an Xft density.

#include <moduletestsupport.h>

#include <QCheckBox>
#include <QComboBox>
#include <QJsonObject>
#include <QPluginLoader>
#include <QProcess>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {
const QString id = QStringLiteral("kcm_pexo_sizes");
const QByteArray manualSizes = "TaskbarHeight=48\nFrameTitleHeight=32\nFrameBorderWidth=5\nDesktopIconSize=32\n";

bool setXftDpi(const QByteArray &dpi)
{
    QProcess xrdb;
    xrdb.start(QStringLiteral("xrdb"), {QStringLiteral("-nocpp"), QStringLiteral("-load")});
    xrdb.write(dpi.isEmpty() ? QByteArray() : "Xft.dpi: " + dpi + '\n');
    xrdb.closeWriteChannel();
    return PexoTest::waitForExit(xrdb) && xrdb.exitCode() == 0;
}

// The page's widgets; the combo boxes by row: taskbar, header, frame, icons.
struct Page
{
    explicit Page(const QByteArray &live = QByteArray(), const QByteArray &master = QByteArray())
    {
        BehaviourTest::resetFiles(live, master);
        module = ModuleTest::create(id);
        QVERIFY(module);
        automatic = module->findChild<QCheckBox *>(QStringLiteral("autoSizeCheckbox"));
        table = module->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
        QVERIFY(automatic && table && table->rowCount() == 4);
        for (int row = 0; row < 4; ++row) {
            boxes << qobject_cast<QComboBox *>(table->cellWidget(row, 1));
            QVERIFY(boxes.last());
        }
        changed.reset(new QSignalSpy(module.get(), SIGNAL(changed(bool))));
    }

    void load()
    {
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
    }

    QList<int> steps() const
    {
        QList<int> indexes;
        for (const QComboBox *box : boxes) {
            indexes << box->currentIndex();
        }
        return indexes;
    }

    // The changed(bool) values reported since the last call.
    QList<bool> reported()
    {
        QList<bool> values;
        for (const QList<QVariant> &arguments : qAsConst(*changed)) {
            values << arguments.at(0).toBool();
        }
        changed->clear();
        return values;
    }

    std::unique_ptr<QObject> module;
    QCheckBox *automatic = nullptr;
    QTableWidget *table = nullptr;
    QList<QComboBox *> boxes;
    std::unique_ptr<QSignalSpy> changed;
};
} // namespace

class SizesModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        QVERIFY(setXftDpi(QByteArray()));
    }

    // A widget plug-in without metadata: listed only when empty metadata is
    // allowed, and still made by its factory.
    void plugin()
    {
        const KPluginMetaData data = ModuleTest::metaData(id);
        QVERIFY(data.fileName().endsWith(QStringLiteral("/plasma/kcms/systemsettings_qwidgets/kcm_pexo_sizes.so")));
        QVERIFY(!KPluginMetaData(data.fileName()).isValid());
        QVERIFY(data.rawData().isEmpty());
        QPluginLoader loader(data.fileName());
        QCOMPARE(loader.metaData().value(QStringLiteral("IID")).toString(), QStringLiteral("org.kde.KPluginFactory"));
        QCOMPARE(loader.metaData().value(QStringLiteral("className")).toString(), QStringLiteral("KCModuleWidgetFactory"));
        QVERIFY(loader.metaData().value(QStringLiteral("MetaData")).toObject().isEmpty());
        Page page;
        QVERIFY(page.module->inherits("KCModule"));
        QCOMPARE(page.boxes.at(0)->itemData(0).toInt(), 38);

        ModuleTest::verifyParent(id);
    }

    void densityBranches()
    {
        {
            Page automatic;
            automatic.load();
            QVERIFY(automatic.automatic->isChecked() && !automatic.table->isEnabled());
            QCOMPARE(automatic.steps(), QList<int>({1, 1, 1, 1}));
        }

        // Stored zeros are the small step up to 120 dpi, the medium taskbar
        // and icons above; 40 is between steps and shows as the larger one.
        Page page("TaskbarHeight=0\nFrameTitleHeight=40\nDesktopIconSize=0\n");
        page.load();
        QVERIFY(!page.automatic->isChecked() && page.table->isEnabled());
        QCOMPARE(page.steps(), QList<int>({0, 2, 1, 0}));
        QVERIFY(setXftDpi("144"));
        page.load();
        QCOMPARE(page.steps(), QList<int>({1, 2, 1, 1}));
        QVERIFY(setXftDpi("120"));
        page.load();
        QCOMPARE(page.steps(), QList<int>({0, 2, 1, 0}));
    }

    void manualChanges()
    {
        Page page(manualSizes);
        page.load();
        QCOMPARE(page.steps(), QList<int>({1, 1, 1, 1}));
        QCOMPARE(page.reported(), QList<bool>());

        QTest::keyClick(page.boxes.at(0), Qt::Key_Down);
        QTest::keyClick(page.boxes.at(0), Qt::Key_Up);
        page.automatic->setChecked(true);
        QVERIFY(!page.table->isEnabled());
        page.automatic->setChecked(false);
        QCOMPARE(page.reported(), QList<bool>({true, false, true, false}));
        // Every row counts, not only the taskbar.
        for (int row = 1; row < 4; ++row) {
            QTest::keyClick(page.boxes.at(row), Qt::Key_Down);
            QTest::keyClick(page.boxes.at(row), Qt::Key_Up);
        }
        QCOMPARE(page.reported(), QList<bool>({true, false, true, false, true, false}));

        // Ticked by hand, automatic mode saves automatic sizes; unticked, the steps shown.
        for (const bool automatic : {true, false}) {
            page.automatic->setChecked(automatic);
            QVERIFY(QMetaObject::invokeMethod(page.module.get(), "save"));
            QCOMPARE(BehaviourTest::liveValue(QStringLiteral("FrameBorderWidth")), QLatin1String(automatic ? "-1" : "5"));
        }
        page.reported();
        PexoTest::takeWmCommands();

        // A reset of stored manual sizes is a change, and it can be saved.
        QVERIFY(QMetaObject::invokeMethod(page.module.get(), "defaults"));
        QCOMPARE(page.reported(), QList<bool>({true}));
        QVERIFY(QMetaObject::invokeMethod(page.module.get(), "save"));
        for (const char *key : {"TaskbarHeight", "FrameTitleHeight", "FrameBorderWidth", "DesktopIconSize"}) {
            QCOMPARE(BehaviourTest::liveValue(QLatin1String(key)), QStringLiteral("-1"));
        }
        QCOMPARE(PexoTest::takeWmCommands(),
                 BehaviourTest::variableCommands({{QStringLiteral("TaskbarHeight"), QStringLiteral("-1")},
                                                  {QStringLiteral("FrameTitleHeight"), QStringLiteral("-1")},
                                                  {QStringLiteral("FrameBorderWidth"), QStringLiteral("-1")},
                                                  {QStringLiteral("DesktopIconSize"), QStringLiteral("-1")}}));
    }

    void automaticChanges()
    {
        Page page;
        page.load();
        QCOMPARE(page.reported(), QList<bool>({false}));
        QVERIFY(QMetaObject::invokeMethod(page.module.get(), "defaults"));
        QCOMPARE(page.reported(), QList<bool>());

        // Leaving automatic mode saves the steps shown.
        page.automatic->setChecked(false);
        QTest::keyClick(page.boxes.at(1), Qt::Key_Down);
        QCOMPARE(page.reported(), QList<bool>({true, true}));
        QVERIFY(QMetaObject::invokeMethod(page.module.get(), "save"));
        QCOMPARE(PexoTest::takeWmCommands(),
                 BehaviourTest::variableCommands({{QStringLiteral("TaskbarHeight"), QStringLiteral("48")},
                                                  {QStringLiteral("FrameTitleHeight"), QStringLiteral("48")},
                                                  {QStringLiteral("FrameBorderWidth"), QStringLiteral("5")},
                                                  {QStringLiteral("DesktopIconSize"), QStringLiteral("32")}}));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("FrameTitleHeight")), QStringLiteral("48"));
    }

    void fixedKey()
    {
        Page page(manualSizes, "FrameBorderWidth=8\n");
        page.load();
        QCOMPARE(page.steps(), QList<int>({1, 1, 2, 1}));
        QVERIFY(page.boxes.at(0)->isEnabled() && page.boxes.at(1)->isEnabled() && page.boxes.at(3)->isEnabled());
        QVERIFY(!page.boxes.at(2)->isEnabled());
        QVERIFY(page.automatic->isEnabled());
    }
};

QTEST_MAIN(SizesModuleTest)

#include "sizesmoduletest.moc"
