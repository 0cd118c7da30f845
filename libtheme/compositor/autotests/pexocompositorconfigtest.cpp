#include "pexocompositorconfig.h"
#include "failedwrites.h"

#include <pexodirs.h>
#include <pexotestsupport.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kompmgrrc = QString::fromUtf8(GetPexoDir(PexoUserConfigDir).c_str()) + QStringLiteral("/kompmgrrc");

// Qt's settings cache files by size and time: give each version a time of its own.
void writeKompmgrrc(const QByteArray &content)
{
    static int bump = 0;
    QVERIFY(PexoTest::writeFile(kompmgrrc, content));
    QFile file(kompmgrrc);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(++bump), QFileDevice::FileModificationTime));
}

// What another program finds in the file: the line of the key.
QByteArray storedLine(const QByteArray &key)
{
    const QList<QByteArray> lines = PexoTest::readFile(kompmgrrc).split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(key + '=')) {
            return line;
        }
    }
    return QByteArray();
}
} // namespace

class PexoCompositorConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QFile::remove(kompmgrrc);
    }

    void readsOptions_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("transparency");
        QTest::addColumn<bool>("shadows");

        QTest::newRow("no file") << QByteArray() << false << false;
        QTest::newRow("other group") << QByteArray("[other]\nIgnoreTransparency=false\nCompmode=CompClientShadows\n") << false << false;
        QTest::newRow("client shadows") << QByteArray("[kompmgr]\nIgnoreTransparency=false\nCompmode=CompClientShadows\n") << true << true;
        QTest::newRow("simple") << QByteArray("[kompmgr]\nIgnoreTransparency=true\nCompmode=CompSimple\n") << false << false;
        QTest::newRow("contains simple") << QByteArray("[kompmgr]\nIgnoreTransparency=0\nCompmode=XCompSimpleX\n") << true << false;
        QTest::newRow("letter case") << QByteArray("[kompmgr]\nIgnoreTransparency=FALSE\nCompmode=compsimple\n") << true << true;
    }

    void readsOptions()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, transparency);
        QFETCH(bool, shadows);

        if (!content.isEmpty()) {
            writeKompmgrrc(content);
        }
        PexoCompositorConfig config;
        QCOMPARE(config.transparencyEnabled(), transparency);
        QCOMPARE(config.shadowEnabled(), shadows);
    }

    void settersWriteTheFileAtOnce()
    {
        PexoCompositorConfig config;
        QVERIFY(config.setTransparencyEnabled(true));
        QVERIFY(PexoTest::readFile(kompmgrrc).startsWith("[kompmgr]\n"));
        QCOMPARE(storedLine("IgnoreTransparency"), QByteArray("IgnoreTransparency=false"));
        // Reported as a change every time.
        QVERIFY(config.setTransparencyEnabled(true));
        QVERIFY(config.transparencyEnabled());

        QVERIFY(config.setShadowEnabled(true));
        QCOMPARE(storedLine("Compmode"), QByteArray("Compmode=CompClientShadows"));
        QVERIFY(config.shadowEnabled());
        QVERIFY(config.setShadowEnabled(false));
        QCOMPARE(storedLine("Compmode"), QByteArray("Compmode=CompSimple"));
        QVERIFY(!config.shadowEnabled());

        QVERIFY(config.setTransparencyEnabled(false));
        QCOMPARE(storedLine("IgnoreTransparency"), QByteArray("IgnoreTransparency=true"));
    }

    void failedWriteIsReported()
    {
        writeKompmgrrc("[kompmgr]\nIgnoreTransparency=true\n");
        const QByteArray before = PexoTest::readFile(kompmgrrc);
        PexoCompositorConfig config;
        bool written = true;
        {
            PexoTest::FileSizeLimit fullDisk(8);
            written = config.setTransparencyEnabled(true);
        }
        QVERIFY(!written);
        QCOMPARE(PexoTest::readFile(kompmgrrc), before);
        // The next write that succeeds is reported as such.
        QVERIFY(config.setTransparencyEnabled(true));
        QCOMPARE(storedLine("IgnoreTransparency"), QByteArray("IgnoreTransparency=false"));
    }

    // A fifo reads as missing and takes no writes; a hang ends the test run
    // after 10 s.
    void fifoReadsAsMissing()
    {
        QCOMPARE(::mkfifo(QFile::encodeName(kompmgrrc).constData(), 0600), 0);
        ::alarm(PexoTest::patienceMs / 1000);
        PexoCompositorConfig config;
        QVERIFY(!config.transparencyEnabled());
        QVERIFY(!config.shadowEnabled());
        const FailedWrites failed;
        QVERIFY(!config.setTransparencyEnabled(true));
        ::alarm(0);
        QCOMPARE(failed.files(), QStringList{kompmgrrc});
        QVERIFY(QFileInfo::exists(kompmgrrc) && !QFileInfo(kompmgrrc).isFile());
    }

    void otherOptionsDoNotExist()
    {
        writeKompmgrrc("[kompmgr]\nCompmode=CompClientShadows\n");
        const QByteArray before = PexoTest::readFile(kompmgrrc);
        PexoCompositorConfig config;
        QVERIFY(!config.roundedCornersEnabled());
        QVERIFY(!config.verticalSyncronizationEnabled());
        QVERIFY(!config.windowAnimationsEnabled());
        QVERIFY(!config.windowFadingEnabled());
        for (bool value : {true, false}) {
            QVERIFY(!config.setRoundedCornersEnabled(value));
            QVERIFY(!config.setVerticalSyncronizationEnabled(value));
            QVERIFY(!config.setWindowAnimationsEnabled(value));
            QVERIFY(!config.setWindowFadingEnabled(value));
        }
        QCOMPARE(PexoTest::readFile(kompmgrrc), before);
    }
};

QTEST_GUILESS_MAIN(PexoCompositorConfigTest)

#include "pexocompositorconfigtest.moc"
