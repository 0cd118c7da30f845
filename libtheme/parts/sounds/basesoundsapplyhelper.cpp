#include "basesoundsapplyhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseSoundsApplyHelper::BaseSoundsApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseSoundsApplyHelper::~BaseSoundsApplyHelper() = default;

bool BaseSoundsApplyHelper::applySoundThemeEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::EnableSound.key, enabled);
}

bool BaseSoundsApplyHelper::applySoundTheme(const QString &theme)
{
    return PartSettings::write(m_settings, ThemeDefaults::SoundTheme.key, theme);
}

bool BaseSoundsApplyHelper::applyMenuPopupSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::MenuPopupSound.key, sound);
}

bool BaseSoundsApplyHelper::applyMenuCommandSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::MenuCommandSound.key, sound);
}

bool BaseSoundsApplyHelper::applyOpenSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::OpenSound.key, sound);
}

bool BaseSoundsApplyHelper::applyCloseSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::CloseSound.key, sound);
}

bool BaseSoundsApplyHelper::applyRestoreUpSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::RestoreUpSound.key, sound);
}

bool BaseSoundsApplyHelper::applyRestoreDownSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::RestoreDownSound.key, sound);
}

bool BaseSoundsApplyHelper::applyMinimizeSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::MinimizeSound.key, sound);
}

bool BaseSoundsApplyHelper::applyMaximizeSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::MaximizeSound.key, sound);
}

bool BaseSoundsApplyHelper::applySystemStartSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::SystemStartSound.key, sound);
}

bool BaseSoundsApplyHelper::applySystemExitSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::SystemExitSound.key, sound);
}

bool BaseSoundsApplyHelper::applySystemLockSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::SystemLockSound.key, sound);
}

bool BaseSoundsApplyHelper::applyLockerBellSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::LockerBellSound.key, sound);
}

bool BaseSoundsApplyHelper::applyErrorDialogSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::ErrorDialogSound.key, sound);
}

bool BaseSoundsApplyHelper::applyForceTrayMessageSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::ForceTrayMessageSound.key, sound);
}

bool BaseSoundsApplyHelper::applyOSDNotifySound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::OSDNotifySound.key, sound);
}

bool BaseSoundsApplyHelper::applyBaseKbSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::BaseKbSound.key, sound);
}

bool BaseSoundsApplyHelper::applyAltKbSound(const QString &sound)
{
    return PartSettings::write(m_settings, ThemeDefaults::AltKbSound.key, sound);
}
