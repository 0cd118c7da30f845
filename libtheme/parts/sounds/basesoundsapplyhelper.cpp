#include "basesoundsapplyhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

namespace {
bool writeEntry(IThemeSettings *settings, const ThemeDefaults::Entry &entry, const QVariant &value)
{
    return settings->write(entry.key, value) == IThemeSettings::Written;
}
} // namespace

BaseSoundsApplyHelper::BaseSoundsApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseSoundsApplyHelper::~BaseSoundsApplyHelper() = default;

bool BaseSoundsApplyHelper::applySoundThemeEnabled(bool enabled)
{
    return writeEntry(m_settings, ThemeDefaults::EnableSound, enabled);
}

bool BaseSoundsApplyHelper::applySoundTheme(const QString &theme)
{
    return writeEntry(m_settings, ThemeDefaults::SoundTheme, theme);
}

bool BaseSoundsApplyHelper::applyMenuPopupSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::MenuPopupSound, sound);
}

bool BaseSoundsApplyHelper::applyMenuCommandSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::MenuCommandSound, sound);
}

bool BaseSoundsApplyHelper::applyOpenSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::OpenSound, sound);
}

bool BaseSoundsApplyHelper::applyCloseSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::CloseSound, sound);
}

bool BaseSoundsApplyHelper::applyRestoreUpSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::RestoreUpSound, sound);
}

bool BaseSoundsApplyHelper::applyRestoreDownSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::RestoreDownSound, sound);
}

bool BaseSoundsApplyHelper::applyMinimizeSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::MinimizeSound, sound);
}

bool BaseSoundsApplyHelper::applyMaximizeSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::MaximizeSound, sound);
}

bool BaseSoundsApplyHelper::applySystemStartSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::SystemStartSound, sound);
}

bool BaseSoundsApplyHelper::applySystemExitSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::SystemExitSound, sound);
}

bool BaseSoundsApplyHelper::applySystemLockSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::SystemLockSound, sound);
}

bool BaseSoundsApplyHelper::applyLockerBellSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::LockerBellSound, sound);
}

bool BaseSoundsApplyHelper::applyErrorDialogSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::ErrorDialogSound, sound);
}

bool BaseSoundsApplyHelper::applyForceTrayMessageSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::ForceTrayMessageSound, sound);
}

bool BaseSoundsApplyHelper::applyOSDNotifySound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::OSDNotifySound, sound);
}

bool BaseSoundsApplyHelper::applyBaseKbSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::BaseKbSound, sound);
}

bool BaseSoundsApplyHelper::applyAltKbSound(const QString &sound)
{
    return writeEntry(m_settings, ThemeDefaults::AltKbSound, sound);
}
