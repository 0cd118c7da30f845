#include "currenttaskbarapplyhelper.h"
#include "partsettings.h"

CurrentTaskbarApplyHelper::CurrentTaskbarApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentTaskbarApplyHelper::~CurrentTaskbarApplyHelper() = default;

bool CurrentTaskbarApplyHelper::applyPosition(const QString &position)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::TaskbarPosition.key, position);
}

bool CurrentTaskbarApplyHelper::applyLabelsOnTaskbar(bool labels)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::NoTaskbarButtonName.key, !labels);
}

bool CurrentTaskbarApplyHelper::applyUsePager(bool usePager)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::UsePager.key, usePager);
}

bool CurrentTaskbarApplyHelper::applyButtonCombine(bool combine)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::TaskbarButtonCombine.key, combine);
}

bool CurrentTaskbarApplyHelper::applyMultiTaskbar(bool multiTaskbar)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::MultiTaskbar.key, multiTaskbar);
}

bool CurrentTaskbarApplyHelper::applySwitcherAllPages(bool allPages)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::SwitcherAllPages.key, allPages);
}

bool CurrentTaskbarApplyHelper::applyUseNationalFlags(bool useFlags)
{
    const QString image = useFlags ? QStringLiteral("flag") : QString();
    // Both keys are written, whatever the first one gives.
    const bool baseSent = PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::BaseKbImage.key, image);
    const bool altSent = PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::AltKbImage.key, image);
    return baseSent || altSent;
}
