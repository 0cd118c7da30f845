#ifndef ABSTRACTCURSORAPPLYHELPER_H
#define ABSTRACTCURSORAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Pushes the values of a CursorThemePart into a stored theme or the session.
class PEXOTHEME_EXPORT AbstractCursorApplyHelper : public IApplyHelper
{
public:
    virtual bool applyCurrentTheme(const QString &theme) = 0;
    virtual bool applySize(int size) = 0;
};

#endif
