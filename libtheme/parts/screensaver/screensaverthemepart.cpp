#include "screensaverthemepart.h"
#include "abstractscreensaverapplyhelper.h"
#include "abstractscreensaverreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class ScreenSaverThemePartPrivate
{
public:
    explicit ScreenSaverThemePartPrivate(ScreenSaverThemePart *part)
        : q(part)
    {
    }

    ScreenSaverThemePart *const q;
    // Until the first read() or defaults(): the values of defaults().
    int delay = 600;
    int lockerDpmsTimeout = 60;
    bool lockerOnDpms = true;
    bool lockerOnSleep = true;
    bool lockerOnSwitch = true;
    bool lockerOnLid = true;
    int startDelay = 3;
    int passwordTimeout = 2;
    int bellLevel = 50;
    bool ttyLock = true;
    bool xaccessLock = false;
    bool numlockOn = false;
};

ScreenSaverThemePart::ScreenSaverThemePart(QObject *parent)
    : IThemePart(nullptr)
    , d(new ScreenSaverThemePartPrivate(this))
{
    Q_UNUSED(parent)
    for (auto signal : {&ScreenSaverThemePart::screensaverDelayChanged,
                        &ScreenSaverThemePart::lockerDpmsTimeoutChanged,
                        &ScreenSaverThemePart::lockerOnDpmsChanged,
                        &ScreenSaverThemePart::lockerOnSleepChanged,
                        &ScreenSaverThemePart::lockerOnSwitchChanged,
                        &ScreenSaverThemePart::lockerOnLidChanged,
                        &ScreenSaverThemePart::screensaverStartDelayChanged,
                        &ScreenSaverThemePart::passwordTimeoutChanged,
                        &ScreenSaverThemePart::bellLevelChanged,
                        &ScreenSaverThemePart::ttyLockChanged,
                        &ScreenSaverThemePart::xaccessLockChanged,
                        &ScreenSaverThemePart::numlockOnChanged}) {
        connect(this, signal, this, &IThemePart::changed);
    }
}

ScreenSaverThemePart::~ScreenSaverThemePart() = default;

int ScreenSaverThemePart::delay() const
{
    return d->delay;
}

int ScreenSaverThemePart::lockerDpmsTimeout() const
{
    return d->lockerDpmsTimeout;
}

bool ScreenSaverThemePart::lockerOnDpms() const
{
    return d->lockerOnDpms;
}

bool ScreenSaverThemePart::lockerOnSleep() const
{
    return d->lockerOnSleep;
}

bool ScreenSaverThemePart::lockerOnSwitch() const
{
    return d->lockerOnSwitch;
}

bool ScreenSaverThemePart::lockerOnLid() const
{
    return d->lockerOnLid;
}

int ScreenSaverThemePart::startDelay() const
{
    return d->startDelay;
}

int ScreenSaverThemePart::passwordTimeout() const
{
    return d->passwordTimeout;
}

int ScreenSaverThemePart::bellLevel() const
{
    return d->bellLevel;
}

bool ScreenSaverThemePart::ttyLock() const
{
    return d->ttyLock;
}

bool ScreenSaverThemePart::xaccessLock() const
{
    return d->xaccessLock;
}

bool ScreenSaverThemePart::numlockOn() const
{
    return d->numlockOn;
}

void ScreenSaverThemePart::setDelay(int value)
{
    PartSettings::assign(this, d->delay, value, &ScreenSaverThemePart::screensaverDelayChanged);
}

void ScreenSaverThemePart::setLockerDpmsTimeout(int value)
{
    PartSettings::assign(this, d->lockerDpmsTimeout, value, &ScreenSaverThemePart::lockerDpmsTimeoutChanged);
}

void ScreenSaverThemePart::setLockerOnDpms(bool value)
{
    PartSettings::assign(this, d->lockerOnDpms, value, &ScreenSaverThemePart::lockerOnDpmsChanged);
}

void ScreenSaverThemePart::setLockerOnSleep(bool value)
{
    PartSettings::assign(this, d->lockerOnSleep, value, &ScreenSaverThemePart::lockerOnSleepChanged);
}

void ScreenSaverThemePart::setLockerOnSwitch(bool value)
{
    PartSettings::assign(this, d->lockerOnSwitch, value, &ScreenSaverThemePart::lockerOnSwitchChanged);
}

void ScreenSaverThemePart::setLockerOnLid(bool value)
{
    PartSettings::assign(this, d->lockerOnLid, value, &ScreenSaverThemePart::lockerOnLidChanged);
}

void ScreenSaverThemePart::setStartDelay(int value)
{
    PartSettings::assign(this, d->startDelay, value, &ScreenSaverThemePart::screensaverStartDelayChanged);
}

void ScreenSaverThemePart::setPasswordTimeout(int value)
{
    PartSettings::assign(this, d->passwordTimeout, value, &ScreenSaverThemePart::passwordTimeoutChanged);
}

void ScreenSaverThemePart::setBellLevel(int value)
{
    PartSettings::assign(this, d->bellLevel, value, &ScreenSaverThemePart::bellLevelChanged);
}

void ScreenSaverThemePart::setTtyLock(bool value)
{
    PartSettings::assign(this, d->ttyLock, value, &ScreenSaverThemePart::ttyLockChanged);
}

void ScreenSaverThemePart::setXaccessLock(bool value)
{
    PartSettings::assign(this, d->xaccessLock, value, &ScreenSaverThemePart::xaccessLockChanged);
}

void ScreenSaverThemePart::setNumlockOn(bool value)
{
    PartSettings::assign(this, d->numlockOn, value, &ScreenSaverThemePart::numlockOnChanged);
}

void ScreenSaverThemePart::apply(IApplyHelper *applyHelper)
{
    auto *helper = static_cast<AbstractScreenSaverApplyHelper *>(applyHelper);
    helper->applyDelay(d->delay);
    helper->applyLockerDpmsTimeout(d->lockerDpmsTimeout);
    helper->applyLockerOnDpms(d->lockerOnDpms);
    helper->applyLockerOnSleep(d->lockerOnSleep);
    helper->applyLockerOnSwitch(d->lockerOnSwitch);
    helper->applyLockerOnLid(d->lockerOnLid);
    helper->applyStartDelay(d->startDelay);
    helper->applyPasswordTimeout(d->passwordTimeout);
    helper->applyBellLevel(d->bellLevel);
    helper->applyTtyLock(d->ttyLock);
    helper->applyXaccessLock(d->xaccessLock);
    helper->applyNumlockOn(d->numlockOn);
}

void ScreenSaverThemePart::read(IReadHelper *readHelper)
{
    auto *helper = static_cast<AbstractScreenSaverReadHelper *>(readHelper);
    setDelay(helper->readDelay());
    setLockerDpmsTimeout(helper->readLockerDpmsTimeout());
    setLockerOnDpms(helper->readLockerOnDpms());
    setLockerOnSleep(helper->readLockerOnSleep());
    setLockerOnSwitch(helper->readLockerOnSwitch());
    setLockerOnLid(helper->readLockerOnLid());
    setStartDelay(helper->readStartDelay());
    setPasswordTimeout(helper->readPasswordTimeout());
    setBellLevel(helper->readBellLevel());
    setTtyLock(helper->readTtyLock());
    setXaccessLock(helper->readXaccessLock());
    setNumlockOn(helper->readNumlockOn());
}

void ScreenSaverThemePart::defaults()
{
    setDelay(PartSettings::defaultNumber(ThemeDefaults::ScreenSaverDelay));
    setLockerDpmsTimeout(PartSettings::defaultNumber(ThemeDefaults::LockerDpmsOffTimeout));
    setLockerOnDpms(PartSettings::defaultFlag(ThemeDefaults::LockerOnDPMS));
    setLockerOnSleep(PartSettings::defaultFlag(ThemeDefaults::LockerOnSleep));
    setLockerOnSwitch(PartSettings::defaultFlag(ThemeDefaults::LockerOnSwitch));
    setLockerOnLid(PartSettings::defaultFlag(ThemeDefaults::LockerOnLid));
    setStartDelay(PartSettings::defaultNumber(ThemeDefaults::ScreenSaverStartOnDPMSDelay));
    setPasswordTimeout(PartSettings::defaultNumber(ThemeDefaults::LockerWrongPasswdTimeout));
    setBellLevel(PartSettings::defaultNumber(ThemeDefaults::LockerBellLevel));
    setTtyLock(PartSettings::defaultFlag(ThemeDefaults::LockerTTYLock));
    setXaccessLock(PartSettings::defaultFlag(ThemeDefaults::LockerXaccessLock));
    setNumlockOn(PartSettings::defaultFlag(ThemeDefaults::numLockOn));
}

bool ScreenSaverThemePart::hasChanges(IReadHelper *readHelper) const
{
    // Every value is read, also after a difference is found.
    auto *helper = static_cast<AbstractScreenSaverReadHelper *>(readHelper);
    bool changes = false;
    changes |= helper->readDelay() != d->delay;
    changes |= helper->readLockerDpmsTimeout() != d->lockerDpmsTimeout;
    changes |= helper->readLockerOnDpms() != d->lockerOnDpms;
    changes |= helper->readLockerOnSleep() != d->lockerOnSleep;
    changes |= helper->readLockerOnSwitch() != d->lockerOnSwitch;
    changes |= helper->readLockerOnLid() != d->lockerOnLid;
    changes |= helper->readStartDelay() != d->startDelay;
    changes |= helper->readPasswordTimeout() != d->passwordTimeout;
    changes |= helper->readBellLevel() != d->bellLevel;
    changes |= helper->readTtyLock() != d->ttyLock;
    changes |= helper->readXaccessLock() != d->xaccessLock;
    changes |= helper->readNumlockOn() != d->numlockOn;
    return changes;
}

void ScreenSaverThemePart::copyFrom(IThemePart *otherPart)
{
    const auto *other = qobject_cast<const ScreenSaverThemePart *>(otherPart);
    if (!other) {
        return;
    }
    setDelay(other->delay());
    setLockerDpmsTimeout(other->lockerDpmsTimeout());
    setLockerOnDpms(other->lockerOnDpms());
    setLockerOnSleep(other->lockerOnSleep());
    setLockerOnSwitch(other->lockerOnSwitch());
    setLockerOnLid(other->lockerOnLid());
    setStartDelay(other->startDelay());
    setPasswordTimeout(other->passwordTimeout());
    setBellLevel(other->bellLevel());
    setTtyLock(other->ttyLock());
    setXaccessLock(other->xaccessLock());
    setNumlockOn(other->numlockOn());
}

bool ScreenSaverThemePart::operator==(const ScreenSaverThemePart &other) const
{
    return d->delay == other.d->delay && d->lockerDpmsTimeout == other.d->lockerDpmsTimeout && d->lockerOnDpms == other.d->lockerOnDpms &&
        d->lockerOnSleep == other.d->lockerOnSleep && d->lockerOnSwitch == other.d->lockerOnSwitch && d->lockerOnLid == other.d->lockerOnLid &&
        d->startDelay == other.d->startDelay && d->passwordTimeout == other.d->passwordTimeout && d->bellLevel == other.d->bellLevel &&
        d->ttyLock == other.d->ttyLock && d->xaccessLock == other.d->xaccessLock && d->numlockOn == other.d->numlockOn;
}
