#ifndef ABSTRACTTASKBARREADHELPER_H
#define ABSTRACTTASKBARREADHELPER_H

#include "ireadhelper.h"

#include <QString>

// Reads the taskbar part's values.
class PEXOTHEME_EXPORT AbstractTaskbarReadHelper : public IReadHelper
{
public:
    virtual QString readPosition() = 0;
    virtual bool readLabelsOnTaskbar() = 0;
    virtual bool readUsePager() = 0;
    virtual bool readButtonCombine() = 0;
    virtual bool readMultiTaskbar() = 0;
    virtual bool readSwitcherAllPages() = 0;
    virtual bool readUseNationalFlags() = 0;
};

#endif
