#ifndef CURRENTCOLORSAPPLYHELPER_H
#define CURRENTCOLORSAPPLYHELPER_H

#include "basecolorsapplyhelper.h"

#include <memory>

class CurrentColorsApplyHelperPrivate;

// Applies the colours to the running desktop: the two colours and the scheme
// path go to "paletterc" and are announced; the scheme path also sets the
// window-manager colour references, Qt's palette and the Breeze colours.
class PEXOTHEME_EXPORT CurrentColorsApplyHelper : public BaseColorsApplyHelper
{
public:
    // The live settings; not owned.
    explicit CurrentColorsApplyHelper(IThemeSettings *settings);
    ~CurrentColorsApplyHelper() override;

    bool applyColorSchemePath(const QString &path) override;
    bool applyPrimaryColor(const QString &color) override;
    bool applyBackgroundColor(const QString &color) override;

private:
    friend class CurrentColorsApplyHelperPrivate;
    std::unique_ptr<CurrentColorsApplyHelperPrivate> const d;
};

#endif
