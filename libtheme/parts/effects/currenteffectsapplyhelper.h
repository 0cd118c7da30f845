#ifndef CURRENTEFFECTSAPPLYHELPER_H
#define CURRENTEFFECTSAPPLYHELPER_H

#include "abstracteffectsapplyhelper.h"

class AbstractCompositorConfig;
class IThemeSettings;

// Applies the effects values to the live desktop. The preview, the focus
// shadow and compositing go into the live settings and to the window manager;
// the six compositor options go into the file of the compositor that
// CompositeManager names, and a change of one but the shadows restarts
// compositing when it is on.
class PEXOTHEME_EXPORT CurrentEffectsApplyHelper : public AbstractEffectsApplyHelper
{
public:
    // Chooses the compositor back end from the stored CompositeManager.
    // The settings are not owned.
    explicit CurrentEffectsApplyHelper(IThemeSettings *settings);
    ~CurrentEffectsApplyHelper() override;

    bool applyShowPreview(bool show) override;
    // Switches the compositor back end once the new program is stored.
    bool applyCompositeManager(const QString &compositeManager) override;
    bool applyEffectsEnabled(bool enabled) override;
    bool applyTransparencyEnabled(bool enabled) override;
    // Never restarts compositing.
    bool applyShadowEnabled(bool enabled) override;
    bool applyShadowsOnlyForActiveEnabled(bool enabled) override;
    bool applyRoundedCornersEnabled(bool enabled) override;
    bool applyVerticalSyncronizationEnabled(bool enabled) override;
    bool applyWindowAnimationsEnabled(bool enabled) override;
    bool applyWindowFadingEnabled(bool enabled) override;

private:
    bool applyCompositorOption(bool (AbstractCompositorConfig::*setter)(bool), bool enabled, bool restart);

    IThemeSettings *const m_settings;
    AbstractCompositorConfig *m_compositorConfig;
};

#endif
