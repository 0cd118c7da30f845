#ifndef ABSTRACTDESKTOPAPPLYHELPER_H
#define ABSTRACTDESKTOPAPPLYHELPER_H

#include "iapplyhelper.h"

// Stores or applies the desktop part's switches; true when done.
class PEXOTHEME_EXPORT AbstractDesktopApplyHelper : public IApplyHelper
{
public:
    virtual bool applyShowDragNDropIndication(bool show) = 0;
    virtual bool applyAdaptiveIconStringColor(bool adaptive) = 0;
    virtual bool applyShowTrashOnDesktop(bool show) = 0;
    virtual bool applyShowComputerOnDesktop(bool show) = 0;
};

#endif
