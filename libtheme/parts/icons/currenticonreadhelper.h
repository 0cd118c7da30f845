#ifndef CURRENTICONREADHELPER_H
#define CURRENTICONREADHELPER_H

#include "abstracticonreadhelper.h"

class IThemeSettings;

// Reads the live icon settings; the toolbar option comes from Qt's own
// settings file, not from the live settings.
class PEXOTHEME_EXPORT CurrentIconReadHelper : public AbstractIconReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentIconReadHelper(IThemeSettings *settings);
    ~CurrentIconReadHelper() override;

    QString readCurrentTheme() override;
    bool readMonochromeToolbar() override;
    bool readMonochromeTaskbar() override;

private:
    IThemeSettings *const m_settings;
};

#endif
