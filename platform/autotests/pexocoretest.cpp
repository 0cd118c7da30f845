// The desktop core library stand-in: directories, program lookup, colours,
// settings and desktop-entry files, and the cursor state shared by processes.

#include <pexocolors.h>
#include <pexodesktopentry.h>
#include <pexodirs.h>
#include <pexoicontheme.h>
#include <pexologo.h>
#include <pexosettings.h>

#include <pexotestsupport.h>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class PexoCoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QCOMPARE(entry.comment(), QStringLiteral("Trash"));
        entry.setHidden(true);
        QVERIFY(entry.save(false));

        const QByteArray saved = PexoTest::readFile(path);
        QVERIFY(saved.contains("Hidden=true"));
        QVERIFY(saved.contains("Icon=user-trash"));
        QVERIFY(saved.contains("Comment[de]=Papierkorb"));
        QVERIFY(PexoDesktopEntry(path).hidden());
        QVERIFY(!PexoDesktopEntry(path + QStringLiteral(".missing")).load());
    }

    void cursorStateAcrossProcesses()
    {
        const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/cursorprobe");
        QProcess reader;
        reader.start(probe, QStringList());
        QVERIFY(reader.waitForFinished());
        QCOMPARE(reader.readAllStandardOutput(), QByteArray(" -1\n")); // nothing set yet

        PexoIconTheme::setCurrentCursorThemeName("Pexo Cursors");
        PexoIconTheme::setCurrentCursorThemeSize(48);
        reader.start(probe, QStringList());
        QVERIFY(reader.waitForFinished());
        QCOMPARE(reader.readAllStandardOutput(), QByteArray("Pexo Cursors 48\n"));

        QCOMPARE(QProcess::execute(probe, {QStringLiteral("other"), QStringLiteral("24")}), 0);
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeName(nullptr), std::string("other"));
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeSize(nullptr), 24);
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
    }
};

QTEST_GUILESS_MAIN(PexoCoreTest)

#include "pexocoretest.moc"
