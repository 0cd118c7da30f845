#ifndef ABSTRACTEFFECTSAPPLYHELPER_H
#define ABSTRACTEFFECTSAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Stores or sends the values of the effects part; true when done.
class PEXOTHEME_EXPORT AbstractEffectsApplyHelper : public IApplyHelper
{
public:
    virtual bool applyShowPreview(bool show) = 0;
    virtual bool applyCompositeManager(const QString &compositeManager) = 0;
    virtual bool applyEffectsEnabled(bool enabled) = 0;
    virtual bool applyTransparencyEnabled(bool enabled) = 0;
    virtual bool applyShadowEnabled(bool enabled) = 0;
    virtual bool applyShadowsOnlyForActiveEnabled(bool enabled) = 0;
    virtual bool applyRoundedCornersEnabled(bool enabled) = 0;
    virtual bool applyVerticalSyncronizationEnabled(bool enabled) = 0;
    virtual bool applyWindowAnimationsEnabled(bool enabled) = 0;
    virtual bool applyWindowFadingEnabled(bool enabled) = 0;
};

#endif
