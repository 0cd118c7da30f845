#ifndef CURRENTCURSORAPPLYHELPER_H
#define CURRENTCURSORAPPLYHELPER_H

#include "abstractcursorapplyhelper.h"

class IThemeSettings;

// Sets the session's cursor theme and size through the desktop core library
// and tells the window manager and the X server. The live settings file is
// not written.
class PEXOTHEME_EXPORT CurrentCursorApplyHelper : public AbstractCursorApplyHelper
{
public:
    // The settings are kept but not used, nor owned.
    explicit CurrentCursorApplyHelper(IThemeSettings *settings);
    ~CurrentCursorApplyHelper() override;

    // After the window manager took the command, drops the cursor entries of
    // the X resources and sets the display's cursor theme.
    bool applyCurrentTheme(const QString &theme) override;
    bool applySize(int size) override;

private:
    IThemeSettings *const m_settings;
};

#endif
