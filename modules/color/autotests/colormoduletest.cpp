// The colour-scheme page, loaded from the built plug-in as a settings host does.

#include <moduletestsupport.h>

#include <pexotestsupport.h>
#include <themedefaults.h>

#include <KConfig>
#include <KConfigGroup>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>

namespace {
const QString id = QStringLiteral("kcm_pexo_color");
const QString darkScheme = QStringLiteral("/usr/share/color-schemes/UlvarDark.colors");
const QString lightScheme = QStringLiteral("/usr/share/color-schemes/UlvarLight.colors");
const QString templatePath = QStringLiteral("/usr/share/pexo/color-schemes/User.colors");
const QString generatorPath = QStringLiteral("/usr/bin/pexo-colorscheme-gen.sh");
// Writes a dark scheme for pic.png as the generator does, but at once: the
// page gives the generator a second, which the project's stand-in (tested
// with the module utilities) may need more than on a busy machine.
const QByteArray quickGenerator = "#!/bin/sh\nt=$HOME/.local/share/color-schemes-generated/pic.png-generated-dark.colors\n"
                                  "mkdir -p ${t%/*}\nprintf '[Colors:Selection]\\nBackgroundNormal=200,40,40\\n' > $t\necho RESULT=$t\n";

enum { System, Wallpaper, Custom };
enum { None, Light, Dark };

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

QString home(const char *path)
{
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(path);
}

QString configFile(const char *name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + QLatin1String(name);
}

QString entry(const QString &path, const char *key, const char *group = "Variables")
{
    return KConfig(path, KConfig::SimpleConfig).group(group).readEntry(key, QStringLiteral("<missing>"));
}

void writeScript(const QString &path, const QByteArray &script)
{
    QVERIFY(PexoTest::writeFile(path, script));
    QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
}

// A theme holding the light scheme, recorded as the current one.
void makeCurrentTheme(const QString &directory, const QByteArray &id, bool readOnly)
{
    QVERIFY(PexoTest::writeFile(directory + QStringLiteral("/index.theme"),
                                "[Pexo Theme]\nId=" + id + "\nName=" + id + (readOnly ? "\nX-Ulvar-System-Theme=true\n" : "\n")));
    QVERIFY(PexoTest::writeFile(directory + QStringLiteral("/theme/themerc"), "[Variables]\nColorScheme=" + lightScheme.toUtf8() + "\n"));
    QVERIFY(
        PexoTest::writeFile(configFile("pexo-admin-themerc"), "[Theme]\nCurrentTheme=" + id + "\nCurrentThemePath=" + directory.toUtf8() + "/index.theme\n"));
}

// The scheme type, dark flag and wallpaper in the live settings; the scheme and the colours in paletterc.
void writeLive(const QByteArray &type, const QString &scheme, const QByteArray &colours, bool dark = false, const QString &wallpaper = QString())
{
    QVERIFY(PexoTest::writeFile(ThemeDefaults::currentThemeConfigPath,
                                "[Variables]\nSchemeType=" + type + "\nCustomSchemeDark=" + (dark ? "true" : "false") + "\nWallPaper=" + wallpaper.toUtf8() +
                                    "\n"));
    const QList<QByteArray> colour = colours.split(' ');
    QVERIFY(PexoTest::writeFile(ThemeDefaults::paletteConfigPath,
                                "[Variables]\nColorScheme=" + scheme.toUtf8() + "\nPrimaryColor=" + colour.at(0) + "\nBackgroundColor=" + colour.at(1) + "\n"));
}

std::unique_ptr<QObject> loadedModule()
{
    auto module = ModuleTest::create(id);
    if (module) {
        QMetaObject::invokeMethod(module.get(), "load");
    }
    return module;
}

// The names of the module's signals in the order they arrive.
class SignalOrder : public QObject
{
    Q_OBJECT
public:
    explicit SignalOrder(QObject *module)
    {
        for (const char *signal : {SIGNAL(currentColorSchemeChanged()), SIGNAL(accentColorChanged()), SIGNAL(previewChanged())}) {
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

    void pluginInterface();
    void roadOfOneRequest();
    void saveAsNewTheme();
    void fullHome();
    void savedColoursMatchLiveOnes();
    void loadKeepsStoredColours();
    void missingSchemeFile();
    void warnedSchemeCostsItsParseOnly();
    void spelledSchemePaths();
    void customSchemeOnFreshAccount();
    void wallpaperScheme_data();
    void wallpaperScheme();
    void windowManagerColours_data();
    void windowManagerColours();
    void saveBesideOtherWriters_data();
    void saveBesideOtherWriters();
};

void ColorModuleTest::initTestCase()
{
    QVERIFY(PexoTest::installSampleData());
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-vkbd")));
}

void ColorModuleTest::init()
{
    for (const QString &path : {ThemeDefaults::userThemesDir,
                                home(".local/share/color-schemes"),
                                home(".local/share/color-schemes-generated"),
                                QStringLiteral("/usr/share/color-schemes-generated"),
                                generatorPath}) {
        QVERIFY(PexoTest::removePath(path));
    }
    makeCurrentTheme(ThemeDefaults::userThemesDir + QStringLiteral("/Mine"), "Mine", false);
    writeLive("System", lightScheme, "#118bcc #ffffff");
}

// The metadata, and the one property with a settings key the master file can fix.
void ColorModuleTest::pluginInterface()
{
    ModuleTest::verifyMetaData(id,
                               {QStringLiteral("Color scheme"),
                                QStringLiteral("Цветовая схема"),
                                QStringLiteral("Choose color scheme for pexo"),
                                QStringLiteral("Выбор цветовой схемы pexo"),
                                QStringLiteral("preferences-system-colors"),
                                QStringLiteral("20"),
                                QStringLiteral("appearance"),
                                20});
    ModuleTest::verifyImmutability(id, {{QStringLiteral("wallpaperColorScheme"), QStringLiteral("WallPaperColorScheme")}}, QStringLiteral("accentColor"));

    // The page names the enumerations through their holders and creates the
    // preview. Opening it leaves this application's palette alone.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
    QApplication::setPalette(palette);
    auto module = ModuleTest::create(id);
    QVERIFY(module);
    QCOMPARE(QApplication::palette(), palette);
    QVERIFY(!qApp->property("KDE_COLOR_SCHEME_PATH").isValid());
    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("kcm"), module.get());
    QQmlComponent preview(&engine);
    preview.setData("import ru.ulvarlinux.kcm.color.private 1.0\n"
                    "PreviewItem { property bool system: kcm.schemeType === SchemeType.System; property int dark: WallpaperScheme.Dark }\n",
                    QUrl());
    const std::unique_ptr<QObject> item(preview.create());
    QVERIFY2(item, qPrintable(preview.errorString()));
    QVERIFY(item->property("system").toBool());
    QCOMPARE(item->property("dark").toInt(), int(Dark));
    QQmlComponent gadget(&engine);
    gadget.setData("import ru.ulvarlinux.kcm.color.private 1.0\nSchemeType {}\n", QUrl());
    QTest::ignoreMessage(QtWarningMsg, "QQmlComponent: Component is not ready");
    QVERIFY(!gadget.create());
    QVERIFY2(gadget.errorString().contains(QLatin1String("enum class for SchemeType")), qPrintable(gadget.errorString()));
}

// The user picks another scheme: the page hears of each change before the
// module reacts to it, the colours follow the scheme, and saving reaches the
// theme, the live settings, Qt's and Breeze's palettes, the window manager,
// the bus and this application's palette.
void ColorModuleTest::roadOfOneRequest()
{
    auto module = loadedModule();
    QVERIFY(module);
    QVERIFY(!module->property("needsSave").toBool());

    SignalOrder order(module.get());
    QVERIFY(module->setProperty("currentColorScheme", darkScheme));
    // The part forwards each value to Theme::changed (previewChanged) before
    // anyone else hears of it; then comes the relayed signal, then the
    // reaction: the accent from the scheme's Highlight, and the background
    // twice (after the accent, then from the scheme's Base).
    QCOMPARE(order.names, words("previewChanged currentColorSchemeChanged previewChanged accentColorChanged previewChanged previewChanged"));
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#2884be"));
    QVERIFY(module->property("needsSave").toBool());

    PexoTest::takeWmCommands();
    PexoTest::DBusSignalWatcher bus;
    QVERIFY(bus.watch(QStringLiteral("/BreezeStyle"), QStringLiteral("org.kde.Breeze.Style"), QStringLiteral("reparseConfiguration")));
    QMetaObject::invokeMethod(module.get(), "save");

    const QString themerc = ThemeDefaults::userThemesDir + QStringLiteral("/Mine/theme/themerc");
    QCOMPARE(entry(themerc, "ColorScheme"), darkScheme);
    QCOMPARE(entry(themerc, "PrimaryColor") + entry(themerc, "BackgroundColor"), QStringLiteral("#2884be#181a1d"));
    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, "SchemeType"), QStringLiteral("System"));
    QCOMPARE(entry(ThemeDefaults::paletteConfigPath, "ColorScheme"), darkScheme);
    QSettings qt(configFile("Trolltech.conf"), QSettings::IniFormat);
    QCOMPARE(qt.value(QStringLiteral("Qt/Palette/active")).toStringList().value(QPalette::Highlight), QStringLiteral("#2884be"));
    QCOMPARE(entry(configFile("breezerc"), "DecorationFocus", "Colors:View"), QStringLiteral("#2884be"));
    QVERIFY(PexoTest::takeWmCommands().contains(QStringLiteral("PEXOWM_UPDATE_VAL ColorScheme %1\n").arg(darkScheme)));
    QVERIFY(bus.waitForCount(1));
    // The settings application shows the scheme now, without remembering it.
    QCOMPARE(QApplication::palette().color(QPalette::Active, QPalette::Highlight).name(), QStringLiteral("#2884be"));
    QVERIFY(!QFile::exists(configFile("colormoduletestrc")));
    QMetaObject::invokeMethod(module.get(), "updateNeedSave");
    QVERIFY(!module->property("needsSave").toBool());
}

// A read-only current theme: the user names a new theme, which gets the scheme and becomes current.
void ColorModuleTest::saveAsNewTheme()
{
    const QString shipped = ThemeDefaults::systemThemesDir + QStringLiteral("/Shipped");
    makeCurrentTheme(shipped, "Shipped", true);
    const QByteArray shippedThemerc = PexoTest::readFile(shipped + QStringLiteral("/theme/themerc"));
    writeScript(QStringLiteral("/usr/bin/pexo-dialog"), "#!/bin/sh\necho 'My Colours'\n");
    auto module = loadedModule();
    QVERIFY(module);
    QVERIFY(module->setProperty("currentColorScheme", darkScheme));
    QMetaObject::invokeMethod(module.get(), "save");

    QCOMPARE(PexoTest::readFile(shipped + QStringLiteral("/theme/themerc")), shippedThemerc);
    QCOMPARE(entry(ThemeDefaults::userThemesDir + QStringLiteral("/My Colours/theme/themerc"), "ColorScheme"), darkScheme);
    QCOMPARE(entry(configFile("pexo-admin-themerc"), "CurrentTheme", "Theme"), QStringLiteral("My Colours"));
    QCOMPARE(entry(ThemeDefaults::paletteConfigPath, "ColorScheme"), darkScheme);
}

// Nothing fits on the disk: the save fails at once with the page's error,
// writes nothing, and the change still needs saving.
void ColorModuleTest::fullHome()
{
    auto module = loadedModule();
    QVERIFY(module);
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QVERIFY(module->setProperty("currentColorScheme", darkScheme));

    const PexoTest::FullDisk disk(QDir::homePath());
    QVERIFY(disk.isFull());
    const PexoTest::TreeSnapshot before = PexoTest::snapshotTree(QDir::homePath());
    PexoTest::takeWmCommands();
    {
        const PexoTest::Watchdog watchdog(PexoTest::patienceMs / 1000);
        QMetaObject::invokeMethod(module.get(), "save");
        QMetaObject::invokeMethod(module.get(), "save");
    }
    QCOMPARE(errors.count(), 2);
    // Known before the first write: the live settings have no room.
    const QString message = errors.first().first().toString();
    QVERIFY2(message.startsWith(QStringLiteral("Could not write ")) && message.contains(ThemeDefaults::currentThemeConfigPath), qPrintable(message));
    QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath())), QStringList());
    QCOMPARE(PexoTest::takeWmCommands(), QStringList());
    QMetaObject::invokeMethod(module.get(), "updateNeedSave");
    QVERIFY(module->property("needsSave").toBool());
}

// A scheme whose window-manager colours differ from its palette: the live
// theme takes those colours, so the stored theme must hold them too. A text
// that is no colour is refused.
void ColorModuleTest::savedColoursMatchLiveOnes()
{
    const QString scheme = home(".local/share/color-schemes/Sea.colors");
    QByteArray wm = "[Colors:Selection]\nBackgroundNormal=1,2,3\n[Colors:View]\nBackgroundNormal=4,5,6\n"
                    "[WM]\nactiveWindowHeader=16,32,48\ntaskbarBackground=#405060\n";
    for (const QString &key : words("inactiveWindowHeader activeWindowFrame inactiveWindowFrame taskbarBackgroundHover buttonOutlineHover lineSeparator")) {
        wm += key.toLatin1() + "=#777777\n";
    }
    QVERIFY(PexoTest::writeFile(scheme, wm));
    auto module = loadedModule();
    QVERIFY(module);
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QVERIFY(module->setProperty("currentColorScheme", scheme));
    QMetaObject::invokeMethod(module.get(), "save");

    const QString themerc = ThemeDefaults::userThemesDir + QStringLiteral("/Mine/theme/themerc");
    QCOMPARE(entry(themerc, "PrimaryColor") + entry(themerc, "BackgroundColor"), QStringLiteral("#102030#405060"));
    QCOMPARE(entry(ThemeDefaults::paletteConfigPath, "PrimaryColor") + entry(ThemeDefaults::paletteConfigPath, "BackgroundColor"),
             QStringLiteral("#102030#405060"));
    QMetaObject::invokeMethod(module.get(), "updateNeedSave");
    QVERIFY(!module->property("needsSave").toBool());

    // Nor is one that is not opaque; another opaque one is written as "#" and six digits.
    for (const char *refused : {"notacolour", "transparent", "#80ff0000"}) {
        QVERIFY(module->setProperty("accentColor", QString::fromLatin1(refused)));
    }
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#102030"));
    QVERIFY(!module->property("needsSave").toBool());
    QCOMPARE(errors.count(), 3);
    QVERIFY(module->setProperty("accentColor", QStringLiteral("red")));
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#ff0000"));
    QVERIFY(module->setProperty("accentColor", QStringLiteral("#A0B0C0")));
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#A0B0C0"));
}

// Stored colours that the scheme would not give survive load(): nothing is
// rewritten, copied or generated, and nothing needs saving. defaults() then
// resets the colours alone, and that needs saving.
void ColorModuleTest::loadKeepsStoredColours()
{
    const QString sea = home("sea.png");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(sea));
    writeLive("Custom", darkScheme, "#aa5500 #101010", true, sea);
    const PexoTest::TreeSnapshot before = PexoTest::snapshotTree(QDir::homePath());
    auto module = ModuleTest::create(id);
    QVERIFY(module);
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QMetaObject::invokeMethod(module.get(), "load");

    QCOMPARE(module->property("schemeType").toInt(), int(Custom));
    QCOMPARE(module->property("currentColorScheme").toString(), darkScheme);
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#aa5500"));
    QCOMPARE(module->property("inactiveWindowTitleColor").toString(), QStringLiteral("#101010"));
    QVERIFY(module->property("isDarkTheme").toBool());
    QVERIFY(!module->property("needsSave").toBool());
    QVERIFY(errors.isEmpty());
    QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath())), QStringList());

    QVERIFY(module->setProperty("wallpaperColorScheme", Dark));
    QMetaObject::invokeMethod(module.get(), "defaults");
    QVERIFY(module->property("needsSave").toBool());
    QMetaObject::invokeMethod(module.get(), "save");
    QCOMPARE(QString(entry(ThemeDefaults::currentThemeConfigPath, "SchemeType") + entry(ThemeDefaults::currentThemeConfigPath, "WallPaperColorScheme") +
                     entry(ThemeDefaults::currentThemeConfigPath, "CustomSchemeDark")),
             QStringLiteral("Systemnonefalse"));
    QCOMPARE(entry(ThemeDefaults::paletteConfigPath, "ColorScheme"), lightScheme);
    // The dark flag goes last and sets the light background; the theme
    // keeps it as the scheme's colours reach the palette.
    const QString themerc = ThemeDefaults::userThemesDir + QStringLiteral("/Mine/theme/themerc");
    QCOMPARE(QString(entry(themerc, "PrimaryColor") + entry(themerc, "BackgroundColor")), QStringLiteral("#118bcc#ffffff"));
    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, "WallPaper"), sea);
}

// A scheme path without a file leaves the colours and the application's palette alone.
void ColorModuleTest::missingSchemeFile()
{
    auto module = loadedModule();
    QVERIFY(module);
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    QVERIFY(module->setProperty("currentColorScheme", home("gone.colors")));
    QCOMPARE(module->property("accentColor").toString(), QStringLiteral("#118bcc"));
    QCOMPARE(module->property("inactiveWindowTitleColor").toString(), QStringLiteral("#ffffff"));
    QMetaObject::invokeMethod(module.get(), "save");
    QCOMPARE(QApplication::palette().color(QPalette::Highlight), highlight);

    // A line break, which the window manager's command cannot carry, is
    // refused, and so is a file that is there but no scheme file.
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QCOMPARE(::mkfifo(QFile::encodeName(home("fifo.colors")).constData(), 0600), 0);
    for (const QString &path : {home("two\nlines.colors"), home("fifo.colors"), QStringLiteral("/proc/self/pagemap")}) {
        QVERIFY(module->setProperty("currentColorScheme", path));
    }
    QCOMPARE(module->property("currentColorScheme").toString(), home("gone.colors"));
    QCOMPARE(errors.count(), 3);
}

// A scheme of 1 MiB whose every line makes the reader warn: the page lists
// it, draws its icon and saves it as the current scheme, and the tools
// switch to a theme holding it and apply it, each without a warning and
// without waiting.
void ColorModuleTest::warnedSchemeCostsItsParseOnly()
{
    const QString warned = home(".local/share/color-schemes/Warned.colors");
    const QByteArray line = "Padding=" + QByteArray("\\q").repeated(64) + '\n';
    QByteArray scheme = "[General]\nName=Warned\n[Colors:View]\nBackgroundNormal=10,20,30\n";
    scheme += line.repeated((1024 * 1024 - scheme.size()) / line.size());
    QVERIFY(PexoTest::writeFile(warned, scheme));
    QElapsedTimer timer;
    timer.start();
    {
        const PexoTest::ReaderWarnings warnings;
        auto module = loadedModule();
        QVERIFY(module);
        const auto *schemes = module->property("schemeModel").value<QAbstractProxyModel *>();
        QVERIFY(schemes);
        // Each icon is drawn from its scheme when first asked for.
        for (int i = 0; i < schemes->rowCount(); ++i) {
            schemes->index(i, 0).data(Qt::DecorationRole);
        }
        QVERIFY(module->setProperty("currentColorScheme", warned));
        QMetaObject::invokeMethod(module.get(), "save");
        QCOMPARE(entry(ThemeDefaults::paletteConfigPath, "ColorScheme"), warned);
        QCOMPARE(warnings.count(), 0);
    }
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    for (const QStringList &arguments : {QStringList{QStringLiteral("pexo-set-theme"), QStringLiteral("Mine")},
                                         QStringList{QStringLiteral("pexo-admin-theme"), QStringLiteral("-"), warned}}) {
        const PexoTest::ProgramRun run = PexoTest::runProgram(arguments.first(), arguments.mid(1), 2000);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(!run.errors.contains(QLatin1String("Invalid escape")), qPrintable(run.errors.left(300)));
    }
    QCOMPARE(entry(ThemeDefaults::userThemesDir + QStringLiteral("/Mine/theme/themerc"), "ColorScheme"), warned);
}

// A scheme given as a file URL, below "~" or by a relative path is kept as
// the path that every reader of the colours finds.
void ColorModuleTest::spelledSchemePaths()
{
    auto module = loadedModule();
    QVERIFY(module);
    const QString own = home("own.colors");
    QVERIFY(QFile::copy(darkScheme, own));
    // ".." after a link goes up from where the link leads.
    QVERIFY(QDir().mkpath(home("sub/deeper")) && QFile::link(home("sub/deeper"), home("deep")));
    const QList<QPair<QString, QString>> spellings{{QUrl::fromLocalFile(darkScheme).toString(), darkScheme},
                                                   {QStringLiteral("~/own.colors"), own},
                                                   {QDir::current().relativeFilePath(own), own},
                                                   {QDir::current().relativeFilePath(home("deep")) + QStringLiteral("/../../own.colors"), own}};
    for (const auto &spelling : spellings) {
        QVERIFY(module->setProperty("currentColorScheme", spelling.first));
        QCOMPARE(module->property("currentColorScheme").toString(), spelling.second);
    }
}

// The user's own scheme is copied from a read-only template into a directory
// that does not exist yet, and stays editable; without a template, "Error".
void ColorModuleTest::customSchemeOnFreshAccount()
{
    QVERIFY(QFile::setPermissions(templatePath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    auto module = loadedModule();
    QVERIFY(module);
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QVERIFY(module->setProperty("schemeType", Custom));
    const QString userScheme = home(".local/share/color-schemes/User.colors");
    QCOMPARE(module->property("currentColorScheme").toString(), userScheme);
    QCOMPARE(PexoTest::readFile(userScheme), PexoTest::readFile(templatePath));
    QVERIFY(QFile::permissions(userScheme) & QFile::WriteOwner);
    QVERIFY(errors.isEmpty());

    const QByteArray shipped = PexoTest::readFile(templatePath);
    QVERIFY(module->setProperty("schemeType", System));
    QVERIFY(PexoTest::removePath(userScheme) && PexoTest::removePath(templatePath));
    QVERIFY(module->setProperty("schemeType", Custom));
    QVERIFY(PexoTest::writeFile(templatePath, shipped));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), QStringLiteral("Error"));
    QCOMPARE(module->property("currentColorScheme").toString(), userScheme);
}

void ColorModuleTest::wallpaperScheme_data()
{
    QTest::addColumn<QByteArray>("generator");
    QTest::addColumn<QString>("error");
    // Of the installed scheme; none when the scheme stays.
    QTest::addColumn<QString>("accent");
    // Whether the system has a generated scheme for the wallpaper.
    QTest::addColumn<bool>("system");

    const QString failed = QStringLiteral("Failed to generate a color scheme from the wallpaper");
    QTest::newRow("generated") << quickGenerator << QString() << QStringLiteral("#c82828") << true;
    QTest::newRow("generator wrote the target") << QByteArray("#!/bin/sh\nt=$HOME/.local/share/color-schemes/pic.png-generated-dark.colors\n"
                                                              "mkdir -p ${t%/*}\nprintf '[Colors:Selection]\\nBackgroundNormal=1,2,3\\n' > $t\n"
                                                              "echo RESULT=$t\n")
                                                << QString() << QStringLiteral("#010203") << true;
    // The system's scheme is not asked for when the generator explains its failure.
    QTest::newRow("generator message") << QByteArray("#!/bin/sh\necho 'Cannot read image' >&2\nexit 3\n") << QStringLiteral("Cannot read image\n") << QString()
                                       << true;
    QTest::newRow("system scheme") << QByteArray() << QString() << QStringLiteral("#0a0b0c") << true;
    QTest::newRow("no prefix, system scheme") << QByteArray("#!/bin/sh\necho $HOME/pic.png\n") << QString() << QStringLiteral("#0a0b0c") << true;
    QTest::newRow("target cannot be written") << quickGenerator << QStringLiteral("in the way") << QString() << true;
    // A result that is no colour scheme is never copied.
    QTest::newRow("result is no scheme") << QByteArray("#!/bin/sh\necho RESULT=/etc/passwd\n") << QString() << QStringLiteral("#0a0b0c") << true;
    QTest::newRow("result is a device") << QByteArray("#!/bin/sh\necho RESULT=/dev/zero\n") << failed << QString() << false;
    QTest::newRow("no scheme at all") << QByteArray("#!/bin/sh\nexit 0\n") << failed << QString() << false;
}

// The scheme generated from the wallpaper (the user's cache, a fresh run of
// the generator, or the system's copy) is installed among the user's schemes.
void ColorModuleTest::wallpaperScheme()
{
    QFETCH(QByteArray, generator);
    QFETCH(QString, error);
    QFETCH(QString, accent);
    QFETCH(bool, system);

    if (!generator.isEmpty()) {
        writeScript(generatorPath, generator);
    }
    if (system) {
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/share/color-schemes-generated/pic.png-generated-dark.colors"),
                                    "[Colors:Selection]\nBackgroundNormal=10,11,12\n"));
    }
    const QString target = home(".local/share/color-schemes/pic.png-generated-dark.colors");
    if (error == QLatin1String("in the way")) {
        QVERIFY(QDir().mkpath(target + QStringLiteral("/in the way")));
    }
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    QVERIFY(picture.save(home("pic.png")));
    writeLive("System", lightScheme, "#118bcc #ffffff", false, home("pic.png"));

    auto module = loadedModule();
    QVERIFY(module);
    QVERIFY(module->property("isWallpaperSchemeAvailable").toBool());
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QVERIFY(module->setProperty("wallpaperColorScheme", Dark));
    QVERIFY(module->setProperty("schemeType", Wallpaper));

    QCOMPARE(errors.count(), error.isEmpty() ? 0 : 1);
    QCOMPARE(module->property("currentColorScheme").toString(), accent.isEmpty() ? lightScheme : target);
    if (!accent.isEmpty()) {
        QCOMPARE(module->property("accentColor").toString(), accent);
    } else if (error == QLatin1String("in the way")) {
        QVERIFY(QFileInfo(target + QStringLiteral("/in the way")).isDir());
    } else {
        QCOMPARE(errors.first().first().toString(), error);
    }
}

void ColorModuleTest::windowManagerColours_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("scheme");
    // Active and inactive title, active and inactive frame, active and inactive title text.
    QTest::addColumn<QStringList>("colours");

    const QStringList own = words("#336699 #f0f0f0 #336699 #336699 #FFFFFF #000000");
    QTest::newRow("custom") << QByteArray("Custom") << darkScheme << own;
    QTest::newRow("system scheme") << QByteArray("System") << darkScheme << words("#2884be #24282c #4c9fd2 #3a4046 #FFFFFF #FFFFFF");
    QTest::newRow("entry is no colour") << QByteArray("System") << home(".local/share/color-schemes/Broken.colors")
                                        << words(" #0a0b0c #0a0b0c #0a0b0c #FFFFFF #FFFFFF");
    QTest::newRow("system name without entries") << QByteArray("System") << home(".local/share/color-schemes/UlvarDark.colors") << own;
    QTest::newRow("other scheme") << QByteArray("Wallpaper") << home(".local/share/color-schemes/Other.colors") << own;
    QTest::newRow("system name, fifo") << QByteArray("System") << home(".local/share/color-schemes/fifo/UlvarDark.colors") << own;
}

void ColorModuleTest::windowManagerColours()
{
    QFETCH(QByteArray, type);
    QFETCH(QString, scheme);
    QFETCH(QStringList, colours);

    QByteArray wm = "[WM]\nactiveWindowHeader=not a colour\n";
    for (const QString &key : words("inactiveWindowHeader activeWindowFrame inactiveWindowFrame taskbarBackground taskbarBackgroundHover buttonOutlineHover "
                                    "lineSeparator")) {
        wm += key.toLatin1() + "=10,11,12\n";
    }
    QVERIFY(PexoTest::writeFile(home(".local/share/color-schemes/Broken.colors"), wm));
    QVERIFY(PexoTest::writeFile(home(".local/share/color-schemes/UlvarDark.colors"), "[General]\nName=Bare\n"));
    QVERIFY(PexoTest::writeFile(home(".local/share/color-schemes/Other.colors"), "[WM]\nactiveWindowHeader=#123456\n"));
    QVERIFY(QDir().mkpath(home(".local/share/color-schemes/fifo")));
    QCOMPARE(::mkfifo(QFile::encodeName(home(".local/share/color-schemes/fifo/UlvarDark.colors")).constData(), 0600), 0);
    writeLive(type, scheme, "#336699 #f0f0f0");

    auto module = loadedModule();
    QVERIFY(module);
    QStringList actual;
    for (const QString &property : words("activeWindowTitleColor inactiveWindowTitleColor activeWindowFrameColor inactiveWindowFrameColor "
                                         "activeWindowTitleTextColor inactiveWindowTitleTextColor")) {
        actual << module->property(property.toLatin1().constData()).toString();
    }
    QCOMPARE(actual, colours);
}

// Another writer changed the files between the page's load and its save:
// the save keeps what that writer made and adds only the page's own edit.
void ColorModuleTest::saveBesideOtherWriters_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("wallpaper");
    // Loaded once the switch had recorded the theme, before its wallpaper reached the live settings.
    QTest::newRow("loaded while a switch held the lock") << QStringLiteral("switch") << QStringLiteral("#200000");
    QTest::newRow("another page saved since it loaded") << QStringLiteral("page") << QStringLiteral("#300000");
    // This session changed nothing of its own: the page starts from the theme as stored.
    QTest::newRow("another session switched") << QStringLiteral("session") << QStringLiteral("#200000");
}

void ColorModuleTest::saveBesideOtherWriters()
{
    QFETCH(QString, meanwhile);
    QFETCH(QString, wallpaper);
    const QByteArray light = PexoTest::readFile(ThemeDefaults::systemThemesDir + QStringLiteral("/UlvarTornelLight/theme/themerc"));
    QVERIFY(light.contains("WallPaper="));
    const auto themerc = [](const char *id) -> QString {
        return ThemeDefaults::userThemesDir + QLatin1Char('/') + QLatin1String(id) + QStringLiteral("/theme/themerc");
    };
    for (const char *id : {"L", "D"}) {
        QVERIFY(PexoTest::writeFile(ThemeDefaults::userThemesDir + QLatin1Char('/') + QLatin1String(id) + QStringLiteral("/index.theme"),
                                    "[Pexo Theme]\nId=" + QByteArray(id) + "\nName=" + id + "\n"));
        QRegularExpression line(QStringLiteral("WallPaper=[^\n]*"));
        QVERIFY(PexoTest::writeFile(themerc(id),
                                    QString::fromUtf8(light).replace(line, QStringLiteral("WallPaper=#%1").arg(*id == 'L' ? 100000 : 200000)).toUtf8()));
    }
    const QByteArray storedL = PexoTest::readFile(themerc("L"));
    QCOMPARE(PexoTest::runProgram(QStringLiteral("pexo-set-theme"), {meanwhile == QLatin1String("page") ? QStringLiteral("D") : QStringLiteral("L")}).exitCode,
             0);

    std::unique_ptr<QObject> module;
    if (meanwhile == QLatin1String("switch")) {
        // The switch waits in its first query of the X resources until the page has loaded.
        const QString xrdb = QStringLiteral("/usr/bin/xrdb");
        QVERIFY(QFile::rename(xrdb, xrdb + QStringLiteral(".real")));
        auto restore = qScopeGuard([&xrdb] {
            QFile::remove(xrdb);
            QFile::rename(xrdb + QStringLiteral(".real"), xrdb);
        });
        writeScript(xrdb,
                    "#!/bin/sh\nif [ \"$1\" = -q ] && [ ! -e \"$HOME/go\" ]; then\n: > \"$HOME/waiting\"\n"
                    "while [ ! -e \"$HOME/go\" ]; do sleep 0.05; done\nfi\nexec /usr/bin/xrdb.real \"$@\"\n");
        QProcess switching;
        switching.start(QStringLiteral("pexo-set-theme"), {QStringLiteral("D")});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home("waiting")), PexoTest::patienceMs);
        module = loadedModule();
        QVERIFY(PexoTest::writeFile(home("go"), QByteArray()));
        QVERIFY(PexoTest::waitForExit(switching));
        QCOMPARE(switching.exitCode(), 0);
    } else if (meanwhile == QLatin1String("session")) {
        QCOMPARE(
            PexoTest::runProgram(QStringLiteral("env"), {QStringLiteral("PEXO_SESSION_SUFFIX=.other"), QStringLiteral("pexo-set-theme"), QStringLiteral("D")})
                .exitCode,
            0);
        module = loadedModule();
    } else {
        module = loadedModule();
        const PexoTest::ProgramRun page =
            PexoTest::runProgram(QStringLiteral("ulvar-systemsettings"), words("kcm_pexo_wallpaper --set wallpaper=#300000 --save"));
        QVERIFY2(page.exitCode == 0, qPrintable(page.errors));
    }
    QVERIFY(module);
    QSignalSpy errors(module.get(), SIGNAL(error(QString)));
    QVERIFY(module->setProperty("currentColorScheme", darkScheme));
    PexoTest::takeWmCommands();
    QMetaObject::invokeMethod(module.get(), "save");
    QCOMPARE(errors.count(), 0);
    // The window manager is told the wallpaper the settings hold.
    const QStringList commands = PexoTest::takeWmCommands().filter(QStringLiteral("PEXOWM_UPDATE_VAL WallPaper "));
    QCOMPARE(commands, QStringList{QStringLiteral("PEXOWM_UPDATE_VAL WallPaper %1\n").arg(wallpaper)});
    QCOMPARE(entry(themerc("D"), "WallPaper"), wallpaper);
    QCOMPARE(entry(themerc("D"), "ColorScheme"), darkScheme);
    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, "WallPaper"), wallpaper);
    QCOMPARE(PexoTest::readFile(themerc("L")), storedL);
    // The next session start finds the theme as saved.
    QCOMPARE(PexoTest::runProgram(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
    QCOMPARE(entry(configFile("pexo-admin-themerc"), "CurrentTheme", "Theme"), QStringLiteral("D"));
    QVERIFY(!QFileInfo::exists(ThemeDefaults::userThemesDir + QStringLiteral("/Custom")));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ColorModuleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "colormoduletest.moc"
