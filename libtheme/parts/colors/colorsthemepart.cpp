#include "colorsthemepart.h"
#include "abstractcolorsapplyhelper.h"
#include "abstractcolorsreadhelper.h"
#include "colorutils.h"
#include "currentcolorsapplyhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

#include <QColor>

class ColorsThemePartPrivate
{
public:
    ColorsThemePart *const q;
    QString colorSchemeType;
    QString colorSchemePath;
    QString wallpaperColorSchemeType;
    QString primaryColor;
    QString backgroundColor;
    bool isCustomColorSchemeDark = false;
};

ColorsThemePart::ColorsThemePart(QObject *parent)
    : IThemePart(nullptr)
    , d(new ColorsThemePartPrivate{this, {}, {}, {}, {}, {}, false})
{
    Q_UNUSED(parent)
    connect(this, &ColorsThemePart::colorSchemeTypeChanged, this, &IThemePart::changed);
    connect(this, &ColorsThemePart::colorSchemePathChanged, this, &IThemePart::changed);
    connect(this, &ColorsThemePart::wallpaperColorSchemeTypeChanged, this, &IThemePart::changed);
    connect(this, &ColorsThemePart::primaryColorChanged, this, &IThemePart::changed);
    connect(this, &ColorsThemePart::backgroundColorChanged, this, &IThemePart::changed);
    connect(this, &ColorsThemePart::isCustomColorSchemeDarkChanged, this, &IThemePart::changed);
}

ColorsThemePart::~ColorsThemePart() = default;

const QString &ColorsThemePart::colorSchemeType() const
{
    return d->colorSchemeType;
}

void ColorsThemePart::setColorSchemeType(const QString &type)
{
    PartSettings::assign(this, d->colorSchemeType, type, &ColorsThemePart::colorSchemeTypeChanged);
}

const QString &ColorsThemePart::colorSchemePath() const
{
    return d->colorSchemePath;
}

void ColorsThemePart::setColorSchemePath(const QString &path)
{
    PartSettings::assign(this, d->colorSchemePath, path, &ColorsThemePart::colorSchemePathChanged);
}

const QString &ColorsThemePart::wallpaperColorSchemeType() const
{
    return d->wallpaperColorSchemeType;
}

void ColorsThemePart::setWallpaperColorSchemeType(const QString &type)
{
    PartSettings::assign(this, d->wallpaperColorSchemeType, type, &ColorsThemePart::wallpaperColorSchemeTypeChanged);
}

const QString &ColorsThemePart::primaryColor() const
{
    return d->primaryColor;
}

void ColorsThemePart::setPrimaryColor(const QString &color)
{
    PartSettings::assign(this, d->primaryColor, color, &ColorsThemePart::primaryColorChanged);
}

const QString &ColorsThemePart::backgroundColor() const
{
    return d->backgroundColor;
}

void ColorsThemePart::setBackgroundColor(const QString &color)
{
    PartSettings::assign(this, d->backgroundColor, color, &ColorsThemePart::backgroundColorChanged);
}

bool ColorsThemePart::isCustomColorSchemeDark() const
{
    return d->isCustomColorSchemeDark;
}

void ColorsThemePart::setIsCustomColorSchemeDark(bool dark)
{
    PartSettings::assign(this, d->isCustomColorSchemeDark, dark, &ColorsThemePart::isCustomColorSchemeDarkChanged);
}

QPalette ColorsThemePart::currentPalette()
{
    return ColorUtils::getPaletteForScheme(d->colorSchemePath, QColor(d->primaryColor), QColor(d->backgroundColor), nullptr, nullptr);
}

bool ColorsThemePart::operator==(const ColorsThemePart &other) const
{
    return d->colorSchemePath == other.d->colorSchemePath && d->primaryColor == other.d->primaryColor && d->backgroundColor == other.d->backgroundColor &&
        d->isCustomColorSchemeDark == other.d->isCustomColorSchemeDark;
}

void ColorsThemePart::apply(IApplyHelper *helper)
{
    auto *colors = static_cast<AbstractColorsApplyHelper *>(helper);
    if (auto *live = dynamic_cast<CurrentColorsApplyHelper *>(colors)) {
        live->expectColorSchemePath(d->colorSchemePath);
    }
    // The scheme path goes last: applying it live takes up the two colours.
    colors->applyColorSchemeType(d->colorSchemeType);
    colors->applyWallpaperColorSchemeType(d->wallpaperColorSchemeType);
    colors->applyIsCustomColorSchemeDark(d->isCustomColorSchemeDark);
    colors->applyPrimaryColor(d->primaryColor);
    colors->applyBackgroundColor(d->backgroundColor);
    colors->applyColorSchemePath(d->colorSchemePath);
}

void ColorsThemePart::read(IReadHelper *helper)
{
    auto *colors = static_cast<AbstractColorsReadHelper *>(helper);
    setColorSchemeType(colors->readColorSchemeType());
    setColorSchemePath(colors->readColorSchemePath());
    setWallpaperColorSchemeType(colors->readWallpaperColorSchemeType());
    setPrimaryColor(colors->readPrimaryColor());
    setBackgroundColor(colors->readBackgroundColor());
    setIsCustomColorSchemeDark(colors->readIsCustomColorSchemeDark());
}

void ColorsThemePart::defaults()
{
    setColorSchemeType(ThemeDefaults::SchemeType.defaultValue);
    setColorSchemePath(ThemeDefaults::ColorScheme.defaultValue);
    setWallpaperColorSchemeType(ThemeDefaults::WallPaperColorScheme.defaultValue);
    setPrimaryColor(ThemeDefaults::PrimaryColor.defaultValue);
    setBackgroundColor(ThemeDefaults::BackgroundColor.defaultValue);
    setIsCustomColorSchemeDark(PartSettings::defaultFlag(ThemeDefaults::CustomSchemeDark));
}

bool ColorsThemePart::hasChanges(IReadHelper *helper) const
{
    auto *colors = static_cast<AbstractColorsReadHelper *>(helper);
    // Every value is read, without stopping at the first difference.
    bool changed = colors->readColorSchemeType() != d->colorSchemeType;
    changed |= colors->readColorSchemePath() != d->colorSchemePath;
    changed |= colors->readWallpaperColorSchemeType() != d->wallpaperColorSchemeType;
    changed |= colors->readPrimaryColor() != d->primaryColor;
    changed |= colors->readBackgroundColor() != d->backgroundColor;
    changed |= colors->readIsCustomColorSchemeDark() != d->isCustomColorSchemeDark;
    return changed;
}

void ColorsThemePart::copyFrom(IThemePart *other)
{
    const auto *colors = qobject_cast<const ColorsThemePart *>(other);
    if (!colors) {
        return;
    }
    setColorSchemeType(colors->colorSchemeType());
    setColorSchemePath(colors->colorSchemePath());
    setWallpaperColorSchemeType(colors->wallpaperColorSchemeType());
    setPrimaryColor(colors->primaryColor());
    setBackgroundColor(colors->backgroundColor());
    setIsCustomColorSchemeDark(colors->isCustomColorSchemeDark());
}
