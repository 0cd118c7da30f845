#ifndef MODULE_H
#define MODULE_H

#include "guieffectslist.h"
#include "uieffect.h"
#include "windowmapstyle.h"

#include <behaviourframe.h>
#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

#include <array>

// The effects page: the compositor and its options, the window manager's
// animation speeds and delays, and the interface effects of Qt applications.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(bool preview READ preview WRITE setPreview NOTIFY previewChanged)
    Q_PROPERTY(bool effectsEnabled READ effectsEnabled WRITE setEffectsEnabled NOTIFY effectsEnabledChanged)
    Q_PROPERTY(bool compositeEnabled READ compositeEnabled NOTIFY compositeEnabledChanged)
    Q_PROPERTY(bool transparencyEnabled READ transparencyEnabled WRITE setTransparencyEnabled NOTIFY transparencyEnabledChanged)
    Q_PROPERTY(bool shadowEnabled READ shadowEnabled WRITE setShadowEnabled NOTIFY shadowEnabledChanged)
    Q_PROPERTY(bool shadowsForActiveEnabled READ shadowsForActiveEnabled WRITE setShadowsForActiveEnabled NOTIFY shadowsForActiveEnabledChanged)
    Q_PROPERTY(bool roundedCornersEnabled READ roundedCornersEnabled WRITE setRoundedCornersEnabled NOTIFY roundedCornersEnabledChanged)
    Q_PROPERTY(bool verticalSyncronizationEnabled READ verticalSyncronizationEnabled WRITE setVerticalSyncronizationEnabled NOTIFY
                   verticalSyncronizationEnabledChanged)
    Q_PROPERTY(bool windowAnimationsEnabled READ windowAnimationsEnabled WRITE setWindowAnimationsEnabled NOTIFY windowAnimationsEnabledChanged)
    Q_PROPERTY(bool windowFadingEnabled READ windowFadingEnabled WRITE setWindowFadingEnabled NOTIFY windowFadingEnabledChanged)
    Q_PROPERTY(int startMenuMapSpeed READ startMenuMapSpeed WRITE setStartMenuMapSpeed NOTIFY startMenuMapSpeedChanged FINAL)
    Q_PROPERTY(int arrangeWindowSpeed READ arrangeWindowSpeed WRITE setArrangeWindowSpeed NOTIFY arrangeWindowSpeedChanged FINAL)
    Q_PROPERTY(int gradWindowMapSpeed READ gradWindowMapSpeed WRITE setGradWindowMapSpeed NOTIFY gradWindowMapSpeedChanged FINAL)
    Q_PROPERTY(WindowMapStyle::Value windowMapStyle READ windowMapStyle WRITE setWindowMapStyle NOTIFY windowMapStyleChanged FINAL)
    Q_PROPERTY(int menuShowDelay READ menuShowDelay WRITE setMenuShowDelay NOTIFY menuShowDelayChanged FINAL)
    Q_PROPERTY(int menuHideDelay READ menuHideDelay WRITE setMenuHideDelay NOTIFY menuHideDelayChanged FINAL)
    Q_PROPERTY(int gradMenuMapSpeed READ gradMenuMapSpeed WRITE setGradMenuMapSpeed NOTIFY gradMenuMapSpeedChanged FINAL)
    Q_PROPERTY(int gradTaskbarMotionSpeed READ gradTaskbarMotionSpeed WRITE setGradTaskbarMotionSpeed NOTIFY gradTaskbarMotionSpeedChanged FINAL)
    Q_PROPERTY(int taskbarShowDelay READ taskbarShowDelay WRITE setTaskbarShowDelay NOTIFY taskbarShowDelayChanged FINAL)
    Q_PROPERTY(int taskbarHideDelay READ taskbarHideDelay WRITE setTaskbarHideDelay NOTIFY taskbarHideDelayChanged FINAL)
    Q_PROPERTY(bool uiEffectsEnabled READ uiEffectsEnabled WRITE setUiEffectsEnabled NOTIFY uiEffectsEnabledChanged FINAL)
    Q_PROPERTY(UiEffect::Value menuEffect READ menuEffect WRITE setMenuEffect NOTIFY menuEffectChanged FINAL)
    Q_PROPERTY(UiEffect::Value comboEffect READ comboEffect WRITE setComboEffect NOTIFY comboEffectChanged FINAL)
    Q_PROPERTY(UiEffect::Value tooltipEffect READ tooltipEffect WRITE setTooltipEffect NOTIFY tooltipEffectChanged FINAL)
    Q_PROPERTY(UiEffect::Value toolBoxEffect READ toolBoxEffect WRITE setToolBoxEffect NOTIFY toolBoxEffectChanged FINAL)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    bool preview() const;
    void setPreview(bool enabled);
    bool effectsEnabled() const;
    void setEffectsEnabled(bool enabled);
    // False when PEXO_NO_REAL_COMPOSITE is set, else whether the compositor
    // program is found.
    bool compositeEnabled() const;
    bool transparencyEnabled() const;
    void setTransparencyEnabled(bool enabled);
    bool shadowEnabled() const;
    void setShadowEnabled(bool enabled);
    bool shadowsForActiveEnabled() const;
    void setShadowsForActiveEnabled(bool enabled);
    bool roundedCornersEnabled() const;
    void setRoundedCornersEnabled(bool enabled);
    bool verticalSyncronizationEnabled() const;
    void setVerticalSyncronizationEnabled(bool enabled);
    bool windowAnimationsEnabled() const;
    void setWindowAnimationsEnabled(bool enabled);
    bool windowFadingEnabled() const;
    void setWindowFadingEnabled(bool enabled);

    int startMenuMapSpeed() const;
    void setStartMenuMapSpeed(int speed);
    int arrangeWindowSpeed() const;
    void setArrangeWindowSpeed(int speed);
    int gradWindowMapSpeed() const;
    void setGradWindowMapSpeed(int speed);
    WindowMapStyle::Value windowMapStyle() const;
    void setWindowMapStyle(const WindowMapStyle::Value &style);
    int menuShowDelay() const;
    void setMenuShowDelay(int delay);
    int menuHideDelay() const;
    void setMenuHideDelay(int delay);
    int gradMenuMapSpeed() const;
    void setGradMenuMapSpeed(int speed);
    int gradTaskbarMotionSpeed() const;
    void setGradTaskbarMotionSpeed(int speed);
    int taskbarShowDelay() const;
    void setTaskbarShowDelay(int delay);
    int taskbarHideDelay() const;
    void setTaskbarHideDelay(int delay);

    bool uiEffectsEnabled() const;
    void setUiEffectsEnabled(bool enabled);
    UiEffect::Value menuEffect() const;
    void setMenuEffect(const UiEffect::Value &effect);
    UiEffect::Value comboEffect() const;
    void setComboEffect(const UiEffect::Value &effect);
    UiEffect::Value tooltipEffect() const;
    void setTooltipEffect(const UiEffect::Value &effect);
    UiEffect::Value toolBoxEffect() const;
    void setToolBoxEffect(const UiEffect::Value &effect);

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    void previewChanged();
    void effectsEnabledChanged();
    void compositeEnabledChanged();
    void transparencyEnabledChanged();
    void shadowEnabledChanged();
    void shadowsForActiveEnabledChanged();
    void roundedCornersEnabledChanged();
    void verticalSyncronizationEnabledChanged();
    void windowAnimationsEnabledChanged();
    void windowFadingEnabledChanged();
    void startMenuMapSpeedChanged();
    void arrangeWindowSpeedChanged();
    void gradWindowMapSpeedChanged();
    void windowMapStyleChanged();
    void menuShowDelayChanged();
    void menuHideDelayChanged();
    void gradMenuMapSpeedChanged();
    void gradTaskbarMotionSpeedChanged();
    void taskbarShowDelayChanged();
    void taskbarHideDelayChanged();
    void uiEffectsEnabledChanged();
    void menuEffectChanged();
    void comboEffectChanged();
    void tooltipEffectChanged();
    void toolBoxEffectChanged();
    void error(const QString &error);

private Q_SLOTS:
    void updateNeedSave() override;

private:
    // The window manager's ten values, in the order of the properties; the
    // map style by its number.
    static constexpr int wmValueCount = 10;
    void setWmValue(int index, int value);
    // The value in the settings, or its default.
    int storedWmValue(int index) const;
    // Through the setters, in the order of the properties.
    void setUiEffects(const GuiEffectsList &effects);
    template<typename T>
    void setOwn(T &field, const T &value, void (Module::*changed)());

    BehaviourFrame frame;
    std::array<int, wmValueCount> wmValues;
    GuiEffectsList uiEffects;
    // The values as last read or saved: what differs from them is the page's edit.
    std::array<int, wmValueCount> takenWmValues;
    GuiEffectsList takenUiEffects;
};

#endif
