#include "currentsoundsapplyhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"
#include "utils.h"

namespace {
// The window manager is told only about a written key.
bool writeAndNotify(IThemeSettings *settings, const ThemeDefaults::Entry &entry, const QVariant &value)
{
    if (settings->write(entry.key, value) != IThemeSettings::Written) {
        return false;
    }
    return Utils::updatePexoWmVariable(entry.key, value);
}
} // namespace

CurrentSoundsApplyHelper::CurrentSoundsApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentSoundsApplyHelper::~CurrentSoundsApplyHelper() = default;

bool CurrentSoundsApplyHelper::applySoundThemeEnabled(bool enabled)
{
    return writeAndNotify(m_settings, ThemeDefaults::EnableSound, enabled);
}

bool CurrentSoundsApplyHelper::applySoundTheme(const QString &theme)
{
    return writeAndNotify(m_settings, ThemeDefaults::SoundTheme, theme);
}

bool CurrentSoundsApplyHelper::applyMenuPopupSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::MenuPopupSound, sound);
}

bool CurrentSoundsApplyHelper::applyMenuCommandSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::MenuCommandSound, sound);
}

bool CurrentSoundsApplyHelper::applyOpenSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::OpenSound, sound);
}

bool CurrentSoundsApplyHelper::applyCloseSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::CloseSound, sound);
}

bool CurrentSoundsApplyHelper::applyRestoreUpSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::RestoreUpSound, sound);
}

bool CurrentSoundsApplyHelper::applyRestoreDownSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::RestoreDownSound, sound);
}

bool CurrentSoundsApplyHelper::applyMinimizeSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::MinimizeSound, sound);
}

bool CurrentSoundsApplyHelper::applyMaximizeSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::MaximizeSound, sound);
}

bool CurrentSoundsApplyHelper::applySystemStartSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::SystemStartSound, sound);
}

bool CurrentSoundsApplyHelper::applySystemExitSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::SystemExitSound, sound);
}

bool CurrentSoundsApplyHelper::applySystemLockSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::SystemLockSound, sound);
}

bool CurrentSoundsApplyHelper::applyLockerBellSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::LockerBellSound, sound);
}

bool CurrentSoundsApplyHelper::applyErrorDialogSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::ErrorDialogSound, sound);
}

bool CurrentSoundsApplyHelper::applyForceTrayMessageSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::ForceTrayMessageSound, sound);
}

bool CurrentSoundsApplyHelper::applyOSDNotifySound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::OSDNotifySound, sound);
}

bool CurrentSoundsApplyHelper::applyBaseKbSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::BaseKbSound, sound);
}

bool CurrentSoundsApplyHelper::applyAltKbSound(const QString &sound)
{
    return writeAndNotify(m_settings, ThemeDefaults::AltKbSound, sound);
}
