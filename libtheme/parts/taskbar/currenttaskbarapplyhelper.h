#ifndef CURRENTTASKBARAPPLYHELPER_H
#define CURRENTTASKBARAPPLYHELPER_H

#include "abstracttaskbarapplyhelper.h"

class IThemeSettings;

// Writes each taskbar value into the live settings and then tells the
// window manager.
class PEXOTHEME_EXPORT CurrentTaskbarApplyHelper : public AbstractTaskbarApplyHelper
{
public:
    // The settings are not owned.
    explicit CurrentTaskbarApplyHelper(IThemeSettings *settings);
    ~CurrentTaskbarApplyHelper() override;

    bool applyPosition(const QString &position) override;
    // Stored negated, as NoTaskbarButtonName.
    bool applyLabelsOnTaskbar(bool labels) override;
    bool applyUsePager(bool usePager) override;
    bool applyButtonCombine(bool combine) override;
    bool applyMultiTaskbar(bool multiTaskbar) override;
    bool applySwitcherAllPages(bool allPages) override;
    // "flag" or "" under BaseKbImage and AltKbImage; true when either
    // command went out.
    bool applyUseNationalFlags(bool useFlags) override;

private:
    IThemeSettings *const m_settings;
};

#endif
