#include "taskbarthemepart.h"
#include "abstracttaskbarapplyhelper.h"
#include "basepersonalizationsettingsprovider.h"
#include "behaviourtestsupport.h"

#include <QSignalSpy>

using namespace BehaviourTest;

namespace {
struct Live
{
    BasePersonalizationSettingsProvider provider;
    AbstractTaskbarApplyHelper *apply = static_cast<AbstractTaskbarApplyHelper *>(provider.taskbarApplyHelper());
    IReadHelper *read = provider.taskbarReadHelper();
};
} // namespace

class TaskbarThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        resetFiles();
    }

    void appliesEveryValue()
    {
        Live live;
        TaskbarThemePart part;
        part.defaults();
        part.setPosition(QStringLiteral("Left"));
        part.setLabelsOnTaskbar(false);
        part.setUseNationalFlags(true);
        part.apply(live.apply);

        QCOMPARE(liveValue(QStringLiteral("TaskbarPosition")), QStringLiteral("Left"));
        QCOMPARE(liveValue(QStringLiteral("NoTaskbarButtonName")), QStringLiteral("true"));
        QCOMPARE(liveValue(QStringLiteral("UsePager")), QStringLiteral("true"));
        QCOMPARE(liveValue(QStringLiteral("BaseKbImage")), QStringLiteral("flag"));
        QCOMPARE(liveValue(QStringLiteral("AltKbImage")), QStringLiteral("flag"));
        QCOMPARE(PexoTest::takeWmCommands(),
                 variableCommands({{QStringLiteral("TaskbarPosition"), QStringLiteral("Left")},
                                   {QStringLiteral("NoTaskbarButtonName"), QStringLiteral("true")},
                                   {QStringLiteral("UsePager"), QStringLiteral("true")},
                                   {QStringLiteral("TaskbarButtonCombine"), QStringLiteral("false")},
                                   {QStringLiteral("MultiTaskbar"), QStringLiteral("false")},
                                   {QStringLiteral("SwitcherAllPages"), QStringLiteral("true")},
                                   {QStringLiteral("BaseKbImage"), QStringLiteral("flag")},
                                   {QStringLiteral("AltKbImage"), QStringLiteral("flag")}}));
        QVERIFY(!part.hasChanges(live.read));

        // Switched off: both keys empty, both commands with an empty value.
        part.setUseNationalFlags(false);
        part.apply(live.apply);
        const QByteArray file = PexoTest::readFile(ThemeDefaults::currentThemeConfigPath);
        QVERIFY(file.contains("\nBaseKbImage=\n"));
        QVERIFY(file.contains("\nAltKbImage=\n"));
        const QStringList commands = PexoTest::takeWmCommands();
        QCOMPARE(commands.mid(6), variableCommands({{QStringLiteral("BaseKbImage"), QString()}, {QStringLiteral("AltKbImage"), QString()}}));
    }

    void nationalFlagsResult_data()
    {
        QTest::addColumn<QByteArray>("master");
        QTest::addColumn<bool>("listening");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("sent");

        const QString base = variableCommand(QStringLiteral("BaseKbImage"), QStringLiteral("flag"));
        const QString alt = variableCommand(QStringLiteral("AltKbImage"), QStringLiteral("flag"));
        QTest::newRow("both written") << QByteArray() << true << true << QStringList{base, alt};
        QTest::newRow("alt fixed") << QByteArray("AltKbImage=none\n") << true << true << QStringList{base};
        QTest::newRow("base fixed") << QByteArray("BaseKbImage=none\n") << true << true << QStringList{alt};
        QTest::newRow("both fixed") << QByteArray("BaseKbImage=none\nAltKbImage=none\n") << true << false << QStringList();
        QTest::newRow("no window manager") << QByteArray() << false << false << QStringList();
    }

    void nationalFlagsResult()
    {
        QFETCH(QByteArray, master);
        QFETCH(bool, listening);
        QFETCH(bool, result);
        QFETCH(QStringList, sent);

        resetFiles("", master);
        Live live;
        if (!listening) {
            PexoTest::stopWmListener();
        }
        const bool applied = live.apply->applyUseNationalFlags(true);
        if (!listening) {
            PexoTest::startWmListener();
        }
        QCOMPARE(applied, result);
        QCOMPARE(PexoTest::takeWmCommands(), sent);
        QCOMPARE(liveValue(QStringLiteral("BaseKbImage")), master.contains("BaseKbImage") ? QString() : QStringLiteral("flag"));
        QCOMPARE(liveValue(QStringLiteral("AltKbImage")), master.contains("AltKbImage") ? QString() : QStringLiteral("flag"));
    }

    void readsValues_data()
    {
        QTest::addColumn<QByteArray>("live");
        QTest::addColumn<bool>("labels");
        QTest::addColumn<bool>("pager");
        QTest::addColumn<bool>("flags");

        QTest::newRow("absent") << QByteArray() << true << true << false;
        QTest::newRow("negated") << QByteArray("NoTaskbarButtonName=true\n") << false << true << false;
        QTest::newRow("FALSE") << QByteArray("NoTaskbarButtonName=FALSE\nUsePager=FALSE\n") << true << false << false;
        QTest::newRow("no") << QByteArray("NoTaskbarButtonName=no\nUsePager=no\n") << false << true << false;
        QTest::newRow("flag in capitals") << QByteArray("BaseKbImage=FLAG\nAltKbImage=\n") << true << true << true;
        QTest::newRow("alt flag") << QByteArray("AltKbImage=flag\n") << true << true << true;
        QTest::newRow("other word") << QByteArray("BaseKbImage=flags\nAltKbImage=abc\n") << true << true << false;
    }

    void readsValues()
    {
        QFETCH(QByteArray, live);
        QFETCH(bool, labels);
        QFETCH(bool, pager);
        QFETCH(bool, flags);

        resetFiles(live);
        Live settings;
        TaskbarThemePart part;
        part.read(settings.read);
        QCOMPARE(part.position(), QStringLiteral("Bottom"));
        QCOMPARE(part.labelsOnTaskbar(), labels);
        QCOMPARE(part.usePager(), pager);
        QCOMPARE(part.useNationalFlags(), flags);
    }

    void detectsChanges()
    {
        resetFiles("UsePager=true\nTaskbarButtonCombine=false\n");
        Live live;
        TaskbarThemePart part;
        part.read(live.read);
        QVERIFY(!part.hasChanges(live.read));
        part.setUsePager(false);
        QVERIFY(part.hasChanges(live.read));
        part.setUsePager(true);
        part.setButtonCombine(true);
        QVERIFY(part.hasChanges(live.read));
        // Both differ, each set to the other's stored value.
        part.setUsePager(false);
        QVERIFY(part.hasChanges(live.read));
    }

    void defaultsEmitOnlyForChanges()
    {
        resetFiles("NoTaskbarButtonName=true\nBaseKbImage=flag\n");
        Live live;
        TaskbarThemePart part;
        part.read(live.read);
        QSignalSpy changed(&part, &IThemePart::changed);
        QSignalSpy labelsChanged(&part, &TaskbarThemePart::labelsOnTaskbarChanged);
        QSignalSpy pagerChanged(&part, &TaskbarThemePart::usePagerChanged);
        part.defaults();
        QVERIFY(part.labelsOnTaskbar());
        QVERIFY(!part.useNationalFlags());
        QCOMPARE(labelsChanged.count(), 1);
        QCOMPARE(pagerChanged.count(), 0);
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TaskbarThemePartTest)

#include "taskbarthemeparttest.moc"
