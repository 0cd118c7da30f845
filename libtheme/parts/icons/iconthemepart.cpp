#include "iconthemepart.h"
#include "abstracticonapplyhelper.h"
#include "abstracticonreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class IconThemePartPrivate
{
public:
    explicit IconThemePartPrivate(IconThemePart *part)
        : q(part)
    {
    }

    IconThemePart *const q;
    QString currentTheme;
    // The values after defaults().
    bool isToolbarMonochrome = true;
    bool isTaskbarMonochrome = true;
};

IconThemePart::IconThemePart(QObject *parent)
    : IThemePart(parent)
    , d(new IconThemePartPrivate(this))
{
    connect(this, &IconThemePart::currentThemeChanged, this, &IThemePart::changed);
    connect(this, &IconThemePart::isToolbarMonochromeChanged, this, &IThemePart::changed);
    connect(this, &IconThemePart::isTaskbarMonochromeChanged, this, &IThemePart::changed);
}

IconThemePart::~IconThemePart() = default;

const QString &IconThemePart::currentTheme() const
{
    return d->currentTheme;
}

void IconThemePart::setCurrentTheme(const QString &theme)
{
    PartSettings::assign(this, d->currentTheme, theme, &IconThemePart::currentThemeChanged);
}

bool IconThemePart::isToolbarMonochrome() const
{
    return d->isToolbarMonochrome;
}

void IconThemePart::setIsToolbarMonochrome(bool monochrome)
{
    PartSettings::assign(this, d->isToolbarMonochrome, monochrome, &IconThemePart::isToolbarMonochromeChanged);
}

bool IconThemePart::isTaskbarMonochrome() const
{
    return d->isTaskbarMonochrome;
}

void IconThemePart::setIsTaskbarMonochrome(bool monochrome)
{
    PartSettings::assign(this, d->isTaskbarMonochrome, monochrome, &IconThemePart::isTaskbarMonochromeChanged);
}

void IconThemePart::apply(IApplyHelper *helper)
{
    auto *icons = static_cast<AbstractIconApplyHelper *>(helper);
    icons->applyCurrentTheme(d->currentTheme);
    icons->applyMonochromeToolbar(d->isToolbarMonochrome);
    icons->applyMonochromeTaskbar(d->isTaskbarMonochrome);
}

void IconThemePart::read(IReadHelper *helper)
{
    auto *icons = static_cast<AbstractIconReadHelper *>(helper);
    setCurrentTheme(icons->readCurrentTheme());
    setIsToolbarMonochrome(icons->readMonochromeToolbar());
    setIsTaskbarMonochrome(icons->readMonochromeTaskbar());
}

void IconThemePart::defaults()
{
    setCurrentTheme(ThemeDefaults::IconTheme.defaultValue);
    // The taskbar flag is reset before the toolbar flag.
    setIsTaskbarMonochrome(PartSettings::defaultFlag(ThemeDefaults::UseTrayIconTheme));
    setIsToolbarMonochrome(PartSettings::defaultFlag(ThemeDefaults::useSymbolicIconsForToolBar));
}

bool IconThemePart::hasChanges(IReadHelper *helper) const
{
    auto *icons = static_cast<AbstractIconReadHelper *>(helper);
    // Every value is read, without stopping at the first difference.
    bool changed = icons->readCurrentTheme() != d->currentTheme;
    // The taskbar flag is read before the toolbar flag here, unlike in read().
    changed |= icons->readMonochromeTaskbar() != d->isTaskbarMonochrome;
    changed |= icons->readMonochromeToolbar() != d->isToolbarMonochrome;
    return changed;
}

void IconThemePart::copyFrom(IThemePart *other)
{
    const auto *icons = qobject_cast<const IconThemePart *>(other);
    if (!icons) {
        return;
    }
    setCurrentTheme(icons->currentTheme());
    setIsToolbarMonochrome(icons->isToolbarMonochrome());
    setIsTaskbarMonochrome(icons->isTaskbarMonochrome());
}

bool IconThemePart::operator==(const IconThemePart &other) const
{
    return d->currentTheme == other.d->currentTheme && d->isToolbarMonochrome == other.d->isToolbarMonochrome &&
        d->isTaskbarMonochrome == other.d->isTaskbarMonochrome;
}
