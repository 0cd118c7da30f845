#ifndef IREADHELPER_H
#define IREADHELPER_H

#include "pexotheme_export.h"

// Base of every part's read helpers.
class PEXOTHEME_EXPORT IReadHelper
{
public:
    virtual ~IReadHelper()
    {
    }
};

#endif
