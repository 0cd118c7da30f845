#ifndef ABSTRACTSCREENSAVERREADHELPER_H
#define ABSTRACTSCREENSAVERREADHELPER_H

#include "ireadhelper.h"

// Reads the screen-saver part's values.
class PEXOTHEME_EXPORT AbstractScreenSaverReadHelper : public IReadHelper
{
public:
    virtual int readDelay() = 0;
    virtual int readLockerDpmsTimeout() = 0;
    virtual bool readLockerOnDpms() = 0;
    virtual bool readLockerOnSleep() = 0;
    virtual bool readLockerOnSwitch() = 0;
    virtual bool readLockerOnLid() = 0;
    virtual int readStartDelay() = 0;
    virtual int readPasswordTimeout() = 0;
    virtual int readBellLevel() = 0;
    virtual bool readTtyLock() = 0;
    virtual bool readXaccessLock() = 0;
    virtual bool readNumlockOn() = 0;
};

#endif
