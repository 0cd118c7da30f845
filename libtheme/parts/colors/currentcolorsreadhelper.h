#ifndef CURRENTCOLORSREADHELPER_H
#define CURRENTCOLORSREADHELPER_H

#include "basecolorsreadhelper.h"

#include <memory>

class IThemeStorage;

// Reads the live colours: the scheme path and the two colours from
// "paletterc" alone, the other values from the live settings.
class PEXOTHEME_EXPORT CurrentColorsReadHelper : public BaseColorsReadHelper
{
public:
    explicit CurrentColorsReadHelper(IThemeSettings *settings);
    ~CurrentColorsReadHelper() override;

    QString readColorSchemePath() override;
    QString readPrimaryColor() override;
    QString readBackgroundColor() override;

private:
    std::unique_ptr<IThemeStorage> const m_palette;
};

#endif
