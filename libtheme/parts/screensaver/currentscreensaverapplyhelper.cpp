#include "currentscreensaverapplyhelper.h"
#include "partsettings.h"

CurrentScreenSaverApplyHelper::CurrentScreenSaverApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentScreenSaverApplyHelper::~CurrentScreenSaverApplyHelper() = default;

bool CurrentScreenSaverApplyHelper::applyDelay(int value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::ScreenSaverDelay.key, value);
}

bool CurrentScreenSaverApplyHelper::applyLockerDpmsTimeout(int value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerDpmsOffTimeout.key, value);
}

bool CurrentScreenSaverApplyHelper::applyLockerOnDpms(bool value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerOnDPMS.key, value);
}

bool CurrentScreenSaverApplyHelper::applyLockerOnSleep(bool value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerOnSleep.key, value);
}

bool CurrentScreenSaverApplyHelper::applyLockerOnSwitch(bool value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerOnSwitch.key, value);
}

bool CurrentScreenSaverApplyHelper::applyLockerOnLid(bool value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerOnLid.key, value);
}

bool CurrentScreenSaverApplyHelper::applyStartDelay(int value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::ScreenSaverStartOnDPMSDelay.key, value);
}

bool CurrentScreenSaverApplyHelper::applyPasswordTimeout(int value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerWrongPasswdTimeout.key, value);
}

bool CurrentScreenSaverApplyHelper::applyBellLevel(int value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerBellLevel.key, value);
}

bool CurrentScreenSaverApplyHelper::applyTtyLock(bool value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerTTYLock.key, value);
}

bool CurrentScreenSaverApplyHelper::applyXaccessLock(bool value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::LockerXaccessLock.key, value);
}

bool CurrentScreenSaverApplyHelper::applyNumlockOn(bool value)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::numLockOn.key, value);
}
