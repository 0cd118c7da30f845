#include "soundsthemepart.h"
#include "abstractsoundsapplyhelper.h"
#include "abstractsoundsreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

#include <array>

namespace {
constexpr int EventCount = SoundsThemePart::AltKb + 1;

// One row per event value, indexed by SoundsThemePart::Sounds.
struct EventRow
{
    const ThemeDefaults::Entry *entry;
    void (SoundsThemePart::*changedSignal)();
    bool (AbstractSoundsApplyHelper::*apply)(const QString &);
    QString (AbstractSoundsReadHelper::*read)();
};

// clang-format off
const EventRow eventRows[EventCount] = {
    {&ThemeDefaults::MenuPopupSound, &SoundsThemePart::menuPopupSoundChanged, &AbstractSoundsApplyHelper::applyMenuPopupSound, &AbstractSoundsReadHelper::readMenuPopupSound},
    {&ThemeDefaults::MenuCommandSound, &SoundsThemePart::menuCommandSoundChanged, &AbstractSoundsApplyHelper::applyMenuCommandSound, &AbstractSoundsReadHelper::readMenuCommandSound},
    {&ThemeDefaults::OpenSound, &SoundsThemePart::openSoundChanged, &AbstractSoundsApplyHelper::applyOpenSound, &AbstractSoundsReadHelper::readOpenSound},
    {&ThemeDefaults::CloseSound, &SoundsThemePart::closeSoundChanged, &AbstractSoundsApplyHelper::applyCloseSound, &AbstractSoundsReadHelper::readCloseSound},
    {&ThemeDefaults::RestoreUpSound, &SoundsThemePart::restoreUpSoundChanged, &AbstractSoundsApplyHelper::applyRestoreUpSound, &AbstractSoundsReadHelper::readRestoreUpSound},
    {&ThemeDefaults::RestoreDownSound, &SoundsThemePart::restoreDownSoundChanged, &AbstractSoundsApplyHelper::applyRestoreDownSound, &AbstractSoundsReadHelper::readRestoreDownSound},
    {&ThemeDefaults::MinimizeSound, &SoundsThemePart::minimizeSoundChanged, &AbstractSoundsApplyHelper::applyMinimizeSound, &AbstractSoundsReadHelper::readMinimizeSound},
    {&ThemeDefaults::MaximizeSound, &SoundsThemePart::maximizeSoundChanged, &AbstractSoundsApplyHelper::applyMaximizeSound, &AbstractSoundsReadHelper::readMaximizeSound},
    {&ThemeDefaults::SystemStartSound, &SoundsThemePart::systemStartSoundChanged, &AbstractSoundsApplyHelper::applySystemStartSound, &AbstractSoundsReadHelper::readSystemStartSound},
    {&ThemeDefaults::SystemExitSound, &SoundsThemePart::systemExitSoundChanged, &AbstractSoundsApplyHelper::applySystemExitSound, &AbstractSoundsReadHelper::readSystemExitSound},
    {&ThemeDefaults::SystemLockSound, &SoundsThemePart::systemLockSoundChanged, &AbstractSoundsApplyHelper::applySystemLockSound, &AbstractSoundsReadHelper::readSystemLockSound},
    {&ThemeDefaults::LockerBellSound, &SoundsThemePart::lockerBellSoundChanged, &AbstractSoundsApplyHelper::applyLockerBellSound, &AbstractSoundsReadHelper::readLockerBellSound},
    {&ThemeDefaults::ErrorDialogSound, &SoundsThemePart::errorDialogSoundChanged, &AbstractSoundsApplyHelper::applyErrorDialogSound, &AbstractSoundsReadHelper::readErrorDialogSound},
    {&ThemeDefaults::ForceTrayMessageSound, &SoundsThemePart::forceTrayMessageSoundChanged, &AbstractSoundsApplyHelper::applyForceTrayMessageSound, &AbstractSoundsReadHelper::readForceTrayMessageSound},
    {&ThemeDefaults::OSDNotifySound, &SoundsThemePart::osdNotifySoundChanged, &AbstractSoundsApplyHelper::applyOSDNotifySound, &AbstractSoundsReadHelper::readOSDNotifySound},
    {&ThemeDefaults::BaseKbSound, &SoundsThemePart::baseKbSoundChanged, &AbstractSoundsApplyHelper::applyBaseKbSound, &AbstractSoundsReadHelper::readBaseKbSound},
    {&ThemeDefaults::AltKbSound, &SoundsThemePart::altKbSoundChanged, &AbstractSoundsApplyHelper::applyAltKbSound, &AbstractSoundsReadHelper::readAltKbSound},
};
// clang-format on

bool isEvent(int sound)
{
    return sound >= 0 && sound < EventCount;
}
} // namespace

class SoundsThemePartPrivate
{
public:
    explicit SoundsThemePartPrivate(SoundsThemePart *part)
        : q(part)
    {
    }

    // Stores an event value; emits its own signal, then soundChanged.
    void setEvent(SoundsThemePart::Sounds sound, const QString &value);

    SoundsThemePart *const q;
    // The value after defaults().
    bool soundThemeEnabled = false;
    QString soundTheme;
    std::array<QString, EventCount> events;
};

void SoundsThemePartPrivate::setEvent(SoundsThemePart::Sounds sound, const QString &value)
{
    QString &held = events[sound];
    if (held == value) {
        return;
    }
    held = value;
    Q_EMIT(q->*eventRows[sound].changedSignal)();
    Q_EMIT q->soundChanged(sound, held);
}

SoundsThemePart::SoundsThemePart(QObject *parent)
    : IThemePart(parent)
    , d(new SoundsThemePartPrivate(this))
{
    qRegisterMetaType<SoundsThemePart::Sounds>("SoundsThemePart::Sounds");
    connect(this, &SoundsThemePart::soundThemeEnabledChanged, this, &IThemePart::changed);
    connect(this, &SoundsThemePart::soundThemeChanged, this, &IThemePart::changed);
    for (const EventRow &row : eventRows) {
        connect(this, row.changedSignal, this, &IThemePart::changed);
    }
}

SoundsThemePart::~SoundsThemePart() = default;

bool SoundsThemePart::soundThemeEnabled() const
{
    return d->soundThemeEnabled;
}

void SoundsThemePart::setSoundThemeEnabled(bool enabled)
{
    PartSettings::assign(this, d->soundThemeEnabled, enabled, &SoundsThemePart::soundThemeEnabledChanged);
}

const QString &SoundsThemePart::soundTheme() const
{
    return d->soundTheme;
}

void SoundsThemePart::setSoundTheme(const QString &theme)
{
    PartSettings::assign(this, d->soundTheme, theme, &SoundsThemePart::soundThemeChanged);
}

const QString &SoundsThemePart::menuPopupSound() const
{
    return d->events[MenuPopup];
}

void SoundsThemePart::setMenuPopupSound(const QString &sound)
{
    d->setEvent(MenuPopup, sound);
}

const QString &SoundsThemePart::menuCommandSound() const
{
    return d->events[MenuCommand];
}

void SoundsThemePart::setMenuCommandSound(const QString &sound)
{
    d->setEvent(MenuCommand, sound);
}

const QString &SoundsThemePart::openSound() const
{
    return d->events[Open];
}

void SoundsThemePart::setOpenSound(const QString &sound)
{
    d->setEvent(Open, sound);
}

const QString &SoundsThemePart::closeSound() const
{
    return d->events[Close];
}

void SoundsThemePart::setCloseSound(const QString &sound)
{
    d->setEvent(Close, sound);
}

const QString &SoundsThemePart::restoreUpSound() const
{
    return d->events[RestoreUp];
}

void SoundsThemePart::setRestoreUpSound(const QString &sound)
{
    d->setEvent(RestoreUp, sound);
}

const QString &SoundsThemePart::restoreDownSound() const
{
    return d->events[RestoreDown];
}

void SoundsThemePart::setRestoreDownSound(const QString &sound)
{
    d->setEvent(RestoreDown, sound);
}

const QString &SoundsThemePart::minimizeSound() const
{
    return d->events[Minimize];
}

void SoundsThemePart::setMinimizeSound(const QString &sound)
{
    d->setEvent(Minimize, sound);
}

const QString &SoundsThemePart::maximizeSound() const
{
    return d->events[Maximize];
}

void SoundsThemePart::setMaximizeSound(const QString &sound)
{
    d->setEvent(Maximize, sound);
}

const QString &SoundsThemePart::systemStartSound() const
{
    return d->events[SystemStart];
}

void SoundsThemePart::setSystemStartSound(const QString &sound)
{
    d->setEvent(SystemStart, sound);
}

const QString &SoundsThemePart::systemExitSound() const
{
    return d->events[SystemExit];
}

void SoundsThemePart::setSystemExitSound(const QString &sound)
{
    d->setEvent(SystemExit, sound);
}

const QString &SoundsThemePart::systemLockSound() const
{
    return d->events[SystemLock];
}

void SoundsThemePart::setSystemLockSound(const QString &sound)
{
    d->setEvent(SystemLock, sound);
}

const QString &SoundsThemePart::lockerBellSound() const
{
    return d->events[LockerBell];
}

void SoundsThemePart::setLockerBellSound(const QString &sound)
{
    d->setEvent(LockerBell, sound);
}

const QString &SoundsThemePart::errorDialogSound() const
{
    return d->events[ErrorDialog];
}

void SoundsThemePart::setErrorDialogSound(const QString &sound)
{
    d->setEvent(ErrorDialog, sound);
}

const QString &SoundsThemePart::forceTrayMessageSound() const
{
    return d->events[ForceTrayMessage];
}

void SoundsThemePart::setForceTrayMessageSound(const QString &sound)
{
    d->setEvent(ForceTrayMessage, sound);
}

const QString &SoundsThemePart::osdNotifySound() const
{
    return d->events[OSDNotify];
}

void SoundsThemePart::setOsdNotifySound(const QString &sound)
{
    d->setEvent(OSDNotify, sound);
}

const QString &SoundsThemePart::baseKbSound() const
{
    return d->events[BaseKb];
}

void SoundsThemePart::setBaseKbSound(const QString &sound)
{
    d->setEvent(BaseKb, sound);
}

const QString &SoundsThemePart::altKbSound() const
{
    return d->events[AltKb];
}

void SoundsThemePart::setAltKbSound(const QString &sound)
{
    d->setEvent(AltKb, sound);
}

QString SoundsThemePart::getSound(Sounds sound) const
{
    return isEvent(sound) ? d->events[sound] : QString();
}

void SoundsThemePart::setSound(Sounds sound, const QString &value)
{
    if (isEvent(sound)) {
        d->setEvent(sound, value);
    }
}

bool SoundsThemePart::operator==(const SoundsThemePart &other) const
{
    // std::array compares element by element and stops at the first difference.
    return d->soundThemeEnabled == other.d->soundThemeEnabled && d->soundTheme == other.d->soundTheme && d->events == other.d->events;
}

void SoundsThemePart::apply(IApplyHelper *helper)
{
    auto *sounds = static_cast<AbstractSoundsApplyHelper *>(helper);
    sounds->applySoundThemeEnabled(d->soundThemeEnabled);
    sounds->applySoundTheme(d->soundTheme);
    for (int i = 0; i < EventCount; ++i) {
        (sounds->*eventRows[i].apply)(d->events[i]);
    }
}

void SoundsThemePart::read(IReadHelper *helper)
{
    auto *sounds = static_cast<AbstractSoundsReadHelper *>(helper);
    setSoundThemeEnabled(sounds->readSoundThemeEnabled());
    setSoundTheme(sounds->readSoundTheme());
    for (int i = 0; i < EventCount; ++i) {
        d->setEvent(Sounds(i), (sounds->*eventRows[i].read)());
    }
}

void SoundsThemePart::defaults()
{
    setSoundThemeEnabled(PartSettings::defaultFlag(ThemeDefaults::EnableSound));
    setSoundTheme(ThemeDefaults::SoundTheme.defaultValue);
    for (int i = 0; i < EventCount; ++i) {
        d->setEvent(Sounds(i), eventRows[i].entry->defaultValue);
    }
}

bool SoundsThemePart::hasChanges(IReadHelper *helper) const
{
    auto *sounds = static_cast<AbstractSoundsReadHelper *>(helper);
    // Every value is read, without stopping at the first difference.
    bool changed = sounds->readSoundThemeEnabled() != d->soundThemeEnabled;
    changed |= sounds->readSoundTheme() != d->soundTheme;
    for (int i = 0; i < EventCount; ++i) {
        changed |= (sounds->*eventRows[i].read)() != d->events[i];
    }
    return changed;
}

void SoundsThemePart::copyFrom(IThemePart *other)
{
    const auto *sounds = qobject_cast<const SoundsThemePart *>(other);
    if (!sounds) {
        return;
    }
    setSoundThemeEnabled(sounds->soundThemeEnabled());
    setSoundTheme(sounds->soundTheme());
    for (int i = 0; i < EventCount; ++i) {
        d->setEvent(Sounds(i), sounds->d->events[i]);
    }
}
