// The library's X11 calls without a GUI application object, and without any
// X server: the library then uses its own connection, or does nothing.

#include "utils.h"
#include "x11support.h"

#include <pexotestsupport.h>

#include <QTest>

class NoApplicationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stampThroughOwnConnection()
    {
        Utils::updateQtSettingsStamp();
        Utils::updateQtSettingsStamp();
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            QVERIFY(!PexoX11::display()); // nothing reached, and nothing crashed
            return;
        }
        QCOMPARE(PexoTest::rootWindowProperty("_QT_SETTINGS_TIMESTAMP_" + qgetenv("DISPLAY")).size(), 13);
    }

    void commandsNeedNoDisplay()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            // The channel of the empty display name gets a listener of its own.
            QVERIFY(PexoTest::startWmListener());
        }
        QVERIFY(Utils::updatePexoWmVariable(QStringLiteral("K"), QStringLiteral("v")));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{QStringLiteral("PEXOWM_UPDATE_VAL K v\n")});
    }
};

QTEST_GUILESS_MAIN(NoApplicationTest)

#include "noapplicationtest.moc"
