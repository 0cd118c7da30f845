#ifndef CURRENTSETTINGSPROVIDER_H
#define CURRENTSETTINGSPROVIDER_H

#include "isettingsprovider.h"

#include <QString>

#include <memory>

class CurrentSettingsProviderPrivate;

// The live settings: the master file over the session's current.themerc, with the helpers that also tell the running desktop.
class PEXOTHEME_EXPORT CurrentSettingsProvider : public ISettingsProvider
{
public:
    CurrentSettingsProvider();
    ~CurrentSettingsProvider() override;

    IThemeSettings *settings() const override;
    IApplyHelper *colorsApplyHelper() const override;
    IReadHelper *colorsReadHelper() const override;
    IApplyHelper *cursorApplyHelper() const override;
    IReadHelper *cursorReadHelper() const override;
    IApplyHelper *iconApplyHelper() const override;
    IReadHelper *iconReadHelper() const override;
    IApplyHelper *soundsApplyHelper() const override;
    IReadHelper *soundsReadHelper() const override;
    IApplyHelper *wallpaperApplyHelper() const override;
    IReadHelper *wallpaperReadHelper() const override;

private:
    std::unique_ptr<CurrentSettingsProviderPrivate> const d;
};

#endif
