#include "currentsoundsreadhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

CurrentSoundsReadHelper::CurrentSoundsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentSoundsReadHelper::~CurrentSoundsReadHelper() = default;

bool CurrentSoundsReadHelper::readSoundThemeEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::EnableSound).toBool();
}

QString CurrentSoundsReadHelper::readSoundTheme()
{
    return PartSettings::read(m_settings, ThemeDefaults::SoundTheme).toString();
}

QString CurrentSoundsReadHelper::readMenuPopupSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MenuPopupSound).toString();
}

QString CurrentSoundsReadHelper::readMenuCommandSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MenuCommandSound).toString();
}

QString CurrentSoundsReadHelper::readOpenSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::OpenSound).toString();
}

QString CurrentSoundsReadHelper::readCloseSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::CloseSound).toString();
}

QString CurrentSoundsReadHelper::readRestoreUpSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::RestoreUpSound).toString();
}

QString CurrentSoundsReadHelper::readRestoreDownSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::RestoreDownSound).toString();
}

QString CurrentSoundsReadHelper::readMinimizeSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MinimizeSound).toString();
}

QString CurrentSoundsReadHelper::readMaximizeSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MaximizeSound).toString();
}

QString CurrentSoundsReadHelper::readSystemStartSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::SystemStartSound).toString();
}

QString CurrentSoundsReadHelper::readSystemExitSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::SystemExitSound).toString();
}

QString CurrentSoundsReadHelper::readSystemLockSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::SystemLockSound).toString();
}

QString CurrentSoundsReadHelper::readLockerBellSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerBellSound).toString();
}

QString CurrentSoundsReadHelper::readErrorDialogSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::ErrorDialogSound).toString();
}

QString CurrentSoundsReadHelper::readForceTrayMessageSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::ForceTrayMessageSound).toString();
}

QString CurrentSoundsReadHelper::readOSDNotifySound()
{
    return PartSettings::read(m_settings, ThemeDefaults::OSDNotifySound).toString();
}

QString CurrentSoundsReadHelper::readBaseKbSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::BaseKbSound).toString();
}

QString CurrentSoundsReadHelper::readAltKbSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::AltKbSound).toString();
}
