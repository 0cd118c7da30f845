#ifndef ABSTRACTSOUNDSREADHELPER_H
#define ABSTRACTSOUNDSREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the values of a SoundsThemePart from a stored theme or the desktop.
class PEXOTHEME_EXPORT AbstractSoundsReadHelper : public IReadHelper
{
public:
    virtual bool readSoundThemeEnabled() = 0;
    virtual QString readSoundTheme() = 0;
    virtual QString readMenuPopupSound() = 0;
    virtual QString readMenuCommandSound() = 0;
    virtual QString readOpenSound() = 0;
    virtual QString readCloseSound() = 0;
    virtual QString readRestoreUpSound() = 0;
    virtual QString readRestoreDownSound() = 0;
    virtual QString readMinimizeSound() = 0;
    virtual QString readMaximizeSound() = 0;
    virtual QString readSystemStartSound() = 0;
    virtual QString readSystemExitSound() = 0;
    virtual QString readSystemLockSound() = 0;
    virtual QString readLockerBellSound() = 0;
    virtual QString readErrorDialogSound() = 0;
    virtual QString readForceTrayMessageSound() = 0;
    virtual QString readOSDNotifySound() = 0;
    virtual QString readBaseKbSound() = 0;
    virtual QString readAltKbSound() = 0;
};

#endif
