#ifndef SCREENSAVERTHEMEPART_H
#define SCREENSAVERTHEMEPART_H

#include "ithemepart.h"

#include <memory>

class ScreenSaverThemePartPrivate;

// Screen saver and locker: delays and timeouts in seconds, the events that
// engage the locker, the bell level and three further locker switches.
class PEXOTHEME_EXPORT ScreenSaverThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(int delay READ delay WRITE setDelay NOTIFY screensaverDelayChanged)
    Q_PROPERTY(int lockerDpmsTimeout READ lockerDpmsTimeout WRITE setLockerDpmsTimeout NOTIFY lockerDpmsTimeoutChanged)
    Q_PROPERTY(bool lockerOnDpms READ lockerOnDpms WRITE setLockerOnDpms NOTIFY lockerOnDpmsChanged)
    Q_PROPERTY(bool lockerOnSleep READ lockerOnSleep WRITE setLockerOnSleep NOTIFY lockerOnSleepChanged)
    Q_PROPERTY(bool lockerOnSwitch READ lockerOnSwitch WRITE setLockerOnSwitch NOTIFY lockerOnSwitchChanged)
    Q_PROPERTY(bool lockerOnLid READ lockerOnLid WRITE setLockerOnLid NOTIFY lockerOnLidChanged)
    Q_PROPERTY(int startDelay READ startDelay WRITE setStartDelay NOTIFY screensaverStartDelayChanged)
    Q_PROPERTY(int passwordTimeout READ passwordTimeout WRITE setPasswordTimeout NOTIFY passwordTimeoutChanged)
    Q_PROPERTY(int bellLevel READ bellLevel WRITE setBellLevel NOTIFY bellLevelChanged)
    Q_PROPERTY(bool ttyLock READ ttyLock WRITE setTtyLock NOTIFY ttyLockChanged)
    Q_PROPERTY(bool xaccessLock READ xaccessLock WRITE setXaccessLock NOTIFY xaccessLockChanged)
    Q_PROPERTY(bool numlockOn READ numlockOn WRITE setNumlockOn NOTIFY numlockOnChanged)
public:
    explicit ScreenSaverThemePart(QObject *parent = nullptr);
    ~ScreenSaverThemePart() override;

    int delay() const;
    int lockerDpmsTimeout() const;
    bool lockerOnDpms() const;
    bool lockerOnSleep() const;
    bool lockerOnSwitch() const;
    bool lockerOnLid() const;
    int startDelay() const;
    int passwordTimeout() const;
    int bellLevel() const;
    bool ttyLock() const;
    bool xaccessLock() const;
    bool numlockOn() const;

    void setDelay(int value);
    void setLockerDpmsTimeout(int value);
    void setLockerOnDpms(bool value);
    void setLockerOnSleep(bool value);
    void setLockerOnSwitch(bool value);
    void setLockerOnLid(bool value);
    void setStartDelay(int value);
    void setPasswordTimeout(int value);
    void setBellLevel(int value);
    void setTtyLock(bool value);
    void setXaccessLock(bool value);
    void setNumlockOn(bool value);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const ScreenSaverThemePart &other) const;

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

private:
    std::unique_ptr<ScreenSaverThemePartPrivate> const d;
};

#endif
