#ifndef BASEEFFECTSREADHELPER_H
#define BASEEFFECTSREADHELPER_H

#include "abstracteffectsreadhelper.h"

class IThemeSettings;

// Reads the ten effects values from the keys of a settings file.
class PEXOTHEME_EXPORT BaseEffectsReadHelper : public AbstractEffectsReadHelper
{
public:
    // The settings are not owned.
    explicit BaseEffectsReadHelper(IThemeSettings *settings);
    ~BaseEffectsReadHelper() override;

    bool readShowPreview() override;
    QString readCompositeManager() override;
    bool readEffectsEnabled() override;
    bool readTransparencyEnabled() override;
    bool readShadowEnabled() override;
    bool readShadowsOnlyForActiveEnabled() override;
    bool readRoundedCornersEnabled() override;
    bool readVerticalSyncronizationEnabled() override;
    bool readWindowAnimationsEnabled() override;
    bool readWindowFadingEnabled() override;

private:
    IThemeSettings *const m_settings;
};

#endif
