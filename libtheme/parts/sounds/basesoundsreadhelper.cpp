#include "basesoundsreadhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

namespace {
// Master over user over the key's default text.
QVariant readEntry(const IThemeSettings *settings, const ThemeDefaults::Entry &entry)
{
    return settings->read(entry.key, entry.defaultValue);
}
} // namespace

BaseSoundsReadHelper::BaseSoundsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseSoundsReadHelper::~BaseSoundsReadHelper() = default;

bool BaseSoundsReadHelper::readSoundThemeEnabled()
{
    return readEntry(m_settings, ThemeDefaults::EnableSound).toBool();
}

QString BaseSoundsReadHelper::readSoundTheme()
{
    return readEntry(m_settings, ThemeDefaults::SoundTheme).toString();
}

QString BaseSoundsReadHelper::readMenuPopupSound()
{
    return readEntry(m_settings, ThemeDefaults::MenuPopupSound).toString();
}

QString BaseSoundsReadHelper::readMenuCommandSound()
{
    return readEntry(m_settings, ThemeDefaults::MenuCommandSound).toString();
}

QString BaseSoundsReadHelper::readOpenSound()
{
    return readEntry(m_settings, ThemeDefaults::OpenSound).toString();
}

QString BaseSoundsReadHelper::readCloseSound()
{
    return readEntry(m_settings, ThemeDefaults::CloseSound).toString();
}

QString BaseSoundsReadHelper::readRestoreUpSound()
{
    return readEntry(m_settings, ThemeDefaults::RestoreUpSound).toString();
}

QString BaseSoundsReadHelper::readRestoreDownSound()
{
    return readEntry(m_settings, ThemeDefaults::RestoreDownSound).toString();
}

QString BaseSoundsReadHelper::readMinimizeSound()
{
    return readEntry(m_settings, ThemeDefaults::MinimizeSound).toString();
}

QString BaseSoundsReadHelper::readMaximizeSound()
{
    return readEntry(m_settings, ThemeDefaults::MaximizeSound).toString();
}

QString BaseSoundsReadHelper::readSystemStartSound()
{
    return readEntry(m_settings, ThemeDefaults::SystemStartSound).toString();
}

QString BaseSoundsReadHelper::readSystemExitSound()
{
    return readEntry(m_settings, ThemeDefaults::SystemExitSound).toString();
}

QString BaseSoundsReadHelper::readSystemLockSound()
{
    return readEntry(m_settings, ThemeDefaults::SystemLockSound).toString();
}

QString BaseSoundsReadHelper::readLockerBellSound()
{
    return readEntry(m_settings, ThemeDefaults::LockerBellSound).toString();
}

QString BaseSoundsReadHelper::readErrorDialogSound()
{
    return readEntry(m_settings, ThemeDefaults::ErrorDialogSound).toString();
}

QString BaseSoundsReadHelper::readForceTrayMessageSound()
{
    return readEntry(m_settings, ThemeDefaults::ForceTrayMessageSound).toString();
}

QString BaseSoundsReadHelper::readOSDNotifySound()
{
    return readEntry(m_settings, ThemeDefaults::OSDNotifySound).toString();
}

QString BaseSoundsReadHelper::readBaseKbSound()
{
    return readEntry(m_settings, ThemeDefaults::BaseKbSound).toString();
}

QString BaseSoundsReadHelper::readAltKbSound()
{
    return readEntry(m_settings, ThemeDefaults::AltKbSound).toString();
}
