#ifndef COMPTONCOMPOSITORCONFIG_H
#define COMPTONCOMPOSITORCONFIG_H

#include "abstractcompositorconfig.h"

#include <memory>

class ComptonCompositorConfigPrivate;

// The options of compton and picom, in their libconfig file: the user's
// picom.conf, else the user's compton.conf, else a copy of the first system
// file in the user's picom.conf, else a new empty user picom.conf.
// The file is read again before every setter and before a getter when it
// changed on disk, so edits made by others are kept. A relative "@include"
// is taken from the file's directory. A setter replaces the file whole, or
// leaves it as it was and returns false.
class PEXOTHEME_EXPORT ComptonCompositorConfig : public AbstractCompositorConfig
{
public:
    // The process-wide object, created on first use.
    static ComptonCompositorConfig *instance();

    // Chooses the file and reads it; use instance() outside tests.
    ComptonCompositorConfig();
    ~ComptonCompositorConfig() override;

    ComptonCompositorConfig(const ComptonCompositorConfig &) = delete;
    ComptonCompositorConfig &operator=(const ComptonCompositorConfig &) = delete;

    bool transparencyEnabled() const override;
    bool setTransparencyEnabled(bool enabled) override;
    bool shadowEnabled() const override;
    bool setShadowEnabled(bool enabled) override;
    // "corner-radius" above 0; written as 7 or 0.
    bool roundedCornersEnabled() const override;
    bool setRoundedCornersEnabled(bool enabled) override;
    bool verticalSyncronizationEnabled() const override;
    bool setVerticalSyncronizationEnabled(bool enabled) override;
    bool windowAnimationsEnabled() const override;
    bool setWindowAnimationsEnabled(bool enabled) override;
    bool windowFadingEnabled() const override;
    bool setWindowFadingEnabled(bool enabled) override;

private:
    std::unique_ptr<ComptonCompositorConfigPrivate> const d;
};

#endif
