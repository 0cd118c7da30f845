#ifndef CURRENTSOUNDSREADHELPER_H
#define CURRENTSOUNDSREADHELPER_H

#include "abstractsoundsreadhelper.h"

class IThemeSettings;

// Reads the sound keys of the live settings; a missing key gives its default.
class PEXOTHEME_EXPORT CurrentSoundsReadHelper : public AbstractSoundsReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentSoundsReadHelper(IThemeSettings *settings);
    ~CurrentSoundsReadHelper() override;

    bool readSoundThemeEnabled() override;
    QString readSoundTheme() override;
    QString readMenuPopupSound() override;
    QString readMenuCommandSound() override;
    QString readOpenSound() override;
    QString readCloseSound() override;
    QString readRestoreUpSound() override;
    QString readRestoreDownSound() override;
    QString readMinimizeSound() override;
    QString readMaximizeSound() override;
    QString readSystemStartSound() override;
    QString readSystemExitSound() override;
    QString readSystemLockSound() override;
    QString readLockerBellSound() override;
    QString readErrorDialogSound() override;
    QString readForceTrayMessageSound() override;
    QString readOSDNotifySound() override;
    QString readBaseKbSound() override;
    QString readAltKbSound() override;

private:
    IThemeSettings *const m_settings;
};

#endif
