#ifndef CURRENTSIZESAPPLYHELPER_H
#define CURRENTSIZESAPPLYHELPER_H

#include "abstractsizesapplyhelper.h"

class IThemeSettings;

// Writes each size into the live settings and then tells the window manager.
class PEXOTHEME_EXPORT CurrentSizesApplyHelper : public AbstractSizesApplyHelper
{
public:
    // The settings are not owned.
    explicit CurrentSizesApplyHelper(IThemeSettings *settings);
    ~CurrentSizesApplyHelper() override;

    bool applyTaskbarSize(int size) override;
    bool applyWindowFrameTitleSize(int size) override;
    bool applyWindowFrameBorderSize(int size) override;
    bool applyDesktopIconSize(int size) override;

private:
    IThemeSettings *const m_settings;
};

#endif
