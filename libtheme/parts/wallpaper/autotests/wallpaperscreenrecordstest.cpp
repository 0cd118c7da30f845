#include "desktopfolders.h"
#include "wallpaperthemepart.h"

#include <QFileInfo>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace DesktopFolders;

// The per-screen records with a shown window, whose screen is the current one.
class WallpaperScreenRecordsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWindow> m_window;
    std::unique_ptr<LiveSettings> m_live;
    QByteArray m_group;

private Q_SLOTS:
    void initTestCase()
    {
        m_window.reset(new QWindow);
        m_window->resize(64, 64);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get(), PexoTest::patienceMs));
        QVERIFY(m_window->screen());
        QVERIFY(!m_window->screen()->name().isEmpty());
        m_group = "[Monitor::" + m_window->screen()->name().toUtf8() + "]\n";
    }

    void init()
    {
        QFile::remove(ThemeDefaults::currentThemeConfigPath);
        QVERIFY(reset());
        m_live.reset(new LiveSettings);
        PexoTest::takeWmCommands();
    }

    void cleanup()
    {
        m_live.reset();
    }

    void setScreenRecords_data()
    {
        QTest::addColumn<bool>("perDesktop");
        QTest::newRow("every desktop folder") << false;
        QTest::newRow("current desktop folder") << true;
    }

    void setScreenRecords()
    {
        QFETCH(bool, perDesktop);
        QCOMPARE(m_live->settings.write(QStringLiteral("WallPaperForCurrentDesktop"), perDesktop), 0);
        QVERIFY(m_live->applyHelper.applyWallpaperForCurrentScreen(true, QStringLiteral("/w.jpg")));

        const QByteArray original("[Desktop Entry]\nIcon=user-desktop\n");
        const QByteArray withRecord = original + "\n\n" + m_group + "X-PEXO-WallPaper=/w.jpg\n";
        QCOMPARE(read("Desktop1"), withRecord);
        QCOMPARE(read("Desktop2"), perDesktop ? original : withRecord);
        QCOMPARE(read("desktop7"), perDesktop ? original : withRecord);
        QCOMPARE(read("Other"), original);
        QVERIFY(!QFileInfo::exists(record("Desktop4")));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{QStringLiteral("PEXOWM_UPDATE_VAL WallPaperLocal /w.jpg\n")});
        QCOMPARE(liveValue("WallPaperForCurrentScreen"), QStringLiteral("true"));
    }

    void applyBothFlags()
    {
        WallpaperThemePart part;
        part.setWallpaper(QStringLiteral("#118bcc"));
        part.setLogo(ThemeDefaults::LogoPixmap.defaultValue);
        part.setLogoPosition(QStringLiteral("Center"));
        part.setForCurrentDesktop(true);
        part.setForCurrentScreen(true);
        part.apply(&m_live->applyHelper);

        // The per-screen step sees the per-desktop flag written just before it.
        const QString local = QStringLiteral("PEXOWM_UPDATE_VAL WallPaperLocal \"#118bcc\"\n");
        QCOMPARE(PexoTest::takeWmCommands(),
                 QStringList({local,
                              local,
                              QStringLiteral("PEXOWM_UPDATE_VAL LogoPixmap %1\n").arg(ThemeDefaults::LogoPixmap.defaultValue),
                              QStringLiteral("PEXOWM_UPDATE_VAL LogoPosition Center\n")}));
        QCOMPARE(read("Desktop1"), "[Desktop Entry]\nIcon=user-desktop\nX-PEXO-WallPaper=\"#118bcc\"\n\n\n" + m_group + "X-PEXO-WallPaper=\"#118bcc\"\n");
        QCOMPARE(read("Desktop2"), QByteArray("[Desktop Entry]\nIcon=user-desktop\n"));

        // The quoted colour records count as set whatever the live keys say.
        QCOMPARE(m_live->settings.write(QStringLiteral("WallPaperForCurrentDesktop"), false), 0);
        QCOMPARE(m_live->settings.write(QStringLiteral("WallPaperForCurrentScreen"), false), 0);
        WallpaperThemePart readBack;
        readBack.read(&m_live->readHelper);
        QVERIFY(readBack.forCurrentDesktop());
        QVERIFY(readBack.forCurrentScreen());

        // Clearing both flags removes the records again.
        part.setForCurrentDesktop(false);
        part.setForCurrentScreen(false);
        part.apply(&m_live->applyHelper);
        QCOMPARE(read("Desktop1"), QByteArray("[Desktop Entry]\nIcon=user-desktop\n"));
        readBack.read(&m_live->readHelper);
        QVERIFY(!readBack.forCurrentDesktop());
        QVERIFY(!readBack.forCurrentScreen());

        // Only the current screen's group counts.
        QVERIFY(PexoTest::writeFile(record("Desktop1"), "[Monitor::elsewhere]\nX-PEXO-WallPaper=\"#118bcc\"\n"));
        QVERIFY(!m_live->readHelper.readWallpaperForCurrentScreen());
    }
};

QTEST_MAIN(WallpaperScreenRecordsTest)

#include "wallpaperscreenrecordstest.moc"
