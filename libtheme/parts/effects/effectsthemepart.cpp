#include "effectsthemepart.h"
#include "abstracteffectsapplyhelper.h"
#include "abstracteffectsreadhelper.h"
#include "effectsvalues.h"
#include "partsettings.h"
#include "themedefaults.h"

class EffectsThemePartPrivate
{
public:
    explicit EffectsThemePartPrivate(EffectsThemePart *part)
        : q(part)
    {
    }

    // Until the first read() or defaults(): the values of defaults(), no compositor.
    bool preview = true;
    QString compositeManager;
    bool effectsEnabled = true;
    bool transparencyEnabled = true;
    bool shadowEnabled = false;
    bool shadowsForActiveEnabled = true;
    bool roundedCornersEnabled = true;
    bool verticalSyncronizationEnabled = true;
    bool windowAnimationsEnabled = false;
    bool windowFadingEnabled = false;
    EffectsThemePart *const q;
};

EffectsThemePart::EffectsThemePart(QObject *parent)
    : IThemePart(parent)
    , d(new EffectsThemePartPrivate(this))
{
    // compositeManagerChanged() alone is not a change of the part.
    for (auto signal : {&EffectsThemePart::previewChanged,
                        &EffectsThemePart::effectsEnabledChanged,
                        &EffectsThemePart::transparencyEnabledChanged,
                        &EffectsThemePart::shadowEnabledChanged,
                        &EffectsThemePart::shadowsForActiveEnabledChanged,
                        &EffectsThemePart::roundedCornersEnabledChanged,
                        &EffectsThemePart::verticalSyncronizationEnabledChanged,
                        &EffectsThemePart::windowAnimationsEnabledChanged,
                        &EffectsThemePart::windowFadingEnabledChanged}) {
        connect(this, signal, this, &IThemePart::changed);
    }
}

EffectsThemePart::~EffectsThemePart() = default;

bool EffectsThemePart::preview() const
{
    return d->preview;
}

const QString &EffectsThemePart::compositeManager() const
{
    return d->compositeManager;
}

bool EffectsThemePart::effectsEnabled() const
{
    return d->effectsEnabled;
}

bool EffectsThemePart::transparencyEnabled() const
{
    return d->transparencyEnabled;
}

bool EffectsThemePart::shadowEnabled() const
{
    return d->shadowEnabled;
}

bool EffectsThemePart::shadowsForActiveEnabled() const
{
    return d->shadowsForActiveEnabled;
}

bool EffectsThemePart::roundedCornersEnabled() const
{
    return d->roundedCornersEnabled;
}

bool EffectsThemePart::verticalSyncronizationEnabled() const
{
    return d->verticalSyncronizationEnabled;
}

bool EffectsThemePart::windowAnimationsEnabled() const
{
    return d->windowAnimationsEnabled;
}

bool EffectsThemePart::windowFadingEnabled() const
{
    return d->windowFadingEnabled;
}

void EffectsThemePart::setPreview(bool preview)
{
    PartSettings::assign(this, d->preview, preview, &EffectsThemePart::previewChanged);
}

void EffectsThemePart::setCompositeManager(const QString &compositeManager)
{
    PartSettings::assign(this, d->compositeManager, compositeManager, &EffectsThemePart::compositeManagerChanged);
}

void EffectsThemePart::setEffectsEnabled(bool enabled)
{
    PartSettings::assign(this, d->effectsEnabled, enabled, &EffectsThemePart::effectsEnabledChanged);
}

void EffectsThemePart::setTransparencyEnabled(bool enabled)
{
    PartSettings::assign(this, d->transparencyEnabled, enabled, &EffectsThemePart::transparencyEnabledChanged);
}

void EffectsThemePart::setShadowEnabled(bool enabled)
{
    PartSettings::assign(this, d->shadowEnabled, enabled, &EffectsThemePart::shadowEnabledChanged);
}

void EffectsThemePart::setShadowsForActiveEnabled(bool enabled)
{
    PartSettings::assign(this, d->shadowsForActiveEnabled, enabled, &EffectsThemePart::shadowsForActiveEnabledChanged);
}

void EffectsThemePart::setRoundedCornersEnabled(bool enabled)
{
    PartSettings::assign(this, d->roundedCornersEnabled, enabled, &EffectsThemePart::roundedCornersEnabledChanged);
}

void EffectsThemePart::setVerticalSyncronizationEnabled(bool enabled)
{
    PartSettings::assign(this, d->verticalSyncronizationEnabled, enabled, &EffectsThemePart::verticalSyncronizationEnabledChanged);
}

void EffectsThemePart::setWindowAnimationsEnabled(bool enabled)
{
    PartSettings::assign(this, d->windowAnimationsEnabled, enabled, &EffectsThemePart::windowAnimationsEnabledChanged);
}

void EffectsThemePart::setWindowFadingEnabled(bool enabled)
{
    PartSettings::assign(this, d->windowFadingEnabled, enabled, &EffectsThemePart::windowFadingEnabledChanged);
}

void EffectsThemePart::apply(IApplyHelper *applyHelper)
{
    auto *helper = static_cast<AbstractEffectsApplyHelper *>(applyHelper);
    helper->applyShowPreview(d->preview);
    // The compositor program first: it selects where the options below go.
    helper->applyCompositeManager(d->compositeManager);
    helper->applyEffectsEnabled(d->effectsEnabled);
    helper->applyTransparencyEnabled(d->transparencyEnabled);
    helper->applyShadowEnabled(d->shadowEnabled);
    helper->applyShadowsOnlyForActiveEnabled(d->shadowsForActiveEnabled);
    helper->applyVerticalSyncronizationEnabled(d->verticalSyncronizationEnabled);
    helper->applyRoundedCornersEnabled(d->roundedCornersEnabled);
    helper->applyWindowAnimationsEnabled(d->windowAnimationsEnabled);
    helper->applyWindowFadingEnabled(d->windowFadingEnabled);
}

void EffectsThemePart::read(IReadHelper *readHelper)
{
    auto *helper = static_cast<AbstractEffectsReadHelper *>(readHelper);
    setPreview(helper->readShowPreview());
    setCompositeManager(helper->readCompositeManager());
    setEffectsEnabled(helper->readEffectsEnabled());
    setTransparencyEnabled(helper->readTransparencyEnabled());
    setShadowEnabled(helper->readShadowEnabled());
    setShadowsForActiveEnabled(helper->readShadowsOnlyForActiveEnabled());
    setRoundedCornersEnabled(helper->readRoundedCornersEnabled());
    setVerticalSyncronizationEnabled(helper->readVerticalSyncronizationEnabled());
    setWindowAnimationsEnabled(helper->readWindowAnimationsEnabled());
    setWindowFadingEnabled(helper->readWindowFadingEnabled());
}

void EffectsThemePart::defaults()
{
    setPreview(EffectsValues::previewFromThumbSize(ThemeDefaults::ThumbSize.defaultValue));
    setCompositeManager(ThemeDefaults::CompositeManager.defaultValue);
    setEffectsEnabled(PartSettings::defaultFlag(ThemeDefaults::UseComposite));
    setTransparencyEnabled(PartSettings::defaultFlag(ThemeDefaults::CompositorTransparencyEnabled));
    setShadowEnabled(PartSettings::defaultFlag(ThemeDefaults::CompositorShadowsEnabled));
    setShadowsForActiveEnabled(EffectsValues::shadowsForActiveFromFocusShadow(ThemeDefaults::FocusShadow.defaultValue));
    setRoundedCornersEnabled(PartSettings::defaultFlag(ThemeDefaults::CompositorRoundedCornersEnabled));
    setVerticalSyncronizationEnabled(PartSettings::defaultFlag(ThemeDefaults::CompositorVerticalSyncronizationEnabled));
    setWindowAnimationsEnabled(PartSettings::defaultFlag(ThemeDefaults::CompositorWindowAnimationsEnabled));
    setWindowFadingEnabled(PartSettings::defaultFlag(ThemeDefaults::CompositorWindowFadingEnabled));
}

bool EffectsThemePart::hasChanges(IReadHelper *readHelper) const
{
    // Every value is read, also after a difference is found.
    auto *helper = static_cast<AbstractEffectsReadHelper *>(readHelper);
    bool changes = false;
    changes |= helper->readShowPreview() != d->preview;
    changes |= helper->readCompositeManager() != d->compositeManager;
    changes |= helper->readEffectsEnabled() != d->effectsEnabled;
    changes |= helper->readTransparencyEnabled() != d->transparencyEnabled;
    changes |= helper->readShadowEnabled() != d->shadowEnabled;
    changes |= helper->readShadowsOnlyForActiveEnabled() != d->shadowsForActiveEnabled;
    changes |= helper->readRoundedCornersEnabled() != d->roundedCornersEnabled;
    changes |= helper->readVerticalSyncronizationEnabled() != d->verticalSyncronizationEnabled;
    changes |= helper->readWindowAnimationsEnabled() != d->windowAnimationsEnabled;
    changes |= helper->readWindowFadingEnabled() != d->windowFadingEnabled;
    return changes;
}

void EffectsThemePart::copyFrom(IThemePart *otherPart)
{
    const auto *other = qobject_cast<const EffectsThemePart *>(otherPart);
    if (!other) {
        return;
    }
    setPreview(other->preview());
    setCompositeManager(other->compositeManager());
    setEffectsEnabled(other->effectsEnabled());
    setTransparencyEnabled(other->transparencyEnabled());
    setShadowEnabled(other->shadowEnabled());
    setShadowsForActiveEnabled(other->shadowsForActiveEnabled());
    setRoundedCornersEnabled(other->roundedCornersEnabled());
    setVerticalSyncronizationEnabled(other->verticalSyncronizationEnabled());
    setWindowAnimationsEnabled(other->windowAnimationsEnabled());
    setWindowFadingEnabled(other->windowFadingEnabled());
}

bool EffectsThemePart::operator==(const EffectsThemePart &other) const
{
    return d->compositeManager == other.d->compositeManager && d->effectsEnabled == other.d->effectsEnabled &&
        d->transparencyEnabled == other.d->transparencyEnabled && d->shadowEnabled == other.d->shadowEnabled &&
        d->shadowsForActiveEnabled == other.d->shadowsForActiveEnabled && d->roundedCornersEnabled == other.d->roundedCornersEnabled &&
        d->verticalSyncronizationEnabled == other.d->verticalSyncronizationEnabled && d->windowAnimationsEnabled == other.d->windowAnimationsEnabled &&
        d->windowFadingEnabled == other.d->windowFadingEnabled;
}
