#ifndef CURRENTSOUNDSAPPLYHELPER_H
#define CURRENTSOUNDSAPPLYHELPER_H

#include "abstractsoundsapplyhelper.h"

class IThemeSettings;

// Writes the sound keys into the live settings and, after each written key,
// sends the window-manager command with the key and the value.
class PEXOTHEME_EXPORT CurrentSoundsApplyHelper : public AbstractSoundsApplyHelper
{
public:
    // The settings are not owned.
    explicit CurrentSoundsApplyHelper(IThemeSettings *settings);
    ~CurrentSoundsApplyHelper() override;

    bool applySoundThemeEnabled(bool enabled) override;
    bool applySoundTheme(const QString &theme) override;
    bool applyMenuPopupSound(const QString &sound) override;
    bool applyMenuCommandSound(const QString &sound) override;
    bool applyOpenSound(const QString &sound) override;
    bool applyCloseSound(const QString &sound) override;
    bool applyRestoreUpSound(const QString &sound) override;
    bool applyRestoreDownSound(const QString &sound) override;
    bool applyMinimizeSound(const QString &sound) override;
    bool applyMaximizeSound(const QString &sound) override;
    bool applySystemStartSound(const QString &sound) override;
    bool applySystemExitSound(const QString &sound) override;
    bool applySystemLockSound(const QString &sound) override;
    bool applyLockerBellSound(const QString &sound) override;
    bool applyErrorDialogSound(const QString &sound) override;
    bool applyForceTrayMessageSound(const QString &sound) override;
    bool applyOSDNotifySound(const QString &sound) override;
    bool applyBaseKbSound(const QString &sound) override;
    bool applyAltKbSound(const QString &sound) override;

private:
    IThemeSettings *const m_settings;
};

#endif
