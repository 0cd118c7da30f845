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

    // Told by the colours part before it applies its values: when the scheme
    // applied last replaces the references, the taskbar and the keyboard are
    // restarted once, after that, and not also after the primary colour.
    void expectColorSchemePath(const QString &path);

private:
    friend class CurrentColorsApplyHelperPrivate;
    std::unique_ptr<CurrentColorsApplyHelperPrivate> const d;
};

#endif
