#include "module.h"

#include "moduleutils.h"
#include "previewitem.h"
#include "schemeproxymodel.h"

#include <appearanceframe.h>
#include <colorsthemepart.h>
#include <colorutils.h>
#include <configfiles.h>
#include <enumgadget.h>
#include <localfile.h>
#include <themecontroller.h>
#include <themedefaults.h>
#include <wallpaperthemepart.h>
#include <x11support.h>

#include <pexocolors.h>

#include <KConfigGroup>
#include <KLocalizedString>
#include <KPluginFactory>
#include <KSharedConfig>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <optional>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_color_factory, "kcm_pexo_color.json", registerPlugin<Module>();)

namespace {
const char qmlUri[] = "ru.ulvarlinux.kcm.color.private";
const QString darkBackground = QStringLiteral("#262626");
const QString lightBackground = QStringLiteral("#FFFFFF");
const QString userSchemeFile = QStringLiteral("/color-schemes/User.colors");
const QString wmGroup = QStringLiteral("WM");
const QRegularExpression hexColor(QStringLiteral("^#[0-9a-fA-F]{6}$"));

// The colours part of the live theme, asked for anew at every use.
ColorsThemePart *colorsPart(const ThemeController *controller)
{
    return controller->systemTheme()->colorsThemePart().get();
}

QString textColorName(const QString &background)
{
    return QString::fromUtf8(textColorFor(background.toLocal8Bit().constData()).c_str());
}
} // namespace

class ModulePrivate
{
public:
    explicit ModulePrivate(Module *module)
        : model(new SchemeProxyModel(module))
    {
    }

    SchemeProxyModel *const model;
    // While load() reads the stored values, the module's reactions keep still.
    bool loading = false;
};

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , d(new ModulePrivate(this))
{
    registerProperty(QStringLiteral("wallpaperColorScheme"), ThemeDefaults::WallPaperColorScheme.key);

    EnumGadget::registerType<SchemeType>(qmlUri);
    EnumGadget::registerType<WallpaperScheme>(qmlUri);
    qmlRegisterType<PreviewItem>(qmlUri, 1, 0, "PreviewItem");

    // Relayed signals first, so the page hears of a change before the
    // module reacts to it.
    connect(colorsPart(controller), &ColorsThemePart::colorSchemeTypeChanged, this, &Module::schemeTypeChanged);
    connect(colorsPart(controller), &ColorsThemePart::colorSchemePathChanged, this, &Module::currentColorSchemeChanged);
    connect(colorsPart(controller), &ColorsThemePart::wallpaperColorSchemeTypeChanged, this, &Module::wallpaperColorSchemeChanged);
    connect(colorsPart(controller), &ColorsThemePart::primaryColorChanged, this, &Module::accentColorChanged);
    connect(colorsPart(controller), &ColorsThemePart::isCustomColorSchemeDarkChanged, this, &Module::isDarkThemeChanged);
    connect(colorsPart(controller), &ColorsThemePart::colorSchemeTypeChanged, this, &Module::onSchemeTypeChanged);
    connect(colorsPart(controller), &ColorsThemePart::colorSchemePathChanged, this, &Module::onColorSchemePathChanged);
    connect(colorsPart(controller), &ColorsThemePart::primaryColorChanged, this, &Module::fixBackgroundColor);
    connect(colorsPart(controller), &ColorsThemePart::isCustomColorSchemeDarkChanged, this, &Module::fixBackgroundColor);
    // The controller also tells what the live theme could not write.
    connect(controller, &ThemeController::error, this, &Module::error);
    connect(controller->systemTheme().get(), &Theme::changed, this, &Module::updateNeedSave);
    connect(controller->systemTheme().get(), &Theme::changed, this, &Module::previewChanged);
    connect(controller->systemTheme()->wallpaperThemePart().get(), &WallpaperThemePart::wallpaperChanged, this, &Module::wallpaperSchemeChanged);
}

Module::~Module() = default;

QAbstractProxyModel *Module::schemeModel() const
{
    return d->model;
}

SchemeType::Value Module::schemeType() const
{
    return SchemeType::fromString(colorsPart(controller)->colorSchemeType());
}

void Module::setSchemeType(SchemeType::Value type)
{
    colorsPart(controller)->setColorSchemeType(SchemeType::toString(type));
}

QString Module::currentColorScheme() const
{
    return colorsPart(controller)->colorSchemePath();
}

void Module::setCurrentColorScheme(const QString &given)
{
    const QString path = Kcm::Utils::spelledPath(given);
    // The window manager's command could not carry it; a file that is
    // there but no scheme file (a fifo, a device, a huge or a /proc file)
    // would be read by every page and tool that takes the colours.
    if (!PexoWm::isSafeText(path) || !LocalFile::isMissingOrUsable(path, LocalFile::Kind::Settings)) {
        Q_EMIT error(i18n("Invalid color scheme: %1", path));
        return;
    }
    colorsPart(controller)->setColorSchemePath(path);
}

WallpaperScheme::Value Module::wallpaperColorScheme() const
{
    return WallpaperScheme::fromString(colorsPart(controller)->wallpaperColorSchemeType());
}

void Module::setWallpaperColorScheme(WallpaperScheme::Value scheme)
{
    colorsPart(controller)->setWallpaperColorSchemeType(WallpaperScheme::toString(scheme));
    if (schemeType() == SchemeType::Wallpaper) {
        generateSchemeIfNeeded();
    }
}

QString Module::accentColor() const
{
    return colorsPart(controller)->primaryColor();
}

void Module::setAccentColor(const QString &color)
{
    // Colours are stored as "#" and six hexadecimal digits: another opaque
    // colour is written so, one that is not opaque is no accent.
    const QColor parsed(color);
    if (!parsed.isValid() || parsed.alpha() != 255) {
        Q_EMIT error(i18n("Invalid color: %1", color));
        return;
    }
    colorsPart(controller)->setPrimaryColor(hexColor.match(color).hasMatch() ? color : parsed.name());
}

bool Module::isDarkTheme() const
{
    return colorsPart(controller)->isCustomColorSchemeDark();
}

void Module::setIsDarkTheme(bool dark)
{
    colorsPart(controller)->setIsCustomColorSchemeDark(dark);
}

bool Module::isWallpaperSchemeAvailable() const
{
    const QString wallpaper = controller->systemTheme()->wallpaperThemePart()->wallpaper();
    return QFile::exists(wallpaper) && wallpaper != ThemeDefaults::lightWallpaperPath && wallpaper != ThemeDefaults::darkWallpaperPath &&
        !wallpaper.contains(QLatin1String("pexo-default"));
}

namespace {
// The window-manager colour under key in the "WM" group of a scheme of the
// system's own kind, when that scheme is in use and names one; it is empty
// for an entry that is no colour.
std::optional<QString> schemeWmColor(const Module *module, const char *key)
{
    if (module->schemeType() == SchemeType::Custom || !Kcm::Utils::isUlvarColorScheme(module->currentColorScheme())) {
        return std::nullopt;
    }
    const QString entry = KConfigGroup(ConfigFiles::openScheme(module->currentColorScheme()), wmGroup).readEntry(key, QString());
    if (entry.isEmpty()) {
        return std::nullopt;
    }
    return Kcm::Utils::getColorName(entry);
}
} // namespace

QString Module::activeWindowTitleColor() const
{
    return schemeWmColor(this, "activeWindowHeader").value_or(accentColor());
}

QString Module::inactiveWindowTitleColor() const
{
    return schemeWmColor(this, "inactiveWindowHeader").value_or(colorsPart(controller)->backgroundColor());
}

QString Module::activeWindowFrameColor() const
{
    return schemeWmColor(this, "activeWindowFrame").value_or(accentColor());
}

QString Module::inactiveWindowFrameColor() const
{
    return schemeWmColor(this, "inactiveWindowFrame").value_or(accentColor());
}

QString Module::activeWindowTitleTextColor() const
{
    return textColorName(activeWindowTitleColor());
}

QString Module::inactiveWindowTitleTextColor() const
{
    return textColorName(inactiveWindowTitleColor());
}

QPalette Module::currentPalette() const
{
    return colorsPart(controller)->currentPalette();
}

bool Module::isImmutable(const QString &property) const
{
    return isPropertyImmutable(property);
}

void Module::load()
{
    d->loading = true;
    controller->currentTheme()->read();
    controller->systemTheme()->read();
    d->loading = false;
    updateNeedSave();
}

void Module::save()
{
    AppearanceFrame::save(this, controller);
}

void Module::defaults()
{
    colorsPart(controller)->defaults();
}

void Module::apply()
{
    ThemeDecorator::apply();
    AppearanceFrame::activateColorScheme(currentColorScheme());
}

void Module::updateNeedSave()
{
    if (!d->loading) {
        AppearanceFrame::updateNeedSave(this, controller);
    }
}

void Module::fixBackgroundColor()
{
    if (d->loading) {
        return;
    }
    colorsPart(controller)->setBackgroundColor(isDarkTheme() ? darkBackground : lightBackground);
}

void Module::onSchemeTypeChanged()
{
    if (d->loading) {
        return;
    }
    switch (schemeType()) {
    case SchemeType::Custom: {
        const QString userScheme = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + userSchemeFile;
        // Copies the template, creating the user's scheme directory.
        if (QFile::exists(userScheme) || ColorUtils::copyUserScheme()) {
            setCurrentColorScheme(userScheme);
        } else {
            Q_EMIT error(i18n("Error"));
        }
        break;
    }
    case SchemeType::Wallpaper:
        generateSchemeIfNeeded();
        break;
    case SchemeType::System:
        break;
    }
}

void Module::onColorSchemePathChanged()
{
    if (d->loading) {
        return;
    }
    // A missing scheme leaves the colours as they are.
    const auto colours = Kcm::Utils::schemeColors(currentColorScheme());
    if (!colours) {
        return;
    }
    setAccentColor(colours->accent);
    colorsPart(controller)->setBackgroundColor(colours->background);
}

void Module::generateSchemeIfNeeded()
{
    if (d->loading) {
        return;
    }
    const QString wallpaper = controller->systemTheme()->wallpaperThemePart()->wallpaper();
    const bool dark = wallpaperColorScheme() == WallpaperScheme::Dark;
    QString message;
    const QString scheme = Kcm::Utils::findWallpaperScheme(wallpaper, dark, &message);
    if (scheme.isEmpty()) {
        Q_EMIT error(message.isEmpty() ? i18n("Failed to generate a color scheme from the wallpaper") : message);
        return;
    }
    const QString installed = Kcm::Utils::installWallpaperScheme(scheme, wallpaper, dark);
    if (installed.isEmpty()) {
        Q_EMIT error(i18n("Cannot install the color scheme %1", scheme));
        return;
    }
    setCurrentColorScheme(installed);
}

#include "module.moc"
