#include "wmthemepart.h"
#include "abstractwmapplyhelper.h"
#include "abstractwmreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class WmThemePartPrivate
{
public:
    explicit WmThemePartPrivate(WmThemePart *part)
        : q(part)
    {
    }

    WmThemePart *const q;
    // Until the first read() or defaults(): no placement, the flags of defaults().
    bool ownKeyboardLayoutForWindows = false;
    bool baseKeyboardLayoutForWindows = false;
    bool opaqueMoveEnabled = true;
    bool opaqueResizeEnabled = true;
    bool snappingMoveEnabled = true;
    bool snappingResizeEnabled = true;
    QString defaultWindowPlacement;
    bool smartPlacementEnabled = true;
    bool titlebarStringCentered = false;
    bool snapTopMaximize = true;
    bool restoreSizeAfterSnap = true;
    bool resizeAllSnap = true;
};

WmThemePart::WmThemePart(QObject *parent)
    : IThemePart(nullptr)
    , d(new WmThemePartPrivate(this))
{
    Q_UNUSED(parent)
    for (auto signal : {&WmThemePart::ownKeyboardLayoutForWindowsChanged,
                        &WmThemePart::baseKeyboardLayoutForWindowsChanged,
                        &WmThemePart::opaqueMoveEnabledChanged,
                        &WmThemePart::opaqueResizeEnabledChanged,
                        &WmThemePart::snappingMoveEnabledChanged,
                        &WmThemePart::snappingResizeEnabledChanged,
                        &WmThemePart::defaultWindowPlacementChanged,
                        &WmThemePart::smartPlacementEnabledChanged,
                        &WmThemePart::titlebarStringCenteredChanged,
                        &WmThemePart::snapTopMaximizeChanged,
                        &WmThemePart::restoreSizeAfterSnapChanged,
                        &WmThemePart::resizeAllSnapChanged}) {
        connect(this, signal, this, &IThemePart::changed);
    }
}

WmThemePart::~WmThemePart() = default;

bool WmThemePart::ownKeyboardLayoutForWindows() const
{
    return d->ownKeyboardLayoutForWindows;
}

bool WmThemePart::baseKeyboardLayoutForWindows() const
{
    return d->baseKeyboardLayoutForWindows;
}

bool WmThemePart::opaqueMoveEnabled() const
{
    return d->opaqueMoveEnabled;
}

bool WmThemePart::opaqueResizeEnabled() const
{
    return d->opaqueResizeEnabled;
}

bool WmThemePart::snappingMoveEnabled() const
{
    return d->snappingMoveEnabled;
}

bool WmThemePart::snappingResizeEnabled() const
{
    return d->snappingResizeEnabled;
}

const QString &WmThemePart::defaultWindowPlacement() const
{
    return d->defaultWindowPlacement;
}

bool WmThemePart::smartPlacementEnabled() const
{
    return d->smartPlacementEnabled;
}

bool WmThemePart::titlebarStringCentered() const
{
    return d->titlebarStringCentered;
}

bool WmThemePart::snapTopMaximize() const
{
    return d->snapTopMaximize;
}

bool WmThemePart::restoreSizeAfterSnap() const
{
    return d->restoreSizeAfterSnap;
}

bool WmThemePart::resizeAllSnap() const
{
    return d->resizeAllSnap;
}

void WmThemePart::setOwnKeyboardLayoutForWindows(bool enabled)
{
    PartSettings::assign(this, d->ownKeyboardLayoutForWindows, enabled, &WmThemePart::ownKeyboardLayoutForWindowsChanged);
}

void WmThemePart::setBaseKeyboardLayoutForWindows(bool enabled)
{
    PartSettings::assign(this, d->baseKeyboardLayoutForWindows, enabled, &WmThemePart::baseKeyboardLayoutForWindowsChanged);
}

void WmThemePart::setOpaqueMoveEnabled(bool enabled)
{
    PartSettings::assign(this, d->opaqueMoveEnabled, enabled, &WmThemePart::opaqueMoveEnabledChanged);
}

void WmThemePart::setOpaqueResizeEnabled(bool enabled)
{
    PartSettings::assign(this, d->opaqueResizeEnabled, enabled, &WmThemePart::opaqueResizeEnabledChanged);
}

void WmThemePart::setSnappingMoveEnabled(bool enabled)
{
    PartSettings::assign(this, d->snappingMoveEnabled, enabled, &WmThemePart::snappingMoveEnabledChanged);
}

void WmThemePart::setSnappingResizeEnabled(bool enabled)
{
    PartSettings::assign(this, d->snappingResizeEnabled, enabled, &WmThemePart::snappingResizeEnabledChanged);
}

void WmThemePart::setDefaultWindowPlacement(const QString &placement)
{
    PartSettings::assign(this, d->defaultWindowPlacement, placement, &WmThemePart::defaultWindowPlacementChanged);
}

void WmThemePart::setSmartPlacementEnabled(bool enabled)
{
    PartSettings::assign(this, d->smartPlacementEnabled, enabled, &WmThemePart::smartPlacementEnabledChanged);
}

void WmThemePart::setTitlebarStringCentered(bool centered)
{
    PartSettings::assign(this, d->titlebarStringCentered, centered, &WmThemePart::titlebarStringCenteredChanged);
}

void WmThemePart::setSnapTopMaximize(bool enabled)
{
    PartSettings::assign(this, d->snapTopMaximize, enabled, &WmThemePart::snapTopMaximizeChanged);
}

void WmThemePart::setRestoreSizeAfterSnap(bool enabled)
{
    PartSettings::assign(this, d->restoreSizeAfterSnap, enabled, &WmThemePart::restoreSizeAfterSnapChanged);
}

void WmThemePart::setResizeAllSnap(bool enabled)
{
    PartSettings::assign(this, d->resizeAllSnap, enabled, &WmThemePart::resizeAllSnapChanged);
}

void WmThemePart::apply(IApplyHelper *applyHelper)
{
    auto *helper = static_cast<AbstractWmApplyHelper *>(applyHelper);
    helper->applyOwnKeyboardLayoutForWindows(d->ownKeyboardLayoutForWindows);
    helper->applyBaseKeyboardLayoutForWindows(d->baseKeyboardLayoutForWindows);
    helper->applyOpaqueMoveEnabled(d->opaqueMoveEnabled);
    helper->applyOpaqueResizeEnabled(d->opaqueResizeEnabled);
    helper->applySnappingMoveEnabled(d->snappingMoveEnabled);
    helper->applySnappingResizeEnabled(d->snappingResizeEnabled);
    helper->applyDefaultWindowPlacement(d->defaultWindowPlacement);
    helper->applySmartPlacementEnabled(d->smartPlacementEnabled);
    helper->applyTitlebarStringCenter(d->titlebarStringCentered);
    helper->applySnapTopMaximize(d->snapTopMaximize);
    helper->applyRestoreSizeAfterSnap(d->restoreSizeAfterSnap);
    helper->applyResizeAllSnap(d->resizeAllSnap);
}

void WmThemePart::read(IReadHelper *readHelper)
{
    auto *helper = static_cast<AbstractWmReadHelper *>(readHelper);
    setOwnKeyboardLayoutForWindows(helper->readOwnKeyboardLayoutForWindows());
    setBaseKeyboardLayoutForWindows(helper->readBaseKeyboardLayoutForWindows());
    setOpaqueMoveEnabled(helper->readOpaqueMoveEnabled());
    setOpaqueResizeEnabled(helper->readOpaqueResizeEnabled());
    setSnappingMoveEnabled(helper->readSnappingMoveEnabled());
    setSnappingResizeEnabled(helper->readSnappingResizeEnabled());
    setDefaultWindowPlacement(helper->readDefaultWindowPlacement());
    setSmartPlacementEnabled(helper->readSmartPlacementEnabled());
    setTitlebarStringCentered(helper->readTitlebarStringCenter());
    setSnapTopMaximize(helper->readSnapTopMaximize());
    setRestoreSizeAfterSnap(helper->readRestoreSizeAfterSnap());
    setResizeAllSnap(helper->readResizeAllSnap());
}

void WmThemePart::defaults()
{
    setOwnKeyboardLayoutForWindows(PartSettings::defaultFlag(ThemeDefaults::OwnKbPerWindow));
    setBaseKeyboardLayoutForWindows(PartSettings::defaultFlag(ThemeDefaults::BaseKbForNewWindow));
    setOpaqueMoveEnabled(PartSettings::defaultFlag(ThemeDefaults::OpaqueMove));
    setOpaqueResizeEnabled(PartSettings::defaultFlag(ThemeDefaults::OpaqueResize));
    setSnappingMoveEnabled(PartSettings::defaultFlag(ThemeDefaults::SnappingMoving));
    setSnappingResizeEnabled(PartSettings::defaultFlag(ThemeDefaults::SnappingResize));
    setDefaultWindowPlacement(ThemeDefaults::DefaultPlacement.defaultValue);
    setSmartPlacementEnabled(PartSettings::defaultFlag(ThemeDefaults::SmartPlacement));
    setTitlebarStringCentered(PartSettings::defaultFlag(ThemeDefaults::TitlebarStringCenter));
    setSnapTopMaximize(PartSettings::defaultFlag(ThemeDefaults::SnapTopMaximize));
    setRestoreSizeAfterSnap(PartSettings::defaultFlag(ThemeDefaults::RestoreSizeAfterSnap));
    setResizeAllSnap(PartSettings::defaultFlag(ThemeDefaults::ResizeAllSnap));
}

bool WmThemePart::hasChanges(IReadHelper *readHelper) const
{
    // Every value is read, also after a difference is found.
    auto *helper = static_cast<AbstractWmReadHelper *>(readHelper);
    bool changes = false;
    changes |= helper->readOwnKeyboardLayoutForWindows() != d->ownKeyboardLayoutForWindows;
    changes |= helper->readBaseKeyboardLayoutForWindows() != d->baseKeyboardLayoutForWindows;
    changes |= helper->readOpaqueMoveEnabled() != d->opaqueMoveEnabled;
    changes |= helper->readOpaqueResizeEnabled() != d->opaqueResizeEnabled;
    changes |= helper->readSnappingMoveEnabled() != d->snappingMoveEnabled;
    changes |= helper->readSnappingResizeEnabled() != d->snappingResizeEnabled;
    changes |= helper->readDefaultWindowPlacement() != d->defaultWindowPlacement;
    changes |= helper->readSmartPlacementEnabled() != d->smartPlacementEnabled;
    changes |= helper->readTitlebarStringCenter() != d->titlebarStringCentered;
    changes |= helper->readSnapTopMaximize() != d->snapTopMaximize;
    changes |= helper->readRestoreSizeAfterSnap() != d->restoreSizeAfterSnap;
    changes |= helper->readResizeAllSnap() != d->resizeAllSnap;
    return changes;
}

void WmThemePart::copyFrom(IThemePart *otherPart)
{
    const auto *other = qobject_cast<const WmThemePart *>(otherPart);
    if (!other) {
        return;
    }
    setOwnKeyboardLayoutForWindows(other->ownKeyboardLayoutForWindows());
    setBaseKeyboardLayoutForWindows(other->baseKeyboardLayoutForWindows());
    setOpaqueMoveEnabled(other->opaqueMoveEnabled());
    setOpaqueResizeEnabled(other->opaqueResizeEnabled());
    setSnappingMoveEnabled(other->snappingMoveEnabled());
    setSnappingResizeEnabled(other->snappingResizeEnabled());
    setDefaultWindowPlacement(other->defaultWindowPlacement());
    setSmartPlacementEnabled(other->smartPlacementEnabled());
    setTitlebarStringCentered(other->titlebarStringCentered());
    setSnapTopMaximize(other->snapTopMaximize());
    setRestoreSizeAfterSnap(other->restoreSizeAfterSnap());
    setResizeAllSnap(other->resizeAllSnap());
}

bool WmThemePart::operator==(const WmThemePart &other) const
{
    return d->ownKeyboardLayoutForWindows == other.d->ownKeyboardLayoutForWindows && d->baseKeyboardLayoutForWindows == other.d->baseKeyboardLayoutForWindows &&
        d->opaqueMoveEnabled == other.d->opaqueMoveEnabled && d->opaqueResizeEnabled == other.d->opaqueResizeEnabled &&
        d->snappingMoveEnabled == other.d->snappingMoveEnabled && d->snappingResizeEnabled == other.d->snappingResizeEnabled &&
        d->defaultWindowPlacement == other.d->defaultWindowPlacement && d->smartPlacementEnabled == other.d->smartPlacementEnabled &&
        d->titlebarStringCentered == other.d->titlebarStringCentered && d->snapTopMaximize == other.d->snapTopMaximize &&
        d->restoreSizeAfterSnap == other.d->restoreSizeAfterSnap && d->resizeAllSnap == other.d->resizeAllSnap;
}
