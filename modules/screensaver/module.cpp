#include "module.h"

#include <personalization.h>
#include <pexoprocess.h>
#include <screensaverthemepart.h>
#include <themedefaults.h>

#include <KPluginFactory>

#include <QProcess>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_screensaver_factory, "kcm_pexo_screensaver.json", registerPlugin<Module>();)

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , frame(this, BehaviourFrame::ScreenSaver)
{
    registerProperty(QStringLiteral("screensaverDelay"), ThemeDefaults::ScreenSaverDelay.key);
    registerProperty(QStringLiteral("lockerDpmsTimeout"), ThemeDefaults::LockerDpmsOffTimeout.key);
    registerProperty(QStringLiteral("lockerOnDpms"), ThemeDefaults::LockerOnDPMS.key);
    registerProperty(QStringLiteral("lockerOnSleep"), ThemeDefaults::LockerOnSleep.key);
    registerProperty(QStringLiteral("lockerOnSwitch"), ThemeDefaults::LockerOnSwitch.key);
    registerProperty(QStringLiteral("lockerOnLid"), ThemeDefaults::LockerOnLid.key);
    registerProperty(QStringLiteral("screensaverStartDelay"), ThemeDefaults::ScreenSaverStartOnDPMSDelay.key);
    registerProperty(QStringLiteral("passwordTimeout"), ThemeDefaults::LockerWrongPasswdTimeout.key);
    registerProperty(QStringLiteral("bellLevel"), ThemeDefaults::LockerBellLevel.key);
    registerProperty(QStringLiteral("ttyLock"), ThemeDefaults::LockerTTYLock.key);
    registerProperty(QStringLiteral("xaccessLock"), ThemeDefaults::LockerXaccessLock.key);
    registerProperty(QStringLiteral("numlockOn"), ThemeDefaults::numLockOn.key);

    frame.forward(&ScreenSaverThemePart::screensaverDelayChanged, this, &Module::screensaverDelayChanged);
    frame.forward(&ScreenSaverThemePart::lockerDpmsTimeoutChanged, this, &Module::lockerDpmsTimeoutChanged);
    frame.forward(&ScreenSaverThemePart::lockerOnDpmsChanged, this, &Module::lockerOnDpmsChanged);
    frame.forward(&ScreenSaverThemePart::lockerOnSleepChanged, this, &Module::lockerOnSleepChanged);
    frame.forward(&ScreenSaverThemePart::lockerOnSwitchChanged, this, &Module::lockerOnSwitchChanged);
    frame.forward(&ScreenSaverThemePart::lockerOnLidChanged, this, &Module::lockerOnLidChanged);
    frame.forward(&ScreenSaverThemePart::screensaverStartDelayChanged, this, &Module::screensaverStartDelayChanged);
    frame.forward(&ScreenSaverThemePart::passwordTimeoutChanged, this, &Module::passwordTimeoutChanged);
    frame.forward(&ScreenSaverThemePart::bellLevelChanged, this, &Module::bellLevelChanged);
    frame.forward(&ScreenSaverThemePart::ttyLockChanged, this, &Module::ttyLockChanged);
    frame.forward(&ScreenSaverThemePart::xaccessLockChanged, this, &Module::xaccessLockChanged);
    frame.forward(&ScreenSaverThemePart::numlockOnChanged, this, &Module::numlockOnChanged);

    connect(frame.personalization(), &Personalization::changed, this, &Module::updateNeedSave);
    connect(frame.personalization(), &Personalization::error, this, &Module::error);
}

Module::~Module() = default;

int Module::screensaverDelay() const
{
    return frame.get(&ScreenSaverThemePart::delay);
}

void Module::setScreensaverDelay(int value)
{
    frame.set(&ScreenSaverThemePart::setDelay, value);
}

int Module::lockerDpmsTimeout() const
{
    return frame.get(&ScreenSaverThemePart::lockerDpmsTimeout);
}

void Module::setLockerDpmsTimeout(int value)
{
    frame.set(&ScreenSaverThemePart::setLockerDpmsTimeout, value);
}

bool Module::lockerOnDpms() const
{
    return frame.get(&ScreenSaverThemePart::lockerOnDpms);
}

void Module::setLockerOnDpms(bool value)
{
    frame.set(&ScreenSaverThemePart::setLockerOnDpms, value);
}

bool Module::lockerOnSleep() const
{
    return frame.get(&ScreenSaverThemePart::lockerOnSleep);
}

void Module::setLockerOnSleep(bool value)
{
    frame.set(&ScreenSaverThemePart::setLockerOnSleep, value);
}

bool Module::lockerOnSwitch() const
{
    return frame.get(&ScreenSaverThemePart::lockerOnSwitch);
}

void Module::setLockerOnSwitch(bool value)
{
    frame.set(&ScreenSaverThemePart::setLockerOnSwitch, value);
}

bool Module::lockerOnLid() const
{
    return frame.get(&ScreenSaverThemePart::lockerOnLid);
}

void Module::setLockerOnLid(bool value)
{
    frame.set(&ScreenSaverThemePart::setLockerOnLid, value);
}

int Module::screensaverStartDelay() const
{
    return frame.get(&ScreenSaverThemePart::startDelay);
}

void Module::setScreensaverStartDelay(int value)
{
    frame.set(&ScreenSaverThemePart::setStartDelay, value);
}

int Module::passwordTimeout() const
{
    return frame.get(&ScreenSaverThemePart::passwordTimeout);
}

void Module::setPasswordTimeout(int value)
{
    frame.set(&ScreenSaverThemePart::setPasswordTimeout, value);
}

int Module::bellLevel() const
{
    return frame.get(&ScreenSaverThemePart::bellLevel);
}

void Module::setBellLevel(int value)
{
    frame.set(&ScreenSaverThemePart::setBellLevel, value);
}

bool Module::ttyLock() const
{
    return frame.get(&ScreenSaverThemePart::ttyLock);
}

void Module::setTtyLock(bool value)
{
    frame.set(&ScreenSaverThemePart::setTtyLock, value);
}

bool Module::xaccessLock() const
{
    return frame.get(&ScreenSaverThemePart::xaccessLock);
}

void Module::setXaccessLock(bool value)
{
    frame.set(&ScreenSaverThemePart::setXaccessLock, value);
}

bool Module::numlockOn() const
{
    return frame.get(&ScreenSaverThemePart::numlockOn);
}

void Module::setNumlockOn(bool value)
{
    frame.set(&ScreenSaverThemePart::setNumlockOn, value);
}

bool Module::hasPowerdevil() const
{
    return findInPS("org_kde_powerdevil");
}

bool Module::seatList() const
{
    return qEnvironmentVariableIsSet("PEXO_SEAT_LIST");
}

bool Module::isImmutable(const QString &property) const
{
    return frame.isImmutable(keyForProperty(property));
}

void Module::openPowerDevilSettings()
{
    QProcess::startDetached(QStringLiteral("ulvar-systemsettings"), {QStringLiteral("kcm_powerdevilprofilesconfig")});
}

void Module::openDmSettings()
{
    QProcess::startDetached(QStringLiteral("pexo-admin-dm"), {QStringLiteral("screensaver")});
}

void Module::load()
{
    frame.load();
    Q_EMIT hasPowerdevilChanged();
    Q_EMIT seatListChanged();
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
