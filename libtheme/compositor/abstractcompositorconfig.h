#ifndef ABSTRACTCOMPOSITORCONFIG_H
#define ABSTRACTCOMPOSITORCONFIG_H

#include "pexotheme_export.h"

// The compositor options kept in a compositor's own configuration file.
// A setter returns true only when it changed the option.
class PEXOTHEME_EXPORT AbstractCompositorConfig
{
public:
    virtual ~AbstractCompositorConfig()
    {
    }

    virtual bool transparencyEnabled() const = 0;
    virtual bool setTransparencyEnabled(bool enabled) = 0;
    virtual bool shadowEnabled() const = 0;
    virtual bool setShadowEnabled(bool enabled) = 0;
    virtual bool roundedCornersEnabled() const = 0;
    virtual bool setRoundedCornersEnabled(bool enabled) = 0;
    virtual bool verticalSyncronizationEnabled() const = 0;
    virtual bool setVerticalSyncronizationEnabled(bool enabled) = 0;
    virtual bool windowAnimationsEnabled() const = 0;
    virtual bool setWindowAnimationsEnabled(bool enabled) = 0;
    virtual bool windowFadingEnabled() const = 0;
    virtual bool setWindowFadingEnabled(bool enabled) = 0;
};

#endif
