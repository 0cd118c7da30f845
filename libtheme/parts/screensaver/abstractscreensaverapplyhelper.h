#ifndef ABSTRACTSCREENSAVERAPPLYHELPER_H
#define ABSTRACTSCREENSAVERAPPLYHELPER_H

#include "iapplyhelper.h"

// Stores and announces the screen-saver part's values; true when done.
class PEXOTHEME_EXPORT AbstractScreenSaverApplyHelper : public IApplyHelper
{
public:
    virtual bool applyDelay(int value) = 0;
    virtual bool applyLockerDpmsTimeout(int value) = 0;
    virtual bool applyLockerOnDpms(bool value) = 0;
    virtual bool applyLockerOnSleep(bool value) = 0;
    virtual bool applyLockerOnSwitch(bool value) = 0;
    virtual bool applyLockerOnLid(bool value) = 0;
    virtual bool applyStartDelay(int value) = 0;
    virtual bool applyPasswordTimeout(int value) = 0;
    virtual bool applyBellLevel(int value) = 0;
    virtual bool applyTtyLock(bool value) = 0;
    virtual bool applyXaccessLock(bool value) = 0;
    virtual bool applyNumlockOn(bool value) = 0;
};

#endif
