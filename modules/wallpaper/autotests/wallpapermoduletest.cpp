// The wallpaper page, loaded as a settings host loads it.

#include <picturetestsupport.h>

#include <moduletestsupport.h>

#include <themedefaults.h>

#include <KConfig>
#include <KConfigGroup>

#include <pexodirs.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <sys/stat.h>

namespace {
const QString id = QStringLiteral("kcm_pexo_wallpaper");
const QString converter = QStringLiteral("/usr/bin/pexo-svg2png.sh");
const QString generator = QStringLiteral("/usr/bin/pexo-colorscheme-gen.sh");
const QString svg = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect width='10' height='10' fill='#ff0000'/></svg>");

QString home(const QString &relative)
{
    return QDir::homePath() + QLatin1Char('/') + relative;
}

// The current desktop folder's record file.
QString directoryFile()
{
    return QString::fromStdString(GetPexoDir(PexoDesktopDir)) + QStringLiteral("/.directory");
}

QString wallpapersDir()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/pexo/Wallpapers");
}

void writeScript(const QString &path, const QByteArray &body)
{
    QFile::remove(path);
    QVERIFY(PexoTest::writeFile(path, "#!/bin/sh\n" + body));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

QString writePicture(const QString &path, const QColor &colour)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path) ? path : QString();
}

// A scheme whose selection and view colours become the accent and background.
QByteArray scheme(const QByteArray &name, const QByteArray &selection, const QByteArray &view)
{
    return "[General]\nName=" + name + "\n\n[Colors:Selection]\nBackgroundNormal=" + selection + "\n\n[Colors:View]\nBackgroundNormal=" + view + "\n";
}

// A user theme recorded as the current one, with its themerc variables.
void makeCurrent(const QString &themeId, bool readOnly, const QByteArray &variables = QByteArray())
{
    const QString dir = ThemeDefaults::userThemesDir + QLatin1Char('/') + themeId;
    QByteArray index = "[Pexo Theme]\nId=" + themeId.toUtf8() + "\nName=" + themeId.toUtf8() + "\n";
    if (readOnly) {
        index += "X-Ulvar-System-Theme=true\n";
    }
    QVERIFY(PexoTest::writeFile(dir + QStringLiteral("/index.theme"), index));
    QVERIFY(PexoTest::writeFile(dir + QStringLiteral("/theme/themerc"), "[Variables]\n" + variables));
    const QString record = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/pexo-admin-themerc");
    QVERIFY(PexoTest::writeFile(record, "[Theme]\nCurrentTheme=" + themeId.toUtf8() + "\nCurrentThemePath=" + dir.toUtf8() + "/index.theme\n"));
}

QString themeValue(const QString &themeId, const QString &key)
{
    KConfig config(ThemeDefaults::userThemesDir + QLatin1Char('/') + themeId + QStringLiteral("/theme/themerc"), KConfig::SimpleConfig);
    return KConfigGroup(&config, ThemeDefaults::themeVariablesGroup).readEntry(key, QString());
}

// The live colour values, kept in the palette variables file.
QString paletteValue(const QString &key)
{
    KConfig config(ThemeDefaults::paletteConfigPath, KConfig::SimpleConfig);
    return KConfigGroup(&config, ThemeDefaults::themeVariablesGroup).readEntry(key, QString());
}

void writePalette(const QByteArray &variables)
{
    QVERIFY(PexoTest::writeFile(ThemeDefaults::paletteConfigPath, "[Variables]\n" + variables));
}

QStringList wallpaperFiles()
{
    return QDir(wallpapersDir()).entryList(QDir::Files);
}

std::unique_ptr<QObject> loaded()
{
    auto module = ModuleTest::create(id);
    if (module) {
        QMetaObject::invokeMethod(module.get(), "load");
    }
    return module;
}
} // namespace

class WallpaperModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoTest::inSandbox());
    }

    void init()
    {
        BehaviourTest::resetFiles(QByteArray(""));
        QFile::remove(ThemeDefaults::paletteConfigPath);
        QFile::remove(directoryFile());
        makeCurrent(QStringLiteral("Mine"), false);
        QFile::remove(converter);
        QFile::remove(generator);
        PexoTest::removePath(wallpapersDir());
        PexoTest::removePath(home(QStringLiteral(".local/share/color-schemes")));
        PexoTest::removePath(home(QStringLiteral(".local/share/color-schemes-generated")));
    }

    void metaData()
    {
        ModuleTest::MetaDataRow row{QStringLiteral("Wallpaper"),
                                    QStringLiteral("Обои рабочего стола"),
                                    QStringLiteral("Choose wallpaper for desktop"),
                                    QStringLiteral("Выбор обоев рабочего стола"),
                                    QStringLiteral("preferences-system-wallpapers"),
                                    QStringLiteral("10")};
        row.parentCategory = QStringLiteral("appearance");
        ModuleTest::verifyMetaData(id, row);
    }

    void properties()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        // The last one is constant and has no change signal.
        const QStringList names = ModuleTest::propertyNames(module.get());
        QCOMPARE(names.size(), 10);
        QVERIFY(module->metaObject()->property(module->metaObject()->propertyOffset() + 9).isConstant());
        QCOMPARE(names.mid(0, 9),
                 QStringList({QStringLiteral("wallpaper"),
                              QStringLiteral("logo"),
                              QStringLiteral("wallpaperStyle"),
                              QStringLiteral("logoPosition"),
                              QStringLiteral("pixmap"),
                              QStringLiteral("usePager"),
                              QStringLiteral("forCurrentScreen"),
                              QStringLiteral("forCurrentDesktop"),
                              QStringLiteral("slideShowPeriod")}));
        QCOMPARE(QString::fromLatin1(module->metaObject()->property(module->metaObject()->propertyOffset() + 9).name()),
                 QStringLiteral("mandatoryIntegrityControl"));
        ModuleTest::verifyProperties(module.get());

        // The preview follows the inputs: a colour wallpaper fills the screen.
        QVERIFY(module->setProperty("wallpaper", QStringLiteral("#204060")));
        const QImage preview = module->property("pixmap").value<QPixmap>().toImage();
        QCOMPARE(preview.size(), QGuiApplication::primaryScreen()->size());
        QCOMPARE(preview.pixelColor(3, 3), QColor(0x20, 0x40, 0x60));

        QQmlEngine engine;
        engine.rootContext()->setContextProperty(QStringLiteral("kcm"), module.get());
        QQmlComponent component(&engine);
        component.setData("import QtQuick 2.0\nimport ru.ulvarlinux.kcm.wallpaper.private 1.0\n"
                          "Thumbnail { property int style: WallpaperStyle.Fit; property int place: LogoPosition.NotShow;"
                          " property bool pager: kcm.usePager }",
                          QUrl());
        const std::unique_ptr<QObject> item(component.create());
        QVERIFY2(item, qPrintable(component.errorString()));
        QCOMPARE(item->property("style").toInt(), 3);
        QCOMPARE(item->property("place").toInt(), 9);
        QCOMPARE(item->property("pager").toBool(), true);
        QQmlComponent uncreatable(&engine);
        uncreatable.setData("import ru.ulvarlinux.kcm.wallpaper.private 1.0\nLogoPosition {}", QUrl());
        QVERIFY(uncreatable.errorString().contains(QLatin1String("enum class for LogoPosition")));
    }

    void desktopFolderRecords()
    {
        const QString own = writePicture(home(QStringLiteral("own.png")), Qt::red);
        const QString desk = writePicture(home(QStringLiteral("desk.png")), Qt::green);
        const QString screen = writePicture(home(QStringLiteral("screen.png")), Qt::blue);
        BehaviourTest::resetFiles("WallPaper=" + own.toUtf8() + "\n");
        auto window = std::make_unique<QWindow>();
        window->create();
        const QByteArray monitor = "Monitor::" + window->screen()->name().toLocal8Bit();
        const QByteArray records =
            "[desktop entry]\nx-pexo-wallpaper= " + desk.toUtf8() + " \n\n\n[" + monitor + "]\nX-PEXO-WallPaper=" + screen.toUtf8() + "\n";

        {
            // Both flags off: the file is not consulted.
            const auto module = loaded();
            QVERIFY(PexoTest::writeFile(directoryFile(), records));
            QCOMPARE(module->property("wallpaper").toString(), own);
            // On: the screen's record wins over the desktop's.
            QVERIFY(module->setProperty("forCurrentDesktop", true));
            QCOMPARE(module->property("wallpaper").toString(), screen);
            QString name;
            QVERIFY(QMetaObject::invokeMethod(module.get(), "screenName", Q_RETURN_ARG(QString, name)));
            QCOMPARE(name, window->screen()->name());
        }
        window.reset();
        {
            // Without a window only the desktop's own record counts; a colour loses its quotes.
            const auto module = loaded();
            QVERIFY(module->property("forCurrentDesktop").toBool());
            QCOMPARE(module->property("wallpaper").toString(), desk);
            QVERIFY(PexoTest::writeFile(directoryFile(), "[Desktop Entry]\nX-PEXO-WallPaper=\"#118bcc\"\n"));
            QCOMPARE(module->property("wallpaper").toString(), QStringLiteral("#118bcc"));
        }
        {
            // A fifo in place of the record file is not waited on.
            QVERIFY(QFile::remove(directoryFile()));
            QCOMPARE(::mkfifo(QFile::encodeName(directoryFile()).constData(), 0600), 0);
            const auto module = ModuleTest::create(id);
            QVERIFY(module->setProperty("forCurrentDesktop", true));
            QVERIFY(module->property("wallpaper").toString() != desk);
            QVERIFY(QFile::remove(directoryFile()));
        }
        // A wallpaper fixed by the administrator ignores the records.
        QVERIFY(PexoTest::writeFile(directoryFile(), records));
        BehaviourTest::resetFiles(QByteArray(""), "WallPaper=" + own.toUtf8() + "\n");
        const auto module = loaded();
        QVERIFY(module->property("forCurrentDesktop").toBool());
        QCOMPARE(module->property("wallpaper").toString(), own);
    }

    void setWallpaper()
    {
        const auto module = loaded();
        QSignalSpy errors(module.get(), SIGNAL(error(QString)));
        const QString picture = writePicture(home(QStringLiteral("pics/a.webp")), Qt::red);
        QVERIFY(!picture.isEmpty() && module->setProperty("wallpaper", picture));
        QCOMPARE(module->property("wallpaper").toString(), picture);

        // A link is followed; any other desktop entry is refused.
        const QString other = writePicture(home(QStringLiteral("pics/b.png")), Qt::green);
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("link.desktop")), "[Desktop Entry]\nType=Link\nURL=" + other.toUtf8() + "\n"));
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("app.desktop")), "[Desktop Entry]\nType=Application\nExec=true\n"));
        QVERIFY(module->setProperty("wallpaper", home(QStringLiteral("link.desktop"))));
        QCOMPARE(module->property("wallpaper").toString(), other);
        QVERIFY(module->setProperty("wallpaper", home(QStringLiteral("app.desktop"))));
        QCOMPARE(module->property("wallpaper").toString(), other);
        QCOMPARE(errors.takeFirst().at(0).toString(), QStringLiteral("Faild to load wallpaper image"));
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("nowhere.desktop")), "[Desktop Entry]\nType=Link\n"));
        QVERIFY(module->setProperty("wallpaper", home(QStringLiteral("nowhere.desktop"))));
        QCOMPARE(module->property("wallpaper").toString(), other);
        QCOMPARE(errors.takeFirst().at(0).toString(), QStringLiteral("Faild to load wallpaper image"));

        // Only the lower-case suffixes are converted.
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("upper.SVG")), svg.toUtf8()));
        QVERIFY(module->setProperty("wallpaper", home(QStringLiteral("upper.SVG"))));
        QCOMPARE(module->property("wallpaper").toString(), home(QStringLiteral("upper.SVG")));
        QVERIFY(errors.isEmpty());

        // What is no picture file is refused, as the wallpaper and as the
        // logo, and so is a line break, which the window manager's command
        // cannot carry; so is a relative path of no file or a bare name,
        // which no program reads alike.
        QCOMPARE(::mkfifo(QFile::encodeName(home(QStringLiteral("fifo.desktop"))).constData(), 0600), 0);
        QCOMPARE(::mkfifo(QFile::encodeName(home(QStringLiteral("fifo.png"))).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), home(QStringLiteral("zero.jpg"))));
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("notes.jpg")), "just text"));
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("empty.png")), QByteArray()));
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("broken.webp")), QByteArray("RIFF\x1c\0\0\0WEBPVP8 \x10\0\0\0", 20) + QByteArray(16, 'x')));
        QVERIFY(QImage(home(QStringLiteral("pics/b.png"))).save(home(QStringLiteral("picture.tif")), "TIFF"));
        const QString twoLines = writePicture(home(QStringLiteral("pics/two\nlines.png")), Qt::blue);
        const QStringList refused = {home(QStringLiteral("fifo.desktop")),
                                     home(QStringLiteral("fifo.png")),
                                     home(QStringLiteral("pics")),
                                     home(QStringLiteral("zero.jpg")),
                                     home(QStringLiteral("notes.jpg")),
                                     home(QStringLiteral("empty.png")),
                                     home(QStringLiteral("broken.webp")),
                                     home(QStringLiteral("picture.tif")),
                                     twoLines,
                                     QStringLiteral("#118bcc\n"),
                                     QStringLiteral("pexo-default"),
                                     QStringLiteral("missing/picture.png")};
        const QString logo = module->property("logo").toString();
        for (const QString &path : refused) {
            QVERIFY(module->setProperty("wallpaper", path));
            QCOMPARE(module->property("wallpaper").toString(), home(QStringLiteral("upper.SVG")));
            QVERIFY(module->setProperty("logo", path));
            QCOMPARE(module->property("logo").toString(), logo);
        }
        QCOMPARE(errors.count(), 2 * refused.size());
        QCOMPARE(errors.first().at(0).toString(), QStringLiteral("Faild to load wallpaper image"));
        QCOMPARE(errors.last().at(0).toString(), QStringLiteral("Failed to load logo image"));
        // Colours are no files, nor is no logo; a colour is no logo.
        QVERIFY(module->setProperty("wallpaper", QStringLiteral("#118bcc")));
        QCOMPARE(module->property("wallpaper").toString(), QStringLiteral("#118bcc"));
        QVERIFY(module->setProperty("logo", other));
        QVERIFY(module->setProperty("logo", QStringLiteral("#118bcc")));
        QCOMPARE(module->property("logo").toString(), other);
        QCOMPARE(errors.takeLast().at(0).toString(), QStringLiteral("Failed to load logo image"));
        QVERIFY(module->setProperty("logo", QString()));
        QCOMPARE(module->property("logo").toString(), QString());
        QCOMPARE(errors.count(), 2 * refused.size());
    }

    void svgConversion_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("drawing");
        QTest::addColumn<bool>("converted");
        // Writes part of a picture first, as an interrupted converter would.
        const QByteArray partial = "printf '\\211PNG' > \"$4\"\n";
        // Some seconds of painting, read in a moment.
        QByteArray slow = "<svg xmlns='http://www.w3.org/2000/svg' width='1280' height='800'><defs><radialGradient id='g'><stop offset='0' stop-color='#f00' "
                          "stop-opacity='0.5'/><stop offset='1' stop-color='#00f' stop-opacity='0.01'/></radialGradient></defs>";
        for (int i = 0; i < 20000; ++i) {
            slow += "<ellipse cx='640' cy='400' rx='1500' ry='1400' fill='url(#g)' transform='rotate(" + QByteArray::number(i) + " 640 400)'/>";
        }
        slow += "</svg>";
        // Larger, once inflated, than a drawing file may be.
        const QByteArray padded = svg.toUtf8().replace("<rect", "<!--" + QByteArray(17 << 20, ' ') + "--><rect");
        QTest::newRow("stand-in") << QByteArray() << QByteArray() << true;
        QTest::newRow("in process") << QByteArray("none") << QByteArray() << true;
        QTest::newRow("error exit") << partial + "exit 3\n" << QByteArray() << false;
        QTest::newRow("crash") << partial + "kill -SEGV $$\n" << QByteArray() << false;
        QTest::newRow("hang") << partial + "exec sleep 60\n" << QByteArray() << false;
        QTest::newRow("writes nothing") << QByteArray("exit 0\n") << QByteArray() << false;
        QTest::newRow("broken picture, in process") << QByteArray("none") << QByteArray("<svg") << false;
        QTest::newRow("slow picture, in process") << QByteArray("none") << slow << false;
        QTest::newRow("inflates too far, in process") << QByteArray("none") << PexoTest::gzipped(padded) << false;
        QTest::newRow("fifo, in process") << QByteArray("none") << QByteArray("fifo") << false;
    }

    void svgConversion()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, drawing);
        QFETCH(bool, converted);
        if (script.isEmpty()) {
            QVERIFY(PexoTest::writeFile(converter, PexoTest::readFile(QStringLiteral(PEXO_SVG2PNG_STANDIN))));
            QVERIFY(QFile::setPermissions(converter, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        } else if (script != "none") {
            writeScript(converter, script);
        }
        // Only the converters that never finish are given less time than a busy machine may need.
        if (script.contains("sleep") || QByteArray(QTest::currentDataTag()).startsWith("slow")) {
            qputenv("PEXO_SVG2PNG_TIMEOUT_MS", "1000");
        } else {
            qunsetenv("PEXO_SVG2PNG_TIMEOUT_MS");
        }
        const QString source = home(drawing.startsWith("\x1f\x8b") ? QStringLiteral("picture.svgz") : QStringLiteral("picture.svg"));
        QFile::remove(source);
        if (drawing == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(source).constData(), 0600), 0);
        } else {
            QVERIFY(PexoTest::writeFile(source, drawing.isEmpty() ? svg.toUtf8() : drawing));
        }

        const auto module = loaded();
        const QString before = module->property("wallpaper").toString();
        QSignalSpy errors(module.get(), SIGNAL(error(QString)));
        QVERIFY(module->setProperty("wallpaper", source));
        if (!converted) {
            QCOMPARE(errors.count(), 1);
            QCOMPARE(errors.first().at(0).toString(), QStringLiteral("Failed to convert image"));
            QCOMPARE(module->property("wallpaper").toString(), before);
            QCOMPARE(wallpaperFiles(), QStringList());
            return;
        }
        QVERIFY(errors.isEmpty());
        const QString png = module->property("wallpaper").toString();
        QCOMPARE(QFileInfo(png).path(), wallpapersDir());
        const QImage image(png);
        QCOMPARE(image.size(), QGuiApplication::primaryScreen()->size());
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::red));
    }

    void applyWallpaperScheme()
    {
        const QString sea = writePicture(home(QStringLiteral("pics/sea.png")), Qt::blue);
        const QString installed = home(QStringLiteral(".local/share/color-schemes/sea.png-generated-light.colors"));
        const QByteArray variables = "SchemeType=Wallpaper\nWallPaper=" + home(QStringLiteral("pics/old.png")).toUtf8() + "\n";
        const QString generatorLog = home(QStringLiteral("generator.log"));
        writeScript(generator, "echo \"$@\" >> " + generatorLog.toUtf8() + "\necho RESULT=" + home(QStringLiteral("fresh.colors")).toUtf8() + "\n");
        QVERIFY(PexoTest::writeFile(home(QStringLiteral("fresh.colors")), scheme("Fresh", "10,20,30", "200,210,220")));
        const auto saveWith = [&](const QString &wallpaper) {
            BehaviourTest::resetFiles(variables);
            QFile::remove(ThemeDefaults::paletteConfigPath);
            makeCurrent(QStringLiteral("Mine"), false, variables);
            const auto module = loaded();
            QSignalSpy errors(module.get(), SIGNAL(error(QString)));
            module->setProperty("wallpaper", wallpaper);
            // Saved twice: the unchanged wallpaper makes no second scheme.
            QMetaObject::invokeMethod(module.get(), "save");
            QMetaObject::invokeMethod(module.get(), "save");
            return errors.isEmpty() ? QString() : errors.first().at(0).toString();
        };

        // A cached scheme comes first, without running the generator.
        QVERIFY(PexoTest::writeFile(home(QStringLiteral(".local/share/color-schemes-generated/sea.png-generated-light.colors")),
                                    scheme("Cached", "1,2,3", "4,5,6")));
        QCOMPARE(saveWith(sea), QString());
        QCOMPARE(paletteValue(QStringLiteral("ColorScheme")), installed);
        QCOMPARE(themeValue(QStringLiteral("Mine"), QStringLiteral("ColorScheme")), installed);
        QCOMPARE(PexoTest::readFile(installed), scheme("Cached", "1,2,3", "4,5,6"));
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#010203"));
        QCOMPARE(paletteValue(QStringLiteral("BackgroundColor")), QStringLiteral("#040506"));
        QVERIFY(!QFile::exists(generatorLog));

        // Then a fresh one from the generator.
        PexoTest::removePath(home(QStringLiteral(".local/share/color-schemes-generated")));
        QCOMPARE(saveWith(sea), QString());
        QCOMPARE(PexoTest::readFile(generatorLog), "-l " + sea.toUtf8() + "\n");
        QCOMPARE(PexoTest::readFile(installed), scheme("Fresh", "10,20,30", "200,210,220"));
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")), QStringLiteral("#0a141e"));

        // The generator's message is shown; the wallpaper is saved all the same.
        writeScript(generator, "echo 'no colours in it' >&2\nexit 3\n");
        QFile::remove(installed);
        QCOMPARE(saveWith(sea), QStringLiteral("no colours in it\n"));
        QVERIFY(!QFile::exists(installed));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("WallPaper")), sea);

        // Without a generator, the system's generated scheme.
        QFile::remove(generator);
        const QByteArray dark = "SchemeType=Wallpaper\nWallPaperColorScheme=dark\n";
        BehaviourTest::resetFiles(dark);
        makeCurrent(QStringLiteral("Mine"), false, dark);
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/share/color-schemes-generated/sea.png-generated-dark.colors"), scheme("System", "7,8,9", "0,0,0")));
        {
            const auto module = loaded();
            module->setProperty("wallpaper", sea);
            QMetaObject::invokeMethod(module.get(), "save");
        }
        QCOMPARE(paletteValue(QStringLiteral("ColorScheme")), home(QStringLiteral(".local/share/color-schemes/sea.png-generated-dark.colors")));

        // A result that is no colour scheme is not installed, and the failure is told.
        writeScript(generator, "echo RESULT=/etc/passwd\n");
        QCOMPARE(saveWith(sea), QStringLiteral("Failed to generate a color scheme from the wallpaper"));
        QVERIFY(!QFile::exists(installed));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("WallPaper")), sea);

        // A default wallpaper generates nothing.
        writeScript(generator, "echo \"$@\" >> " + generatorLog.toUtf8() + "\nexit 1\n");
        QFile::remove(generatorLog);
        const QString defaultOne = writePicture(home(QStringLiteral("pics/pexo-default-sea.png")), Qt::blue);
        QCOMPARE(saveWith(defaultOne), QString());
        QVERIFY(!QFile::exists(generatorLog));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("WallPaper")), defaultOne);
    }

    void installFailureKeepsScheme()
    {
        const QString sea = writePicture(home(QStringLiteral("pics/sea.png")), Qt::blue);
        const QString old = home(QStringLiteral("old.colors"));
        QVERIFY(PexoTest::writeFile(old, scheme("Old", "1,1,1", "2,2,2")));
        QVERIFY(PexoTest::writeFile(home(QStringLiteral(".local/share/color-schemes-generated/sea.png-generated-light.colors")),
                                    scheme("Cached", "1,2,3", "4,5,6")));
        // A file where the schemes directory should be.
        QVERIFY(PexoTest::writeFile(home(QStringLiteral(".local/share/color-schemes")), "in the way"));
        const QByteArray variables = "SchemeType=Wallpaper\n";
        BehaviourTest::resetFiles(variables);
        writePalette("ColorScheme=" + old.toUtf8() + "\n");
        makeCurrent(QStringLiteral("Mine"), false, variables);
        const auto module = loaded();
        QSignalSpy errors(module.get(), SIGNAL(error(QString)));
        module->setProperty("wallpaper", sea);
        QMetaObject::invokeMethod(module.get(), "save");
        QCOMPARE(errors.count(), 1);
        QVERIFY(errors.first().at(0).toString().startsWith(QLatin1String("Cannot install the color scheme")));
        QCOMPARE(paletteValue(QStringLiteral("ColorScheme")), old);
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("WallPaper")), sea);
    }

    // The generated scheme carries window-manager colours that differ from its
    // palette; the new theme stores the colours the live theme takes from them.
    void firstSaveFromReadOnlyTheme()
    {
        const QString sea = writePicture(home(QStringLiteral("pics/sea.png")), Qt::blue);
        QByteArray wm = "\n[WM]\nactiveWindowHeader=#102030\ntaskbarBackground=64,80,96\n";
        for (const char *key :
             {"inactiveWindowHeader", "activeWindowFrame", "inactiveWindowFrame", "taskbarBackgroundHover", "buttonOutlineHover", "lineSeparator"}) {
            wm += QByteArray(key) + "=#777777\n";
        }
        QVERIFY(PexoTest::writeFile(home(QStringLiteral(".local/share/color-schemes-generated/sea.png-generated-light.colors")),
                                    scheme("Cached", "1,2,3", "4,5,6") + wm));
        const QByteArray variables = "SchemeType=Wallpaper\n";
        BehaviourTest::resetFiles(variables);
        makeCurrent(QStringLiteral("Shipped"), true, variables);
        writeScript(QStringLiteral("/usr/bin/pexo-dialog"), "echo Ours\n");

        const auto module = loaded();
        module->setProperty("wallpaper", sea);
        QMetaObject::invokeMethod(module.get(), "save");
        const QString installed = home(QStringLiteral(".local/share/color-schemes/sea.png-generated-light.colors"));
        QCOMPARE(themeValue(QStringLiteral("Ours"), QStringLiteral("WallPaper")), sea);
        QCOMPARE(themeValue(QStringLiteral("Ours"), QStringLiteral("ColorScheme")), installed);
        QCOMPARE(paletteValue(QStringLiteral("ColorScheme")), installed);
        QCOMPARE(themeValue(QStringLiteral("Shipped"), QStringLiteral("WallPaper")), QString());
        QCOMPARE(themeValue(QStringLiteral("Ours"), QStringLiteral("PrimaryColor")) + themeValue(QStringLiteral("Ours"), QStringLiteral("BackgroundColor")),
                 QStringLiteral("#102030#405060"));
        QCOMPARE(paletteValue(QStringLiteral("PrimaryColor")) + paletteValue(QStringLiteral("BackgroundColor")), QStringLiteral("#102030#405060"));
        QMetaObject::invokeMethod(module.get(), "updateNeedSave");
        QVERIFY(!module->property("needsSave").toBool());
    }

    void defaults_data()
    {
        QTest::addColumn<QByteArray>("colours");
        QTest::addColumn<QString>("wallpaper");
        QTest::addColumn<QString>("schemeType");
        // No default wallpaper is installed: the light default path all the same.
        QTest::newRow("wallpaper") << QByteArray("SchemeType=Wallpaper\n") << ThemeDefaults::lightWallpaperPath << QStringLiteral("System");
        QTest::newRow("custom, dark") << QByteArray("SchemeType=Custom\nCustomSchemeDark=true\n") << ThemeDefaults::darkWallpaperPath
                                      << QStringLiteral("Custom");
        QTest::newRow("custom, light") << QByteArray("SchemeType=Custom\n") << ThemeDefaults::lightWallpaperPath << QStringLiteral("Custom");
        QTest::newRow("system, dark") << QByteArray("SchemeType=System\n") << ThemeDefaults::darkWallpaperPath << QStringLiteral("System");
        QTest::newRow("system") << QByteArray("SchemeType=System\n") << ThemeDefaults::lightWallpaperPath << QStringLiteral("System");
    }

    void defaults()
    {
        QFETCH(QByteArray, colours);
        QFETCH(QString, wallpaper);
        QFETCH(QString, schemeType);
        const QString picture = writePicture(home(QStringLiteral("pics/a.png")), Qt::red);
        if (QByteArray(QTest::currentDataTag()) == "system, dark") {
            writePalette("ColorScheme=" + ThemeDefaults::darkColorSchemePath.toUtf8() + "\n");
        }
        BehaviourTest::resetFiles(colours + "WallPaper=" + picture.toUtf8() + "\nWallPaperPos=Tile\nLogoPosition=Top\nWallPaperPeriod=7\n");
        const auto module = loaded();
        QCOMPARE(module->property("wallpaper").toString(), picture);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "defaults"));
        QCOMPARE(module->property("wallpaper").toString(), wallpaper);
        QCOMPARE(module->property("wallpaperStyle").toInt(), 4);
        QCOMPARE(module->property("logoPosition").toInt(), 8);
        QCOMPARE(module->property("slideShowPeriod").toInt(), 7);
        QVERIFY(module->property("needsSave").toBool());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("SchemeType")), schemeType);
    }

    void pendingWallpaper()
    {
        const QString picture = writePicture(home(QStringLiteral("pics/handed.png")), Qt::red);
        qputenv("PEXO_ADMIN_THEME_SET_WALLPAPER", QFile::encodeName(picture));
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        QVERIFY(!qEnvironmentVariableIsSet("PEXO_ADMIN_THEME_SET_WALLPAPER"));
        QSignalSpy announced(module.get(), SIGNAL(needsSaveChanged()));
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(module->property("wallpaper").toString(), picture);
        QVERIFY(announced.wait(PexoTest::patienceMs));
        QVERIFY(module->property("needsSave").toBool());

        // Used once: a second page of the process does not see it.
        const auto second = loaded();
        QCOMPARE(second->property("wallpaper").toString(), ThemeDefaults::lightWallpaperPath);
    }
};

QTEST_MAIN(WallpaperModuleTest)

#include "wallpapermoduletest.moc"
