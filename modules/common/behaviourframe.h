#ifndef BEHAVIOURFRAME_H
#define BEHAVIOURFRAME_H

#include <QObject>
#include <QString>

#include <memory>
#include <type_traits>

namespace KQuickAddons {
class ConfigModule;
}
class BehaviourFramePrivate;
class DesktopThemePart;
class EffectsThemePart;
class IThemeSettings;
class Personalization;
class ScreenSaverThemePart;
class SizesThemePart;
class TaskbarThemePart;
class WmThemePart;

// What a behaviour page's Module holds of the settings: its own
// Personalization over the live settings (a Qt child of the module) and the
// part the page edits. Property accessors forward to that part:
//
//     bool Module::usePager() const { return frame.get(&TaskbarThemePart::usePager); }
//     void Module::setUsePager(bool use) { frame.set(&TaskbarThemePart::setUsePager, use); }
//     frame.forward(&TaskbarThemePart::usePagerChanged, this, &Module::usePagerChanged);
//
// Only the page's own part is compared with and written to the settings, so
// values that other pages changed in the other parts are never written back.
class BehaviourFrame
{
public:
    enum OwnPart {
        Taskbar,
        Desktop,
        Wm,
        Sizes,
        ScreenSaver,
        Effects,
    };

    // Builds the Personalization, with module as its parent; reads nothing.
    BehaviourFrame(QObject *module, OwnPart ownPart);
    ~BehaviourFrame();

    BehaviourFrame(const BehaviourFrame &) = delete;
    BehaviourFrame &operator=(const BehaviourFrame &) = delete;

    Personalization *personalization() const;
    // The layered live settings (master over current.themerc).
    IThemeSettings *settings() const;

    // The Personalization's part of that class.
    template<typename Part>
    std::shared_ptr<Part> part() const;

    // The part's value, by value.
    template<typename Part, typename Value>
    std::decay_t<Value> get(Value (Part::*getter)() const) const
    {
        return (part<Part>().get()->*getter)();
    }

    // Hands the value to the part's setter, which announces real changes.
    template<typename Part, typename Argument, typename Value>
    void set(void (Part::*setter)(Argument), const Value &value)
    {
        (part<Part>().get()->*setter)(value);
    }

    // Relays the part's change signal as the module's own signal.
    template<typename Part, typename Module>
    void forward(void (Part::*partSignal)(), Module *module, void (Module::*moduleSignal)()) const
    {
        QObject::connect(part<Part>().get(), partSignal, module, moduleSignal);
    }

    // Reads every part from the settings.
    void load();
    // Writes the own part and syncs, when it differs from the settings,
    // under the session lock: the part as the settings hold it then, with
    // the values that the page changed since load() or the last save. False, with the Personalization's error(),
    // when the lock was not taken or a file could not be written: what was
    // not written still differs from the settings.
    bool save();
    // The same, for a page that holds the lock over more of its save.
    bool saveHeld();
    // Resets the own part; writes nothing.
    void defaults();
    // True when the own part differs from the settings.
    bool hasChanges() const;
    // Passes hasChanges() to a QML page and announces it (in PexoModuleCommon).
    void updateNeedSave(KQuickAddons::ConfigModule *module) const;
    // True when the administrator's master file holds the key.
    bool isImmutable(const QString &key) const;

private:
    std::unique_ptr<BehaviourFramePrivate> const d;
};

template<>
std::shared_ptr<TaskbarThemePart> BehaviourFrame::part<TaskbarThemePart>() const;
template<>
std::shared_ptr<DesktopThemePart> BehaviourFrame::part<DesktopThemePart>() const;
template<>
std::shared_ptr<WmThemePart> BehaviourFrame::part<WmThemePart>() const;
template<>
std::shared_ptr<SizesThemePart> BehaviourFrame::part<SizesThemePart>() const;
template<>
std::shared_ptr<ScreenSaverThemePart> BehaviourFrame::part<ScreenSaverThemePart>() const;
template<>
std::shared_ptr<EffectsThemePart> BehaviourFrame::part<EffectsThemePart>() const;

#endif
