#ifndef CURRENTSCREENSAVERREADHELPER_H
#define CURRENTSCREENSAVERREADHELPER_H

#include "abstractscreensaverreadhelper.h"

class IThemeSettings;

// Reads the screen-saver values from the live settings; a number key holding
// no number reads 0.
class PEXOTHEME_EXPORT CurrentScreenSaverReadHelper : public AbstractScreenSaverReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentScreenSaverReadHelper(IThemeSettings *settings);
    ~CurrentScreenSaverReadHelper() override;

    int readDelay() override;
    int readLockerDpmsTimeout() override;
    bool readLockerOnDpms() override;
    bool readLockerOnSleep() override;
    bool readLockerOnSwitch() override;
    bool readLockerOnLid() override;
    int readStartDelay() override;
    int readPasswordTimeout() override;
    int readBellLevel() override;
    bool readTtyLock() override;
    bool readXaccessLock() override;
    bool readNumlockOn() override;

private:
    IThemeSettings *const m_settings;
};

#endif
