#ifndef BASECURSORAPPLYHELPER_H
#define BASECURSORAPPLYHELPER_H

#include "abstractcursorapplyhelper.h"

class IThemeSettings;

// Writes the cursor keys into a stored theme's settings; true only for a written key.
class PEXOTHEME_EXPORT BaseCursorApplyHelper : public AbstractCursorApplyHelper
{
public:
    // The settings are not owned.
    explicit BaseCursorApplyHelper(IThemeSettings *settings);
    ~BaseCursorApplyHelper() override;

    bool applyCurrentTheme(const QString &theme) override;
    bool applySize(int size) override;

private:
    IThemeSettings *const m_settings;
};

#endif
