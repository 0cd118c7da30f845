#include "effectsvalues.h"
#include "comptoncompositorconfig.h"
#include "pexocompositorconfig.h"

namespace {
constexpr int PreviewOn = -1;
constexpr int PreviewOff = 0;
constexpr int FocusShadowOn = -100;
constexpr int FocusShadowOff = -1;
} // namespace

int EffectsValues::thumbSizeFor(bool preview)
{
    return preview ? PreviewOn : PreviewOff;
}

bool EffectsValues::previewFromThumbSize(const QVariant &thumbSize)
{
    return thumbSize.toInt() == PreviewOn;
}

int EffectsValues::focusShadowFor(bool shadowsForActive)
{
    return shadowsForActive ? FocusShadowOn : FocusShadowOff;
}

bool EffectsValues::shadowsForActiveFromFocusShadow(const QVariant &focusShadow)
{
    return focusShadow.toInt() < FocusShadowOff;
}

AbstractCompositorConfig *EffectsValues::compositorConfigFor(const QString &compositeManager)
{
    if (compositeManager.contains(QLatin1String("compton")) || compositeManager.contains(QLatin1String("picom"))) {
        return ComptonCompositorConfig::instance();
    }
    if (compositeManager.contains(QLatin1String("pexo-kompmgr"))) {
        return PexoCompositorConfig::instance();
    }
    return nullptr;
}
