// What the desktop notices put on the window manager's channel and the X server.

#include "utils.h"

#include <pexotestsupport.h>

#include <QDataStream>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTest>

class NotificationsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        PexoTest::takeWmCommands(); // start from an empty log
    }

    void commandBytes_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("command");

        QTest::newRow("text") << QStringLiteral("TaskbarPosition") << QVariant(QStringLiteral("Bottom"))
                              << QStringLiteral("PEXOWM_UPDATE_VAL TaskbarPosition Bottom\n");
        QTest::newRow("bool") << QStringLiteral("UseTrayIconTheme") << QVariant(true) << QStringLiteral("PEXOWM_UPDATE_VAL UseTrayIconTheme true\n");
        QTest::newRow("number") << QStringLiteral("CursorSize") << QVariant(-1) << QStringLiteral("PEXOWM_UPDATE_VAL CursorSize -1\n");
        QTest::newRow("empty value") << QStringLiteral("SoundTheme") << QVariant(QString()) << QStringLiteral("PEXOWM_UPDATE_VAL SoundTheme \n");
        QTest::newRow("marker in value") << QStringLiteral("K") << QVariant(QStringLiteral("a%1b%2")) << QStringLiteral("PEXOWM_UPDATE_VAL K a%1b%2\n");
        QTest::newRow("marker in key") << QStringLiteral("K%2") << QVariant(QStringLiteral("v")) << QStringLiteral("PEXOWM_UPDATE_VAL K%2 v\n");
        QTest::newRow("non-ASCII path") << QStringLiteral("WallPaper") << QVariant(QStringLiteral("/home/u/Картинки/фон.jpg"))
                                        << QStringLiteral("PEXOWM_UPDATE_VAL WallPaper /home/u/Картинки/фон.jpg\n");
    }

    void commandBytes()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, command);

        QVERIFY(Utils::updatePexoWmVariable(key, value));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{command});
    }

    void unsafeTextIsRefused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        QTest::newRow("line feed in value") << QStringLiteral("K") << QStringLiteral("v\nPEXOWM_UPDATE_VAL UseComposite false");
        QTest::newRow("carriage return in value") << QStringLiteral("K") << QStringLiteral("v\r");
        QTest::newRow("line feed in key") << QStringLiteral("K\nX") << QStringLiteral("v");
        QTest::newRow("trailing line feed in value") << QStringLiteral("K") << QStringLiteral("v\n");
        QTest::newRow("NUL in value") << QStringLiteral("K") << QStringLiteral("v").append(QChar(0)).append(QStringLiteral("w"));
        QTest::newRow("NUL in key") << QStringLiteral("K").append(QChar(0)) << QStringLiteral("v");
    }

    void unsafeTextIsRefused()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);

        QVERIFY(!Utils::updatePexoWmVariable(key, value));
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
    }

    void noWindowManager()
    {
        // It fails at once: a hundred updates take less than a busy machine
        // may need, a hundred waits for the listener (a second each) more.
        PexoTest::stopWmListener();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 100; ++i) {
            QVERIFY(!Utils::updatePexoWmVariable(QStringLiteral("K"), QStringLiteral("v")));
        }
        QVERIFY2(timer.elapsed() < PexoTest::patienceMs, qPrintable(QString::number(timer.elapsed())));
        PexoTest::startWmListener();
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
    }

    void settingsStamp()
    {
        const QByteArray name = "_QT_SETTINGS_TIMESTAMP_" + qgetenv("DISPLAY");
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        Utils::updateQtSettingsStamp();

        QByteArray type;
        int format = 0;
        const QByteArray first = PexoTest::rootWindowProperty(name, &type, &format);
        QCOMPARE(first.size(), 13);
        QCOMPARE(format, 8);
        QCOMPARE(type, name);

        QDateTime stamped;
        QDataStream stream(first);
        stream >> stamped;
        QVERIFY(stamped >= before && stamped <= QDateTime::currentDateTime());
        QCOMPARE(first.at(12), char(Qt::LocalTime));

        QTest::qWait(5);
        Utils::updateQtSettingsStamp();
        const QByteArray second = PexoTest::rootWindowProperty(name);
        QCOMPARE(second.size(), 13); // replaced, not appended
        QVERIFY(second != first);
    }

    void stripQuotes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("one quote") << QStringLiteral("\"") << QStringLiteral("\"");
        QTest::newRow("two quotes") << QStringLiteral("\"\"") << QString();
        QTest::newRow("one end") << QStringLiteral("\"abc") << QStringLiteral("\"abc");
        QTest::newRow("one pair only") << QStringLiteral("\"\"a\"\"") << QStringLiteral("\"a\"");
        QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
    }

    void stripQuotes()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Utils::stripQuotes(text), expected);
    }
};

QTEST_MAIN(NotificationsTest)

#include "notificationstest.moc"
