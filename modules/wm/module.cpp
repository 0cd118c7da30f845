#include "module.h"

#include <enumgadget.h>
#include <personalization.h>
#include <themedefaults.h>
#include <wmthemepart.h>

#include <KPluginFactory>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_wm_factory, "kcm_pexo_wm.json", registerPlugin<Module>();)

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , frame(this, BehaviourFrame::Wm)
{
    EnumGadget::registerType<Placement>("ru.ulvarlinux.kcm.wm.private");

    registerProperty(QStringLiteral("keyboardPerWindow"), ThemeDefaults::OwnKbPerWindow.key);
    registerProperty(QStringLiteral("keyboardForNewWindow"), ThemeDefaults::BaseKbForNewWindow.key);
    registerProperty(QStringLiteral("opaqueMove"), ThemeDefaults::OpaqueMove.key);
    registerProperty(QStringLiteral("opaqueResize"), ThemeDefaults::OpaqueResize.key);
    registerProperty(QStringLiteral("snappingMoving"), ThemeDefaults::SnappingMoving.key);
    registerProperty(QStringLiteral("snappingResize"), ThemeDefaults::SnappingResize.key);
    registerProperty(QStringLiteral("placement"), ThemeDefaults::DefaultPlacement.key);
    registerProperty(QStringLiteral("smartPlacement"), ThemeDefaults::SmartPlacement.key);
    registerProperty(QStringLiteral("titlebarStringCentered"), ThemeDefaults::TitlebarStringCenter.key);
    registerProperty(QStringLiteral("snapTopMaximize"), ThemeDefaults::SnapTopMaximize.key);
    registerProperty(QStringLiteral("restoreSizeAfterSnap"), ThemeDefaults::RestoreSizeAfterSnap.key);
    registerProperty(QStringLiteral("resizeAllSnap"), ThemeDefaults::ResizeAllSnap.key);

    frame.forward(&WmThemePart::ownKeyboardLayoutForWindowsChanged, this, &Module::keyboardPerWindowChanged);
    frame.forward(&WmThemePart::baseKeyboardLayoutForWindowsChanged, this, &Module::keyboardForNewWindowChanged);
    frame.forward(&WmThemePart::opaqueMoveEnabledChanged, this, &Module::opaqueMoveChanged);
    frame.forward(&WmThemePart::opaqueResizeEnabledChanged, this, &Module::opaqueResizeChanged);
    frame.forward(&WmThemePart::snappingMoveEnabledChanged, this, &Module::snappingMovingChanged);
    frame.forward(&WmThemePart::snappingResizeEnabledChanged, this, &Module::snappingResizeChanged);
    frame.forward(&WmThemePart::defaultWindowPlacementChanged, this, &Module::placementChanged);
    frame.forward(&WmThemePart::smartPlacementEnabledChanged, this, &Module::smartPlacementChanged);
    frame.forward(&WmThemePart::titlebarStringCenteredChanged, this, &Module::titlebarStringCenteredChanged);
    frame.forward(&WmThemePart::snapTopMaximizeChanged, this, &Module::snapTopMaximizeChanged);
    frame.forward(&WmThemePart::restoreSizeAfterSnapChanged, this, &Module::restoreSizeAfterSnapChanged);
    frame.forward(&WmThemePart::resizeAllSnapChanged, this, &Module::resizeAllSnapChanged);

    connect(frame.personalization(), &Personalization::changed, this, &Module::updateNeedSave);
    connect(frame.personalization(), &Personalization::error, this, &Module::error);
}

Module::~Module() = default;

bool Module::keyboardPerWindow() const
{
    return frame.get(&WmThemePart::ownKeyboardLayoutForWindows);
}

void Module::setKeyboardPerWindow(bool enabled)
{
    frame.set(&WmThemePart::setOwnKeyboardLayoutForWindows, enabled);
}

bool Module::keyboardForNewWindow() const
{
    return frame.get(&WmThemePart::baseKeyboardLayoutForWindows);
}

void Module::setKeyboardForNewWindow(bool enabled)
{
    frame.set(&WmThemePart::setBaseKeyboardLayoutForWindows, enabled);
}

bool Module::opaqueMove() const
{
    return frame.get(&WmThemePart::opaqueMoveEnabled);
}

void Module::setOpaqueMove(bool enabled)
{
    frame.set(&WmThemePart::setOpaqueMoveEnabled, enabled);
}

bool Module::opaqueMoveEnabled() const
{
    return true;
}

bool Module::opaqueResize() const
{
    return frame.get(&WmThemePart::opaqueResizeEnabled);
}

void Module::setOpaqueResize(bool enabled)
{
    frame.set(&WmThemePart::setOpaqueResizeEnabled, enabled);
}

bool Module::opaqueResizeEnabled() const
{
    return true;
}

bool Module::snappingMoving() const
{
    return frame.get(&WmThemePart::snappingMoveEnabled);
}

void Module::setSnappingMoving(bool enabled)
{
    frame.set(&WmThemePart::setSnappingMoveEnabled, enabled);
}

bool Module::snappingResize() const
{
    return frame.get(&WmThemePart::snappingResizeEnabled);
}

void Module::setSnappingResize(bool enabled)
{
    frame.set(&WmThemePart::setSnappingResizeEnabled, enabled);
}

Placement::Value Module::placement() const
{
    return Placement::fromString(frame.get(&WmThemePart::defaultWindowPlacement));
}

void Module::setPlacement(Placement::Value placement)
{
    frame.set(&WmThemePart::setDefaultWindowPlacement, Placement::toString(placement));
}

bool Module::smartPlacement() const
{
    return frame.get(&WmThemePart::smartPlacementEnabled);
}

void Module::setSmartPlacement(bool enabled)
{
    frame.set(&WmThemePart::setSmartPlacementEnabled, enabled);
}

bool Module::titlebarStringCentered() const
{
    return frame.get(&WmThemePart::titlebarStringCentered);
}

void Module::setTitlebarStringCentered(bool centered)
{
    frame.set(&WmThemePart::setTitlebarStringCentered, centered);
}

bool Module::snapTopMaximize() const
{
    return frame.get(&WmThemePart::snapTopMaximize);
}

void Module::setSnapTopMaximize(bool enabled)
{
    frame.set(&WmThemePart::setSnapTopMaximize, enabled);
}

bool Module::restoreSizeAfterSnap() const
{
    return frame.get(&WmThemePart::restoreSizeAfterSnap);
}

void Module::setRestoreSizeAfterSnap(bool enabled)
{
    frame.set(&WmThemePart::setRestoreSizeAfterSnap, enabled);
}

bool Module::resizeAllSnap() const
{
    return frame.get(&WmThemePart::resizeAllSnap);
}

void Module::setResizeAllSnap(bool enabled)
{
    frame.set(&WmThemePart::setResizeAllSnap, enabled);
}

bool Module::isImmutable(const QString &property) const
{
    return frame.isImmutable(keyForProperty(property));
}

void Module::load()
{
    frame.load();
}

void Module::save()
{
    frame.save();
}

void Module::defaults()
{
    frame.defaults();
}

void Module::updateNeedSave()
{
    frame.updateNeedSave(this);
}

#include "module.moc"
