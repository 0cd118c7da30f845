#ifndef CURRENTTASKBARREADHELPER_H
#define CURRENTTASKBARREADHELPER_H

#include "abstracttaskbarreadhelper.h"

class IThemeSettings;

// Reads the taskbar values from the live settings.
class PEXOTHEME_EXPORT CurrentTaskbarReadHelper : public AbstractTaskbarReadHelper
{
public:
    // The settings are not owned.
    explicit CurrentTaskbarReadHelper(IThemeSettings *settings);
    ~CurrentTaskbarReadHelper() override;

    QString readPosition() override;
    bool readLabelsOnTaskbar() override;
    bool readUsePager() override;
    bool readButtonCombine() override;
    bool readMultiTaskbar() override;
    bool readSwitcherAllPages() override;
    // True when either keyboard image key holds "flag", in any letter case.
    bool readUseNationalFlags() override;

private:
    IThemeSettings *const m_settings;
};

#endif
