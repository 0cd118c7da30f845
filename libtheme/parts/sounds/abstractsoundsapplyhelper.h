#ifndef ABSTRACTSOUNDSAPPLYHELPER_H
#define ABSTRACTSOUNDSAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Pushes the values of a SoundsThemePart into a stored theme or the desktop.
class PEXOTHEME_EXPORT AbstractSoundsApplyHelper : public IApplyHelper
{
public:
    virtual bool applySoundThemeEnabled(bool enabled) = 0;
    virtual bool applySoundTheme(const QString &theme) = 0;
    virtual bool applyMenuPopupSound(const QString &sound) = 0;
    virtual bool applyMenuCommandSound(const QString &sound) = 0;
    virtual bool applyOpenSound(const QString &sound) = 0;
    virtual bool applyCloseSound(const QString &sound) = 0;
    virtual bool applyRestoreUpSound(const QString &sound) = 0;
    virtual bool applyRestoreDownSound(const QString &sound) = 0;
    virtual bool applyMinimizeSound(const QString &sound) = 0;
    virtual bool applyMaximizeSound(const QString &sound) = 0;
    virtual bool applySystemStartSound(const QString &sound) = 0;
    virtual bool applySystemExitSound(const QString &sound) = 0;
    virtual bool applySystemLockSound(const QString &sound) = 0;
    virtual bool applyLockerBellSound(const QString &sound) = 0;
    virtual bool applyErrorDialogSound(const QString &sound) = 0;
    virtual bool applyForceTrayMessageSound(const QString &sound) = 0;
    virtual bool applyOSDNotifySound(const QString &sound) = 0;
    virtual bool applyBaseKbSound(const QString &sound) = 0;
    virtual bool applyAltKbSound(const QString &sound) = 0;
};

#endif
