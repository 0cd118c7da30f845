#ifndef IAPPLYHELPER_H
#define IAPPLYHELPER_H

#include "pexotheme_export.h"

// Base of every part's apply helpers.
class PEXOTHEME_EXPORT IApplyHelper
{
public:
    virtual ~IApplyHelper()
    {
    }
};

#endif
