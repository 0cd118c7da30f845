#include "wallpaperthemepart.h"
#include "abstractwallpaperapplyhelper.h"
#include "abstractwallpaperreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class WallpaperThemePartPrivate
{
public:
    explicit WallpaperThemePartPrivate(WallpaperThemePart *part)
        : q(part)
    {
    }

    WallpaperThemePart *const q;
    QString wallpaper;
    QString logo;
    QString wallpaperStyle;
    QString logoPosition;
    bool forCurrentScreen = false;
    bool forCurrentDesktop = false;
    int slideShowPeriod = 0;
};

WallpaperThemePart::WallpaperThemePart(QObject *parent)
    : IThemePart(nullptr)
    , d(new WallpaperThemePartPrivate(this))
{
    Q_UNUSED(parent)
    connect(this, &WallpaperThemePart::wallpaperChanged, this, &IThemePart::changed);
    connect(this, &WallpaperThemePart::logoChanged, this, &IThemePart::changed);
    connect(this, &WallpaperThemePart::wallpaperStyleChanged, this, &IThemePart::changed);
    connect(this, &WallpaperThemePart::logoPositionChanged, this, &IThemePart::changed);
    connect(this, &WallpaperThemePart::forCurrentScreenChanged, this, &IThemePart::changed);
    connect(this, &WallpaperThemePart::forCurrentDesktopChanged, this, &IThemePart::changed);
    connect(this, &WallpaperThemePart::slideShowPeriodChanged, this, &IThemePart::changed);
}

WallpaperThemePart::~WallpaperThemePart() = default;

QString WallpaperThemePart::wallpaper() const
{
    return d->wallpaper;
}

QString WallpaperThemePart::logo() const
{
    return d->logo;
}

QString WallpaperThemePart::wallpaperStyle() const
{
    return d->wallpaperStyle;
}

QString WallpaperThemePart::logoPosition() const
{
    return d->logoPosition;
}

bool WallpaperThemePart::forCurrentScreen() const
{
    return d->forCurrentScreen;
}

bool WallpaperThemePart::forCurrentDesktop() const
{
    return d->forCurrentDesktop;
}

int WallpaperThemePart::slideShowPeriod() const
{
    return d->slideShowPeriod;
}

void WallpaperThemePart::setWallpaper(const QString &wallpaper)
{
    PartSettings::assign(this, d->wallpaper, wallpaper, &WallpaperThemePart::wallpaperChanged);
}

void WallpaperThemePart::setLogo(const QString &logo)
{
    PartSettings::assign(this, d->logo, logo, &WallpaperThemePart::logoChanged);
}

void WallpaperThemePart::setWallpaperStyle(const QString &style)
{
    PartSettings::assign(this, d->wallpaperStyle, style, &WallpaperThemePart::wallpaperStyleChanged);
}

void WallpaperThemePart::setLogoPosition(const QString &position)
{
    PartSettings::assign(this, d->logoPosition, position, &WallpaperThemePart::logoPositionChanged);
}

void WallpaperThemePart::setForCurrentScreen(bool forCurrentScreen)
{
    PartSettings::assign(this, d->forCurrentScreen, forCurrentScreen, &WallpaperThemePart::forCurrentScreenChanged);
}

void WallpaperThemePart::setForCurrentDesktop(bool forCurrentDesktop)
{
    PartSettings::assign(this, d->forCurrentDesktop, forCurrentDesktop, &WallpaperThemePart::forCurrentDesktopChanged);
}

void WallpaperThemePart::setSlideShowPeriod(int period)
{
    PartSettings::assign(this, d->slideShowPeriod, period, &WallpaperThemePart::slideShowPeriodChanged);
}

void WallpaperThemePart::apply(IApplyHelper *helper)
{
    auto *h = static_cast<AbstractWallpaperApplyHelper *>(helper);
    if (!h) {
        return;
    }
    // The live per-screen operation reads the per-desktop flag written first.
    h->applyWallpaperForCurrentDesktop(d->forCurrentDesktop, d->wallpaper);
    h->applyWallpaperForCurrentScreen(d->forCurrentScreen, d->wallpaper);
    if (!d->forCurrentScreen && !d->forCurrentDesktop) {
        h->applyWallpaper(d->wallpaper);
        h->applyWallpaperPosition(d->wallpaperStyle);
        h->applyWallpaperPeriod(d->slideShowPeriod);
    }
    h->applyLogo(d->logo);
    h->applyLogoPosition(d->logoPosition);
}

void WallpaperThemePart::read(IReadHelper *helper)
{
    auto *h = static_cast<AbstractWallpaperReadHelper *>(helper);
    if (!h) {
        return;
    }
    setLogo(h->readLogo());
    setLogoPosition(h->readLogoPosition());
    setWallpaper(h->readWallpaper());
    setWallpaperStyle(h->readWallpaperPosition());
    setForCurrentScreen(h->readWallpaperForCurrentScreen());
    setForCurrentDesktop(h->readWallpaperForCurrentDesktop());
    setSlideShowPeriod(h->readWallpaperPeriod());
}

void WallpaperThemePart::defaults()
{
    setLogo(ThemeDefaults::LogoPixmap.defaultValue);
    setLogoPosition(ThemeDefaults::LogoPosition.defaultValue);
    setWallpaper(ThemeDefaults::WallPaper.defaultValue);
    setWallpaperStyle(ThemeDefaults::WallPaperPos.defaultValue);
    setForCurrentDesktop(PartSettings::defaultFlag(ThemeDefaults::WallPaperForCurrentDesktop));
    setForCurrentScreen(PartSettings::defaultFlag(ThemeDefaults::WallPaperForCurrentScreen));
}

bool WallpaperThemePart::hasChanges(IReadHelper *helper) const
{
    auto *h = static_cast<AbstractWallpaperReadHelper *>(helper);
    if (!h) {
        return false;
    }
    // Every value is read, also after a difference has been found.
    bool changed = h->readLogo() != d->logo;
    changed |= h->readLogoPosition() != d->logoPosition;
    changed |= h->readWallpaper() != d->wallpaper;
    changed |= h->readWallpaperPosition() != d->wallpaperStyle;
    // The desktop flag is read before the screen flag here, unlike in read().
    changed |= h->readWallpaperForCurrentDesktop() != d->forCurrentDesktop;
    changed |= h->readWallpaperForCurrentScreen() != d->forCurrentScreen;
    changed |= h->readWallpaperPeriod() != d->slideShowPeriod;
    return changed;
}

void WallpaperThemePart::copyFrom(IThemePart *other)
{
    const auto *part = qobject_cast<const WallpaperThemePart *>(other);
    if (!part) {
        return;
    }
    setLogo(part->d->logo);
    setLogoPosition(part->d->logoPosition);
    setWallpaper(part->d->wallpaper);
    setWallpaperStyle(part->d->wallpaperStyle);
    setForCurrentScreen(part->d->forCurrentScreen);
    setForCurrentDesktop(part->d->forCurrentDesktop);
    setSlideShowPeriod(part->d->slideShowPeriod);
}

bool WallpaperThemePart::operator==(const WallpaperThemePart &other) const
{
    return d->wallpaper == other.d->wallpaper && d->logo == other.d->logo && d->wallpaperStyle == other.d->wallpaperStyle &&
        d->logoPosition == other.d->logoPosition && d->forCurrentScreen == other.d->forCurrentScreen && d->forCurrentDesktop == other.d->forCurrentDesktop &&
        d->slideShowPeriod == other.d->slideShowPeriod;
}
