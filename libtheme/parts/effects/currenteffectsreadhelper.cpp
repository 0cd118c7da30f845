#include "currenteffectsreadhelper.h"
#include "abstractcompositorconfig.h"
#include "effectsvalues.h"
#include "partsettings.h"

CurrentEffectsReadHelper::CurrentEffectsReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentEffectsReadHelper::~CurrentEffectsReadHelper() = default;

bool CurrentEffectsReadHelper::readShowPreview()
{
    return EffectsValues::previewFromThumbSize(PartSettings::read(m_settings, ThemeDefaults::ThumbSize));
}

QString CurrentEffectsReadHelper::readCompositeManager()
{
    return PartSettings::read(m_settings, ThemeDefaults::CompositeManager).toString();
}

bool CurrentEffectsReadHelper::readEffectsEnabled()
{
    return PartSettings::read(m_settings, ThemeDefaults::UseComposite).toBool();
}

bool CurrentEffectsReadHelper::readTransparencyEnabled()
{
    return readCompositorOption(&AbstractCompositorConfig::transparencyEnabled);
}

bool CurrentEffectsReadHelper::readShadowEnabled()
{
    return readCompositorOption(&AbstractCompositorConfig::shadowEnabled);
}

bool CurrentEffectsReadHelper::readShadowsOnlyForActiveEnabled()
{
    return EffectsValues::shadowsForActiveFromFocusShadow(PartSettings::read(m_settings, ThemeDefaults::FocusShadow));
}

bool CurrentEffectsReadHelper::readRoundedCornersEnabled()
{
    return readCompositorOption(&AbstractCompositorConfig::roundedCornersEnabled);
}

bool CurrentEffectsReadHelper::readVerticalSyncronizationEnabled()
{
    return readCompositorOption(&AbstractCompositorConfig::verticalSyncronizationEnabled);
}

bool CurrentEffectsReadHelper::readWindowAnimationsEnabled()
{
    return readCompositorOption(&AbstractCompositorConfig::windowAnimationsEnabled);
}

bool CurrentEffectsReadHelper::readWindowFadingEnabled()
{
    return readCompositorOption(&AbstractCompositorConfig::windowFadingEnabled);
}

void CurrentEffectsReadHelper::ensureCompositorConfigUpToDate()
{
    const QString compositeManager = readCompositeManager();
    if (compositeManager == m_compositeManager) {
        return;
    }
    m_compositeManager = compositeManager;
    m_compositorConfig = EffectsValues::compositorConfigFor(compositeManager);
}

bool CurrentEffectsReadHelper::readCompositorOption(bool (AbstractCompositorConfig::*getter)() const)
{
    ensureCompositorConfigUpToDate();
    return m_compositorConfig && (m_compositorConfig->*getter)();
}
