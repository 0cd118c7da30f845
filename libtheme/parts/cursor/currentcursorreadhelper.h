#ifndef CURRENTCURSORREADHELPER_H
#define CURRENTCURSORREADHELPER_H

#include "abstractcursorreadhelper.h"

class IThemeSettings;

// Reads the session's cursor theme and size from the desktop core library.
class PEXOTHEME_EXPORT CurrentCursorReadHelper : public AbstractCursorReadHelper
{
public:
    // The settings are kept but not used, nor owned.
    explicit CurrentCursorReadHelper(IThemeSettings *settings);
    ~CurrentCursorReadHelper() override;

    // "default" when the session has no cursor theme.
    QString readCurrentTheme() override;
    int readSize() override;

private:
    IThemeSettings *const m_settings;
};

#endif
