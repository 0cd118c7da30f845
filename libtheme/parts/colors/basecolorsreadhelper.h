#ifndef BASECOLORSREADHELPER_H
#define BASECOLORSREADHELPER_H

#include "abstractcolorsreadhelper.h"

class IThemeSettings;

// Reads the colour keys from the given settings, with their defaults.
class PEXOTHEME_EXPORT BaseColorsReadHelper : public AbstractColorsReadHelper
{
public:
    // The settings are not owned.
    explicit BaseColorsReadHelper(IThemeSettings *settings);
    ~BaseColorsReadHelper() override;

    QString readColorSchemeType() override;
    QString readColorSchemePath() override;
    QString readWallpaperColorSchemeType() override;
    QString readPrimaryColor() override;
    QString readBackgroundColor() override;
    bool readIsCustomColorSchemeDark() override;

private:
    IThemeSettings *const m_settings;
};

#endif
