#ifndef IPERSONALIZATIONSETTINGSPROVIDER_H
#define IPERSONALIZATIONSETTINGSPROVIDER_H

#include "pexotheme_export.h"

class IApplyHelper;
class IReadHelper;
class IThemeSettings;

// Hands out the settings and the helpers of the six behaviour parts.
// Every pointer is owned by the provider and stays the same for its life.
class PEXOTHEME_EXPORT IPersonalizationSettingsProvider
{
public:
    virtual ~IPersonalizationSettingsProvider()
    {
    }

    virtual IThemeSettings *settings() const = 0;
    virtual IApplyHelper *taskbarApplyHelper() const = 0;
    virtual IReadHelper *taskbarReadHelper() const = 0;
    virtual IApplyHelper *desktopApplyHelper() const = 0;
    virtual IReadHelper *desktopReadHelper() const = 0;
    virtual IApplyHelper *wmApplyHelper() const = 0;
    virtual IReadHelper *wmReadHelper() const = 0;
    virtual IApplyHelper *sizesApplyHelper() const = 0;
    virtual IReadHelper *sizesReadHelper() const = 0;
    virtual IApplyHelper *screenSaverApplyHelper() const = 0;
    virtual IReadHelper *screenSaverReadHelper() const = 0;
    virtual IApplyHelper *effectsApplyHelper() const = 0;
    virtual IReadHelper *effectsReadHelper() const = 0;
};

#endif
