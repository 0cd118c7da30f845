// The desktop core library stand-in: directories, program lookup, colours,
// settings and desktop-entry files, and the cursor state shared by processes.

#include <pexocolors.h>
#include <pexodesktopentry.h>
#include <pexodirs.h>
#include <pexoicontheme.h>
#include <pexosettings.h>
#include <pexowallpaper.h>

#include <pexotestsupport.h>

#include <QColor>
#include <QDir>
#include <QFileInfo>
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
    }

    void colours()
    {
        QCOMPARE(textColorFor("#000000"), std::string("#FFFFFF"));
        QCOMPARE(textColorFor("#118bcc"), std::string("#FFFFFF"));
        QCOMPARE(textColorFor("#ffffff"), std::string("#000000"));
        QCOMPARE(textColorFor("not a colour"), std::string("#FFFFFF"));

        const auto shades = CreateShadeColors("#118bcc");
        QCOMPARE(int(shades.size()), 9);
        QCOMPARE(shades.at("color500"), std::string("#118bcc"));
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
};

QTEST_GUILESS_MAIN(PexoCoreTest)

#include "pexocoretest.moc"
