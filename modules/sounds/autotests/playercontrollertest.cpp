// Playback through Qt Multimedia's real back end. Without a sound card the
// back end plays into a null sink in real time; QT_GSTREAMER_PLAYBIN_AUDIOSINK
// set to "fakesink" makes it play as fast as it decodes.

#include "playercontroller.h"
#include "wavfile.h"

#include <pexotestsupport.h>
#include <watchedfifo.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <sys/inotify.h>
#include <unistd.h>

class PlayerControllerTest : public QObject
{
    Q_OBJECT

private:
    QString m_short;
    QString m_long;

private Q_SLOTS:
    void initTestCase()
    {
        m_short = QDir::homePath() + QStringLiteral("/short.wav");
        m_long = QDir::homePath() + QStringLiteral("/long.wav");
        QVERIFY(SoundTest::writeWav(m_short, 200));
        // Longer than any wait of a test on a busy machine.
        QVERIFY(SoundTest::writeWav(m_long, 2 * PexoTest::patienceMs));
    }

    void reportsWhatItCannotPlay()
    {
        PlayerController controller(nullptr);
        QSignalSpy errors(&controller, &PlayerController::error);
        QSignalSpy started(&controller, &PlayerController::started);
        controller.start(QStringLiteral("OpenSound"), QString());
        const QString missing = QDir::homePath() + QStringLiteral("/none.wav");
        controller.start(QStringLiteral("CloseSound"), missing);
        // Nor is a fifo a sound file: nothing waits on it.
        const QString fifoPath = QDir::homePath() + QStringLiteral("/fifo.wav");
        const PexoTest::WatchedFifo fifo(fifoPath);
        QVERIFY(fifo.made());
        controller.start(QStringLiteral("OSDNotifySound"), fifoPath);
        QCOMPARE(errors.count(), 3);
        QCOMPARE(errors.at(0), (QVariantList{QStringLiteral("OpenSound"), QStringLiteral("no file path provided")}));
        QCOMPARE(errors.at(1), (QVariantList{QStringLiteral("CloseSound"), QString(QStringLiteral("file not found: ") + missing)}));
        QCOMPARE(errors.at(2), (QVariantList{QStringLiteral("OSDNotifySound"), QString(QStringLiteral("file not found: ") + fifoPath)}));
        QVERIFY(!controller.isPlaying(QStringLiteral("OpenSound")));
        QVERIFY(!started.wait(300));
        QVERIFY(!fifo.wasRead());

        // A file that is no sound: the player's own message, and the key ends.
        const QString text = QDir::homePath() + QStringLiteral("/text.wav");
        QVERIFY(PexoTest::writeFile(text, "no sound in here\n"));
        QSignalSpy finished(&controller, &PlayerController::finished);
        controller.start(QStringLiteral("OpenSound"), text);
        QVERIFY(errors.wait(PexoTest::patienceMs));
        QCOMPARE(errors.count(), 4);
        QCOMPARE(errors.at(3).at(0).toString(), QStringLiteral("OpenSound"));
        QVERIFY(!errors.at(3).at(1).toString().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!controller.isPlaying(QStringLiteral("OpenSound")), PexoTest::patienceMs);
        QVERIFY(finished.contains({QStringLiteral("OpenSound")}));
    }

    void playsToTheEnd()
    {
        qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
        PlayerController controller(nullptr);
        QSignalSpy errors(&controller, &PlayerController::error);
        QSignalSpy started(&controller, &PlayerController::started);
        QSignalSpy finished(&controller, &PlayerController::finished);
        controller.start(QStringLiteral("OSDNotifySound"), m_short);
        QCOMPARE(started.count(), 1); // the state change comes from play() itself
        QVERIFY(controller.isPlaying(QStringLiteral("OSDNotifySound")));
        QVERIFY(finished.wait(PexoTest::patienceMs));
        QCOMPARE(finished.first().first().toString(), QStringLiteral("OSDNotifySound"));
        QTRY_VERIFY_WITH_TIMEOUT(!controller.isPlaying(QStringLiteral("OSDNotifySound")), PexoTest::patienceMs);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).value(1).toString()));

        // The kept entry plays again.
        controller.start(QStringLiteral("OSDNotifySound"), m_short);
        QCOMPARE(started.count(), 2);

        // What plays is the file opened when it was checked: the path is
        // opened once, so nothing put in its place meanwhile is played.
        const int opens = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(::inotify_add_watch(opens, QFile::encodeName(m_short).constData(), IN_OPEN | IN_CLOSE) >= 0);
        finished.clear();
        controller.start(QStringLiteral("AltKbSound"), m_short);
        QTRY_VERIFY_WITH_TIMEOUT(finished.contains({QStringLiteral("AltKbSound")}), PexoTest::patienceMs);
        inotify_event events[16];
        const ssize_t size = ::read(opens, events, sizeof(events));
        ::close(opens);
        QCOMPARE(std::count_if(events,
                               events + std::max<ssize_t>(size, 0) / sizeof(inotify_event),
                               [](const inotify_event &event) {
                                   return event.mask & IN_OPEN;
                               }),
                 1);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).value(1).toString()));
        qunsetenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK");
    }

    void stopsOneOfTwo()
    {
        PlayerController controller(nullptr);
        QSignalSpy errors(&controller, &PlayerController::error);
        QSignalSpy finished(&controller, &PlayerController::finished);
        controller.start(QStringLiteral("OpenSound"), m_long);
        controller.start(QStringLiteral("CloseSound"), m_long);
        QVERIFY(controller.isPlaying(QStringLiteral("OpenSound")));
        QVERIFY(controller.isPlaying(QStringLiteral("CloseSound")));

        controller.stop(QStringLiteral("OpenSound"));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toString(), QStringLiteral("OpenSound"));
        QVERIFY(!controller.isPlaying(QStringLiteral("OpenSound")));
        QTest::qWait(500);
        QVERIFY(controller.isPlaying(QStringLiteral("CloseSound")));
        QCOMPARE(finished.count(), 1);
        controller.stop(QStringLiteral("AltKbSound")); // never started: nothing
        QCOMPARE(finished.count(), 1);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).value(1).toString()));
    }

    void teardownReportsNothing()
    {
        auto *controller = new PlayerController(nullptr);
        int finished = 0;
        connect(controller, &PlayerController::finished, this, [&finished]() {
            ++finished;
        });
        controller->start(QStringLiteral("OpenSound"), m_long);
        QVERIFY(controller->isPlaying(QStringLiteral("OpenSound")));
        delete controller;
        QTest::qWait(100);
        QCOMPARE(finished, 0);
    }
};

QTEST_GUILESS_MAIN(PlayerControllerTest)

#include "playercontrollertest.moc"
