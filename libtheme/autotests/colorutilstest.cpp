#include "colorutils.h"
#include "themedefaults.h"

#include <pexotestsupport.h>

#include <KConfigGroup>
#include <KSharedConfig>

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString generatorPath = QStringLiteral("/usr/bin/pexo-colorscheme-gen.sh");
const QString templatePath = QStringLiteral("/usr/share/pexo/color-schemes/User.colors");

QByteArray dataFile(const char *name)
{
    QFile file(QStringLiteral(PEXO_DATA_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeGenerator(const QByteArray &body)
{
    QVERIFY(PexoTest::writeFile(generatorPath, "#!/bin/sh\n" + body));
    QVERIFY(QFile::setPermissions(generatorPath, QFile::permissions(generatorPath) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
}

QStringList qtPaletteEntry(const char *key)
{
    QSettings qt(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/Trolltech.conf"), QSettings::IniFormat);
    return qt.value(QStringLiteral("Qt/") + QLatin1String(key)).toStringList();
}

QStringList roleNames(const QPalette &palette, QPalette::ColorGroup group)
{
    QStringList names;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        names << palette.color(group, QPalette::ColorRole(role)).name();
    }
    return names;
}
} // namespace

class ColorUtilsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeScheme(const QString &name, const QByteArray &contents)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()) {
            return QString();
        }
        return path;
    }

private Q_SLOTS:
    void schemeNames_data();
    void schemeNames();
    void schemeContents_data();
    void schemeContents();
    void defaultWallpaper_data();
    void defaultWallpaper();
    void parseColor_data();
    void parseColor();
    void wallpaperColor_data();
    void wallpaperColor();
    void shadeMirrors();
    void ownSchemePalette();
    void foreignSchemePalette();
    void writeOwnScheme();
    void writeSystemScheme();
    void copyUserScheme();
    void specialSchemeFiles_data();
    void specialSchemeFiles();
    void generator_data();
    void generator();
    void generatorMissingOrSlow();
};

void ColorUtilsTest::schemeNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("user");
    QTest::addColumn<bool>("pexo");
    QTest::addColumn<bool>("ulvar");

    QTest::newRow("empty") << QString() << false << false << false;
    QTest::newRow("user") << QStringLiteral("/home/u/.local/share/color-schemes/User.colors") << true << true << false;
    QTest::newRow("user lower case") << QStringLiteral("/home/u/.local/share/color-schemes/user.colors") << false << false << false;
    QTest::newRow("own default") << QStringLiteral("/usr/share/color-schemes/PexoDefault.colors") << false << true << false;
    // System schemes are recognised by name, even when the file is missing.
    QTest::newRow("light") << QStringLiteral("/usr/share/color-schemes/UlvarLight.colors") << false << false << true;
    QTest::newRow("dark missing") << QStringLiteral("/nowhere/UlvarDark.colors") << false << false << true;
    QTest::newRow("admin") << QStringLiteral("/usr/share/color-schemes/UlvarTornelAdmin.colors") << false << false << true;
    QTest::newRow("foreign missing") << QStringLiteral("/nowhere/Breeze.colors") << false << false << false;
}

void ColorUtilsTest::schemeNames()
{
    QFETCH(QString, path);
    QFETCH(bool, user);
    QFETCH(bool, pexo);
    QFETCH(bool, ulvar);
    QCOMPARE(ColorUtils::isUserColorScheme(path), user);
    QCOMPARE(ColorUtils::isPexoColorScheme(path), pexo);
    QCOMPARE(ColorUtils::isUlvarColorScheme(path), ulvar);
    QCOMPARE(ColorUtils::isGeneratedColorScheme(path), ulvar);
}

void ColorUtilsTest::schemeContents_data()
{
    QTest::addColumn<QByteArray>("wm");
    QTest::addColumn<bool>("ulvar");
    QTest::addColumn<bool>("generated");

    const QByteArray full = "activeWindowHeader=#118bcc\nactiveWindowFrame=1,2,3\ninactiveWindowHeader=#eeeeee\ninactiveWindowFrame=#dddddd\n"
                            "taskbarBackground=#222222\ntaskbarBackgroundHover=#333333\nbuttonOutlineHover=#444444\n";
    const QByteArray generated = "activeBackground=1,2,3\nactiveBlend=4,5,6\nactiveForeground=7,8,9\ninactiveBackground=1,1,1\ninactiveBlend=2,2,2\n";

    QTest::newRow("all window-manager keys") << full + "lineSeparator=#555555\n" << true << false;
    QTest::newRow("empty lineSeparator") << full + "lineSeparator=\n" << false << false;
    QTest::newRow("generated keys") << generated + "inactiveForeground=3,3,3\n" << false << true;
    QTest::newRow("no inactiveForeground") << generated << false << false;
    QTest::newRow("both") << full + "lineSeparator=#555555\n" + generated + "inactiveForeground=3,3,3\n" << true << true;
}

void ColorUtilsTest::schemeContents()
{
    QFETCH(QByteArray, wm);
    QFETCH(bool, ulvar);
    QFETCH(bool, generated);
    const QString path = writeScheme(QStringLiteral("%1.colors").arg(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'))),
                                     "[General]\nName=Test\n\n[WM]\n" + wm);
    QVERIFY(!path.isEmpty());
    QCOMPARE(ColorUtils::isUlvarColorScheme(path), ulvar);
    QCOMPARE(ColorUtils::isGeneratedColorScheme(path), generated);
}

void ColorUtilsTest::defaultWallpaper_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("isDefault");

    QTest::newRow("empty") << QString() << true;
    QTest::newRow("bare name") << QStringLiteral("pexo-default-light.jpg") << true;
    QTest::newRow("light") << QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg") << true;
    QTest::newRow("dark") << QStringLiteral("/usr/share/wallpapers/pexo-default-dark.jpg") << true;
    QTest::newRow("key default") << ThemeDefaults::WallPaper.defaultValue << true;
    QTest::newRow("other picture") << QStringLiteral("/usr/share/wallpapers/forest.jpg") << false;
}

void ColorUtilsTest::defaultWallpaper()
{
    QFETCH(QString, path);
    QFETCH(bool, isDefault);
    QCOMPARE(ColorUtils::isDefaultWallpaper(path), isDefault);
}

void ColorUtilsTest::parseColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name"); // null: invalid colour

    QTest::newRow("hash") << QStringLiteral("#118BCC") << QStringLiteral("#118bcc");
    QTest::newRow("hash with alpha") << QStringLiteral("#80118bcc") << QStringLiteral("#118bcc");
    QTest::newRow("hash junk") << QStringLiteral("#nothing") << QStringLiteral("#000000");
    QTest::newRow("triple") << QStringLiteral("0,128,255") << QStringLiteral("#0080ff");
    QTest::newRow("triple with spaces") << QStringLiteral(" 17 , 139 ,204 ") << QStringLiteral("#118bcc");
    QTest::newRow("double comma") << QStringLiteral("17,,139,204") << QStringLiteral("#118bcc");
    QTest::newRow("four numbers") << QStringLiteral("1,2,3,4") << QStringLiteral("#010203");
    QTest::newRow("words") << QStringLiteral("red,green,blue") << QStringLiteral("#000000");
    QTest::newRow("two numbers") << QStringLiteral("17,139") << QString();
    QTest::newRow("component 256") << QStringLiteral("256,0,0") << QString();
    QTest::newRow("component -1") << QStringLiteral("0,-1,0") << QString();
    QTest::newRow("component beyond int") << QStringLiteral("99999999999,0,0") << QString();
    QTest::newRow("keyword") << QStringLiteral("red") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void ColorUtilsTest::parseColor()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    const QColor color = ColorUtils::getColor(text);
    QCOMPARE(color.isValid(), !name.isNull());
    const QString result = ColorUtils::getColorName(text);
    QCOMPARE(result.isNull(), name.isNull());
    QCOMPARE(result, name);
    if (color.isValid()) {
        QCOMPARE(color.name(), name);
        QCOMPARE(color.alpha(), 255);
    }
}

void ColorUtilsTest::wallpaperColor_data()
{
    QTest::addColumn<QString>("color");
    QTest::addColumn<QString>("accent");

    // The light shade of white is white: darkened by a quarter.
    QTest::newRow("white") << QStringLiteral("#ffffff") << QStringLiteral("#bfbfbf");
    // The dark variant of black is black: lightened a little.
    QTest::newRow("black") << QStringLiteral("#000000") << QStringLiteral("#2a2a2a");
    // Any other colour: its dark variant.
    QTest::newRow("blue") << QStringLiteral("#118bcc") << QStringLiteral("#0c618f");
}

void ColorUtilsTest::wallpaperColor()
{
    QFETCH(QString, color);
    QFETCH(QString, accent);
    QCOMPARE(ColorUtils::fixWallpaperColor(color), accent);
}

void ColorUtilsTest::shadeMirrors()
{
    ColorUtils::ShadeMap empty;
    ColorUtils::fixShadeColors(empty);
    QCOMPARE(empty.size(), size_t(9));
    for (const auto &shade : empty) {
        QVERIFY(shade.second.empty());
    }

    ColorUtils::ShadeMap shades{
        {"color100", "#100000"},
        {"color200", "#200000"},
        {"color300", "#300000"},
        {"color400", "#500000"},
        {"color500", "#500000"},
        {"color600", "#500000"},
        {"color700", "#700000"},
        {"color800", "#800000"},
        {"color900", "#500000"},
    };
    ColorUtils::fixShadeColors(shades);
    // 600 takes 400 (the base), then 400 takes the new 600: both stay at the base.
    QCOMPARE(shades["color600"], std::string("#500000"));
    QCOMPARE(shades["color400"], std::string("#500000"));
    QCOMPARE(shades["color900"], std::string("#100000"));
    QCOMPARE(shades["color100"], std::string("#100000"));
    QCOMPARE(shades["color700"], std::string("#700000"));
}

void ColorUtilsTest::ownSchemePalette()
{
    QString accent;
    QString hover;
    const QColor primary(QStringLiteral("#118bcc"));
    const QPalette light = ColorUtils::getPaletteForScheme(QStringLiteral("/x/User.colors"), primary, QColor(QStringLiteral("#ffffff")), &accent, &hover);

    QCOMPARE(accent, QStringLiteral("#118bcc"));
    QCOMPARE(hover, QStringLiteral("#0a537a")); // shade 700 of the stand-in: 40 % towards black
    QCOMPARE(light.color(QPalette::Active, QPalette::Highlight), primary);
    const QColor inactive = light.color(QPalette::Inactive, QPalette::Highlight);
    QCOMPARE(inactive.hsvHue(), primary.hsvHue());
    QCOMPARE(inactive.value(), primary.value());
    QVERIFY(qAbs(inactive.hsvSaturationF() - primary.hsvSaturationF() / 2) < 0.01);
    QCOMPARE(inactive.alpha(), 255);
    QCOMPARE(light.color(QPalette::Inactive, QPalette::HighlightedText), light.color(QPalette::Active, QPalette::HighlightedText));
    QCOMPARE(light.color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    QCOMPARE(light.color(QPalette::Active, QPalette::Text), QColor(Qt::black));
    // textColorFor(white) is "#000000": the alternate base is darker.
    QCOMPARE(light.color(QPalette::Active, QPalette::AlternateBase).name(), QStringLiteral("#f1f1f1"));
    QCOMPARE(light.color(QPalette::Active, QPalette::Window), light.color(QPalette::Active, QPalette::Button));

    // Disabled: a copy of Active with grey texts; its highlight is not desaturated.
    QCOMPARE(light.color(QPalette::Disabled, QPalette::Highlight), primary);
    QCOMPARE(light.color(QPalette::Disabled, QPalette::Base), light.color(QPalette::Active, QPalette::Base));
    for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text, QPalette::HighlightedText}) {
        QCOMPARE(light.color(QPalette::Disabled, role), QColor(Qt::darkGray));
    }
    // Dark window text: light tooltips.
    QCOMPARE(light.color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(light.color(QPalette::Active, QPalette::ToolTipBase).name(), QStringLiteral("#fcfcfc"));
    QCOMPARE(light.color(QPalette::Disabled, QPalette::ToolTipText).name(), QStringLiteral("#232627"));

    const QPalette dark = ColorUtils::getPaletteForScheme(QStringLiteral("/x/PexoDefault.colors"), primary, QColor(QStringLiteral("#202020")));
    QCOMPARE(dark.color(QPalette::Active, QPalette::Text), QColor(Qt::white));
    // textColorFor gives "#FFFFFF": the alternate base is lighter.
    QCOMPARE(dark.color(QPalette::Active, QPalette::AlternateBase).name(), QStringLiteral("#2e2e2e"));
    QCOMPARE(dark.color(QPalette::Active, QPalette::ToolTipBase).name(), QStringLiteral("#31363b"));
    QCOMPARE(dark.color(QPalette::Inactive, QPalette::ToolTipText).name(), QStringLiteral("#eff0f1"));
}

void ColorUtilsTest::foreignSchemePalette()
{
    const QString path = writeScheme(QStringLiteral("Foreign.colors"),
                                     "[Colors:Selection]\nBackgroundNormal=200,30,40\n\n[Colors:Window]\nBackgroundNormal=250,250,250\n"
                                     "ForegroundNormal=20,20,20\n\n[Colors:View]\nBackgroundNormal=255,255,255\nForegroundNormal=20,20,20\n");
    QVERIFY(!path.isEmpty());
    QString accent;
    QString hover;
    const QPalette palette = ColorUtils::getPaletteForScheme(path, QColor(Qt::green), QColor(Qt::green), &accent, &hover);
    QCOMPARE(palette.color(QPalette::Active, QPalette::Highlight).name(), QStringLiteral("#c81e28"));
    QCOMPARE(palette.color(QPalette::Active, QPalette::Window).name(), QStringLiteral("#fafafa"));
    QCOMPARE(accent, QStringLiteral("#c81e28"));
    QCOMPARE(hover, QStringLiteral("#d34b53")); // 20 % towards white
    QCOMPARE(palette.color(QPalette::Active, QPalette::ToolTipBase).name(), QStringLiteral("#fcfcfc"));

    // Without the accent, the hover text is left alone.
    QString untouched = QStringLiteral("keep");
    ColorUtils::getPaletteForScheme(path, QColor(Qt::green), QColor(Qt::green), nullptr, &untouched);
    QCOMPARE(untouched, QStringLiteral("keep"));
}

void ColorUtilsTest::writeOwnScheme()
{
    const QString path = writeScheme(QStringLiteral("User.colors"), dataFile("User.colors"));
    QVERIFY(!path.isEmpty());
    const QColor primary(QStringLiteral("#118bcc"));
    const QColor background(QStringLiteral("#ffffff"));
    ColorUtils::writeQtPalette(path, primary, background, true);

    const QPalette palette = ColorUtils::getPaletteForScheme(path, primary, background);
    QCOMPARE(qtPaletteEntry("Palette/active"), roleNames(palette, QPalette::Active));
    QCOMPARE(qtPaletteEntry("Palette/inactive"), roleNames(palette, QPalette::Inactive));
    QCOMPARE(qtPaletteEntry("Palette/disabled"), roleNames(palette, QPalette::Disabled));
    QCOMPARE(qtPaletteEntry("Palette/active").size(), 21);

    const KSharedConfigPtr breeze = KSharedConfig::openConfig(QStringLiteral("breezerc"), KConfig::SimpleConfig);
    QCOMPARE(breeze->group("Colors:View").readEntry("DecorationFocus", QString()), QStringLiteral("#118bcc"));
    QCOMPARE(breeze->group("Colors:View").readEntry("DecorationHover", QString()), QStringLiteral("#0a537a"));

    // The palette went back into the own scheme file; other groups are kept.
    const KSharedConfigPtr scheme = KSharedConfig::openConfig(path, KConfig::SimpleConfig);
    QCOMPARE(scheme->group("Colors:View").readEntry("BackgroundNormal", QColor()), palette.color(QPalette::Active, QPalette::Base));
    QCOMPARE(scheme->group("Colors:Selection").readEntry("BackgroundNormal", QColor()), primary);
    QCOMPARE(scheme->group("Colors:Header").readEntry("BackgroundNormal", QColor()), palette.color(QPalette::Active, QPalette::Window));
    QCOMPARE(scheme->group("Colors:Button").readEntry("BackgroundAlternate", QColor()), palette.color(QPalette::Active, QPalette::AlternateBase));
    QCOMPARE(scheme->group("Colors:Window").readEntry("ForegroundNormal", QColor()), palette.color(QPalette::Active, QPalette::Text));
    QCOMPARE(scheme->group("Colors:Tooltip").readEntry("BackgroundNormal", QString()), QStringLiteral("247,247,247"));
}

void ColorUtilsTest::writeSystemScheme()
{
    const QByteArray light = dataFile("UlvarLight.colors");
    QVERIFY(!light.isEmpty());
    QVERIFY(PexoTest::writeFile(ThemeDefaults::lightColorSchemePath, light));
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/breezerc"));

    ColorUtils::writeQtPalette(ThemeDefaults::lightColorSchemePath, QColor(Qt::red), QColor(Qt::blue), false);
    QCOMPARE(PexoTest::readFile(ThemeDefaults::lightColorSchemePath), light);
    // The scheme's own selection colour, not the red primary colour.
    QCOMPARE(qtPaletteEntry("Palette/active").value(QPalette::Highlight), QStringLiteral("#118bcc"));
    QVERIFY(!QFile::exists(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/breezerc")));
}

void ColorUtilsTest::copyUserScheme()
{
    const QString target = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/color-schemes/User.colors");
    QFile::remove(templatePath);
    QVERIFY(!QFile::exists(target));

    QVERIFY(!ColorUtils::copyUserScheme());
    QVERIFY(QFileInfo(target).dir().exists());
    QVERIFY(!QFile::exists(target));

    // A read-only template gives a copy the user can still edit.
    QVERIFY(PexoTest::writeFile(templatePath, dataFile("User.colors")));
    QVERIFY(QFile::setPermissions(templatePath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(ColorUtils::copyUserScheme());
    QCOMPARE(PexoTest::readFile(target), dataFile("User.colors"));
    QVERIFY(QFile::permissions(target) & QFile::WriteOwner);

    // An existing copy is never overwritten.
    QVERIFY(PexoTest::writeFile(target, "[General]\nName=Mine\n"));
    QVERIFY(ColorUtils::copyUserScheme());
    QCOMPARE(PexoTest::readFile(target), QByteArray("[General]\nName=Mine\n"));
}

void ColorUtilsTest::specialSchemeFiles_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("fifo") << QByteArray("fifo");
    QTest::newRow("device") << QByteArray("device");
    QTest::newRow("large") << QByteArray("large");
}

// A scheme or a template that is a fifo, a device or a huge file reads as a
// missing one and is never written; a hang ends the test run after 10 s.
void ColorUtilsTest::specialSchemeFiles()
{
    QFETCH(QByteArray, kind);
    const QString foreign = m_dir.filePath(QStringLiteral("%1/Special.colors").arg(QLatin1String(kind)));
    const QString own = m_dir.filePath(QStringLiteral("%1/User.colors").arg(QLatin1String(kind)));
    const QString target = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/color-schemes/User.colors");
    QFile::remove(target);
    QFile::remove(templatePath);
    QVERIFY(QDir().mkpath(QFileInfo(foreign).path()) && QDir().mkpath(QFileInfo(templatePath).path()));
    for (const QString &path : {foreign, own, templatePath}) {
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "device") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else {
            QVERIFY(PexoTest::writeFile(path,
                                        "[WM]\nactiveBackground=1,2,3\nactiveBlend=4,5,6\nactiveForeground=7,8,9\n"
                                        "inactiveBackground=1,1,1\ninactiveBlend=2,2,2\ninactiveForeground=3,3,3\n"));
            QVERIFY(QFile(path).resize(2 * 1024 * 1024));
        }
    }
    const QPalette missing = ColorUtils::getPaletteForScheme(QStringLiteral("/nowhere/Missing.colors"), QColor(Qt::green), QColor(Qt::green));

    ::alarm(PexoTest::patienceMs / 1000);
    QVERIFY(!ColorUtils::isUlvarColorScheme(foreign));
    QVERIFY(!ColorUtils::isGeneratedColorScheme(foreign));
    QCOMPARE(ColorUtils::getPaletteForScheme(foreign, QColor(Qt::green), QColor(Qt::green)), missing);
    ColorUtils::writeQtPalette(own, QColor(Qt::green), QColor(Qt::green), true);
    QVERIFY(!ColorUtils::copyUserScheme());
    ::alarm(0);
    QVERIFY(!QFileInfo::exists(target));
    for (const QString &path : {foreign, own, templatePath}) {
        QVERIFY(kind == "large" ? QFileInfo(path).size() == 2 * 1024 * 1024 : !QFileInfo(path).isFile());
    }
    QFile::remove(templatePath);
}

void ColorUtilsTest::generator_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("result");

    QTest::newRow("one line") << QByteArray("RESULT=/home/u/wall-generated-dark.colors\n") << true << QStringLiteral("/home/u/wall-generated-dark.colors");
    QTest::newRow("no line end") << QByteArray("RESULT=/tmp/a-generated-light.colors") << false << QStringLiteral("/tmp/a-generated-light.colors");
    QTest::newRow("several lines") << QByteArray("RESULT=/tmp/first.colors\nRESULT=/tmp/second.colors\nwarning: done\n") << false
                                   << QStringLiteral("/tmp/first.colors");
    QTest::newRow("result later") << QByteArray("reading picture\nRESULT=/tmp/later.colors\n") << true << QStringLiteral("/tmp/later.colors");
    QTest::newRow("prefix inside path") << QByteArray("RESULT=/tmp/RESULT=x.colors\n") << true << QStringLiteral("/tmp/RESULT=x.colors");
    QTest::newRow("no result") << QByteArray("failed\n") << true << QString();
    QTest::newRow("empty") << QByteArray() << false << QString();
}

void ColorUtilsTest::generator()
{
    QFETCH(QByteArray, output);
    QFETCH(bool, dark);
    QFETCH(QString, result);

    const QString argsFile = m_dir.filePath(QStringLiteral("args"));
    QFile::remove(argsFile);
    const QByteArray body = "printf '%s\\n' \"$@\" > '" + argsFile.toUtf8() + "'\nprintf '%s' '" + output + "'\n";
    writeGenerator(body);

    const QString wallpaper = QStringLiteral("/usr/share/wallpapers/a picture.jpg");
    const QString path = ColorUtils::generateSchemeForWallpaper(wallpaper, dark);
    QCOMPARE(path.isNull(), result.isNull());
    QCOMPARE(path, result);

    QFile args(argsFile);
    QVERIFY(args.open(QIODevice::ReadOnly));
    QCOMPARE(args.readAll(), QByteArray(dark ? "-d\n" : "-l\n") + wallpaper.toUtf8() + "\n");
}

void ColorUtilsTest::generatorMissingOrSlow()
{
    writeGenerator("exec sleep 60\necho RESULT=/tmp/late.colors\n");
    QElapsedTimer timer;
    timer.start();
    QVERIFY(ColorUtils::generateSchemeForWallpaper(QStringLiteral("/tmp/w.jpg"), false).isNull());
    QVERIFY(timer.elapsed() < 30000);

    QVERIFY(QFile::remove(generatorPath));
    QVERIFY(ColorUtils::generateSchemeForWallpaper(QStringLiteral("/tmp/w.jpg"), false).isNull());
}

QTEST_MAIN(ColorUtilsTest)

#include "colorutilstest.moc"
