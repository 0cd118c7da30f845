#include "wmthemepart.h"
#include "basepersonalizationsettingsprovider.h"
#include "behaviourtestsupport.h"

#include <QSignalSpy>

using namespace BehaviourTest;

namespace {
const QStringList keys = {QStringLiteral("OwnKbPerWindow"),
                          QStringLiteral("BaseKbForNewWindow"),
                          QStringLiteral("OpaqueMove"),
                          QStringLiteral("OpaqueResize"),
                          QStringLiteral("SnappingMoving"),
                          QStringLiteral("SnappingResize"),
                          QStringLiteral("DefaultPlacement"),
                          QStringLiteral("SmartPlacement"),
                          QStringLiteral("TitlebarStringCenter"),
                          QStringLiteral("SnapTopMaximize"),
                          QStringLiteral("RestoreSizeAfterSnap"),
                          QStringLiteral("ResizeAllSnap")};

// The part after defaults() with every flag turned over and another placement.
QStringList turnedOverValues()
{
    return {QStringLiteral("true"),
            QStringLiteral("true"),
            QStringLiteral("false"),
            QStringLiteral("false"),
            QStringLiteral("false"),
            QStringLiteral("false"),
            QStringLiteral("Center"),
            QStringLiteral("false"),
            QStringLiteral("true"),
            QStringLiteral("false"),
            QStringLiteral("false"),
            QStringLiteral("false")};
}

void turnOver(WmThemePart &part)
{
    part.defaults();
    part.setOwnKeyboardLayoutForWindows(true);
    part.setBaseKeyboardLayoutForWindows(true);
    part.setOpaqueMoveEnabled(false);
    part.setOpaqueResizeEnabled(false);
    part.setSnappingMoveEnabled(false);
    part.setSnappingResizeEnabled(false);
    part.setDefaultWindowPlacement(QStringLiteral("Center"));
    part.setSmartPlacementEnabled(false);
    part.setTitlebarStringCentered(true);
    part.setSnapTopMaximize(false);
    part.setRestoreSizeAfterSnap(false);
    part.setResizeAllSnap(false);
}
} // namespace

class WmThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        resetFiles();
    }

    void appliesEveryValue()
    {
        BasePersonalizationSettingsProvider provider;
        WmThemePart part;
        turnOver(part);
        part.apply(provider.wmApplyHelper());

        QStringList expected;
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(liveValue(keys.at(i)), turnedOverValues().at(i));
            expected << variableCommand(keys.at(i), turnedOverValues().at(i));
        }
        QCOMPARE(PexoTest::takeWmCommands(), expected);
        QVERIFY(!part.hasChanges(provider.wmReadHelper()));

        // Unchanged values are sent all the same.
        part.apply(provider.wmApplyHelper());
        QCOMPARE(PexoTest::takeWmCommands(), expected);
    }

    void masterKeyIsNeitherWrittenNorSent()
    {
        resetFiles("SnappingMoving=true\n", "SnappingMoving=true\n");
        BasePersonalizationSettingsProvider provider;
        WmThemePart part;
        turnOver(part);
        part.apply(provider.wmApplyHelper());

        QCOMPARE(liveValue(QStringLiteral("SnappingMoving")), QStringLiteral("true"));
        const QStringList commands = PexoTest::takeWmCommands();
        QCOMPARE(commands.size(), 11);
        for (const QString &command : commands) {
            QVERIFY(!command.contains(QLatin1String("SnappingMoving")));
        }
        // The master value stays: the part keeps a change.
        QVERIFY(part.hasChanges(provider.wmReadHelper()));
    }

    void readsValues_data()
    {
        QTest::addColumn<QByteArray>("live");
        QTest::addColumn<bool>("snappingMove");
        QTest::addColumn<bool>("titlebarCentered");
        QTest::addColumn<QString>("placement");

        QTest::newRow("absent") << QByteArray() << true << false << "NorthWest";
        QTest::newRow("FALSE") << QByteArray("SnappingMoving=FALSE\nTitlebarStringCenter=true\n") << false << true << "NorthWest";
        QTest::newRow("no") << QByteArray("SnappingMoving=no\nTitlebarStringCenter=0\nDefaultPlacement=Center\n") << true << false << "Center";
        QTest::newRow("abc") << QByteArray("SnappingMoving=abc\nTitlebarStringCenter=abc\nDefaultPlacement=southeast\n") << true << true << "southeast";
    }

    void readsValues()
    {
        QFETCH(QByteArray, live);
        QFETCH(bool, snappingMove);
        QFETCH(bool, titlebarCentered);
        QFETCH(QString, placement);

        resetFiles(live);
        BasePersonalizationSettingsProvider provider;
        WmThemePart part;
        part.read(provider.wmReadHelper());
        QCOMPARE(part.snappingMoveEnabled(), snappingMove);
        QCOMPARE(part.titlebarStringCentered(), titlebarCentered);
        QCOMPARE(part.defaultWindowPlacement(), placement);
        QVERIFY(!part.hasChanges(provider.wmReadHelper()));
    }

    void placementLetterCaseCounts()
    {
        WmThemePart part;
        part.defaults();
        QSignalSpy placementChanged(&part, &WmThemePart::defaultWindowPlacementChanged);
        QSignalSpy changed(&part, &IThemePart::changed);
        part.defaults();
        QCOMPARE(changed.count(), 0);
        part.setDefaultWindowPlacement(QStringLiteral("northwest"));
        QCOMPARE(placementChanged.count(), 1);
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(WmThemePartTest)

#include "wmthemeparttest.moc"
