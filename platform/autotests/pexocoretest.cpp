// The desktop core library stand-in: directories, program lookup, colours,
// settings and desktop-entry files, the cursor state shared by processes, and
// look-ups in icon and sound themes, the screen density with the sizes
// derived from it.

#include <pexocolors.h>
#include <pexodesktopentry.h>
#include <pexodirs.h>
#include <pexodpi.h>
#include <pexoicontheme.h>
#include <pexologo.h>
#include <pexosettings.h>
#include <pexosoundtheme.h>
#include <pexowallpaper.h>

#include <pexotestsupport.h>
#include <picturetestsupport.h>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <X11/Xlib.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// A sparse file of the size.
bool makeLarge(const QString &path, const QByteArray &head, qint64 size)
{
    QFile file(path);
    return PexoTest::writeFile(path, head) && file.resize(size);
}
} // namespace

class PexoCoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A call that waits on a fifo ends the test run.
    void init()
    {
        ::alarm(PexoTest::patienceMs / 1000);
    }

    void cleanup()
    {
        ::alarm(0);
    }

    void directories()
    {
        const QString home = QDir::homePath();
        const auto dir = [](PexoDir kind) {
            return QString::fromStdString(GetPexoDir(kind));
        };
        QCOMPARE(dir(PexoSystemDataDir), QStringLiteral("/usr/share/pexo"));
        QCOMPARE(dir(PexoUserConfigDir), qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/pexo"));
        QCOMPARE(dir(PexoSessionConfigDir), qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/pexo/session"));
        QCOMPARE(dir(PexoDesktopDir), home + QStringLiteral("/Desktops/Desktop1"));
        QCOMPARE(dir(PexoSystemSoundsDir), QStringLiteral("/usr/share/sounds"));
        QCOMPARE(dir(PexoHomeDir), home);
        QCOMPARE(dir(PexoUserDataDir), qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/pexo"));
        QVERIFY(QFileInfo(dir(PexoDesktopDir)).isDir());
        QVERIFY(QFileInfo(dir(PexoUserDataDir)).isDir());
        QVERIFY(!dir(PexoUserConfigDir).endsWith(QLatin1Char('/')));
    }

    void findFileInPath()
    {
        QCOMPARE(FindFileInPATH(""), std::string());
        QCOMPARE(FindFileInPATH("no-such-program-here"), std::string());
        QCOMPARE(FindFileInPATH("sh"), QStandardPaths::findExecutable(QStringLiteral("sh")).toStdString());

        // A non-executable file of the name earlier in PATH is skipped.
        const QString first = QDir::homePath() + QStringLiteral("/bin1");
        const QString second = QDir::homePath() + QStringLiteral("/bin2");
        PexoTest::writeFile(first + QStringLiteral("/tool"), "data");
        PexoTest::writeFile(second + QStringLiteral("/tool"), "#!/bin/sh\n");
        QFile::setPermissions(second + QStringLiteral("/tool"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", (first + QLatin1Char(':') + second).toLocal8Bit());
        QCOMPARE(QString::fromStdString(FindFileInPATH("tool")), second + QStringLiteral("/tool"));
        qputenv("PATH", path);
    }

    void wallpaperByName()
    {
        const auto find = [](const char *name) {
            return QString::fromStdString(FindWallPaperByName(name, 1920, 1080, nullptr, "#039be5"));
        };
        QVERIFY(PexoTest::installSampleData());
        QCOMPARE(find("pexo-default"), QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg"));
        QCOMPARE(find("pexo-default-dark"), QStringLiteral("/usr/share/wallpapers/pexo-default-dark.jpg"));
        QCOMPARE(find("/usr/share/wallpapers/pexo-default-dark.jpg"), QStringLiteral("/usr/share/wallpapers/pexo-default-dark.jpg"));

        // The user's wallpapers come first; missing paths and names give "".
        const QString own = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/wallpapers/pexo-default-dark.png");
        PexoTest::writeFile(own, "png");
        QCOMPARE(find("pexo-default-dark"), own);
        QCOMPARE(find("/usr/share/wallpapers/missing.jpg"), QString());
        QCOMPARE(find("missing"), QString());
        QCOMPARE(find(""), QString());
        // Nor is a picture too large to be read.
        QVERIFY(makeLarge(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/wallpapers/huge.jpg"), "jpg", 300 * 1024 * 1024));
        QCOMPARE(find("huge"), QString());
    }

    void colours()
    {
        QCOMPARE(textColorFor("#000000"), std::string("#FFFFFF"));
        QCOMPARE(textColorFor("#118bcc"), std::string("#FFFFFF"));
        QCOMPARE(textColorFor("#ffffff"), std::string("#000000"));
        QCOMPARE(textColorFor("not a colour"), std::string("#FFFFFF"));

        const auto shades = CreateShadeColors("#118bcc");
        QCOMPARE(int(shades.size()), 18); // "color600" and "600" alike
        QCOMPARE(shades.at("color500"), std::string("#118bcc"));
        QCOMPARE(shades.at("600"), shades.at("color600"));
        QCOMPARE(shades.count("color950"), size_t(0));
        const auto lightness = [&](const char *name) {
            return QColor(QString::fromStdString(shades.at(name))).lightness();
        };
        QVERIFY(lightness("color100") > lightness("color400"));
        QVERIFY(lightness("color600") > lightness("color900"));
        QVERIFY(CreateShadeColors("nope").empty());

        QCOMPARE(CreateShadeColor("#808080", 1.0), std::string("#ffffff"));
        QCOMPARE(CreateShadeColor("#808080", -1.0), std::string("#000000"));
        QCOMPARE(CreateShadeColor("red", 0), std::string("#ff0000"));
        QVERIFY(QColor(QString::fromStdString(GetPrimaryDarkColor("#118bcc", true))).lightness() < QColor(QStringLiteral("#118bcc")).lightness());
    }

    void settingsFile()
    {
        const QString path = QDir::homePath() + QStringLiteral("/settings/pexo.conf");
        {
            PexoSettings settings(path);
            QVERIFY(settings.isParsed()); // a missing file is an empty one
            settings.setValue(QStringLiteral("A"), QStringLiteral("1"));
            settings.setValue(QStringLiteral("B"), QStringLiteral("x\ny")); // one entry per line
            QVERIFY(settings.sync(false));
        }
        QCOMPARE(PexoTest::readFile(path), QByteArray("A=1\nB=xy\n"));

        PexoSettings reread(path);
        QCOMPARE(reread.value(QStringLiteral("A")).toString(), QStringLiteral("1"));
        QCOMPARE(reread.value(QStringLiteral("C"), 5).toInt(), 5);
        PexoTest::writeFile(path, "A=2\n# comment\n\nD==\n");
        QVERIFY(reread.sync(true));
        QCOMPARE(reread.value(QStringLiteral("A")).toString(), QStringLiteral("2"));
        QCOMPARE(reread.value(QStringLiteral("D")).toString(), QStringLiteral("="));
        reread.remove(QStringLiteral("A"));
        QVERIFY(reread.sync(false));
        QCOMPARE(PexoTest::readFile(path), QByteArray("D==\n"));

        // A full disk: the file stays whole and the sync says it failed.
        reread.setValue(QStringLiteral("E"), QStringLiteral("a value that does not fit"));
        {
            PexoTest::FileSizeLimit fullDisk(8);
            QVERIFY(!reread.sync(false));
        }
        QCOMPARE(PexoTest::readFile(path), QByteArray("D==\n"));

        PexoTest::writeFile(path, "garbage line\n");
        QVERIFY(!PexoSettings(path).isParsed());

        // A fifo cannot be read either, and is not waited on.
        QVERIFY(PexoTest::removePath(path) && makeFifo(path));
        QVERIFY(!PexoSettings(path).isParsed());
    }

    void desktopEntry()
    {
        const QString path = QDir::homePath() + QStringLiteral("/Desktops/Desktop1/mytrash.desktop");
        PexoTest::writeFile(path, "[Desktop Entry]\nType=Link\nURL=trash:/\nComment=Trash\nComment[de]=Papierkorb\nIcon=user-trash\n");
        PexoDesktopEntry entry(path);
        QVERIFY(entry.load());
        QVERIFY(!entry.hidden());
        QCOMPARE(entry.type(), QStringLiteral("Link"));
        QCOMPARE(entry.url(), QStringLiteral("trash:/"));
        QCOMPARE(entry.localCommentOrFallback(), QStringLiteral("Trash"));
        entry.setHidden(true);
        QVERIFY(entry.save(false));

        const QByteArray saved = PexoTest::readFile(path);
        QVERIFY(saved.contains("Hidden=true"));
        QVERIFY(saved.contains("Icon=user-trash"));
        QVERIFY(saved.contains("Comment[de]=Papierkorb"));
        QVERIFY(PexoDesktopEntry(path).hidden());
        QVERIFY(!PexoDesktopEntry(path + QStringLiteral(".missing")).load());
        QVERIFY(makeFifo(path + QStringLiteral(".fifo")));
        QVERIFY(!PexoDesktopEntry(path + QStringLiteral(".fifo")).load());
    }

    void iconThemes()
    {
        const QString user = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/icons/");
        const QString system = QDir::homePath() + QStringLiteral("/system/icons/");
        qputenv("XDG_DATA_DIRS", QFile::encodeName(QDir::homePath() + QStringLiteral("/system")));
        const auto index = [](const QString &path, const QByteArray &head, const QByteArray &dirs) {
            return PexoTest::writeFile(path + QStringLiteral("/index.theme"), "[Icon Theme]\nName=x\n" + head + dirs);
        };
        QVERIFY(index(system + QStringLiteral("Main"),
                      "Inherits=Parent\nDirectories=32/status,48/status,48/places,scalable/apps\n",
                      "[32/status]\nSize=32\nContext=Status\nType=Fixed\n"
                      "[48/status]\nSize=48\nContext=Status\nType=Fixed\n"
                      "[48/places]\nSize=48\nContext=Places\nType=Fixed\n"
                      "[scalable/apps]\nSize=64\nMinSize=16\nMaxSize=256\nContext=Applications\nType=Scalable\n"));
        QVERIFY(index(system + QStringLiteral("Parent"), "Directories=22/places\n", "[22/places]\nSize=22\nContext=Places\n"));
        QVERIFY(index(system + QStringLiteral("hicolor"), "Directories=16/apps\n", "[16/apps]\nSize=16\nContext=Applications\n"));
        QVERIFY(index(system + QStringLiteral("Cursors"), "Inherits=Main\n", QByteArray()));
        // A description or an icon too large to be read is not there.
        QVERIFY(makeLarge(system + QStringLiteral("Large/index.theme"), "[Icon Theme]\nDirectories=16/apps\n[16/apps]\nSize=16\n", 2 * 1024 * 1024));
        QVERIFY(makeLarge(system + QStringLiteral("Main/48/status/user-large.png"), "icon", 300 * 1024 * 1024));
        for (const char *file : {"Main/32/status/user-trash-full.png",
                                 "Main/48/status/user-home.png",
                                 "Main/48/places/user-home.svg",
                                 "Main/scalable/apps/clock.svg",
                                 "Parent/22/places/user-desktop.png",
                                 "Parent/22/places/user.png",
                                 "hicolor/16/apps/preferences-system-time.png"}) {
            QVERIFY(PexoTest::writeFile(system + QLatin1String(file), "icon"));
        }
        QVERIFY(index(user + QStringLiteral("Main"), "Directories=32/status,48/places\n", "[32/status]\nSize=32\n[48/places]\nSize=48\n"));
        QVERIFY(PexoTest::writeFile(user + QStringLiteral("Main/48/places/folder.png"), "icon")); // beside the system one

        const std::vector<std::string> names{"Main", "Main", "Parent", "hicolor"};
        QCOMPARE(PexoIconTheme::getThemesNames(), names);

        PexoIconTheme missing("Nowhere", "", false);
        QVERIFY(!missing.load());

        // The user's index.theme describes Main; its icons are found in both places.
        PexoIconTheme main("Main", "", false);
        QVERIFY(main.load());
        const auto path = [&main](const char *icon, int size, const char *context) {
            return QString::fromStdString(main.getIconPath(icon, size, context));
        };
        QCOMPARE(path("user-trash-full", 32, "Status"), system + QStringLiteral("Main/32/status/user-trash-full.png"));
        QCOMPARE(path("user-trash-full", 48, "Status"), system + QStringLiteral("Main/32/status/user-trash-full.png")); // closest size
        QCOMPARE(path("user-large", 48, "Status"), QString());
        QCOMPARE(path("folder", 32, ""), user + QStringLiteral("Main/48/places/folder.png"));

        // Once the user's index.theme is gone the system one lists all directories.
        QVERIFY(PexoTest::removePath(user + QStringLiteral("Main/index.theme")));
        QVERIFY(main.load());
        QCOMPARE(path("clock", 200, "apps"), system + QStringLiteral("Main/scalable/apps/clock.svg"));
        QCOMPARE(path("user-home", 48, "places"), system + QStringLiteral("Main/48/places/user-home.svg"));
        QCOMPARE(path("user-desktop", 48, "Places"), system + QStringLiteral("Parent/22/places/user-desktop.png"));
        QCOMPARE(path("preferences-system-time", 32, "Applications"), system + QStringLiteral("hicolor/16/apps/preferences-system-time.png"));
        // A generic name after the full one in every theme; never a path outside the themes.
        QCOMPARE(path("user-bookmarks", 48, "Places"), system + QStringLiteral("Parent/22/places/user.png"));
        QCOMPARE(path("../Parent/22/places/user", 22, ""), QString());

        PexoIconTheme own("Main", "", true);
        QVERIFY(own.load());
        QCOMPARE(own.getIconPath("user-desktop", 48, "Places"), std::string());
        qunsetenv("XDG_DATA_DIRS");
    }

    void soundThemes()
    {
        const QString base = QDir::homePath() + QStringLiteral("/system/sounds/");
        qputenv("XDG_DATA_DIRS", QFile::encodeName(QDir::homePath() + QStringLiteral("/system")));
        QVERIFY(PexoTest::writeFile(base + QStringLiteral("calm/index.theme"),
                                    "[Sound Theme]\nName=Calm\nName[de]=Ruhig\nInherits=calm-base\nDirectories=surround,stereo\n"
                                    "[surround]\nOutputProfile=5.1\n[stereo]\nOutputProfile=stereo\n"));
        QVERIFY(PexoTest::writeFile(base + QStringLiteral("calm-base/index.theme"), "[Sound Theme]\nName=Base\nDirectories=stereo\n"));
        QVERIFY(PexoTest::writeFile(base + QStringLiteral("freedesktop/index.theme"), "[Sound Theme]\nName=Default\nDirectories=stereo\n"));
        for (const char *file : {"calm/surround/bell.wav",
                                 "calm/stereo/bell.oga",
                                 "calm/stereo/de/bell.ogg",
                                 "calm/stereo/dialog-error.disabled",
                                 "calm-base/stereo/dialog.wav",
                                 "calm-base/stereo/desktop-login.oga",
                                 "freedesktop/stereo/window-attention.oga"}) {
            QVERIFY(PexoTest::writeFile(base + QLatin1String(file), "sound"));
        }
        const std::vector<std::string> names{"calm", "calm-base", "freedesktop"};
        QCOMPARE(PexoSoundTheme::getThemesNames(), names);
        // A theme in several base directories is listed once, where it is first found.
        const QString userCopy = QDir::homePath() + QStringLiteral("/.local/share/sounds/freedesktop");
        QVERIFY(PexoTest::writeFile(userCopy + QStringLiteral("/index.theme"), "[Sound Theme]\nName=Default\nDirectories=stereo\n"));
        QCOMPARE(PexoSoundTheme::getThemesNames(), (std::vector<std::string>{"freedesktop", "calm", "calm-base"}));
        QVERIFY(PexoTest::removePath(userCopy));

        PexoSoundTheme broken("none", "");
        QVERIFY(!broken.load());
        QCOMPARE(broken.path(), std::string());
        QCOMPARE(broken.getSoundFilePath("bell", "", ""), std::string());

        PexoSoundTheme calm("calm", "de_DE");
        QVERIFY(calm.load());
        QCOMPARE(calm.localName(), std::string("Ruhig"));
        QCOMPARE(QString::fromStdString(calm.path()), base + QStringLiteral("calm"));
        const auto path = [&calm](const char *sound, const char *locale, const char *profile) {
            return QString::fromStdString(calm.getSoundFilePath(sound, locale, profile));
        };
        QCOMPARE(path("bell", "", ""), base + QStringLiteral("calm/stereo/de/bell.ogg"));
        QCOMPARE(path("bell", "fr", ""), base + QStringLiteral("calm/stereo/bell.oga"));
        QCOMPARE(path("bell", "", "5.1"), base + QStringLiteral("calm/surround/bell.wav"));
        QCOMPARE(path("desktop-login", "", ""), base + QStringLiteral("calm-base/stereo/desktop-login.oga"));
        QCOMPARE(path("window-attention-active", "", ""), base + QStringLiteral("freedesktop/stereo/window-attention.oga"));
        QCOMPARE(path("dialog-error", "", ""), QString()); // switched off, not the generic "dialog"
        QCOMPARE(path("dialog-warning", "", ""), base + QStringLiteral("calm-base/stereo/dialog.wav"));
        // A sound too large to be played is not there.
        QVERIFY(makeLarge(base + QStringLiteral("calm/stereo/complete.oga"), "sound", 300 * 1024 * 1024));
        QCOMPARE(path("complete", "", ""), QString());
        qunsetenv("XDG_DATA_DIRS");
    }

    void cursorStateAcrossProcesses()
    {
        const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/cursorprobe");
        QProcess reader;
        reader.start(probe, QStringList());
        QVERIFY(PexoTest::waitForExit(reader));
        QCOMPARE(reader.readAllStandardOutput(), QByteArray(" -1\n")); // nothing set yet

        QVERIFY(PexoIconTheme::setCurrentCursorThemeName("Pexo Cursors"));
        QVERIFY(PexoIconTheme::setCurrentCursorThemeSize(48));
        reader.start(probe, QStringList());
        QVERIFY(PexoTest::waitForExit(reader));
        QCOMPARE(reader.readAllStandardOutput(), QByteArray("Pexo Cursors 48\n"));

        QCOMPARE(QProcess::execute(probe, {QStringLiteral("other"), QStringLiteral("24")}), 0);
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeName(nullptr), std::string("other"));
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeSize(nullptr), 24);

        // A fifo in place of the state reads as no state, is left alone and
        // takes no value.
        const QString statePath = QString::fromStdString(GetPexoDir(PexoSessionConfigDir)) + QStringLiteral("/cursor");
        QVERIFY(QFile::rename(statePath, statePath + QStringLiteral(".saved")) && makeFifo(statePath));
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeSize(nullptr), -1);
        QVERIFY(!PexoIconTheme::setCurrentCursorThemeName("fifo"));
        QVERIFY(QFileInfo::exists(statePath) && !QFileInfo(statePath).isFile());
        QVERIFY(QFile::remove(statePath) && QFile::rename(statePath + QStringLiteral(".saved"), statePath));

        // Values the file already holds leave it alone.
        const QByteArray state = QFile::encodeName(QString::fromStdString(GetPexoDir(PexoSessionConfigDir)) + QStringLiteral("/cursor"));
        struct stat before = {};
        struct stat after = {};
        QCOMPARE(::stat(state.constData(), &before), 0);
        QVERIFY(PexoIconTheme::setCurrentCursorThemeName("other"));
        QVERIFY(PexoIconTheme::setCurrentCursorThemeSize(24));
        QCOMPARE(::stat(state.constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
    }

    void logo()
    {
        const auto find = [](const char *name, const char *tone) {
            return QString::fromStdString(FindDefaultLogoPath(name, 1920, 1080, tone));
        };
        const QString system = QStringLiteral("/usr/share/wallpapers/logo/");
        const QString user = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/wallpapers/logo/");
        QVERIFY(PexoTest::writeFile(system + QStringLiteral("brand_dark.svg"), "<svg/>"));
        QVERIFY(PexoTest::writeFile(system + QStringLiteral("brand_white.png"), "png"));
        QCOMPARE(find("brand", "black"), system + QStringLiteral("brand_dark.svg"));
        QCOMPARE(find("brand", "white"), system + QStringLiteral("brand_white.png"));
        QVERIFY(PexoTest::writeFile(user + QStringLiteral("brand.svg"), "<svg/>"));
        QCOMPARE(find("brand", "black"), user + QStringLiteral("brand.svg"));
        QCOMPARE(find("missing", "black"), QString());
        QCOMPARE(find("/usr/share/wallpapers/logo/brand_dark.svg", "white"), system + QStringLiteral("brand_dark.svg"));

        // A 100 x 50 logo on the 1000 x 800 screen at (2000, 100): margin 20.
        const auto at = [](const char *position) {
            int x = -1;
            int y = -1;
            CalcLogoPosition(100, 50, 2000, 100, 1000, 800, position, &x, &y);
            return QPoint(x, y);
        };
        QCOMPARE(at("TopLeft"), QPoint(2020, 120));
        QCOMPARE(at("Center"), QPoint(2450, 475));
        QCOMPARE(at("Right"), QPoint(2880, 475));
        QCOMPARE(at("Bottom"), QPoint(2450, 830));
        QCOMPARE(at("BottomRight"), QPoint(2880, 830));
        QCOMPARE(at("NoSuchPlace"), at("BottomRight"));
    }

    void svgConverter()
    {
        const QString script = QStringLiteral(PEXO_SVG2PNG_STANDIN);
        const QString source = QDir::homePath() + QStringLiteral("/square.svg");
        const QString target = QDir::homePath() + QStringLiteral("/square.png");
        PexoTest::writeFile(source,
                            "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                            "<rect width='5' height='10' fill='#ff0000'/></svg>");
        QCOMPARE(QProcess::execute(script, {QStringLiteral("64"), QStringLiteral("32"), source, target}), 0);
        const QImage image(target);
        QCOMPARE(image.size(), QSize(64, 32));
        QCOMPARE(image.pixelColor(10, 16), QColor(Qt::red)); // stretched
        QCOMPARE(image.pixelColor(50, 16), QColor(Qt::white));

        const QString none = QDir::homePath() + QStringLiteral("/none.png");
        QVERIFY(QProcess::execute(script, {QStringLiteral("64"), QStringLiteral("32"), source + QStringLiteral(".missing"), none}) != 0);
        QVERIFY(QProcess::execute(script, {QStringLiteral("0"), QStringLiteral("32"), source, none}) != 0);
        QVERIFY(!QFile::exists(none));

        // A fifo as the picture ends the converter, and the image-colour
        // helper, at once with a failure.
        const QString fifo = QDir::homePath() + QStringLiteral("/fifo.svg");
        QVERIFY(makeFifo(fifo));
        QProcess helper;
        for (const auto &[program, arguments] : {std::make_pair(script, QStringList{QStringLiteral("64"), QStringLiteral("32"), fifo, none}),
                                                 std::make_pair(QStringLiteral("pexo-image-color"), QStringList{fifo})}) {
            helper.start(program, arguments);
            QVERIFY(helper.waitForFinished(PexoTest::patienceMs));
            QVERIFY(helper.exitCode() != 0);
        }
        QVERIFY(!QFile::exists(none));

        // Both read and decode as the library does: a drawing naming the
        // fifo, one inflating beyond the limit, a progressive JPEG of more
        // pixels than the limit fail at once; a JPEG of one scan is decoded
        // scaled. None takes much memory.
        const QString naming = QDir::homePath() + QStringLiteral("/naming.svg");
        PexoTest::writeFile(naming,
                            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='10' height='10'>"
                            "<image width='10' height='10' xlink:href='" +
                                QFile::encodeName(fifo) + "'/></svg>");
        const QString inflating = QDir::homePath() + QStringLiteral("/inflating.svgz");
        PexoTest::writeFile(inflating, PexoTest::gzipped("<svg xmlns='http://www.w3.org/2000/svg'><!--" + QByteArray(17 << 20, ' ') + "--></svg>"));
        const QString progressive = QDir::homePath() + QStringLiteral("/progressive.jpg");
        const QString baseline = QDir::homePath() + QStringLiteral("/baseline.jpg");
        QVERIFY(PexoTest::writeHugeJpeg(progressive, QSize(20000, 20000), PexoTest::JpegScans::Progressive));
        QVERIFY(PexoTest::writeHugeJpeg(baseline, QSize(20000, 20000), PexoTest::JpegScans::Baseline));
        for (const QString &refused : {naming, inflating}) {
            helper.start(script, {QStringLiteral("64"), QStringLiteral("32"), refused, none});
            QVERIFY(helper.waitForFinished(PexoTest::patienceMs));
            QCOMPARE(helper.exitCode(), 1);
        }
        QVERIFY(!QFile::exists(none));
        helper.start(QStringLiteral("pexo-image-color"), {progressive});
        QVERIFY(helper.waitForFinished(PexoTest::patienceMs));
        QCOMPARE(helper.exitCode(), 1);
        helper.start(QStringLiteral("pexo-image-color"), {baseline});
        QVERIFY(helper.waitForFinished(PexoTest::patienceMs));
        QCOMPARE(helper.readAllStandardOutput(), QByteArray("128,128,128\n"));
        struct rusage usage;
        QCOMPARE(::getrusage(RUSAGE_CHILDREN, &usage), 0);
        qInfo() << "helpers' peak memory" << usage.ru_maxrss / 1024 << "MiB";
        QVERIFY2(usage.ru_maxrss < 200 * 1024, qPrintable(QString::number(usage.ru_maxrss / 1024)));
    }

    void screenDensity()
    {
        // The sandbox's X server runs at 96 dpi.
        Display *display = XOpenDisplay(nullptr);
        QVERIFY(display);
        const int screen = DefaultScreen(display);
        QCOMPARE(FindDPI(display, screen, RootWindow(display, screen)), 96.0);
        QCOMPARE(FindDPI(display, 7, 0), 96.0);
        QCOMPARE(FindDPI(nullptr, 0, 0), 96.0);
        QCOMPARE(GetXftDPI(nullptr, 0), 0.0);

        // Resources are read from the server at each call, not from the
        // copy taken when the connection was opened.
        const auto xrdb = [](const QByteArray &resources) {
            QProcess process;
            process.start(QStringLiteral("xrdb"), {QStringLiteral("-nocpp"), QStringLiteral("-load")});
            process.write(resources);
            process.closeWriteChannel();
            return PexoTest::waitForExit(process) && process.exitCode() == 0;
        };
        QCOMPARE(GetXftDPI(display, screen), 0.0);
        QVERIFY(xrdb("Xft.antialias: 1\nXft.dpi: 144\n"));
        QCOMPARE(GetXftDPI(display, screen), 144.0);
        QVERIFY(xrdb("Xft.dpi: many\n"));
        QCOMPARE(GetXftDPI(display, screen), 0.0);
        QVERIFY(xrdb(""));
        XCloseDisplay(display);
    }

    void sizesForDensity()
    {
        QCOMPARE(PexoIconTheme::GetIconSizeForDPI(96, 0), 24);
        QCOMPARE(PexoIconTheme::GetIconSizeForDPI(96, 1), 32);
        QCOMPARE(PexoIconTheme::GetIconSizeForDPI(144, 1), 48);
        QCOMPARE(PexoIconTheme::GetIconSizeForDPI(144, 5), 0);
        QCOMPARE(PexoIconTheme::GetFrameTitleSizeForDPI(144, 32), 48);
        QCOMPARE(PexoIconTheme::GetFrameBorderSizeForDPI(40, 5), 5);
        // Never smaller at a higher density.
        for (int dpi = 0; dpi < 400; ++dpi) {
            QVERIFY(PexoIconTheme::GetIconSizeForDPI(dpi + 1, 0) >= PexoIconTheme::GetIconSizeForDPI(dpi, 0));
            QVERIFY(PexoIconTheme::GetFrameBorderSizeForDPI(dpi + 1, 5) >= PexoIconTheme::GetFrameBorderSizeForDPI(dpi, 5));
        }
    }
};

QTEST_GUILESS_MAIN(PexoCoreTest)

#include "pexocoretest.moc"
