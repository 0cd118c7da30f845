#ifndef BASEICONREADHELPER_H
#define BASEICONREADHELPER_H

#include "abstracticonreadhelper.h"

class IThemeSettings;

// Reads the icon keys of a stored theme; a missing key gives its default.
class PEXOTHEME_EXPORT BaseIconReadHelper : public AbstractIconReadHelper
{
public:
    // The settings are not owned.
    explicit BaseIconReadHelper(IThemeSettings *settings);
    ~BaseIconReadHelper() override;

    QString readCurrentTheme() override;
    bool readMonochromeToolbar() override;
    bool readMonochromeTaskbar() override;

private:
    IThemeSettings *const m_settings;
};

#endif
