#ifndef BASESOUNDSREADHELPER_H
#define BASESOUNDSREADHELPER_H

#include "abstractsoundsreadhelper.h"

class IThemeSettings;

// Reads the sound keys of a stored theme; a missing key gives its default.
class PEXOTHEME_EXPORT BaseSoundsReadHelper : public AbstractSoundsReadHelper
{
public:
    // The settings are not owned.
    explicit BaseSoundsReadHelper(IThemeSettings *settings);
    ~BaseSoundsReadHelper() override;

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
