#ifndef CURRENTICONAPPLYHELPER_H
#define CURRENTICONAPPLYHELPER_H

#include "abstracticonapplyhelper.h"

class IThemeSettings;

// Writes the icon keys into the live settings and tells the running desktop:
// the window manager, KDE applications (D-Bus) and Qt's own settings file.
class PEXOTHEME_EXPORT CurrentIconApplyHelper : public AbstractIconApplyHelper
{
public:
    // The settings are not owned.
    explicit CurrentIconApplyHelper(IThemeSettings *settings);
    ~CurrentIconApplyHelper() override;

    // Sends the window-manager command first; when it cannot be sent,
    // nothing else happens and false is returned.
    bool applyCurrentTheme(const QString &theme) override;
    // Always true: Qt's settings file is updated even when the live key is refused.
    bool applyMonochromeToolbar(bool monochrome) override;
    bool applyMonochromeTaskbar(bool monochrome) override;

private:
    IThemeSettings *const m_settings;
};

#endif
