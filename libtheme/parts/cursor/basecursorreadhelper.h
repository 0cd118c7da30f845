#ifndef BASECURSORREADHELPER_H
#define BASECURSORREADHELPER_H

#include "abstractcursorreadhelper.h"

class IThemeSettings;

// Reads the cursor keys of a stored theme. A missing size reads as the
// session's live cursor size.
class PEXOTHEME_EXPORT BaseCursorReadHelper : public AbstractCursorReadHelper
{
public:
    // The settings are not owned.
    explicit BaseCursorReadHelper(IThemeSettings *settings);
    ~BaseCursorReadHelper() override;

    QString readCurrentTheme() override;
    int readSize() override;

private:
    IThemeSettings *const m_settings;
};

#endif
