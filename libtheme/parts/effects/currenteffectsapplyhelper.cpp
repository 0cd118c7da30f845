#include "currenteffectsapplyhelper.h"
#include "abstractcompositorconfig.h"
#include "effectsvalues.h"
#include "partsettings.h"
#include "x11support.h"

namespace {
// Compositing off and on again, so that the compositor rereads its file.
bool restartCompositor()
{
    const auto command = [](bool on) {
        return ThemeDefaults::wmUpdateVariableFormat.arg(ThemeDefaults::UseComposite.key, QVariant(on).toString());
    };
    const bool off = PexoWm::send(command(false), PexoWm::LegacyChannel);
    const bool on = PexoWm::send(command(true), PexoWm::LegacyChannel);
    return off || on;
}
} // namespace

CurrentEffectsApplyHelper::CurrentEffectsApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
    , m_compositorConfig(EffectsValues::compositorConfigFor(PartSettings::read(settings, ThemeDefaults::CompositeManager).toString()))
{
}

CurrentEffectsApplyHelper::~CurrentEffectsApplyHelper() = default;

bool CurrentEffectsApplyHelper::applyShowPreview(bool show)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::ThumbSize.key, EffectsValues::thumbSizeFor(show));
}

bool CurrentEffectsApplyHelper::applyCompositeManager(const QString &compositeManager)
{
    const QString stored = PartSettings::read(m_settings, ThemeDefaults::CompositeManager).toString();
    if (!PartSettings::write(m_settings, ThemeDefaults::CompositeManager.key, compositeManager)) {
        return false;
    }
    if (compositeManager != stored) {
        m_compositorConfig = EffectsValues::compositorConfigFor(compositeManager);
    }
    return true;
}

bool CurrentEffectsApplyHelper::applyEffectsEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::UseComposite.key, enabled);
}

bool CurrentEffectsApplyHelper::applyTransparencyEnabled(bool enabled)
{
    return applyCompositorOption(&AbstractCompositorConfig::setTransparencyEnabled, enabled, true);
}

bool CurrentEffectsApplyHelper::applyShadowEnabled(bool enabled)
{
    return applyCompositorOption(&AbstractCompositorConfig::setShadowEnabled, enabled, false);
}

bool CurrentEffectsApplyHelper::applyShadowsOnlyForActiveEnabled(bool enabled)
{
    return PartSettings::writeAndAnnounce(m_settings, ThemeDefaults::FocusShadow.key, EffectsValues::focusShadowFor(enabled));
}

bool CurrentEffectsApplyHelper::applyRoundedCornersEnabled(bool enabled)
{
    return applyCompositorOption(&AbstractCompositorConfig::setRoundedCornersEnabled, enabled, true);
}

bool CurrentEffectsApplyHelper::applyVerticalSyncronizationEnabled(bool enabled)
{
    return applyCompositorOption(&AbstractCompositorConfig::setVerticalSyncronizationEnabled, enabled, true);
}

bool CurrentEffectsApplyHelper::applyWindowAnimationsEnabled(bool enabled)
{
    return applyCompositorOption(&AbstractCompositorConfig::setWindowAnimationsEnabled, enabled, true);
}

bool CurrentEffectsApplyHelper::applyWindowFadingEnabled(bool enabled)
{
    return applyCompositorOption(&AbstractCompositorConfig::setWindowFadingEnabled, enabled, true);
}

bool CurrentEffectsApplyHelper::applyCompositorOption(bool (AbstractCompositorConfig::*setter)(bool), bool enabled, bool restart)
{
    if (!m_compositorConfig || !(m_compositorConfig->*setter)(enabled)) {
        return false;
    }
    // The restart ends with compositing on: not when the user has it off.
    if (!restart || !PartSettings::read(m_settings, ThemeDefaults::UseComposite).toBool()) {
        return true;
    }
    return restartCompositor();
}
