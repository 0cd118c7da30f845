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
