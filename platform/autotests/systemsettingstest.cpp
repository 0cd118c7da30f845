// The settings application stand-in, driven as the README and scripts drive it.

#include <pexotestsupport.h>

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QUrl>

namespace {
struct Run
{
    int exitCode = -1;
    QString output;
    QString errors;
};

Run host(const QStringList &arguments, const QString &variable = QString(), const QString &value = QString())
{
    QProcess process;
    if (!variable.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(variable, value);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral("ulvar-systemsettings"), arguments);
    Run run;
    if (PexoTest::waitForExit(process) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString liveValue(const QString &key)
{
    KConfig live(QDir::homePath() + QStringLiteral("/.config/pexo/session/current.themerc"), KConfig::SimpleConfig);
    return live.group(QStringLiteral("Variables")).readEntry(key, QStringLiteral("<missing>"));
}
} // namespace

class SystemSettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptedSession()
    {
        const Run run = host({QStringLiteral("kcm_pexo_taskbar"),
                              QStringLiteral("--set"),
                              QStringLiteral("usePager=false"),
                              QStringLiteral("--needs-save"),
                              QStringLiteral("--save"),
                              QStringLiteral("--needs-save"),
                              QStringLiteral("--print"),
                              QStringLiteral("usePager")});
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, QStringLiteral("needsSave=true\nneedsSave=false\nusePager=false\n"));
        QCOMPARE(liveValue(QStringLiteral("UsePager")), QStringLiteral("false"));
        QVERIFY(PexoTest::takeWmCommands().contains(QStringLiteral("PEXOWM_UPDATE_VAL UsePager false\n")));

        // A bad action stops the session before the save.
        const Run bad = host({QStringLiteral("kcm_pexo_taskbar"),
                              QStringLiteral("--set"),
                              QStringLiteral("usePager=true"),
                              QStringLiteral("--set"),
                              QStringLiteral("usePager=maybe"),
                              QStringLiteral("--save")});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.errors.contains(QStringLiteral("\"maybe\" is not a value of \"usePager\"")), qPrintable(bad.errors));
        QCOMPARE(liveValue(QStringLiteral("UsePager")), QStringLiteral("false"));
        QCOMPARE(host({QStringLiteral("kcm_pexo_nothing")}).exitCode, 1);

        // A page that refuses a value, by its error signal or by not keeping
        // it, fails the session with its message.
        const Run colour = host({QStringLiteral("kcm_pexo_color"), QStringLiteral("--set"), QStringLiteral("accentColor=notacolor"), QStringLiteral("--save")});
        QCOMPARE(colour.exitCode, 1);
        QVERIFY2(colour.errors.contains(QStringLiteral("kcm_pexo_color: Invalid color: notacolor")), qPrintable(colour.errors));
        QCOMPARE(liveValue(QStringLiteral("PrimaryColor")), QStringLiteral("<missing>"));
        const Run theme =
            host({QStringLiteral("kcm_pexo_theme"), QStringLiteral("--set"), QStringLiteral("currentTheme=NoSuchTheme"), QStringLiteral("--save")});
        QCOMPARE(theme.exitCode, 1);
        QVERIFY2(theme.errors.contains(QStringLiteral("Can't set theme \"NoSuchTheme\"")), qPrintable(theme.errors));
        QVERIFY2(theme.errors.contains(QStringLiteral("did not save currentTheme=NoSuchTheme")), qPrintable(theme.errors));

        // A value the page reads back in its own form is taken and kept.
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/index.theme"),
                                    "[Pexo Theme]\nId=UlvarTornelLight\nName=UlvarTornelLight\n"));
        const Run red = host({QStringLiteral("kcm_pexo_color"),
                              QStringLiteral("--set"),
                              QStringLiteral("accentColor=red"),
                              QStringLiteral("--save"),
                              QStringLiteral("--print"),
                              QStringLiteral("accentColor")});
        QVERIFY2(red.exitCode == 0, qPrintable(red.errors));
        QCOMPARE(red.output, QStringLiteral("accentColor=#ff0000\n"));
        const QString drawing = QDir::homePath() + QStringLiteral("/drawing.svg");
        QVERIFY(
            PexoTest::writeFile(drawing, "<svg xmlns='http://www.w3.org/2000/svg' width='64' height='48'><rect width='64' height='48' fill='#3070a0'/></svg>"));
        const Run svg = host({QStringLiteral("kcm_pexo_wallpaper"),
                              QStringLiteral("--set"),
                              QStringLiteral("wallpaper=") + drawing,
                              QStringLiteral("--save"),
                              QStringLiteral("--print"),
                              QStringLiteral("wallpaper")});
        QVERIFY2(svg.exitCode == 0, qPrintable(svg.errors));
        QVERIFY2(svg.output.startsWith(QStringLiteral("wallpaper=")) && svg.output.endsWith(QStringLiteral(".png\n")), qPrintable(svg.output));
    }

    // A page that reads a saved file back with links followed kept it; one
    // that reads another file, even of the same content, or the old one did not.
    void savedLink_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("wallpaper") << QStringLiteral("wallpaper") << QStringLiteral("WallPaper") << QString() << 0 << QString();
        QTest::newRow("logo") << QStringLiteral("logo") << QStringLiteral("LogoPixmap") << QString() << 0 << QString();
        // Other spellings of the same file.
        QTest::newRow("wallpaper as a file URL") << QStringLiteral("wallpaper") << QStringLiteral("WallPaper") << QStringLiteral("url") << 0 << QString();
        QTest::newRow("logo below the home folder") << QStringLiteral("logo") << QStringLiteral("LogoPixmap") << QStringLiteral("home") << 0 << QString();
        QTest::newRow("wallpaper, a relative path") << QStringLiteral("wallpaper") << QStringLiteral("WallPaper") << QStringLiteral("relative") << 0
                                                    << QString();
        QTest::newRow("wallpaper, a desktop link to a file URL")
            << QStringLiteral("wallpaper") << QStringLiteral("WallPaper") << QStringLiteral("desktop") << 0 << QString();
        QTest::newRow("wallpaper fixed to a copy") << QStringLiteral("wallpaper") << QStringLiteral("WallPaper") << QStringLiteral("master") << 1
                                                   << QStringLiteral("did not save wallpaper=");
        QTest::newRow("logo, read-only folder") << QStringLiteral("logo") << QStringLiteral("LogoPixmap") << QStringLiteral("read-only") << 1
                                                << QStringLiteral("Could not write");
    }

    void savedLink()
    {
        QFETCH(QString, property);
        QFETCH(QString, key);
        QFETCH(QString, obstacle);
        QFETCH(int, status);
        QFETCH(QString, message);
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/index.theme"),
                                    "[Pexo Theme]\nId=UlvarTornelLight\nName=UlvarTornelLight\n"));
        // Another size of the same picture, as wallpaper packages ship them.
        const QString picture = QDir::homePath() + QStringLiteral("/%1-2560.png").arg(QLatin1String(QTest::currentDataTag()));
        const QString link = QDir::homePath() + QStringLiteral("/%1-1920.png").arg(QLatin1String(QTest::currentDataTag()));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(picture) && QFile::link(QFileInfo(picture).fileName(), link));
        const QString master = QStringLiteral("/usr/share/pexo/theme.master/themerc");
        const QString session = QDir::homePath() + QStringLiteral("/.config/pexo/session");
        const QString before = liveValue(key);
        if (obstacle == QLatin1String("master")) {
            QVERIFY(QFile::copy(picture, picture + QStringLiteral(".copy.png")));
            QVERIFY(PexoTest::writeFile(master, "[Variables]\n" + key.toUtf8() + '=' + QFile::encodeName(picture) + ".copy.png\n"));
        } else if (obstacle == QLatin1String("read-only")) {
            QVERIFY(QDir().mkpath(session));
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), session, session}), 0);
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), session}), 0);
        }
        QString spelled = link;
        if (obstacle == QLatin1String("url")) {
            spelled = QUrl::fromLocalFile(link).toString();
        } else if (obstacle == QLatin1String("home")) {
            spelled = QStringLiteral("~/") + QDir::home().relativeFilePath(link);
        } else if (obstacle == QLatin1String("relative")) {
            spelled = QDir::current().relativeFilePath(link);
        } else if (obstacle == QLatin1String("desktop")) {
            spelled = link + QStringLiteral(".desktop");
            QVERIFY(PexoTest::writeFile(spelled, "[Desktop Entry]\nType=Link\nURL=" + QUrl::fromLocalFile(link).toEncoded() + '\n'));
        }
        const Run run = host({QStringLiteral("kcm_pexo_wallpaper"), QStringLiteral("--set"), property + QLatin1Char('=') + spelled, QStringLiteral("--save")});
        if (obstacle == QLatin1String("master")) {
            QVERIFY(QFile::remove(master));
        } else if (obstacle == QLatin1String("read-only")) {
            QCOMPARE(QProcess::execute(QStringLiteral("umount"), {session}), 0);
        }
        QVERIFY2(run.exitCode == status, qPrintable(run.errors));
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        if (status == 0) {
            // Kept as a path that any program finds.
            QVERIFY2(QDir::isAbsolutePath(liveValue(key)), qPrintable(liveValue(key)));
            QCOMPARE(QFileInfo(liveValue(key)).canonicalFilePath(), picture);
        } else if (obstacle == QLatin1String("read-only")) {
            QCOMPARE(liveValue(key), before);
        }
    }

    // A page in or below --plugin-dir wins over the one built beside the program.
    void pluginDir()
    {
        const QString space = QStringLiteral("/plasma/kcms/systemsettings/kcm_pexo_taskbar.so");
        const QString built = QCoreApplication::applicationDirPath() + space;
        const QString other = QDir::homePath() + QStringLiteral("/other");
        const QString flat = QDir::homePath() + QStringLiteral("/flat");
        QVERIFY(QDir().mkpath(other + QStringLiteral("/plasma/kcms/systemsettings")) && QDir().mkpath(flat));
        QVERIFY(QFile::copy(built, other + space) && QFile::copy(built, flat + QStringLiteral("/kcm_pexo_taskbar.so")));
        // A plug-in root with namespaces, and a folder of plug-in files.
        const QList<QPair<QString, QString>> dirAndLoaded{{other, other + space}, {flat, flat + QStringLiteral("/kcm_pexo_taskbar.so")}};
        for (const auto &[dir, loaded] : dirAndLoaded) {
            const Run run = host({QStringLiteral("--plugin-dir"), dir, QStringLiteral("kcm_pexo_taskbar"), QStringLiteral("--needs-save")},
                                 QStringLiteral("LD_DEBUG"),
                                 QStringLiteral("files"));
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.errors.contains(QStringLiteral("calling init: ") + loaded), qPrintable(run.errors.right(2000)));
            QVERIFY(!run.errors.contains(QStringLiteral("calling init: ") + built));
        }

        const Run missing = host(
            {QStringLiteral("--plugin-dir"), QDir::homePath() + QStringLiteral("/none"), QStringLiteral("kcm_pexo_taskbar"), QStringLiteral("--needs-save")});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY2(missing.errors.contains(QStringLiteral("no plug-in directory")), qPrintable(missing.errors));
    }

    // The form of a QML module's properties, on the X server.
    void window()
    {
        const QString picture = QDir::homePath() + QStringLiteral("/wm.png");
        const Run run = host({QStringLiteral("kcm_pexo_wm"), QStringLiteral("--grab"), picture});
        QCOMPARE(run.exitCode, 0);
        const QImage image(picture);
        QVERIFY(image.width() > 100 && image.height() > 200);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                colours.insert(image.pixel(x, y));
            }
        }
        QVERIFY2(colours.size() > 10, qPrintable(QString::number(colours.size())));

        // A widget page outlives its window: the session goes on after the grab.
        const QString sizes = QDir::homePath() + QStringLiteral("/sizes.png");
        const Run widgetRun =
            host({QStringLiteral("kcm_pexo_sizes"), QStringLiteral("--grab"), sizes, QStringLiteral("--grab"), sizes, QStringLiteral("--needs-save")});
        QCOMPARE(widgetRun.exitCode, 0);
        QVERIFY(widgetRun.output.contains(QStringLiteral("needsSave=false")));
    }
};

QTEST_MAIN(SystemSettingsTest)

#include "systemsettingstest.moc"
