#ifndef ABSTRACTTASKBARAPPLYHELPER_H
#define ABSTRACTTASKBARAPPLYHELPER_H

#include "iapplyhelper.h"

#include <QString>

// Stores and announces the taskbar part's values; true when done.
class PEXOTHEME_EXPORT AbstractTaskbarApplyHelper : public IApplyHelper
{
public:
    virtual bool applyPosition(const QString &position) = 0;
    virtual bool applyLabelsOnTaskbar(bool labels) = 0;
    virtual bool applyUsePager(bool usePager) = 0;
    virtual bool applyButtonCombine(bool combine) = 0;
    virtual bool applyMultiTaskbar(bool multiTaskbar) = 0;
    virtual bool applySwitcherAllPages(bool allPages) = 0;
    virtual bool applyUseNationalFlags(bool useFlags) = 0;
};

#endif
