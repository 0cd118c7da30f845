#include "currenttaskbarreadhelper.h"
#include "partsettings.h"

CurrentTaskbarReadHelper::CurrentTaskbarReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentTaskbarReadHelper::~CurrentTaskbarReadHelper() = default;

QString CurrentTaskbarReadHelper::readPosition()
{
    return PartSettings::read(m_settings, ThemeDefaults::TaskbarPosition).toString();
}

bool CurrentTaskbarReadHelper::readLabelsOnTaskbar()
{
    return !PartSettings::read(m_settings, ThemeDefaults::NoTaskbarButtonName).toBool();
}

bool CurrentTaskbarReadHelper::readUsePager()
{
    return PartSettings::read(m_settings, ThemeDefaults::UsePager).toBool();
}

bool CurrentTaskbarReadHelper::readButtonCombine()
{
    return PartSettings::read(m_settings, ThemeDefaults::TaskbarButtonCombine).toBool();
}

bool CurrentTaskbarReadHelper::readMultiTaskbar()
{
    return PartSettings::read(m_settings, ThemeDefaults::MultiTaskbar).toBool();
}

bool CurrentTaskbarReadHelper::readSwitcherAllPages()
{
    return PartSettings::read(m_settings, ThemeDefaults::SwitcherAllPages).toBool();
}

bool CurrentTaskbarReadHelper::readUseNationalFlags()
{
    const QString flag = QStringLiteral("flag");
    const QString base = PartSettings::read(m_settings, ThemeDefaults::BaseKbImage).toString();
    const QString alt = PartSettings::read(m_settings, ThemeDefaults::AltKbImage).toString();
    return base.compare(flag, Qt::CaseInsensitive) == 0 || alt.compare(flag, Qt::CaseInsensitive) == 0;
}
