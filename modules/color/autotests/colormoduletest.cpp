// The colour-scheme page, loaded from the built plug-in as a settings host does.

#include <moduletestsupport.h>

#include <pexotestsupport.h>
#include <themedefaults.h>

#include <KConfig>
#include <KConfigGroup>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {
const QString schemesDir = QStringLiteral("/usr/share/color-schemes/");
const QString darkScheme = schemesDir + QStringLiteral("UlvarDark.colors");
const QString lightScheme = schemesDir + QStringLiteral("UlvarLight.colors");
const QString templatePath = QStringLiteral("/usr/share/pexo/color-schemes/User.colors");
const QString generatorPath = QStringLiteral("/usr/bin/pexo-colorscheme-gen.sh");

enum SchemeType { System, Wallpaper, Custom };
enum WallpaperScheme { None, Light, Dark };

QString home(const QString &path)
{
    return QDir::homePath() + QLatin1Char('/') + path;
}

QString userSchemes()
{
    return home(QStringLiteral(".local/share/color-schemes"));
}

QString configFile(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + name;
}

QString entry(const QString &path, const QString &group, const QString &key)
{
    return KConfig(path, KConfig::SimpleConfig).group(group).readEntry(key, QStringLiteral("<missing>"));
}

void writeScript(const QString &path, const QByteArray &script)
{
    QVERIFY(PexoTest::writeFile(path, script));
    QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
}

// A theme recorded as the current one, holding the light scheme.
void makeCurrentTheme(const QString &directory, const QString &id, bool readOnly)
{
    QByteArray index = "[Pexo Theme]\nId=" + id.toUtf8() + "\nName=" + id.toUtf8() + "\n";
    if (readOnly) {
        index += "X-Ulvar-System-Theme=true\n";
    }
    QVERIFY(PexoTest::writeFile(directory + QStringLiteral("/index.theme"), index));
    QVERIFY(PexoTest::writeFile(directory + QStringLiteral("/theme/themerc"),
                                "[Variables]\nSchemeType=System\nColorScheme=" + lightScheme.toUtf8() + "\nPrimaryColor=#118bcc\nBackgroundColor=#ffffff\n"));
    QVERIFY(PexoTest::writeFile(configFile(QStringLiteral("pexo-admin-themerc")),
                                "[Theme]\nCurrentTheme=" + id.toUtf8() + "\nCurrentThemePath=" + directory.toUtf8() + "/index.theme\n"));
}

// The live settings: the scheme type, the dark flag and the wallpaper in
// current.themerc; the scheme and the two colours in paletterc.
void writeLive(const QByteArray &type, const QString &scheme, const QByteArray &primary, const QByteArray &background, bool dark = false,
               const QString &wallpaper = ThemeDefaults::lightWallpaperPath)
{
    QVERIFY(PexoTest::writeFile(ThemeDefaults::currentThemeConfigPath,
                                "[Variables]\nSchemeType=" + type + "\nCustomSchemeDark=" + (dark ? "true" : "false") + "\nWallPaper=" + wallpaper.toUtf8()
                                    + "\n"));
    QVERIFY(PexoTest::writeFile(ThemeDefaults::paletteConfigPath,
                                "[Variables]\nColorScheme=" + scheme.toUtf8() + "\nPrimaryColor=" + primary + "\nBackgroundColor=" + background + "\n"));
}

std::unique_ptr<QObject> loadedModule()
{
    auto module = ModuleTest::create(QStringLiteral("kcm_pexo_color"));
    if (module) {
        QMetaObject::invokeMethod(module.get(), "load");
    }
    return module;
}

bool needsSave(QObject *module)
{
    return module->property("needsSave").toBool();
}

// Records the names of the module's signals in the order they arrive.
class SignalOrder : public QObject
{
    Q_OBJECT
public:
    explicit SignalOrder(QObject *module)
    {
        for (const char *signal : {SIGNAL(schemeTypeChanged()),
                                   SIGNAL(currentColorSchemeChanged()),
                                   SIGNAL(accentColorChanged()),
                                   SIGNAL(isDarkThemeChanged()),
                                   SIGNAL(previewChanged()),
                                   SIGNAL(needsSaveChanged())}) {
            connect(module, signal, this, SLOT(record()));
        }
    }
    QStringList names;

private Q_SLOTS:
    void record()
    {
        names << QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name());
    }
};
} // namespace

class ColorModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void roadOfOneRequest();
    void saveAsNewTheme();
    void loadKeepsStoredColours();
    void missingSchemeFile();
    void customSchemeOnFreshAccount();
    void wallpaperScheme_data();
    void wallpaperScheme();
    void windowManagerColours_data();
    void windowManagerColours();
    void qmlTypes();
};

void ColorModuleTest::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QVERIFY(PexoTest::installSampleData());
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-vkbd")));
}

void ColorModuleTest::init()
{
    for (const QString &path : {ThemeDefaults::userThemesDir,
                                userSchemes(),
                                home(QStringLiteral(".local/share/color-schemes-generated")),
                                QStringLiteral("/usr/share/color-schemes-generated"),
                                generatorPath,
                                configFile(QStringLiteral("Trolltech.conf")),
                                configFile(QStringLiteral("breezerc"))}) {
        QVERIFY(PexoTest::removePath(path));
    }
    makeCurrentTheme(ThemeDefaults::userThemesDir + QStringLiteral("/Mine"), QStringLiteral("Mine"), false);
    writeLive("System", lightScheme, "#118bcc", "#ffffff");
    PexoTest::takeWmCommands();
}

// The user picks another scheme: the page hears each change before the module
// reacts to it, the colours follow the scheme, and saving reaches every file,
// the window manager, the bus and this application's palette.
void ColorModuleTest::roadOfOneRequest()
{
    auto module = loadedModule();
    QVERIFY(module);
    QVERIFY(!needsSave(module.get()));

    SignalOrder order(module.get());
    QVERIFY(module->setProperty("currentColorScheme", darkScheme));
    QCOMPARE(order.names,
             QStringList({QStringLiteral("needsSaveChanged"),
                          QStringLiteral("previewChanged"),
                          QStringLiteral("currentColorSchemeChanged"),
                          QStringLiteral("needsSaveChanged"),
                          QStringLiteral("previewChanged"),
                          QStringLiteral("accentColorChanged"),
                          QStringLiteral("needsSaveChanged"),
                          QStringLiteral("previewChanged"),
                          QStringLiteral("needsSaveChanged"),
                          QStringLiteral("previewChanged")}));
    // The scheme's Highlight and Base.
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#2884be"));
    QCOMPARE(module->property("currentPalette").value<QPalette>().color(QPalette::Active, QPalette::Base).name(), QStringLiteral("#1e2124"));
    QVERIFY(needsSave(module.get()));

    PexoTest::DBusSignalWatcher bus;
    QVERIFY(bus.watch(QStringLiteral("/BreezeStyle"), QStringLiteral("org.kde.Breeze.Style"), QStringLiteral("reparseConfiguration")));
    QMetaObject::invokeMethod(module.get(), "save");

    const QString themerc = ThemeDefaults::userThemesDir + QStringLiteral("/Mine/theme/themerc");
    QCOMPARE(entry(themerc, QStringLiteral("Variables"), QStringLiteral("ColorScheme")), darkScheme);
    QCOMPARE(entry(themerc, QStringLiteral("Variables"), QStringLiteral("PrimaryColor")), QStringLiteral("#2884be"));
    QCOMPARE(entry(themerc, QStringLiteral("Variables"), QStringLiteral("BackgroundColor")), QStringLiteral("#1e2124"));
    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, QStringLiteral("Variables"), QStringLiteral("SchemeType")), QStringLiteral("System"));
    QCOMPARE(entry(ThemeDefaults::paletteConfigPath, QStringLiteral("Variables"), QStringLiteral("ColorScheme")), darkScheme);
    QSettings qt(configFile(QStringLiteral("Trolltech.conf")), QSettings::IniFormat);
    QCOMPARE(qt.value(QStringLiteral("Qt/Palette/active")).toStringList().value(QPalette::Highlight), QStringLiteral("#2884be"));
    QVERIFY(entry(configFile(QStringLiteral("breezerc")), QStringLiteral("Colors:View"), QStringLiteral("DecorationFocus")) != QStringLiteral("<missing>"));
    QVERIFY(PexoTest::takeWmCommands().contains(QStringLiteral("PEXOWM_UPDATE_VAL ColorScheme %1\n").arg(darkScheme)));
    QVERIFY(bus.waitForCount(1));
    // The settings application now shows the scheme, without remembering it.
    QCOMPARE(QApplication::palette().color(QPalette::Active, QPalette::Highlight).name(), QStringLiteral("#2884be"));
    QCOMPARE(entry(configFile(QCoreApplication::applicationName() + QStringLiteral("rc")), QStringLiteral("UiSettings"), QStringLiteral("ColorScheme")),
             QStringLiteral("<missing>"));
}

// A read-only current theme: the user names a new theme, which gets the
// scheme and becomes current.
void ColorModuleTest::saveAsNewTheme()
{
    makeCurrentTheme(ThemeDefaults::systemThemesDir + QStringLiteral("/Shipped"), QStringLiteral("Shipped"), true);
    writeScript(QStringLiteral("/usr/bin/pexo-dialog"), "#!/bin/sh\necho 'My Colours'\n");
    auto module = loadedModule();
    QVERIFY(module);
    QVERIFY(module->setProperty("currentColorScheme", darkScheme));
    const QString shipped = PexoTest::readFile(ThemeDefaults::systemThemesDir + QStringLiteral("/Shipped/theme/themerc"));
    QMetaObject::invokeMethod(module.get(), "save");

    QCOMPARE(QString(PexoTest::readFile(ThemeDefaults::systemThemesDir + QStringLiteral("/Shipped/theme/themerc"))), shipped);
    const QString themerc = ThemeDefaults::userThemesDir + QStringLiteral("/My Colours/theme/themerc");
    QCOMPARE(entry(themerc, QStringLiteral("Variables"), QStringLiteral("ColorScheme")), darkScheme);
    QCOMPARE(entry(configFile(QStringLiteral("pexo-admin-themerc")), QStringLiteral("Theme"), QStringLiteral("CurrentTheme")), QStringLiteral("My Colours"));
    QCOMPARE(entry(ThemeDefaults::paletteConfigPath, QStringLiteral("Variables"), QStringLiteral("ColorScheme")), darkScheme);
}

// Stored colours that the scheme would not give survive load(): nothing
// is rewritten, copied or generated, and nothing needs saving.
void ColorModuleTest::loadKeepsStoredColours()
{
    writeLive("Custom", lightScheme, "#aa5500", "#101010", true);
    const PexoTest::TreeSnapshot before = PexoTest::snapshotTree(QDir::homePath());
    auto module = ModuleTest::create(QStringLiteral("kcm_pexo_color"));
    QVERIFY(module);
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QMetaObject::invokeMethod(module.get(), "load");

    QCOMPARE(module->property("schemeType").toInt(), int(Custom));
    QCOMPARE(module->property("currentColorScheme").toString(), lightScheme);
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#aa5500"));
    QCOMPARE(module->property("currentPalette").value<QPalette>().color(QPalette::Active, QPalette::Base).name(), QStringLiteral("#101010"));
    QVERIFY(module->property("isDarkTheme").toBool());
    QVERIFY(!needsSave(module.get()));
    QVERIFY(errors.isEmpty());
    QVERIFY(!QFile::exists(userSchemes()));
    QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath())), QStringList());
}

// A scheme path without a file leaves the colours and the application's palette alone.
void ColorModuleTest::missingSchemeFile()
{
    auto module = loadedModule();
    QVERIFY(module);
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    QVERIFY(module->setProperty("currentColorScheme", home(QStringLiteral("gone.colors"))));
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#118bcc"));
    QCOMPARE(module->property("currentPalette").value<QPalette>().color(QPalette::Active, QPalette::Base).name(), QStringLiteral("#ffffff"));
    QMetaObject::invokeMethod(module.get(), "save");
    QCOMPARE(QApplication::palette().color(QPalette::Highlight), highlight);
}

// The user's own scheme is copied from a read-only template into a directory
// that does not exist yet, and stays editable; without a template, "Error".
void ColorModuleTest::customSchemeOnFreshAccount()
{
    QVERIFY(QFile::setPermissions(templatePath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    auto module = loadedModule();
    QVERIFY(module);
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QVERIFY(module->setProperty("schemeType", int(Custom)));
    const QString userScheme = userSchemes() + QStringLiteral("/User.colors");
    QCOMPARE(module->property("currentColorScheme").toString(), userScheme);
    QCOMPARE(PexoTest::readFile(userScheme), PexoTest::readFile(templatePath));
    QVERIFY(QFile::permissions(userScheme) & QFile::WriteOwner);
    QVERIFY(errors.isEmpty());

    QVERIFY(module->setProperty("schemeType", int(System)));
    QVERIFY(PexoTest::removePath(userSchemes()));
    const QByteArray shipped = PexoTest::readFile(templatePath);
    QVERIFY(PexoTest::removePath(templatePath));
    QVERIFY(module->setProperty("schemeType", int(Custom)));
    QVERIFY(PexoTest::writeFile(templatePath, shipped));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), QStringLiteral("Error"));
    QCOMPARE(module->property("currentColorScheme").toString(), userScheme);
}

void ColorModuleTest::wallpaperScheme_data()
{
    QTest::addColumn<QByteArray>("generator");
    QTest::addColumn<bool>("systemScheme");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("accent");

    const QByteArray installed = "#!/bin/sh\nt=$HOME/.local/share/color-schemes/pic.png-generated-dark.colors\n"
                                 "mkdir -p ${t%/*}\nprintf '[Colors:Selection]\\nBackgroundNormal=1,2,3\\n' > $t\necho RESULT=$t\n";
    QTest::newRow("generated") << QByteArray("stand-in") << false << QString() << QStringLiteral("#c82828");
    QTest::newRow("generator wrote the target") << installed << false << QString() << QStringLiteral("#010203");
    QTest::newRow("generator message") << QByteArray("#!/bin/sh\necho 'Cannot read image' >&2\nexit 3\n") << true << QStringLiteral("Cannot read image\n")
                                       << QString();
    QTest::newRow("generator hangs") << QByteArray("#!/bin/sh\nexec sleep 30\n") << false << QString() << QString();
    QTest::newRow("no prefix") << QByteArray("#!/bin/sh\necho /tmp/x\n") << false << QString() << QString();
    QTest::newRow("system scheme") << QByteArray() << true << QString() << QStringLiteral("#0a0b0c");
    QTest::newRow("target cannot be written") << QByteArray("stand-in") << false << QStringLiteral("cannot") << QString();
}

// The scheme generated from the wallpaper, from the user's cache, a fresh run
// of the generator or the system's copy, installed in the user's schemes.
void ColorModuleTest::wallpaperScheme()
{
    QFETCH(QByteArray, generator);
    QFETCH(bool, systemScheme);
    QFETCH(QString, error);
    QFETCH(QString, accent);

    if (generator == "stand-in") {
        QFile standIn(QStringLiteral(PEXO_GENERATOR_STANDIN));
        QVERIFY(standIn.open(QIODevice::ReadOnly));
        writeScript(generatorPath, standIn.readAll());
    } else if (!generator.isEmpty()) {
        writeScript(generatorPath, generator);
    }
    if (systemScheme) {
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/share/color-schemes-generated/pic.png-generated-dark.colors"),
                                    "[Colors:Selection]\nBackgroundNormal=10,11,12\n"));
    }
    const QString target = userSchemes() + QStringLiteral("/pic.png-generated-dark.colors");
    if (error == QLatin1String("cannot")) {
        QVERIFY(QDir().mkpath(target + QStringLiteral("/in the way")));
    }
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    QVERIFY(picture.save(home(QStringLiteral("pic.png"))));
    writeLive("System", lightScheme, "#118bcc", "#ffffff", false, home(QStringLiteral("pic.png")));

    auto module = loadedModule();
    QVERIFY(module);
    QVERIFY(module->property("isWallpaperSchemeAvailable").toBool());
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QVERIFY(module->setProperty("wallpaperColorScheme", int(Dark)));
    QVERIFY(module->setProperty("schemeType", int(Wallpaper)));

    if (accent.isEmpty()) {
        QCOMPARE(module->property("currentColorScheme").toString(), lightScheme);
        QCOMPARE(errors.count(), error.isEmpty() ? 0 : 1);
        if (error == QLatin1String("cannot")) {
            QVERIFY(QFileInfo(target + QStringLiteral("/in the way")).isDir());
        } else if (!error.isEmpty()) {
            QCOMPARE(errors.first().first().toString(), error);
        }
        return;
    }
    QVERIFY(errors.isEmpty());
    QCOMPARE(module->property("currentColorScheme").toString(), target);
    QCOMPARE(module->property("accentColor").toString(), accent);
}

void ColorModuleTest::windowManagerColours_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("scheme");
    // Active title, inactive title, active frame, inactive frame, active text, inactive text.
    QTest::addColumn<QStringList>("colours");

    const QString broken = home(QStringLiteral(".local/share/color-schemes/Broken.colors"));
    const QString bare = home(QStringLiteral(".local/share/color-schemes/UlvarDark.colors"));
    QTest::newRow("custom") << QByteArray("Custom") << darkScheme
                            << QStringList({"#336699", "#f0f0f0", "#336699", "#336699", "#FFFFFF", "#000000"});
    QTest::newRow("system scheme") << QByteArray("System") << darkScheme
                                   << QStringList({"#2884be", "#24282c", "#4c9fd2", "#3a4046", "#FFFFFF", "#FFFFFF"});
    QTest::newRow("entry is no colour") << QByteArray("System") << broken
                                        << QStringList({"", "#0a0b0c", "#0a0b0c", "#0a0b0c", "#FFFFFF", "#FFFFFF"});
    QTest::newRow("system name without entries") << QByteArray("System") << bare
                                                  << QStringList({"#336699", "#f0f0f0", "#336699", "#336699", "#FFFFFF", "#000000"});
    QTest::newRow("other scheme") << QByteArray("Wallpaper") << schemesDir + QStringLiteral("Other.colors")
                                  << QStringList({"#336699", "#f0f0f0", "#336699", "#336699", "#FFFFFF", "#000000"});
}

void ColorModuleTest::windowManagerColours()
{
    QFETCH(QByteArray, type);
    QFETCH(QString, scheme);
    QFETCH(QStringList, colours);

    QByteArray wm = "[WM]\n";
    for (const char *key : {"inactiveWindowHeader", "activeWindowFrame", "inactiveWindowFrame", "taskbarBackground", "taskbarBackgroundHover",
                            "buttonOutlineHover", "lineSeparator"}) {
        wm += key + QByteArray("=10,11,12\n");
    }
    QVERIFY(PexoTest::writeFile(home(QStringLiteral(".local/share/color-schemes/Broken.colors")), wm + "activeWindowHeader=not a colour\n"));
    QVERIFY(PexoTest::writeFile(home(QStringLiteral(".local/share/color-schemes/UlvarDark.colors")), "[General]\nName=Bare\n"));
    QVERIFY(PexoTest::writeFile(schemesDir + QStringLiteral("Other.colors"), "[WM]\nactiveWindowHeader=#123456\n[General]\nName=Other\n"));
    writeLive(type, scheme, "#336699", "#f0f0f0");

    auto module = loadedModule();
    QVERIFY(module);
    QStringList actual;
    for (const char *property : {"activeWindowTitleColor", "inactiveWindowTitleColor", "activeWindowFrameColor", "inactiveWindowFrameColor",
                                 "activeWindowTitleTextColor", "inactiveWindowTitleTextColor"}) {
        actual << module->property(property).toString();
    }
    QCOMPARE(actual, colours);
}

// The page names the enumerations through their holders and creates the preview.
void ColorModuleTest::qmlTypes()
{
    auto module = ModuleTest::create(QStringLiteral("kcm_pexo_color"));
    QVERIFY(module);
    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("kcm"), module.get());
    QQmlComponent preview(&engine);
    preview.setData("import ru.ulvarlinux.kcm.color.private 1.0\n"
                    "PreviewItem { property bool custom: kcm.schemeType === SchemeType.Custom; property int dark: WallpaperScheme.Dark }\n",
                    QUrl());
    std::unique_ptr<QObject> item(preview.create());
    QVERIFY2(item, qPrintable(preview.errorString()));
    QCOMPARE(item->property("dark").toInt(), int(Dark));
    QCOMPARE(item->property("custom").toBool(), false);

    QQmlComponent gadget(&engine);
    gadget.setData("import ru.ulvarlinux.kcm.color.private 1.0\nSchemeType {}\n", QUrl());
    QVERIFY(!gadget.create());
    QVERIFY2(gadget.errorString().contains(QLatin1String("enum class for SchemeType")), qPrintable(gadget.errorString()));
}

int main(int argc, char **argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    ColorModuleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "colormoduletest.moc"
