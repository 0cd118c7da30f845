#ifndef ABSTRACTEFFECTSREADHELPER_H
#define ABSTRACTEFFECTSREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the values of the effects part.
class PEXOTHEME_EXPORT AbstractEffectsReadHelper : public IReadHelper
{
public:
    virtual bool readShowPreview() = 0;
    virtual QString readCompositeManager() = 0;
    virtual bool readEffectsEnabled() = 0;
    virtual bool readTransparencyEnabled() = 0;
    virtual bool readShadowEnabled() = 0;
    virtual bool readShadowsOnlyForActiveEnabled() = 0;
    virtual bool readRoundedCornersEnabled() = 0;
    virtual bool readVerticalSyncronizationEnabled() = 0;
    virtual bool readWindowAnimationsEnabled() = 0;
    virtual bool readWindowFadingEnabled() = 0;
};

#endif
