#ifndef CURRENTSCREENSAVERAPPLYHELPER_H
#define CURRENTSCREENSAVERAPPLYHELPER_H

#include "abstractscreensaverapplyhelper.h"

class IThemeSettings;

// Writes each screen-saver value into the live settings and then tells the
// window manager.
class PEXOTHEME_EXPORT CurrentScreenSaverApplyHelper : public AbstractScreenSaverApplyHelper
{
public:
    // The settings are not owned.
    explicit CurrentScreenSaverApplyHelper(IThemeSettings *settings);
    ~CurrentScreenSaverApplyHelper() override;

    bool applyDelay(int value) override;
    bool applyLockerDpmsTimeout(int value) override;
    bool applyLockerOnDpms(bool value) override;
    bool applyLockerOnSleep(bool value) override;
    bool applyLockerOnSwitch(bool value) override;
    bool applyLockerOnLid(bool value) override;
    bool applyStartDelay(int value) override;
    bool applyPasswordTimeout(int value) override;
    bool applyBellLevel(int value) override;
    bool applyTtyLock(bool value) override;
    bool applyXaccessLock(bool value) override;
    bool applyNumlockOn(bool value) override;

private:
    IThemeSettings *const m_settings;
};

#endif
