#include "desktopfolders.h"
#include "failedwrites.h"
#include "wallpaperthemepart.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using namespace DesktopFolders;

namespace {
const QString colourCommand = QStringLiteral("PEXOWM_UPDATE_VAL WallPaperLocal \"#118bcc\"\n");

QString wmCommand(const char *key, const QString &value)
{
    return QStringLiteral("PEXOWM_UPDATE_VAL %1 %2\n").arg(QLatin1String(key), value);
}

ino_t inode(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
} // namespace

// The live wallpaper helpers in an application without windows: no current screen.
class WallpaperRecordsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LiveSettings> m_live;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QGuiApplication::topLevelWindows().isEmpty());
    }

    void init()
    {
        QFile::remove(ThemeDefaults::currentThemeConfigPath);
        QFile::remove(ThemeDefaults::masterThemeConfigPath);
        QVERIFY(reset());
        m_live.reset(new LiveSettings);
        PexoTest::takeWmCommands();
    }

    void cleanup()
    {
        m_live.reset();
    }

    void applyOrder_data()
    {
        QTest::addColumn<bool>("forCurrentDesktop");
        QTest::addColumn<bool>("forCurrentScreen");
        QTest::addColumn<QStringList>("commands");
        const QString logo = wmCommand("LogoPixmap", QStringLiteral("/opt/logo.svg"));
        const QString logoPosition = wmCommand("LogoPosition", QStringLiteral("TopLeft"));
        QTest::newRow("no flag") << false << false
                                 << QStringList({wmCommand("WallPaper", QStringLiteral("#118bcc")),
                                                 wmCommand("WallPaperPos", QStringLiteral("Tile")),
                                                 wmCommand("WallPaperPeriod", QStringLiteral("9")),
                                                 logo,
                                                 logoPosition});
        QTest::newRow("per desktop") << true << false << QStringList({colourCommand, logo, logoPosition});
        QTest::newRow("per screen") << false << true << QStringList({colourCommand, logo, logoPosition});
    }

    void applyOrder()
    {
        QFETCH(bool, forCurrentDesktop);
        QFETCH(bool, forCurrentScreen);
        QFETCH(QStringList, commands);
        WallpaperThemePart part;
        part.setWallpaper(QStringLiteral("#118bcc"));
        part.setLogo(QStringLiteral("/opt/logo.svg"));
        part.setWallpaperStyle(QStringLiteral("Tile"));
        part.setLogoPosition(QStringLiteral("TopLeft"));
        part.setForCurrentDesktop(forCurrentDesktop);
        part.setForCurrentScreen(forCurrentScreen);
        part.setSlideShowPeriod(9);
        part.apply(&m_live->applyHelper);

        QCOMPARE(PexoTest::takeWmCommands(), commands);
        QCOMPARE(liveValue("WallPaperForCurrentDesktop"), forCurrentDesktop ? QStringLiteral("true") : QStringLiteral("false"));
        QCOMPARE(liveValue("WallPaperForCurrentScreen"), forCurrentScreen ? QStringLiteral("true") : QStringLiteral("false"));
        QCOMPARE(liveValue("WallPaper"), forCurrentDesktop || forCurrentScreen ? QStringLiteral("<absent>") : QStringLiteral("#118bcc"));
        // Without a screen the per-screen flag writes no record.
        QCOMPARE(read("Desktop1").contains("Monitor::"), false);
        QCOMPARE(read("Desktop1").contains("X-PEXO-WallPaper"), forCurrentDesktop);
        QCOMPARE(m_live->readHelper.readWallpaperForCurrentDesktop(), forCurrentDesktop);
        if (!forCurrentDesktop && !forCurrentScreen) {
            QCOMPARE(m_live->readHelper.readWallpaper(), QStringLiteral("#118bcc"));
        }
    }

    void masterFixedKeys()
    {
        m_live.reset();
        QVERIFY(PexoTest::writeFile(ThemeDefaults::masterThemeConfigPath, "[Variables]\nWallPaperPeriod=5\nWallPaperForCurrentDesktop=false\n"));
        m_live.reset(new LiveSettings);
        QVERIFY(!m_live->applyHelper.applyWallpaperPeriod(7));
        QVERIFY(m_live->applyHelper.applyWallpaperPosition(QStringLiteral("Fit")));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmCommand("WallPaperPos", QStringLiteral("Fit"))});
        // The record and the command do not depend on the flag's write.
        QVERIFY(!m_live->applyHelper.applyWallpaperForCurrentDesktop(true, QStringLiteral("#118bcc")));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{colourCommand});
        QVERIFY(read("Desktop1").contains("X-PEXO-WallPaper=\"#118bcc\""));
        QCOMPARE(liveValue("WallPaperPeriod"), QStringLiteral("<absent>"));
    }

    void setDesktopRecord_data()
    {
        QTest::addColumn<QString>("wallpaper");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("colour") << QStringLiteral("#118bcc") << QByteArray("\"#118bcc\"");
        const QString path = QDir::homePath() + QStringLiteral("/Bilder/Över älven.jpg");
        QTest::newRow("utf-8 path") << path << path.toUtf8();
    }

    void setDesktopRecord()
    {
        QFETCH(QString, wallpaper);
        QFETCH(QByteArray, stored);
        QVERIFY(wallpaper.startsWith(QLatin1Char('#')) || PexoTest::writeFile(wallpaper, QByteArray("jpeg")));
        const QByteArray before("[Desktop Entry]\nIcon=user-desktop\nx-pexo-wallpaper=/old.jpg\n\n[Trash]\nHidden=true\n");
        QVERIFY(PexoTest::writeFile(record("Desktop1"), before));
        const ino_t oldInode = inode(record("Desktop1"));

        QVERIFY(m_live->applyHelper.applyWallpaperForCurrentDesktop(true, wallpaper));
        // The key is matched without regard to case; the file is replaced, not truncated.
        QCOMPARE(read("Desktop1"), "[Desktop Entry]\nIcon=user-desktop\nx-pexo-wallpaper=" + stored + "\n\n\n[Trash]\nHidden=true\n");
        QVERIFY(inode(record("Desktop1")) != oldInode);
        QCOMPARE(QDir(desktops() + QStringLiteral("/Desktop1")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral(".directory")});
        QCOMPARE(read("Desktop2"), QByteArray("[Desktop Entry]\nIcon=user-desktop\n"));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{wmCommand("WallPaperLocal", QString::fromUtf8(stored))});
        QVERIFY(m_live->readHelper.readWallpaperForCurrentDesktop());
    }

    // A record file that cannot take the record, full or no usable file,
    // is left as it is and counts as a failed write.
    void fullDiskKeepsTheRecordFile()
    {
        const QByteArray before("[Desktop Entry]\nIcon=user-desktop\nX-PEXO-WallPaper=/old.jpg\n");
        QVERIFY(PexoTest::writeFile(record("Desktop1"), before));
        const FailedWrites failed;
        {
            PexoTest::FileSizeLimit fullDisk(16);
            // No settings: only the record file is written.
            CurrentWallpaperApplyHelper(nullptr).applyWallpaperForCurrentDesktop(true, QStringLiteral("#118bcc"));
        }
        QCOMPARE(read("Desktop1"), before);
        QCOMPARE(failed.files(), QStringList{record("Desktop1")});

        QVERIFY(QFile::remove(record("Desktop1")) && ::mkfifo(QFile::encodeName(record("Desktop1")).constData(), 0600) == 0);
        const FailedWrites fifo;
        CurrentWallpaperApplyHelper(nullptr).applyWallpaperForCurrentDesktop(true, QStringLiteral("#118bcc"));
        QCOMPARE(fifo.files(), QStringList{record("Desktop1")});
        QVERIFY(QFile::remove(record("Desktop1")));
    }

    void setDesktopRecordWithoutFile()
    {
        QVERIFY(QFile::remove(record("Desktop1")));
        QVERIFY(m_live->applyHelper.applyWallpaperForCurrentDesktop(true, QStringLiteral("#118bcc")));
        QVERIFY(!QFileInfo::exists(record("Desktop1")));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{colourCommand});
        QCOMPARE(liveValue("WallPaperForCurrentDesktop"), QStringLiteral("true"));
    }

    void clearDesktopRecords()
    {
        const QByteArray withRecord("[Desktop Entry]\nX-PEXO-WallPaper=\"#118bcc\"\n\n\n[Monitor::A]\nX-PEXO-WallPaper=/a.jpg\n");
        const QByteArray untouched("[Desktop Entry]\nIcon = folder\n");
        for (const char *folder : {"Desktop1", "desktop7", "Other"}) {
            QVERIFY(PexoTest::writeFile(record(folder), withRecord));
        }
        QVERIFY(PexoTest::writeFile(record("Desktop2"), untouched));

        QVERIFY(m_live->applyHelper.applyWallpaperForCurrentDesktop(false, QStringLiteral("#118bcc")));
        const QByteArray cleared("[Desktop Entry]\n\n\n[Monitor::A]\nX-PEXO-WallPaper=/a.jpg\n");
        QCOMPARE(read("Desktop1"), cleared);
        QCOMPARE(read("desktop7"), cleared);
        QCOMPARE(read("Desktop2"), untouched); // held no key: not rewritten
        QCOMPARE(read("Other"), withRecord); // not a "Desktop*" folder
        QVERIFY(!QFileInfo::exists(record("Desktop4")));
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
        QCOMPARE(liveValue("WallPaperForCurrentDesktop"), QStringLiteral("false"));
    }

    void clearScreenRecords()
    {
        const QByteArray onlyScreen("[Monitor::VGA-1]\nX-PEXO-WallPaper=/a.jpg\n");
        const QByteArray mixed("[Desktop "
                               "Entry]\nIcon=folder\n\n[Monitor::A]\nX-PEXO-WallPaper=/a.jpg\n[monitor::b]\nX-PEXO-WallPaper=/"
                               "b.jpg\n[Monitor::C]\nX-PEXO-WallPaper=\"#000000\"\n");
        const QByteArray noScreen("[Desktop Entry]\nIcon = folder\n[Trash]\nHidden=true\n");
        QVERIFY(PexoTest::writeFile(record("Desktop1"), onlyScreen));
        QVERIFY(PexoTest::writeFile(record("Desktop2"), mixed));
        QVERIFY(PexoTest::writeFile(record("desktop7"), noScreen));
        QVERIFY(PexoTest::writeFile(record("Other"), onlyScreen));

        QVERIFY(m_live->applyHelper.applyWallpaperForCurrentScreen(false, QStringLiteral("/a.jpg")));
        // A file whose only group is a screen group is cleared too.
        QCOMPARE(read("Desktop1"), QByteArray());
        // The prefix is compared with its letter case.
        QCOMPARE(read("Desktop2"), QByteArray("[Desktop Entry]\nIcon=folder\n\n\n[monitor::b]\nX-PEXO-WallPaper=/b.jpg\n"));
        QCOMPARE(read("desktop7"), noScreen); // nothing removed: not rewritten
        QCOMPARE(read("Other"), onlyScreen);
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
        QCOMPARE(liveValue("WallPaperForCurrentScreen"), QStringLiteral("false"));
    }

    void readRecords_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no record file
        QTest::addColumn<bool>("liveFlag");
        QTest::addColumn<bool>("expected");
        const QByteArray existing = QFile::encodeName(QDir::homePath() + QStringLiteral("/wall.jpg"));

        QTest::newRow("no file, flag on") << QByteArray() << true << true;
        QTest::newRow("no record") << QByteArray("[Desktop Entry]\nIcon=folder\n") << true << true;
        QTest::newRow("empty record") << QByteArray("[Desktop Entry]\nX-PEXO-WallPaper=\n") << true << true;
        QTest::newRow("quoted colour") << QByteArray("[Desktop Entry]\nX-PEXO-WallPaper=\"#118bcc\"\n") << false << true;
        QTest::newRow("bare colour") << QByteArray("[desktop entry]\nX-PEXO-WallPaper=#118bcc\n") << false << true;
        QTest::newRow("bad colour") << QByteArray("[Desktop Entry]\nX-PEXO-WallPaper=\"#11zz\"\n") << true << false;
        QTest::newRow("missing file") << QByteArray("[Desktop Entry]\nX-PEXO-WallPaper=/nowhere/wall.jpg\n") << true << false;
        QTest::newRow("existing file") << QByteArray("[Desktop Entry]\nX-PEXO-WallPaper= " + existing + " \n") << false << true;
    }

    void readRecords()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, liveFlag);
        QFETCH(bool, expected);
        QVERIFY(PexoTest::writeFile(QDir::homePath() + QStringLiteral("/wall.jpg"), QByteArray("jpeg")));
        if (content.isNull()) {
            QVERIFY(QFile::remove(record("Desktop1")));
        } else {
            QVERIFY(PexoTest::writeFile(record("Desktop1"), content + "[Monitor::A]\nX-PEXO-WallPaper=\"#118bcc\"\n"));
        }
        QCOMPARE(m_live->settings.write(QStringLiteral("WallPaperForCurrentDesktop"), liveFlag), 0);
        QCOMPARE(m_live->readHelper.readWallpaperForCurrentDesktop(), expected);
        // Without a screen the per-screen flag comes from the settings alone.
        QCOMPARE(m_live->settings.write(QStringLiteral("WallPaperForCurrentScreen"), liveFlag), 0);
        QCOMPARE(m_live->readHelper.readWallpaperForCurrentScreen(), liveFlag);
    }
};

QTEST_MAIN(WallpaperRecordsTest)

#include "wallpaperrecordstest.moc"
