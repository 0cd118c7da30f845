#include "currentsoundsapplyhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

CurrentSoundsApplyHelper::CurrentSoundsApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentSoundsApplyHelper::~CurrentSoundsApplyHelper() = default;

bool CurrentSoundsApplyHelper::applySoundThemeEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::EnableSound.key, enabled);
}

bool CurrentSoundsApplyHelper::applySoundTheme(const QString &theme)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SoundTheme.key, theme);
}

bool CurrentSoundsApplyHelper::applyMenuPopupSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::MenuPopupSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyMenuCommandSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::MenuCommandSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyOpenSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::OpenSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyCloseSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::CloseSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyRestoreUpSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::RestoreUpSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyRestoreDownSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::RestoreDownSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyMinimizeSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::MinimizeSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyMaximizeSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::MaximizeSound.key, sound);
}

bool CurrentSoundsApplyHelper::applySystemStartSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SystemStartSound.key, sound);
}

bool CurrentSoundsApplyHelper::applySystemExitSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SystemExitSound.key, sound);
}

bool CurrentSoundsApplyHelper::applySystemLockSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SystemLockSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyLockerBellSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerBellSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyErrorDialogSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::ErrorDialogSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyForceTrayMessageSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::ForceTrayMessageSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyOSDNotifySound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::OSDNotifySound.key, sound);
}

bool CurrentSoundsApplyHelper::applyBaseKbSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::BaseKbSound.key, sound);
}

bool CurrentSoundsApplyHelper::applyAltKbSound(const QString &sound)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::AltKbSound.key, sound);
}
