#ifndef MODULE_H
#define MODULE_H

#include <behaviourframe.h>
#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

// The screen saver and locker page: delays, when the locker engages, the
// bell, console and X access locking and Num Lock.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(int screensaverDelay READ screensaverDelay WRITE setScreensaverDelay NOTIFY screensaverDelayChanged)
    Q_PROPERTY(int lockerDpmsTimeout READ lockerDpmsTimeout WRITE setLockerDpmsTimeout NOTIFY lockerDpmsTimeoutChanged)
    Q_PROPERTY(bool lockerOnDpms READ lockerOnDpms WRITE setLockerOnDpms NOTIFY lockerOnDpmsChanged)
    Q_PROPERTY(bool lockerOnSleep READ lockerOnSleep WRITE setLockerOnSleep NOTIFY lockerOnSleepChanged)
    Q_PROPERTY(bool lockerOnSwitch READ lockerOnSwitch WRITE setLockerOnSwitch NOTIFY lockerOnSwitchChanged)
    Q_PROPERTY(bool lockerOnLid READ lockerOnLid WRITE setLockerOnLid NOTIFY lockerOnLidChanged)
    Q_PROPERTY(int screensaverStartDelay READ screensaverStartDelay WRITE setScreensaverStartDelay NOTIFY screensaverStartDelayChanged)
    Q_PROPERTY(int passwordTimeout READ passwordTimeout WRITE setPasswordTimeout NOTIFY passwordTimeoutChanged)
    Q_PROPERTY(int bellLevel READ bellLevel WRITE setBellLevel NOTIFY bellLevelChanged)
    Q_PROPERTY(bool ttyLock READ ttyLock WRITE setTtyLock NOTIFY ttyLockChanged)
    Q_PROPERTY(bool xaccessLock READ xaccessLock WRITE setXaccessLock NOTIFY xaccessLockChanged)
    Q_PROPERTY(bool numlockOn READ numlockOn WRITE setNumlockOn NOTIFY numlockOnChanged)
    Q_PROPERTY(bool hasPowerdevil READ hasPowerdevil NOTIFY hasPowerdevilChanged)
    Q_PROPERTY(bool seatList READ seatList NOTIFY seatListChanged)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    int screensaverDelay() const;
    void setScreensaverDelay(int delay);
    int lockerDpmsTimeout() const;
    void setLockerDpmsTimeout(int timeout);
    bool lockerOnDpms() const;
    void setLockerOnDpms(bool enabled);
    bool lockerOnSleep() const;
    void setLockerOnSleep(bool enabled);
    bool lockerOnSwitch() const;
    void setLockerOnSwitch(bool enabled);
    bool lockerOnLid() const;
    void setLockerOnLid(bool enabled);
    int screensaverStartDelay() const;
    void setScreensaverStartDelay(int delay);
    int passwordTimeout() const;
    void setPasswordTimeout(int timeout);
    int bellLevel() const;
    void setBellLevel(int level);
    bool ttyLock() const;
    void setTtyLock(bool enabled);
    bool xaccessLock() const;
    void setXaccessLock(bool enabled);
    bool numlockOn() const;
    void setNumlockOn(bool on);
    // Whether the power-management daemon runs, asked at every read.
    bool hasPowerdevil() const;
    // Whether PEXO_SEAT_LIST is set, empty or not.
    bool seatList() const;

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;
    // Start the power-management page and the display manager's settings.
    Q_INVOKABLE void openPowerDevilSettings();
    Q_INVOKABLE void openDmSettings();

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    void screensaverDelayChanged();
    void lockerDpmsTimeoutChanged();
    void lockerOnDpmsChanged();
    void lockerOnSleepChanged();
    void lockerOnSwitchChanged();
    void lockerOnLidChanged();
    void screensaverStartDelayChanged();
    void passwordTimeoutChanged();
    void bellLevelChanged();
    void ttyLockChanged();
    void xaccessLockChanged();
    void numlockOnChanged();
    void hasPowerdevilChanged();
    void seatListChanged();
    // A file of the settings could not be written on save.
    void error(const QString &message);

private Q_SLOTS:
    void updateNeedSave() override;

private:
    BehaviourFrame frame;
};

#endif
