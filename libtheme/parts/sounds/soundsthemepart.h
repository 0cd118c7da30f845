#ifndef SOUNDSTHEMEPART_H
#define SOUNDSTHEMEPART_H

#include "ithemepart.h"

#include <QString>

#include <memory>

class SoundsThemePartPrivate;

// The event sounds of a theme: whether they are on, the sound theme's name and
// one sound file name per desktop event. Names are kept as plain text.
class PEXOTHEME_EXPORT SoundsThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(bool soundThemeEnabled READ soundThemeEnabled WRITE setSoundThemeEnabled NOTIFY soundThemeEnabledChanged)
    Q_PROPERTY(QString soundTheme READ soundTheme WRITE setSoundTheme NOTIFY soundThemeChanged)
    Q_PROPERTY(QString menuPopupSound READ menuPopupSound WRITE setMenuPopupSound NOTIFY menuPopupSoundChanged)
    Q_PROPERTY(QString menuCommandSound READ menuCommandSound WRITE setMenuCommandSound NOTIFY menuCommandSoundChanged)
    Q_PROPERTY(QString openSound READ openSound WRITE setOpenSound NOTIFY openSoundChanged)
    Q_PROPERTY(QString closeSound READ closeSound WRITE setCloseSound NOTIFY closeSoundChanged)
    Q_PROPERTY(QString restoreUpSound READ restoreUpSound WRITE setRestoreUpSound NOTIFY restoreUpSoundChanged)
    Q_PROPERTY(QString restoreDownSound READ restoreDownSound WRITE setRestoreDownSound NOTIFY restoreDownSoundChanged)
    Q_PROPERTY(QString minimizeSound READ minimizeSound WRITE setMinimizeSound NOTIFY minimizeSoundChanged)
    Q_PROPERTY(QString maximizeSound READ maximizeSound WRITE setMaximizeSound NOTIFY maximizeSoundChanged)
    Q_PROPERTY(QString systemStartSound READ systemStartSound WRITE setSystemStartSound NOTIFY systemStartSoundChanged)
    Q_PROPERTY(QString systemExitSound READ systemExitSound WRITE setSystemExitSound NOTIFY systemExitSoundChanged)
    Q_PROPERTY(QString systemLockSound READ systemLockSound WRITE setSystemLockSound NOTIFY systemLockSoundChanged)
    Q_PROPERTY(QString lockerBellSound READ lockerBellSound WRITE setLockerBellSound NOTIFY lockerBellSoundChanged)
    Q_PROPERTY(QString errorDialogSound READ errorDialogSound WRITE setErrorDialogSound NOTIFY errorDialogSoundChanged)
    Q_PROPERTY(QString forceTrayMessageSound READ forceTrayMessageSound WRITE setForceTrayMessageSound NOTIFY forceTrayMessageSoundChanged)
    Q_PROPERTY(QString osdNotifySound READ osdNotifySound WRITE setOsdNotifySound NOTIFY osdNotifySoundChanged)
    Q_PROPERTY(QString baseKbSound READ baseKbSound WRITE setBaseKbSound NOTIFY baseKbSoundChanged)
    Q_PROPERTY(QString altKbSound READ altKbSound WRITE setAltKbSound NOTIFY altKbSoundChanged)
public:
    // The desktop events, each addressing one of the event values.
    enum Sounds {
        UndefinedSound = -1,
        MenuPopup = 0,
        MenuCommand,
        Open,
        Close,
        RestoreUp,
        RestoreDown,
        Minimize,
        Maximize,
        SystemStart,
        SystemExit,
        SystemLock,
        LockerBell,
        ErrorDialog,
        ForceTrayMessage,
        OSDNotify,
        BaseKb,
        AltKb,
    };
    Q_ENUM(Sounds)

    explicit SoundsThemePart(QObject *parent = nullptr);
    ~SoundsThemePart() override;

    bool soundThemeEnabled() const;
    void setSoundThemeEnabled(bool enabled);

    const QString &soundTheme() const;
    void setSoundTheme(const QString &theme);

    const QString &menuPopupSound() const;
    void setMenuPopupSound(const QString &sound);
    const QString &menuCommandSound() const;
    void setMenuCommandSound(const QString &sound);
    const QString &openSound() const;
    void setOpenSound(const QString &sound);
    const QString &closeSound() const;
    void setCloseSound(const QString &sound);
    const QString &restoreUpSound() const;
    void setRestoreUpSound(const QString &sound);
    const QString &restoreDownSound() const;
    void setRestoreDownSound(const QString &sound);
    const QString &minimizeSound() const;
    void setMinimizeSound(const QString &sound);
    const QString &maximizeSound() const;
    void setMaximizeSound(const QString &sound);
    const QString &systemStartSound() const;
    void setSystemStartSound(const QString &sound);
    const QString &systemExitSound() const;
    void setSystemExitSound(const QString &sound);
    const QString &systemLockSound() const;
    void setSystemLockSound(const QString &sound);
    const QString &lockerBellSound() const;
    void setLockerBellSound(const QString &sound);
    const QString &errorDialogSound() const;
    void setErrorDialogSound(const QString &sound);
    const QString &forceTrayMessageSound() const;
    void setForceTrayMessageSound(const QString &sound);
    const QString &osdNotifySound() const;
    void setOsdNotifySound(const QString &sound);
    const QString &baseKbSound() const;
    void setBaseKbSound(const QString &sound);
    const QString &altKbSound() const;
    void setAltKbSound(const QString &sound);

    // The event value that the sound addresses; empty outside MenuPopup..AltKb.
    QString getSound(Sounds sound) const;
    // Sets the event value that the sound addresses; does nothing outside MenuPopup..AltKb.
    void setSound(Sounds sound, const QString &value);

    bool operator==(const SoundsThemePart &other) const;

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

Q_SIGNALS:
    void soundThemeEnabledChanged();
    void soundThemeChanged();
    void menuPopupSoundChanged();
    void menuCommandSoundChanged();
    void openSoundChanged();
    void closeSoundChanged();
    void restoreUpSoundChanged();
    void restoreDownSoundChanged();
    void minimizeSoundChanged();
    void maximizeSoundChanged();
    void systemStartSoundChanged();
    void systemExitSoundChanged();
    void systemLockSoundChanged();
    void lockerBellSoundChanged();
    void errorDialogSoundChanged();
    void forceTrayMessageSoundChanged();
    void osdNotifySoundChanged();
    void baseKbSoundChanged();
    void altKbSoundChanged();
    // Follows an event value's own change signal; not forwarded to changed().
    void soundChanged(SoundsThemePart::Sounds sound, const QString &value);

private:
    std::unique_ptr<SoundsThemePartPrivate> const d;
};

#endif
