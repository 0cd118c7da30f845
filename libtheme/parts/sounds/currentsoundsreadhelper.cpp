#include "currentsoundsreadhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

namespace {
// Master over user over the key's default text.
QVariant readEntry(const IThemeSettings *settings, const ThemeDefaults::Entry &entry)
{
    return settings->read(entry.key, entry.defaultValue);
}
} // namespace

CurrentSoundsReadHelper::CurrentSoundsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentSoundsReadHelper::~CurrentSoundsReadHelper() = default;

bool CurrentSoundsReadHelper::readSoundThemeEnabled()
{
    return readEntry(m_settings, ThemeDefaults::EnableSound).toBool();
}

QString CurrentSoundsReadHelper::readSoundTheme()
{
    return readEntry(m_settings, ThemeDefaults::SoundTheme).toString();
}

QString CurrentSoundsReadHelper::readMenuPopupSound()
{
    return readEntry(m_settings, ThemeDefaults::MenuPopupSound).toString();
}

QString CurrentSoundsReadHelper::readMenuCommandSound()
{
    return readEntry(m_settings, ThemeDefaults::MenuCommandSound).toString();
}

QString CurrentSoundsReadHelper::readOpenSound()
{
    return readEntry(m_settings, ThemeDefaults::OpenSound).toString();
}

QString CurrentSoundsReadHelper::readCloseSound()
{
    return readEntry(m_settings, ThemeDefaults::CloseSound).toString();
}

QString CurrentSoundsReadHelper::readRestoreUpSound()
{
    return readEntry(m_settings, ThemeDefaults::RestoreUpSound).toString();
}

QString CurrentSoundsReadHelper::readRestoreDownSound()
{
    return readEntry(m_settings, ThemeDefaults::RestoreDownSound).toString();
}

QString CurrentSoundsReadHelper::readMinimizeSound()
{
    return readEntry(m_settings, ThemeDefaults::MinimizeSound).toString();
}

QString CurrentSoundsReadHelper::readMaximizeSound()
{
    return readEntry(m_settings, ThemeDefaults::MaximizeSound).toString();
}

QString CurrentSoundsReadHelper::readSystemStartSound()
{
    return readEntry(m_settings, ThemeDefaults::SystemStartSound).toString();
}

QString CurrentSoundsReadHelper::readSystemExitSound()
{
    return readEntry(m_settings, ThemeDefaults::SystemExitSound).toString();
}

QString CurrentSoundsReadHelper::readSystemLockSound()
{
    return readEntry(m_settings, ThemeDefaults::SystemLockSound).toString();
}

QString CurrentSoundsReadHelper::readLockerBellSound()
{
    return readEntry(m_settings, ThemeDefaults::LockerBellSound).toString();
}

QString CurrentSoundsReadHelper::readErrorDialogSound()
{
    return readEntry(m_settings, ThemeDefaults::ErrorDialogSound).toString();
}

QString CurrentSoundsReadHelper::readForceTrayMessageSound()
{
    return readEntry(m_settings, ThemeDefaults::ForceTrayMessageSound).toString();
}

QString CurrentSoundsReadHelper::readOSDNotifySound()
{
    return readEntry(m_settings, ThemeDefaults::OSDNotifySound).toString();
}

QString CurrentSoundsReadHelper::readBaseKbSound()
{
    return readEntry(m_settings, ThemeDefaults::BaseKbSound).toString();
}

QString CurrentSoundsReadHelper::readAltKbSound()
{
    return readEntry(m_settings, ThemeDefaults::AltKbSound).toString();
}
