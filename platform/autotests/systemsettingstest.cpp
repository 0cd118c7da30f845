// The settings application stand-in, driven as the README and scripts drive it.

#include <pexotestsupport.h>

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTest>

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
    if (process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit) {
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
    }

    // A page below --plugin-dir wins over the one built beside the program.
    void pluginDir()
    {
        const QString space = QStringLiteral("/plasma/kcms/systemsettings/kcm_pexo_taskbar.so");
        const QString built = QCoreApplication::applicationDirPath() + space;
        const QString other = QDir::homePath() + QStringLiteral("/other");
        QVERIFY(QDir().mkpath(other + QStringLiteral("/plasma/kcms/systemsettings")));
        QVERIFY(QFile::copy(built, other + space));
        const Run run = host({QStringLiteral("--plugin-dir"), other, QStringLiteral("kcm_pexo_taskbar"), QStringLiteral("--needs-save")},
                             QStringLiteral("LD_DEBUG"),
                             QStringLiteral("files"));
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.errors.contains(QStringLiteral("calling init: ") + other + space), qPrintable(run.errors.right(2000)));
        QVERIFY(!run.errors.contains(QStringLiteral("calling init: ") + built));
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
