#include "moduleutils.h"

#include <pexotestsupport.h>

#include <KConfigGroup>
#include <KSharedConfig>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

namespace {
void installGenerator(const QByteArray &script)
{
    QVERIFY(PexoTest::writeFile(Kcm::Utils::generatorScript, script));
    QVERIFY(QFile::setPermissions(Kcm::Utils::generatorScript, QFile::permissions(Kcm::Utils::generatorScript) | QFile::ExeOwner));
}

QString schemeEntry(const QString &path, const QString &group, const QString &key)
{
    return KSharedConfig::openConfig(path, KConfig::SimpleConfig)->group(group).readEntry(key);
}
} // namespace

class ModuleUtilsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatorContract_data();
    void generatorContract();
    void generatorTimesOut();
    void standInGenerator();
    void schemeColorsOnlyFromFiles();
    void installedSchemeOnNearlyFullDisk();
    void wallpaperNames();
    void screenInDevicePixels();
};

void ModuleUtilsTest::generatorContract_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("expected");

    QTest::newRow("result line") << QByteArray("#!/bin/sh\necho \"RESULT=/tmp/$1 $2\"\n") << QStringLiteral("/tmp/-d /pics/a b.jpg");
    QTest::newRow("result not first") << QByteArray("#!/bin/sh\necho working\necho RESULT=/tmp/x\n") << QString();
    QTest::newRow("no prefix") << QByteArray("#!/bin/sh\necho /tmp/x\n") << QString();
    QTest::newRow("failure message") << QByteArray("#!/bin/sh\necho RESULT=/tmp/x\necho 'Image is too small' >&2\nexit 3\n")
                                     << QStringLiteral("Image is too small\n");
}

void ModuleUtilsTest::generatorContract()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, expected);
    installGenerator(script);
    const QString result = Kcm::Utils::generateSchemeForWallpaper(QStringLiteral("/pics/a b.jpg"), true);
    QCOMPARE(result, expected);
    if (expected.isNull()) {
        QVERIFY(result.isNull());
    }
}

void ModuleUtilsTest::generatorTimesOut()
{
    installGenerator("#!/bin/sh\necho RESULT=/tmp/x\nexec sleep 60\n");
    QElapsedTimer timer;
    timer.start();
    QVERIFY(Kcm::Utils::generateSchemeForWallpaper(QStringLiteral("/pics/a.jpg"), false).isNull());
    QVERIFY2(timer.elapsed() < 30000, qPrintable(QString::number(timer.elapsed())));
}

// The project's stand-in writes a real scheme coloured after the picture. It
// runs as the utilities run it, but without their one second's limit, which a
// busy machine may not meet.
void ModuleUtilsTest::standInGenerator()
{
    QFile standIn(QStringLiteral(PEXO_GENERATOR_STANDIN));
    QVERIFY(standIn.open(QIODevice::ReadOnly));
    installGenerator(standIn.readAll());
    const auto generate = [](const QString &wallpaper, bool dark) {
        QProcess process;
        process.start(Kcm::Utils::generatorScript, {dark ? QStringLiteral("-d") : QStringLiteral("-l"), wallpaper});
        PexoTest::waitForExit(process);
        const QByteArray result = process.readAllStandardOutput();
        return result.startsWith("RESULT=") ? QString::fromUtf8(result.mid(7).trimmed()) : QString::fromUtf8(process.readAllStandardError());
    };

    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    const QString wallpaper = QDir::homePath() + QStringLiteral("/red sunset.png");
    QVERIFY(picture.save(wallpaper));

    const QString dark = generate(wallpaper, true);
    QCOMPARE(dark, QDir::homePath() + QStringLiteral("/.local/share/color-schemes-generated/red sunset.png-generated-dark.colors"));
    QCOMPARE(schemeEntry(dark, QStringLiteral("Colors:Selection"), QStringLiteral("BackgroundNormal")), QStringLiteral("200,40,40"));
    QVERIFY(Kcm::Utils::isGeneratedColorScheme(dark));
    QVERIFY(Kcm::Utils::isUlvarColorScheme(dark));
    QCOMPARE(Kcm::Utils::getColorName(schemeEntry(dark, QStringLiteral("WM"), QStringLiteral("activeWindowHeader"))), QStringLiteral("#c82828"));

    const QString light = generate(wallpaper, false);
    QVERIFY(light.endsWith(QLatin1String("-generated-light.colors")));
    QVERIFY(Kcm::Utils::getColor(schemeEntry(light, QStringLiteral("Colors:Window"), QStringLiteral("BackgroundNormal"))).lightness() >
            Kcm::Utils::getColor(schemeEntry(dark, QStringLiteral("Colors:Window"), QStringLiteral("BackgroundNormal"))).lightness());

    const QString missing = generate(QDir::homePath() + QStringLiteral("/none.png"), false);
    QVERIFY(missing.contains(QLatin1String("no image")));
}

// KDE's configuration reader opens the application's own file for an empty
// name and looks a relative one up among the configuration directories.
void ModuleUtilsTest::schemeColorsOnlyFromFiles()
{
    const QByteArray scheme = "[Colors:Selection]\nBackgroundNormal=200,40,40\n[Colors:View]\nBackgroundNormal=1,2,3\n";
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    PexoTest::writeFile(config + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral("rc"), scheme);
    PexoTest::writeFile(config + QStringLiteral("/relative.colors"), scheme);
    PexoTest::writeFile(QDir::homePath() + QStringLiteral("/absolute.colors"), scheme);

    QVERIFY(!Kcm::Utils::schemeColors(QString()));
    QVERIFY(!Kcm::Utils::schemeColors(QStringLiteral("relative.colors")));
    const auto colours = Kcm::Utils::schemeColors(QDir::homePath() + QStringLiteral("/absolute.colors"));
    QVERIFY(colours);
    QCOMPARE(colours->accent, QStringLiteral("#c82828"));
    QCOMPARE(colours->background, QStringLiteral("#010203"));
}

// The copy is written whole or not at all: a scheme shorter than Qt's write
// buffer would otherwise be cut short without a word.
void ModuleUtilsTest::installedSchemeOnNearlyFullDisk()
{
    const QByteArray scheme = "[Colors:Selection]\nBackgroundNormal=200,40,40\n" + QByteArray(10000, '#') + '\n';
    const QString source = QDir::homePath() + QStringLiteral("/big.colors");
    QVERIFY(PexoTest::writeFile(source, scheme));
    const QString installed = Kcm::Utils::installWallpaperScheme(source, QStringLiteral("/pics/a.jpg"), true);
    QVERIFY(!installed.isEmpty());
    QVERIFY(PexoTest::writeFile(installed, "[Colors:Selection]\nBackgroundNormal=1,2,3\n"));

    const PexoTest::FullDisk disk(QFileInfo(installed).path(), 4096);
    QVERIFY(disk.isFull());
    QCOMPARE(Kcm::Utils::installWallpaperScheme(source, QStringLiteral("/pics/a.jpg"), true), QString());
    QCOMPARE(PexoTest::readFile(installed), QByteArray("[Colors:Selection]\nBackgroundNormal=1,2,3\n"));
}

void ModuleUtilsTest::wallpaperNames()
{
    const QString first = Kcm::Utils::generateNameForWallpaper();
    const QString second = Kcm::Utils::generateNameForWallpaper();
    QVERIFY(first != second);
    const QString directory = QDir::homePath() + QStringLiteral("/.local/share/pexo/Wallpapers/");
    QVERIFY(QFileInfo(directory).isDir());
    const QRegularExpression name(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\.png$"));
    QVERIFY2(first.startsWith(directory) && name.match(first.mid(directory.size())).hasMatch(), qPrintable(first));
    QVERIFY(!QFile::exists(first));
}

// Started with QT_SCALE_FACTOR=1.5: the X screen's own pixels come back.
void ModuleUtilsTest::screenInDevicePixels()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->devicePixelRatio(), 1.5);
    const QRect expected(screen->geometry().topLeft(), QSize(1280, 800));
    QCOMPARE(Kcm::Utils::screenGeometry(false), expected);
    QCOMPARE(Kcm::Utils::screenGeometry(true), expected);
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    QGuiApplication app(argc, argv);
    ModuleUtilsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "moduleutilstest.moc"
