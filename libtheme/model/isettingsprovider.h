#ifndef ISETTINGSPROVIDER_H
#define ISETTINGSPROVIDER_H

#include "pexotheme_export.h"

class IApplyHelper;
class IReadHelper;
class IThemeSettings;

// Hands out the settings and the helpers of the five appearance parts.
// Every pointer is owned by the provider and stays the same for its life.
class PEXOTHEME_EXPORT ISettingsProvider
{
public:
    virtual ~ISettingsProvider()
    {
    }

    virtual IThemeSettings *settings() const = 0;
    virtual IApplyHelper *colorsApplyHelper() const = 0;
    virtual IReadHelper *colorsReadHelper() const = 0;
    virtual IApplyHelper *cursorApplyHelper() const = 0;
    virtual IReadHelper *cursorReadHelper() const = 0;
    virtual IApplyHelper *iconApplyHelper() const = 0;
    virtual IReadHelper *iconReadHelper() const = 0;
    virtual IApplyHelper *soundsApplyHelper() const = 0;
    virtual IReadHelper *soundsReadHelper() const = 0;
    virtual IApplyHelper *wallpaperApplyHelper() const = 0;
    virtual IReadHelper *wallpaperReadHelper() const = 0;
};

#endif
