#include "module.h"

#include <configfiles.h>
#include <effectsthemepart.h>
#include <enumgadget.h>
#include <failedwrites.h>
#include <ithemesettings.h>
#include <kconfigstorage.h>
#include <needssave.h>
#include <personalization.h>
#include <sessionlock.h>
#include <settingsreplace.h>
#include <themedefaults.h>
#include <utils.h>

#include <pexodirs.h>

#include <KPluginFactory>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_effects_factory, "kcm_pexo_effects.json", registerPlugin<Module>();)

namespace {
// Indexes of the window manager's values.
enum {
    StartMenuMapSpeedIndex,
    ArrangeWindowSpeedIndex,
    GradWindowMapSpeedIndex,
    WindowMapStyleIndex,
    MenuShowDelayIndex,
    MenuHideDelayIndex,
    GradMenuMapSpeedIndex,
    GradTaskbarMotionSpeedIndex,
    TaskbarShowDelayIndex,
    TaskbarHideDelayIndex,
};

struct WmKey
{
    const ThemeDefaults::Entry &entry;
    const char *property;
    void (Module::*changed)();
};

const WmKey wmKeys[] = {
    {ThemeDefaults::StartMenuMapSpeed, "startMenuMapSpeed", &Module::startMenuMapSpeedChanged},
    {ThemeDefaults::ArrangeWindowSpeed, "arrangeWindowSpeed", &Module::arrangeWindowSpeedChanged},
    {ThemeDefaults::GradWindowMapSpeed, "gradWindowMapSpeed", &Module::gradWindowMapSpeedChanged},
    {ThemeDefaults::GradWindowMapStyle, "windowMapStyle", &Module::windowMapStyleChanged},
    {ThemeDefaults::MenuDelayTime, "menuShowDelay", &Module::menuShowDelayChanged},
    {ThemeDefaults::MenuDelayTime2, "menuHideDelay", &Module::menuHideDelayChanged},
    {ThemeDefaults::GradMenuMapSpeed, "gradMenuMapSpeed", &Module::gradMenuMapSpeedChanged},
    {ThemeDefaults::GradTaskbarMotionSpeed, "gradTaskbarMotionSpeed", &Module::gradTaskbarMotionSpeedChanged},
    {ThemeDefaults::TaskbarShowDelay, "taskbarShowDelay", &Module::taskbarShowDelayChanged},
    {ThemeDefaults::TaskbarHideDelay, "taskbarHideDelay", &Module::taskbarHideDelayChanged},
};

// A stored text as the module holds it: the style by name, the others as
// numbers (0 for a text that is none).
int wmValueFromText(int index, const QVariant &text)
{
    return index == WindowMapStyleIndex ? WindowMapStyle::fromString(text.toString()) : text.toInt();
}

QVariant wmValueToStore(int index, int value)
{
    return index == WindowMapStyleIndex ? QVariant(WindowMapStyle::toString(static_cast<WindowMapStyle::Value>(value))) : QVariant(value);
}
} // namespace

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , frame(this, BehaviourFrame::Effects)
{
    for (int i = 0; i < wmValueCount; ++i) {
        wmValues[i] = wmValueFromText(i, wmKeys[i].entry.defaultValue);
    }
    takenWmValues = wmValues;

    registerProperty(QStringLiteral("preview"), ThemeDefaults::ThumbSize.key);
    registerProperty(QStringLiteral("effectsEnabled"), ThemeDefaults::UseComposite.key);
    registerProperty(QStringLiteral("transparencyEnabled"), ThemeDefaults::CompositorTransparencyEnabled.key);
    registerProperty(QStringLiteral("shadowEnabled"), ThemeDefaults::CompositorShadowsEnabled.key);
    registerProperty(QStringLiteral("shadowsForActiveEnabled"), ThemeDefaults::FocusShadow.key);
    registerProperty(QStringLiteral("roundedCornersEnabled"), ThemeDefaults::CompositorRoundedCornersEnabled.key);
    registerProperty(QStringLiteral("verticalSyncronizationEnabled"), ThemeDefaults::CompositorVerticalSyncronizationEnabled.key);

    frame.forward(&EffectsThemePart::previewChanged, this, &Module::previewChanged);
    frame.forward(&EffectsThemePart::effectsEnabledChanged, this, &Module::effectsEnabledChanged);
    frame.forward(&EffectsThemePart::transparencyEnabledChanged, this, &Module::transparencyEnabledChanged);
    frame.forward(&EffectsThemePart::shadowEnabledChanged, this, &Module::shadowEnabledChanged);
    frame.forward(&EffectsThemePart::shadowsForActiveEnabledChanged, this, &Module::shadowsForActiveEnabledChanged);
    frame.forward(&EffectsThemePart::roundedCornersEnabledChanged, this, &Module::roundedCornersEnabledChanged);
    frame.forward(&EffectsThemePart::verticalSyncronizationEnabledChanged, this, &Module::verticalSyncronizationEnabledChanged);
    frame.forward(&EffectsThemePart::compositeManagerChanged, this, &Module::compositeEnabledChanged);
    frame.forward(&EffectsThemePart::windowAnimationsEnabledChanged, this, &Module::windowAnimationsEnabledChanged);
    frame.forward(&EffectsThemePart::windowFadingEnabledChanged, this, &Module::windowFadingEnabledChanged);
    connect(frame.personalization(), &Personalization::changed, this, &Module::updateNeedSave);
    connect(frame.personalization(), &Personalization::error, this, &Module::error);

    for (const WmKey &key : wmKeys) {
        registerProperty(QLatin1String(key.property), key.entry.key);
    }

    EnumGadget::registerType<WindowMapStyle>("ru.ulvarlinux.kcm.effects.private");
    EnumGadget::registerType<UiEffect>("ru.ulvarlinux.kcm.effects.private");

    for (const WmKey &key : wmKeys) {
        connect(this, key.changed, this, &Module::updateNeedSave);
    }
    connect(this, &Module::uiEffectsEnabledChanged, this, &Module::updateNeedSave);
    connect(this, &Module::menuEffectChanged, this, &Module::updateNeedSave);
    connect(this, &Module::comboEffectChanged, this, &Module::updateNeedSave);
    connect(this, &Module::tooltipEffectChanged, this, &Module::updateNeedSave);
    connect(this, &Module::toolBoxEffectChanged, this, &Module::updateNeedSave);
}

Module::~Module() = default;

template<typename T>
void Module::setOwn(T &field, const T &value, void (Module::*changed)())
{
    if (field == value) {
        return;
    }
    field = value;
    Q_EMIT(this->*changed)();
}

void Module::setWmValue(int index, int value)
{
    setOwn(wmValues[index], value, wmKeys[index].changed);
}

int Module::storedWmValue(int index) const
{
    const ThemeDefaults::Entry &entry = wmKeys[index].entry;
    return wmValueFromText(index, frame.settings()->read(entry.key, entry.defaultValue));
}

bool Module::preview() const
{
    return frame.get(&EffectsThemePart::preview);
}

void Module::setPreview(bool enabled)
{
    frame.set(&EffectsThemePart::setPreview, enabled);
}

bool Module::effectsEnabled() const
{
    return frame.get(&EffectsThemePart::effectsEnabled);
}

void Module::setEffectsEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setEffectsEnabled, enabled);
}

bool Module::compositeEnabled() const
{
    if (qEnvironmentVariableIsSet("PEXO_NO_REAL_COMPOSITE")) {
        return false;
    }
    return !FindFileInPATH(frame.get(&EffectsThemePart::compositeManager).toLocal8Bit().constData()).empty();
}

bool Module::transparencyEnabled() const
{
    return frame.get(&EffectsThemePart::transparencyEnabled);
}

void Module::setTransparencyEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setTransparencyEnabled, enabled);
}

bool Module::shadowEnabled() const
{
    return frame.get(&EffectsThemePart::shadowEnabled);
}

void Module::setShadowEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setShadowEnabled, enabled);
}

bool Module::shadowsForActiveEnabled() const
{
    return frame.get(&EffectsThemePart::shadowsForActiveEnabled);
}

void Module::setShadowsForActiveEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setShadowsForActiveEnabled, enabled);
}

bool Module::roundedCornersEnabled() const
{
    return frame.get(&EffectsThemePart::roundedCornersEnabled);
}

void Module::setRoundedCornersEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setRoundedCornersEnabled, enabled);
}

bool Module::verticalSyncronizationEnabled() const
{
    return frame.get(&EffectsThemePart::verticalSyncronizationEnabled);
}

void Module::setVerticalSyncronizationEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setVerticalSyncronizationEnabled, enabled);
}

bool Module::windowAnimationsEnabled() const
{
    return frame.get(&EffectsThemePart::windowAnimationsEnabled);
}

void Module::setWindowAnimationsEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setWindowAnimationsEnabled, enabled);
}

bool Module::windowFadingEnabled() const
{
    return frame.get(&EffectsThemePart::windowFadingEnabled);
}

void Module::setWindowFadingEnabled(bool enabled)
{
    frame.set(&EffectsThemePart::setWindowFadingEnabled, enabled);
}

int Module::startMenuMapSpeed() const
{
    return wmValues[StartMenuMapSpeedIndex];
}

void Module::setStartMenuMapSpeed(int speed)
{
    setWmValue(StartMenuMapSpeedIndex, speed);
}

int Module::arrangeWindowSpeed() const
{
    return wmValues[ArrangeWindowSpeedIndex];
}

void Module::setArrangeWindowSpeed(int speed)
{
    setWmValue(ArrangeWindowSpeedIndex, speed);
}

int Module::gradWindowMapSpeed() const
{
    return wmValues[GradWindowMapSpeedIndex];
}

void Module::setGradWindowMapSpeed(int speed)
{
    setWmValue(GradWindowMapSpeedIndex, speed);
}

WindowMapStyle::Value Module::windowMapStyle() const
{
    return static_cast<WindowMapStyle::Value>(wmValues[WindowMapStyleIndex]);
}

void Module::setWindowMapStyle(const WindowMapStyle::Value &style)
{
    setWmValue(WindowMapStyleIndex, style);
}

int Module::menuShowDelay() const
{
    return wmValues[MenuShowDelayIndex];
}

void Module::setMenuShowDelay(int delay)
{
    setWmValue(MenuShowDelayIndex, delay);
}

int Module::menuHideDelay() const
{
    return wmValues[MenuHideDelayIndex];
}

void Module::setMenuHideDelay(int delay)
{
    setWmValue(MenuHideDelayIndex, delay);
}

int Module::gradMenuMapSpeed() const
{
    return wmValues[GradMenuMapSpeedIndex];
}

void Module::setGradMenuMapSpeed(int speed)
{
    setWmValue(GradMenuMapSpeedIndex, speed);
}

int Module::gradTaskbarMotionSpeed() const
{
    return wmValues[GradTaskbarMotionSpeedIndex];
}

void Module::setGradTaskbarMotionSpeed(int speed)
{
    setWmValue(GradTaskbarMotionSpeedIndex, speed);
}

int Module::taskbarShowDelay() const
{
    return wmValues[TaskbarShowDelayIndex];
}

void Module::setTaskbarShowDelay(int delay)
{
    setWmValue(TaskbarShowDelayIndex, delay);
}

int Module::taskbarHideDelay() const
{
    return wmValues[TaskbarHideDelayIndex];
}

void Module::setTaskbarHideDelay(int delay)
{
    setWmValue(TaskbarHideDelayIndex, delay);
}

bool Module::uiEffectsEnabled() const
{
    return uiEffects.enabled;
}

void Module::setUiEffectsEnabled(bool enabled)
{
    setOwn(uiEffects.enabled, enabled, &Module::uiEffectsEnabledChanged);
}

UiEffect::Value Module::menuEffect() const
{
    return uiEffects.menu;
}

void Module::setMenuEffect(const UiEffect::Value &effect)
{
    setOwn(uiEffects.menu, effect, &Module::menuEffectChanged);
}

UiEffect::Value Module::comboEffect() const
{
    return uiEffects.combo;
}

void Module::setComboEffect(const UiEffect::Value &effect)
{
    setOwn(uiEffects.combo, effect, &Module::comboEffectChanged);
}

UiEffect::Value Module::tooltipEffect() const
{
    return uiEffects.tooltip;
}

void Module::setTooltipEffect(const UiEffect::Value &effect)
{
    setOwn(uiEffects.tooltip, effect, &Module::tooltipEffectChanged);
}

UiEffect::Value Module::toolBoxEffect() const
{
    return uiEffects.toolBox;
}

void Module::setToolBoxEffect(const UiEffect::Value &effect)
{
    setOwn(uiEffects.toolBox, effect, &Module::toolBoxEffectChanged);
}

void Module::setUiEffects(const GuiEffectsList &effects)
{
    setUiEffectsEnabled(effects.enabled);
    setMenuEffect(effects.menu);
    setComboEffect(effects.combo);
    setTooltipEffect(effects.tooltip);
    setToolBoxEffect(effects.toolBox);
}

bool Module::isImmutable(const QString &property) const
{
    return isPropertyImmutable(property);
}

void Module::load()
{
    frame.load();
    for (int i = 0; i < wmValueCount; ++i) {
        setWmValue(i, storedWmValue(i));
    }
    setUiEffects(GuiEffectsList::stored());
    takenWmValues = wmValues;
    takenUiEffects = uiEffects;
}

void Module::save()
{
    // Held over the part's save and the values written here.
    const SessionLock lock(SessionLock::Wait::Page, [this](const QString &message) {
        Q_EMIT error(message);
    });
    if (!lock.isLocked()) {
        Q_EMIT error(lock.message());
        return;
    }
    // Files that cannot be written fail the save before anything is written:
    // the live settings, and Qt's settings, which every save stores.
    const QStringList unwritable =
        SettingsReplace::unreplaceable({ThemeDefaults::currentThemeConfigPath, ConfigFiles::userFile(QStringLiteral("Trolltech.conf"))});
    if (!unwritable.isEmpty()) {
        Q_EMIT error(QStringLiteral("Could not write ") + unwritable.join(QStringLiteral(", ")));
        return;
    }
    const bool partSaved = frame.saveHeld();
    // The values as the settings hold them now, with those that the page
    // changed since it read them: a value that another program changed
    // meanwhile is not written back.
    KConfigStorage::readFilesAgain();
    for (int i = 0; i < wmValueCount; ++i) {
        if (wmValues[i] == takenWmValues[i]) {
            setWmValue(i, storedWmValue(i));
        }
    }
    GuiEffectsList effects = GuiEffectsList::stored();
    const auto take = [](auto &field, const auto &edited, const auto &taken) {
        if (edited != taken) {
            field = edited;
        }
    };
    take(effects.enabled, uiEffects.enabled, takenUiEffects.enabled);
    take(effects.menu, uiEffects.menu, takenUiEffects.menu);
    take(effects.combo, uiEffects.combo, takenUiEffects.combo);
    take(effects.tooltip, uiEffects.tooltip, takenUiEffects.tooltip);
    take(effects.toolBox, uiEffects.toolBox, takenUiEffects.toolBox);
    setUiEffects(effects);
    IThemeSettings *settings = frame.settings();
    const FailedWrites failed;
    for (int i = 0; i < wmValueCount; ++i) {
        const QString &key = wmKeys[i].entry.key;
        const QVariant value = wmValueToStore(i, wmValues[i]);
        if (settings->write(key, value) == IThemeSettings::Written) {
            Utils::updatePexoWmVariable(key, value);
        }
    }
    // Running applications re-read the file when told: it must be written first.
    uiEffects.store();
    Utils::updateQtSettingsStamp();
    if (failed.files().isEmpty()) {
        takenWmValues = wmValues;
        takenUiEffects = uiEffects;
    }
    // One message a save: the frame has told of its own.
    if (partSaved && !failed.files().isEmpty()) {
        Q_EMIT error(failed.message());
    }
}

void Module::defaults()
{
    frame.defaults();
    for (int i = 0; i < wmValueCount; ++i) {
        setWmValue(i, wmValueFromText(i, wmKeys[i].entry.defaultValue));
    }
    setUiEffects(GuiEffectsList());
}

void Module::updateNeedSave()
{
    // Every term is evaluated.
    bool changed = frame.hasChanges();
    for (int i = 0; i < wmValueCount; ++i) {
        changed = (storedWmValue(i) != wmValues[i]) || changed;
    }
    changed = !(GuiEffectsList::stored() == uiEffects) || changed;
    reportNeedsSave(this, changed);
}

#include "module.moc"
