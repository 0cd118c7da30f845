#ifndef BASECOLORSAPPLYHELPER_H
#define BASECOLORSAPPLYHELPER_H

#include "abstractcolorsapplyhelper.h"

class IThemeSettings;

// Writes the colour keys into the given settings; true only for a written key.
class PEXOTHEME_EXPORT BaseColorsApplyHelper : public AbstractColorsApplyHelper
{
public:
    // The settings are not owned.
    explicit BaseColorsApplyHelper(IThemeSettings *settings);
    ~BaseColorsApplyHelper() override;

    bool applyColorSchemeType(const QString &type) override;
    bool applyColorSchemePath(const QString &path) override;
    bool applyWallpaperColorSchemeType(const QString &type) override;
    bool applyPrimaryColor(const QString &color) override;
    bool applyBackgroundColor(const QString &color) override;
    bool applyIsCustomColorSchemeDark(bool dark) override;

protected:
    IThemeSettings *settings() const;

private:
    IThemeSettings *const m_settings;
};

#endif
