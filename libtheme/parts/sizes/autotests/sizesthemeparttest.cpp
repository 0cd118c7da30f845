#include "sizesthemepart.h"
#include "abstractsizesapplyhelper.h"
#include "basepersonalizationsettingsprovider.h"
#include "behaviourtestsupport.h"

using namespace BehaviourTest;

class SizesThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        resetFiles();
    }

    void readsSizes_data()
    {
        QTest::addColumn<QByteArray>("live");
        QTest::addColumn<int>("taskbar");
        QTest::addColumn<int>("title");

        QTest::newRow("absent") << QByteArray() << -1 << -1;
        QTest::newRow("numbers") << QByteArray("TaskbarHeight=48\nFrameTitleHeight=24\n") << 48 << 24;
        QTest::newRow("no numbers") << QByteArray("TaskbarHeight=abc\nFrameTitleHeight=\n") << 0 << 0;
    }

    void readsSizes()
    {
        QFETCH(QByteArray, live);
        QFETCH(int, taskbar);
        QFETCH(int, title);

        resetFiles(live);
        BasePersonalizationSettingsProvider provider;
        SizesThemePart part;
        part.setTaskbarSize(1000);
        part.read(provider.sizesReadHelper());
        QCOMPARE(part.taskbarSize(), taskbar);
        QCOMPARE(part.windowFrameTitleSize(), title);
        QCOMPARE(part.windowFrameBorderSize(), -1);
        QCOMPARE(part.desktopIconSize(), -1);
        QVERIFY(!part.hasChanges(provider.sizesReadHelper()));
    }

    void appliesAndAnnounces()
    {
        BasePersonalizationSettingsProvider provider;
        SizesThemePart part;
        part.setTaskbarSize(48);
        part.setWindowFrameTitleSize(-5);
        part.setWindowFrameBorderSize(2);
        part.setDesktopIconSize(64);
        part.apply(provider.sizesApplyHelper());

        QCOMPARE(liveValue(QStringLiteral("TaskbarHeight")), QStringLiteral("48"));
        QCOMPARE(liveValue(QStringLiteral("FrameTitleHeight")), QStringLiteral("-5"));
        QCOMPARE(liveValue(QStringLiteral("FrameBorderWidth")), QStringLiteral("2"));
        QCOMPARE(liveValue(QStringLiteral("DesktopIconSize")), QStringLiteral("64"));
        QCOMPARE(PexoTest::takeWmCommands(),
                 variableCommands({{QStringLiteral("TaskbarHeight"), QStringLiteral("48")},
                                   {QStringLiteral("FrameTitleHeight"), QStringLiteral("-5")},
                                   {QStringLiteral("FrameBorderWidth"), QStringLiteral("2")},
                                   {QStringLiteral("DesktopIconSize"), QStringLiteral("64")}}));
        QVERIFY(!part.hasChanges(provider.sizesReadHelper()));
    }

    void masterKeyIsNeitherWrittenNorSent()
    {
        resetFiles("", "FrameTitleHeight=30\n");
        BasePersonalizationSettingsProvider provider;
        auto *helper = static_cast<AbstractSizesApplyHelper *>(provider.sizesApplyHelper());
        QVERIFY(!helper->applyWindowFrameTitleSize(20));
        QVERIFY(helper->applyTaskbarSize(40));
        QVERIFY(liveValue(QStringLiteral("FrameTitleHeight")).isNull());
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{variableCommand(QStringLiteral("TaskbarHeight"), QStringLiteral("40"))});

        SizesThemePart part;
        part.read(provider.sizesReadHelper());
        QCOMPARE(part.windowFrameTitleSize(), 30);
    }
};

QTEST_GUILESS_MAIN(SizesThemePartTest)

#include "sizesthemeparttest.moc"
