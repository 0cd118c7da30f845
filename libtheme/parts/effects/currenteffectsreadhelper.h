#ifndef CURRENTEFFECTSREADHELPER_H
#define CURRENTEFFECTSREADHELPER_H

#include "abstracteffectsreadhelper.h"

#include <QString>

class AbstractCompositorConfig;
class IThemeSettings;

// Reads the effects values of the live desktop: four from the live settings,
// the six compositor options from the file of the compositor that
// CompositeManager names (all off for an unknown compositor).
class PEXOTHEME_EXPORT CurrentEffectsReadHelper : public AbstractEffectsReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentEffectsReadHelper(IThemeSettings *settings);
    ~CurrentEffectsReadHelper() override;

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

    // Follows the stored CompositeManager to its compositor back end.
    void ensureCompositorConfigUpToDate();

private:
    bool readCompositorOption(bool (AbstractCompositorConfig::*getter)() const);

    IThemeSettings *const m_settings;
    AbstractCompositorConfig *m_compositorConfig = nullptr;
    QString m_compositeManager;
};

#endif
