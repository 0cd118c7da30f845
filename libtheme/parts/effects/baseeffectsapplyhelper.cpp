#include "baseeffectsapplyhelper.h"
#include "effectsvalues.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseEffectsApplyHelper::BaseEffectsApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseEffectsApplyHelper::~BaseEffectsApplyHelper() = default;

bool BaseEffectsApplyHelper::applyShowPreview(bool show)
{
    return PartSettings::write(m_settings, ThemeDefaults::ThumbSize.key, EffectsValues::thumbSizeFor(show));
}

bool BaseEffectsApplyHelper::applyCompositeManager(const QString &compositeManager)
{
    return PartSettings::write(m_settings, ThemeDefaults::CompositeManager.key, compositeManager);
}

bool BaseEffectsApplyHelper::applyEffectsEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::UseComposite.key, enabled);
}

bool BaseEffectsApplyHelper::applyTransparencyEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::CompositorTransparencyEnabled.key, enabled);
}

bool BaseEffectsApplyHelper::applyShadowEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::CompositorShadowsEnabled.key, enabled);
}

bool BaseEffectsApplyHelper::applyShadowsOnlyForActiveEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::FocusShadow.key, EffectsValues::focusShadowFor(enabled));
}

bool BaseEffectsApplyHelper::applyRoundedCornersEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::CompositorRoundedCornersEnabled.key, enabled);
}

bool BaseEffectsApplyHelper::applyVerticalSyncronizationEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::CompositorVerticalSyncronizationEnabled.key, enabled);
}

bool BaseEffectsApplyHelper::applyWindowAnimationsEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::CompositorWindowAnimationsEnabled.key, enabled);
}

bool BaseEffectsApplyHelper::applyWindowFadingEnabled(bool enabled)
{
    return PartSettings::write(m_settings, ThemeDefaults::CompositorWindowFadingEnabled.key, enabled);
}
