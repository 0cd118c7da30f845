// The library's X11 calls without a GUI application object, and without any
// X server: the library then uses its own connection, or does nothing.

#include "utils.h"

#include <pexotestsupport.h>

#include <QTest>

class NoApplicationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stampThroughOwnConnection()
    {
        const bool haveDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
        Utils::updateQtSettingsStamp();
        Utils::updateQtSettingsStamp();
        if (!haveDisplay) {
            return; // nothing to reach, and nothing crashed
        }
        QCOMPARE(PexoTest::rootWindowProperty("_QT_SETTINGS_TIMESTAMP_" + qgetenv("DISPLAY")).size(), 13);
    }

    void commandsNeedNoDisplay()
    {
        if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
            QVERIFY(Utils::updatePexoWmVariable(QStringLiteral("K"), QStringLiteral("v")));
            QCOMPARE(PexoTest::takeWmCommands(), QStringList{QStringLiteral("PEXOWM_UPDATE_VAL K v\n")});
        }
    }
};

QTEST_GUILESS_MAIN(NoApplicationTest)

#include "noapplicationtest.moc"
