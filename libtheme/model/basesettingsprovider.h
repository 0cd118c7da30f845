#ifndef BASESETTINGSPROVIDER_H
#define BASESETTINGSPROVIDER_H

#include "isettingsprovider.h"

#include <QString>

#include <memory>

class BaseSettingsProviderPrivate;

// The settings of one stored theme: the master file over the theme's theme/themerc.
class PEXOTHEME_EXPORT BaseSettingsProvider : public ISettingsProvider
{
public:
    explicit BaseSettingsProvider(const QString &themercPath);
    ~BaseSettingsProvider() override;

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
    std::unique_ptr<BaseSettingsProviderPrivate> const d;
};

#endif
