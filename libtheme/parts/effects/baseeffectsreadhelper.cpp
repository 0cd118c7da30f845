#include "baseeffectsreadhelper.h"
#include "effectsvalues.h"
#include "partsettings.h"

BaseEffectsReadHelper::BaseEffectsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseEffectsReadHelper::~BaseEffectsReadHelper() = default;

bool BaseEffectsReadHelper::readShowPreview()
{
    return EffectsValues::previewFromThumbSize(PartSettings::read(m_settings, ThemeDefaults::ThumbSize));
}

QString BaseEffectsReadHelper::readCompositeManager()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositeManager).toString();
}

bool BaseEffectsReadHelper::readEffectsEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::UseComposite).toBool();
}

bool BaseEffectsReadHelper::readTransparencyEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositorTransparencyEnabled).toBool();
}

bool BaseEffectsReadHelper::readShadowEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositorShadowsEnabled).toBool();
}

bool BaseEffectsReadHelper::readShadowsOnlyForActiveEnabled()
{
    return EffectsValues::shadowsForActiveFromFocusShadow(PartSettings::read(m_settings, ThemeDefaults::FocusShadow));
}

bool BaseEffectsReadHelper::readRoundedCornersEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositorRoundedCornersEnabled).toBool();
}

bool BaseEffectsReadHelper::readVerticalSyncronizationEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositorVerticalSyncronizationEnabled).toBool();
}

bool BaseEffectsReadHelper::readWindowAnimationsEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositorWindowAnimationsEnabled).toBool();
}

bool BaseEffectsReadHelper::readWindowFadingEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositorWindowFadingEnabled).toBool();
}
