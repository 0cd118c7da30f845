#ifndef BASEICONAPPLYHELPER_H
#define BASEICONAPPLYHELPER_H

#include "abstracticonapplyhelper.h"

class IThemeSettings;

// Writes the icon keys into a stored theme's settings; true only for a written key.
class PEXOTHEME_EXPORT BaseIconApplyHelper : public AbstractIconApplyHelper
{
public:
    // The settings are not owned.
    explicit BaseIconApplyHelper(IThemeSettings *settings);
    ~BaseIconApplyHelper() override;

    bool applyCurrentTheme(const QString &theme) override;
    bool applyMonochromeToolbar(bool monochrome) override;
    bool applyMonochromeTaskbar(bool monochrome) override;

private:
    IThemeSettings *const m_settings;
};

#endif
