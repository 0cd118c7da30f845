#ifndef CURRENTSIZESREADHELPER_H
#define CURRENTSIZESREADHELPER_H

#include "abstractsizesreadhelper.h"

class IThemeSettings;

// Reads the sizes from the live settings; a text that is no number reads 0.
class PEXOTHEME_EXPORT CurrentSizesReadHelper : public AbstractSizesReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentSizesReadHelper(IThemeSettings *settings);
    ~CurrentSizesReadHelper() override;

    int readTaskbarSize() override;
    int readWindowFrameTitleSize() override;
    int readWindowFrameBorderSize() override;
    int readDesktopIconSize() override;

private:
    IThemeSettings *const m_settings;
};

#endif
