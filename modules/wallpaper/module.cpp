#include "module.h"

#include "moduleutils.h"
#include "previewbuilder.h"
#include "svgdrawing.h"
#include "thumbnail.h"

#include "modulelog.h"

#include <appearanceframe.h>
#include <basepersonalizationsettingsprovider.h>
#include <colorsthemepart.h>
#include <colorutils.h>
#include <enumgadget.h>
#include <localfile.h>
#include <localimage.h>
#include <personalization.h>
#include <processwait.h>
#include <taskbarthemepart.h>
#include <themecontroller.h>
#include <themedefaults.h>
#include <wallpaperpaths.h>
#include <wallpaperthemepart.h>
#include <x11support.h>

#include <pexodesktopentry.h>
#include <pexodirs.h>
#include <pexowallpaper.h>

#include <KLocalizedString>
#include <KPluginFactory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <SimpleIni.h>

#include <optional>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_wallpaper_factory, "kcm_pexo_wallpaper.json", registerPlugin<Module>();)

namespace {
const char qmlUri[] = "ru.ulvarlinux.kcm.wallpaper.private";
const QString svgConverter = QStringLiteral("/usr/bin/pexo-svg2png.sh");
const QString defaultWallpaperMarker = QStringLiteral("pexo-default");
const QString wallpaperSchemeType = QStringLiteral("Wallpaper");
const QString customSchemeType = QStringLiteral("Custom");
const QString systemSchemeType = QStringLiteral("System");
const QString darkWallpaperScheme = QStringLiteral("dark");
const char pendingWallpaperVariable[] = "PEXO_ADMIN_THEME_SET_WALLPAPER";
// Shortens the converter's time limit (for tests); it is never lengthened.
const char converterTimeoutVariable[] = "PEXO_SVG2PNG_TIMEOUT_MS";
const int converterTimeoutMs = 30000;
const int pendingWallpaperDelayMs = 50;
const QString directoryFile = QString::fromUtf8(GetPexoDir(PexoDesktopDir).c_str()) + QStringLiteral("/.directory");
const char recordKey[] = "X-PEXO-WallPaper";

int converterTimeout()
{
    bool ok = false;
    const int shortened = qEnvironmentVariableIntValue(converterTimeoutVariable, &ok);
    return ok && shortened > 0 && shortened < converterTimeoutMs ? shortened : converterTimeoutMs;
}

// A colour is recorded in double quotes; the page shows the colour itself.
QString unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

// The screen of the page's window; null without one.
QScreen *pageScreen()
{
    const QWindowList windows = QGuiApplication::topLevelWindows();
    return windows.isEmpty() ? nullptr : windows.first()->screen();
}

// The trimmed, unquoted record of the section, or an empty text.
QString recordOf(const CSimpleIniA &ini, const QByteArray &section)
{
    const char *value = ini.GetValue(section.constData(), recordKey, "");
    return unquoted(QString::fromUtf8(value ? value : "").trimmed());
}

// The wallpaper the current desktop folder records for itself or, on the
// page's screen, for that screen; empty when there is none.
QString desktopFolderWallpaper()
{
    const std::optional<QByteArray> bytes = LocalFile::read(directoryFile, LocalFile::Kind::Settings);
    if (!bytes) {
        return QString();
    }
    CSimpleIniA ini;
    ini.SetUnicode(true);
    if (ini.LoadData(bytes->constData(), size_t(bytes->size())) < 0) {
        return QString();
    }
    QString candidate = recordOf(ini, "Desktop Entry");
    if (const QScreen *screen = pageScreen()) {
        const QString record = recordOf(ini, "Monitor::" + screen->name().toLocal8Bit());
        if (!record.isEmpty()) {
            candidate = record;
        }
    }
    return candidate;
}

// Runs the converter script. Only a normal exit with code 0 that left a
// non-empty target counts.
bool convertWithScript(const QString &source, const QString &target)
{
    const QRect screen = Kcm::Utils::screenGeometry(false);
    QProcess process;
    process.start(svgConverter, {QString::number(screen.width()), QString::number(screen.height()), source, target});
    // The page's window keeps repainting meanwhile.
    if (!waitForFinishedRepainting(process, converterTimeout())) {
        if (process.state() != QProcess::NotRunning) {
            qCWarning(MODULE_LOG) << "The SVG converter did not finish in time:" << source;
            process.kill();
            process.waitForFinished();
        }
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 && QFileInfo(target).size() > 0;
}

// Renders the SVG picture stretched over white at the screen's size, within
// the converter's time.
bool convertInProcess(const QString &source, const QString &target)
{
    const std::optional<QByteArray> drawing = LocalFile::read(source, LocalFile::Kind::Svg);
    if (!drawing) {
        return false;
    }
    const QImage image = SvgDrawing::render(*drawing, Kcm::Utils::screenGeometry(false).size(), converterTimeout());
    if (image.isNull()) {
        qCWarning(MODULE_LOG) << "The SVG picture is broken, too large or too slow to draw:" << source;
        return false;
    }
    return image.save(target);
}

// Whether the page takes the value of a wallpaper or logo, as the export
// and the import take it: one that names no file, a default as it is, any
// other only as the absolute path of a picture; never a line break, which
// would cut the window manager's command.
bool takesPicture(const QString &value, bool isDefault)
{
    if (!PexoWm::isSafeText(value)) {
        return false;
    }
    return WallpaperPaths::namesNoFile(value) || (WallpaperPaths::namesFile(value) && (isDefault || LocalImage::size(value).isValid()));
}

// The path of a PNG made from the SVG picture, or the failure message.
QString convertToPng(const QString &source)
{
    if (!LocalFile::isUsable(source, LocalFile::Kind::Svg)) {
        return i18n("Failed to convert image");
    }
    const QString target = Kcm::Utils::generateNameForWallpaper();
    const bool converted = QFile::exists(svgConverter) ? convertWithScript(source, target) : convertInProcess(source, target);
    if (!converted) {
        // A cut or empty picture must not become the wallpaper.
        QFile::remove(target);
        return i18n("Failed to convert image");
    }
    return target;
}
} // namespace

class ModulePrivate
{
public:
    explicit ModulePrivate(Module *module)
        : q(module)
        , builder(new PreviewBuilder(module))
        , personalization(new Personalization(std::make_shared<BasePersonalizationSettingsProvider>(), module))
    {
    }

    std::shared_ptr<WallpaperThemePart> wallpaperPart() const
    {
        return q->controller->systemTheme()->wallpaperThemePart();
    }

    std::shared_ptr<ColorsThemePart> colorsPart() const
    {
        return q->controller->systemTheme()->colorsThemePart();
    }

    void setWallpaper(const QString &wallpaper);
    void generateColorScheme();
    QString generateDefaultWallpaper() const;

    Module *const q;
    PreviewBuilder *const builder;
    Personalization *const personalization;
    QPixmap pixmap;
    QString pendingWallpaper;
    // The current theme's wallpaper as stored before a save began: saving
    // from a read-only theme replaces the current theme first.
    std::optional<QString> storedWallpaper;
};

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , d(new ModulePrivate(this))
{
    if (qEnvironmentVariableIsSet(pendingWallpaperVariable)) {
        d->pendingWallpaper = QString::fromLocal8Bit(qgetenv(pendingWallpaperVariable));
    }
    qunsetenv(pendingWallpaperVariable);

    qRegisterMetaType<QPixmap>("QPixmap");
    qmlRegisterType<Thumbnail>(qmlUri, 1, 0, "Thumbnail");
    EnumGadget::registerType<WallpaperStyle>(qmlUri);
    EnumGadget::registerType<LogoPosition>(qmlUri);

    registerProperty(QStringLiteral("wallpaper"), ThemeDefaults::WallPaper.key);
    registerProperty(QStringLiteral("logo"), ThemeDefaults::LogoPixmap.key);
    registerProperty(QStringLiteral("wallpaperStyle"), ThemeDefaults::WallPaperPos.key);
    registerProperty(QStringLiteral("logoPosition"), ThemeDefaults::LogoPosition.key);
    registerProperty(QStringLiteral("slideShowPeriod"), ThemeDefaults::WallPaperPeriod.key);

    const WallpaperThemePart *part = d->wallpaperPart().get();
    connect(part, &WallpaperThemePart::logoChanged, this, &Module::logoChanged);
    connect(part, &WallpaperThemePart::logoPositionChanged, this, &Module::logoPositionChanged);
    connect(part, &WallpaperThemePart::wallpaperChanged, this, &Module::wallpaperChanged);
    connect(part, &WallpaperThemePart::wallpaperStyleChanged, this, &Module::wallpaperStyleChanged);
    connect(d->personalization->taskbarThemePart().get(), &TaskbarThemePart::usePagerChanged, this, &Module::usePagerChanged);
    connect(part, &WallpaperThemePart::forCurrentScreenChanged, this, &Module::forCurrentScreenChanged);
    connect(part, &WallpaperThemePart::slideShowPeriodChanged, this, &Module::slideShowPeriodChanged);
    connect(part, &WallpaperThemePart::forCurrentDesktopChanged, this, &Module::forCurrentDesktopChanged);
    connect(controller->systemTheme().get(), &Theme::changed, this, &Module::updateNeedSave);
    connect(controller, &ThemeController::error, this, &Module::error);
    connect(d->builder, &PreviewBuilder::pixmapChanged, this, &Module::setPixmap);
    connect(d->colorsPart().get(), &ColorsThemePart::colorSchemePathChanged, this, &Module::onColorSchemePathChanged);
}

Module::~Module() = default;

void ModulePrivate::setWallpaper(const QString &wallpaper)
{
    wallpaperPart()->setWallpaper(wallpaper);
    builder->setWallpaper(q->wallpaper());
    pendingWallpaper.clear();
}

QString Module::wallpaper() const
{
    const auto part = d->wallpaperPart();
    if (!isImmutable(QStringLiteral("wallpaper")) && (part->forCurrentScreen() || part->forCurrentDesktop())) {
        const QString recorded = desktopFolderWallpaper();
        if (!recorded.isEmpty()) {
            return recorded;
        }
    }
    return part->wallpaper();
}

void Module::setWallpaper(const QString &path)
{
    QString wallpaper = Kcm::Utils::spelledPath(path);
    if (wallpaper.endsWith(QLatin1String(".desktop"))) {
        if (!LocalFile::isUsable(wallpaper, LocalFile::Kind::Settings)) {
            Q_EMIT error(i18n("Faild to load wallpaper image"));
            return;
        }
        PexoDesktopEntry entry(wallpaper);
        if (entry.type() != QLatin1String("Link")) {
            Q_EMIT error(i18n("Faild to load wallpaper image"));
            return;
        }
        wallpaper = entry.url();
        if (wallpaper.startsWith(QLatin1String("file:"))) {
            wallpaper = Kcm::Utils::spelledPath(wallpaper);
        }
        if (wallpaper.isEmpty()) {
            Q_EMIT error(i18n("Faild to load wallpaper image"));
            return;
        }
    }
    if (wallpaper.endsWith(QLatin1String(".svg")) || wallpaper.endsWith(QLatin1String(".svgz"))) {
        const QString converted = convertToPng(wallpaper);
        if (!QFileInfo(converted).isFile()) {
            Q_EMIT error(converted);
            return;
        }
        wallpaper = converted;
    }
    if (!takesPicture(wallpaper, ColorUtils::isDefaultWallpaper(wallpaper))) {
        Q_EMIT error(i18n("Faild to load wallpaper image"));
        return;
    }
    d->setWallpaper(wallpaper);
}

QString Module::logo() const
{
    return d->wallpaperPart()->logo();
}

void Module::setLogo(const QString &path)
{
    const QString logo = Kcm::Utils::spelledPath(path);
    // A colour is a wallpaper, never a logo.
    if (WallpaperPaths::isColor(logo) || !takesPicture(logo, logo == ThemeDefaults::LogoPixmap.defaultValue)) {
        Q_EMIT error(i18n("Failed to load logo image"));
        return;
    }
    d->wallpaperPart()->setLogo(logo);
    d->builder->setLogo(logo);
}

WallpaperStyle::Value Module::wallpaperStyle() const
{
    return WallpaperStyle::fromString(d->wallpaperPart()->wallpaperStyle());
}

void Module::setWallpaperStyle(WallpaperStyle::Value style)
{
    d->wallpaperPart()->setWallpaperStyle(WallpaperStyle::toString(style));
    d->builder->setWallpaperStyle(style);
}

LogoPosition::Value Module::logoPosition() const
{
    return LogoPosition::fromString(d->wallpaperPart()->logoPosition());
}

void Module::setLogoPosition(LogoPosition::Value position)
{
    d->wallpaperPart()->setLogoPosition(LogoPosition::toString(position));
    d->builder->setLogoPosition(position);
}

QPixmap Module::pixmap() const
{
    return d->pixmap;
}

void Module::setPixmap(const QPixmap &pixmap)
{
    d->pixmap = pixmap;
    Q_EMIT pixmapChanged();
}

bool Module::usePager() const
{
    return d->personalization->taskbarThemePart()->usePager();
}

bool Module::forCurrentScreen() const
{
    return d->wallpaperPart()->forCurrentScreen();
}

void Module::setForCurrentScreen(bool forCurrentScreen)
{
    d->wallpaperPart()->setForCurrentScreen(forCurrentScreen);
    d->builder->setWallpaper(wallpaper());
}

bool Module::forCurrentDesktop() const
{
    return d->wallpaperPart()->forCurrentDesktop();
}

void Module::setForCurrentDesktop(bool forCurrentDesktop)
{
    d->wallpaperPart()->setForCurrentDesktop(forCurrentDesktop);
    d->builder->setWallpaper(wallpaper());
}

int Module::slideShowPeriod() const
{
    return d->wallpaperPart()->slideShowPeriod();
}

void Module::setSlideShowPeriod(int period)
{
    d->wallpaperPart()->setSlideShowPeriod(period);
}

bool Module::isImmutable(const QString &property) const
{
    return isPropertyImmutable(property);
}

QString Module::screenName() const
{
    const QScreen *screen = pageScreen();
    return screen ? screen->name() : QString();
}

void Module::load()
{
    controller->currentTheme()->read();
    controller->systemTheme()->read();
    d->personalization->read();

    d->builder->setWallpaper(wallpaper());
    d->builder->setLogo(logo());
    d->builder->setLogoPosition(logoPosition());
    d->builder->setWallpaperStyle(wallpaperStyle());

    if (!d->pendingWallpaper.isEmpty() && QFile::exists(d->pendingWallpaper)) {
        setWallpaper(d->pendingWallpaper);
        QTimer::singleShot(pendingWallpaperDelayMs, this, &Module::updateNeedSave);
    }
}

void Module::save()
{
    d->storedWallpaper = controller->currentTheme()->wallpaperThemePart()->wallpaper();
    AppearanceFrame::save(this, controller);
    d->storedWallpaper.reset();
}

void Module::apply()
{
    const QString stored = d->storedWallpaper.value_or(controller->currentTheme()->wallpaperThemePart()->wallpaper());
    const QString live = wallpaper();
    if (d->colorsPart()->colorSchemeType() == wallpaperSchemeType && live != stored && !live.contains(defaultWallpaperMarker)) {
        d->generateColorScheme();
    }
    ThemeDecorator::apply();
}

void ModulePrivate::generateColorScheme()
{
    const QString wallpaper = wallpaperPart()->wallpaper();
    const bool dark = colorsPart()->wallpaperColorSchemeType() == darkWallpaperScheme;
    QString message;
    const QString scheme = Kcm::Utils::findWallpaperScheme(wallpaper, dark, &message);
    if (scheme.isEmpty()) {
        Q_EMIT q->error(message.isEmpty() ? i18n("Failed to generate a color scheme from the wallpaper") : message);
        return;
    }
    const QString installed = Kcm::Utils::installWallpaperScheme(scheme, wallpaper, dark);
    if (installed.isEmpty()) {
        Q_EMIT q->error(i18n("Cannot install the color scheme %1", scheme));
        return;
    }
    colorsPart()->setColorSchemePath(installed);
    AppearanceFrame::activateColorScheme(installed);
}

void Module::onColorSchemePathChanged()
{
    const auto colours = Kcm::Utils::schemeColors(d->colorsPart()->colorSchemePath());
    if (!colours) {
        return;
    }
    d->colorsPart()->setPrimaryColor(colours->accent);
    d->colorsPart()->setBackgroundColor(colours->background);
}

void Module::defaults()
{
    // The system's own wallpapers, taken as they are.
    d->wallpaperPart()->defaults();
    const auto colors = d->colorsPart();
    const QString type = colors->colorSchemeType();
    if (type == wallpaperSchemeType) {
        const QString generated = d->generateDefaultWallpaper();
        // Without an answer the light default, never an empty wallpaper.
        d->setWallpaper(generated.isEmpty() ? ThemeDefaults::lightWallpaperPath : generated);
        colors->setColorSchemeType(systemSchemeType);
    } else if (type == customSchemeType) {
        d->setWallpaper(colors->isCustomColorSchemeDark() ? ThemeDefaults::darkWallpaperPath : ThemeDefaults::lightWallpaperPath);
    } else {
        d->setWallpaper(colors->colorSchemePath() == ThemeDefaults::darkColorSchemePath ? ThemeDefaults::darkWallpaperPath : ThemeDefaults::lightWallpaperPath);
    }
}

QString ModulePrivate::generateDefaultWallpaper() const
{
    const QRect screen = Kcm::Utils::screenGeometry(wallpaperPart()->forCurrentScreen());
    const std::string found = FindWallPaperByName(ThemeDefaults::lightWallpaperPath.toLocal8Bit().constData(),
                                                  screen.width(),
                                                  screen.height(),
                                                  nullptr,
                                                  colorsPart()->primaryColor().toLocal8Bit().constData());
    return QString::fromUtf8(found.c_str());
}

void Module::updateNeedSave()
{
    AppearanceFrame::updateNeedSave(this, controller);
}

#include "module.moc"
