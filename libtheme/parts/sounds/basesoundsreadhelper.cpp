#include "basesoundsreadhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseSoundsReadHelper::BaseSoundsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseSoundsReadHelper::~BaseSoundsReadHelper() = default;

bool BaseSoundsReadHelper::readSoundThemeEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::EnableSound).toBool();
}

QString BaseSoundsReadHelper::readSoundTheme()
{
    return PartSettings::read(m_settings, ThemeDefaults::SoundTheme).toString();
}

QString BaseSoundsReadHelper::readMenuPopupSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MenuPopupSound).toString();
}

QString BaseSoundsReadHelper::readMenuCommandSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MenuCommandSound).toString();
}

QString BaseSoundsReadHelper::readOpenSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::OpenSound).toString();
}

QString BaseSoundsReadHelper::readCloseSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::CloseSound).toString();
}

QString BaseSoundsReadHelper::readRestoreUpSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::RestoreUpSound).toString();
}

QString BaseSoundsReadHelper::readRestoreDownSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::RestoreDownSound).toString();
}

QString BaseSoundsReadHelper::readMinimizeSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MinimizeSound).toString();
}

QString BaseSoundsReadHelper::readMaximizeSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::MaximizeSound).toString();
}

QString BaseSoundsReadHelper::readSystemStartSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::SystemStartSound).toString();
}

QString BaseSoundsReadHelper::readSystemExitSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::SystemExitSound).toString();
}

QString BaseSoundsReadHelper::readSystemLockSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::SystemLockSound).toString();
}

QString BaseSoundsReadHelper::readLockerBellSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerBellSound).toString();
}

QString BaseSoundsReadHelper::readErrorDialogSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::ErrorDialogSound).toString();
}

QString BaseSoundsReadHelper::readForceTrayMessageSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::ForceTrayMessageSound).toString();
}

QString BaseSoundsReadHelper::readOSDNotifySound()
{
    return PartSettings::read(m_settings, ThemeDefaults::OSDNotifySound).toString();
}

QString BaseSoundsReadHelper::readBaseKbSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::BaseKbSound).toString();
}

QString BaseSoundsReadHelper::readAltKbSound()
{
    return PartSettings::read(m_settings, ThemeDefaults::AltKbSound).toString();
}
