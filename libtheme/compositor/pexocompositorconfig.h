#ifndef PEXOCOMPOSITORCONFIG_H
#define PEXOCOMPOSITORCONFIG_H

#include "abstractcompositorconfig.h"

#include <memory>

class PexoCompositorConfigPrivate;

// The options of pexo-kompmgr, in the INI file "kompmgrrc" (group "kompmgr").
// Only transparency and shadows exist there; the other options read off and
// cannot be set. Setters write the file before they return.
class PEXOTHEME_EXPORT PexoCompositorConfig : public AbstractCompositorConfig
{
public:
    // The process-wide object, created on first use.
    static PexoCompositorConfig *instance();

    // Opens the file; use instance() outside tests.
    PexoCompositorConfig();
    ~PexoCompositorConfig() override;

    PexoCompositorConfig(const PexoCompositorConfig &) = delete;
    PexoCompositorConfig &operator=(const PexoCompositorConfig &) = delete;

    // Stored negated as IgnoreTransparency; a missing key reads off.
    bool transparencyEnabled() const override;
    // Stores the value and returns true, also when it is unchanged; false
    // when the file cannot be written.
    bool setTransparencyEnabled(bool enabled) override;
    // Compmode: "CompClientShadows" or "CompSimple"; a missing key reads off.
    bool shadowEnabled() const override;
    // Stores the value and returns true, also when it is unchanged; false
    // when the file cannot be written.
    bool setShadowEnabled(bool enabled) override;
    bool roundedCornersEnabled() const override;
    bool setRoundedCornersEnabled(bool enabled) override;
    bool verticalSyncronizationEnabled() const override;
    bool setVerticalSyncronizationEnabled(bool enabled) override;
    bool windowAnimationsEnabled() const override;
    bool setWindowAnimationsEnabled(bool enabled) override;
    bool windowFadingEnabled() const override;
    bool setWindowFadingEnabled(bool enabled) override;

private:
    std::unique_ptr<PexoCompositorConfigPrivate> const d;
};

#endif
