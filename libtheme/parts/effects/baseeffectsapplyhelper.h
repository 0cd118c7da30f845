#ifndef BASEEFFECTSAPPLYHELPER_H
#define BASEEFFECTSAPPLYHELPER_H

#include "abstracteffectsapplyhelper.h"

class IThemeSettings;

// Writes the ten effects values as keys of a settings file and nothing else.
class PEXOTHEME_EXPORT BaseEffectsApplyHelper : public AbstractEffectsApplyHelper
{
public:
    // The settings are not owned.
    explicit BaseEffectsApplyHelper(IThemeSettings *settings);
    ~BaseEffectsApplyHelper() override;

    bool applyShowPreview(bool show) override;
    bool applyCompositeManager(const QString &compositeManager) override;
    bool applyEffectsEnabled(bool enabled) override;
    bool applyTransparencyEnabled(bool enabled) override;
    bool applyShadowEnabled(bool enabled) override;
    bool applyShadowsOnlyForActiveEnabled(bool enabled) override;
    bool applyRoundedCornersEnabled(bool enabled) override;
    bool applyVerticalSyncronizationEnabled(bool enabled) override;
    bool applyWindowAnimationsEnabled(bool enabled) override;
    bool applyWindowFadingEnabled(bool enabled) override;

private:
    IThemeSettings *const m_settings;
};

#endif
