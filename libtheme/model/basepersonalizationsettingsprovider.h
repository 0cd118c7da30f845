#ifndef BASEPERSONALIZATIONSETTINGSPROVIDER_H
#define BASEPERSONALIZATIONSETTINGSPROVIDER_H

#include "ipersonalizationsettingsprovider.h"

#include <memory>

class BasePersonalizationSettingsProviderPrivate;

// The live settings (current.themerc under the master file) with the live
// helpers of the six behaviour parts. It never syncs the settings itself.
class PEXOTHEME_EXPORT BasePersonalizationSettingsProvider : public IPersonalizationSettingsProvider
{
public:
    BasePersonalizationSettingsProvider();
    ~BasePersonalizationSettingsProvider() override;

    BasePersonalizationSettingsProvider(const BasePersonalizationSettingsProvider &) = delete;
    BasePersonalizationSettingsProvider &operator=(const BasePersonalizationSettingsProvider &) = delete;

    IThemeSettings *settings() const override;
    IApplyHelper *taskbarApplyHelper() const override;
    IReadHelper *taskbarReadHelper() const override;
    IApplyHelper *desktopApplyHelper() const override;
    IReadHelper *desktopReadHelper() const override;
    IApplyHelper *wmApplyHelper() const override;
    IReadHelper *wmReadHelper() const override;
    IApplyHelper *sizesApplyHelper() const override;
    IReadHelper *sizesReadHelper() const override;
    IApplyHelper *screenSaverApplyHelper() const override;
    IReadHelper *screenSaverReadHelper() const override;
    IApplyHelper *effectsApplyHelper() const override;
    IReadHelper *effectsReadHelper() const override;

private:
    std::unique_ptr<BasePersonalizationSettingsProviderPrivate> const d;
};

#endif
