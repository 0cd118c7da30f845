#include "currentscreensaverreadhelper.h"
#include "partsettings.h"

CurrentScreenSaverReadHelper::CurrentScreenSaverReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentScreenSaverReadHelper::~CurrentScreenSaverReadHelper() = default;

int CurrentScreenSaverReadHelper::readDelay()
{
    return PartSettings::read(m_settings, ThemeDefaults::ScreenSaverDelay).toInt();
}

int CurrentScreenSaverReadHelper::readLockerDpmsTimeout()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerDpmsOffTimeout).toInt();
}

bool CurrentScreenSaverReadHelper::readLockerOnDpms()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerOnDPMS).toBool();
}

bool CurrentScreenSaverReadHelper::readLockerOnSleep()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerOnSleep).toBool();
}

bool CurrentScreenSaverReadHelper::readLockerOnSwitch()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerOnSwitch).toBool();
}

bool CurrentScreenSaverReadHelper::readLockerOnLid()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerOnLid).toBool();
}

int CurrentScreenSaverReadHelper::readStartDelay()
{
    return PartSettings::read(m_settings, ThemeDefaults::ScreenSaverStartOnDPMSDelay).toInt();
}

int CurrentScreenSaverReadHelper::readPasswordTimeout()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerWrongPasswdTimeout).toInt();
}

int CurrentScreenSaverReadHelper::readBellLevel()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerBellLevel).toInt();
}

bool CurrentScreenSaverReadHelper::readTtyLock()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerTTYLock).toBool();
}

bool CurrentScreenSaverReadHelper::readXaccessLock()
{
    return PartSettings::read(m_settings, ThemeDefaults::LockerXaccessLock).toBool();
}

bool CurrentScreenSaverReadHelper::readNumlockOn()
{
    return PartSettings::read(m_settings, ThemeDefaults::numLockOn).toBool();
}
