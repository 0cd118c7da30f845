#include "basesettingsprovider.h"
#include "basecolorsapplyhelper.h"
#include "basecolorsreadhelper.h"
#include "basecursorapplyhelper.h"
#include "basecursorreadhelper.h"
#include "baseiconapplyhelper.h"
#include "baseiconreadhelper.h"
#include "basesoundsapplyhelper.h"
#include "basesoundsreadhelper.h"
#include "basewallpaperapplyhelper.h"
#include "basewallpaperreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

// Members are created in declaration order and destroyed in reverse:
// the helpers from the last to the first, then the settings and the storages.
class BaseSettingsProviderPrivate
{
public:
    explicit BaseSettingsProviderPrivate(const QString &userPath)
        : master(new KConfigStorage(ThemeDefaults::masterThemeConfigPath))
        , user(new KConfigStorage(userPath))
        , settings(new ThemeSettings(master.get(), user.get()))
        , colorsApply(new BaseColorsApplyHelper(settings.get()))
        , colorsRead(new BaseColorsReadHelper(settings.get()))
        , cursorApply(new BaseCursorApplyHelper(settings.get()))
        , cursorRead(new BaseCursorReadHelper(settings.get()))
        , iconApply(new BaseIconApplyHelper(settings.get()))
        , iconRead(new BaseIconReadHelper(settings.get()))
        , soundsApply(new BaseSoundsApplyHelper(settings.get()))
        , soundsRead(new BaseSoundsReadHelper(settings.get()))
        , wallpaperApply(new BaseWallpaperApplyHelper(settings.get()))
        , wallpaperRead(new BaseWallpaperReadHelper(settings.get()))
    {
    }

    std::unique_ptr<IThemeStorage> master;
    std::unique_ptr<IThemeStorage> user;
    std::unique_ptr<IThemeSettings> settings;
    std::unique_ptr<BaseColorsApplyHelper> colorsApply;
    std::unique_ptr<BaseColorsReadHelper> colorsRead;
    std::unique_ptr<BaseCursorApplyHelper> cursorApply;
    std::unique_ptr<BaseCursorReadHelper> cursorRead;
    std::unique_ptr<BaseIconApplyHelper> iconApply;
    std::unique_ptr<BaseIconReadHelper> iconRead;
    std::unique_ptr<BaseSoundsApplyHelper> soundsApply;
    std::unique_ptr<BaseSoundsReadHelper> soundsRead;
    std::unique_ptr<BaseWallpaperApplyHelper> wallpaperApply;
    std::unique_ptr<BaseWallpaperReadHelper> wallpaperRead;
};

BaseSettingsProvider::BaseSettingsProvider(const QString &themercPath)
    : d(new BaseSettingsProviderPrivate(themercPath))
{
}

BaseSettingsProvider::~BaseSettingsProvider() = default;

IThemeSettings *BaseSettingsProvider::settings() const
{
    return d->settings.get();
}

IApplyHelper *BaseSettingsProvider::colorsApplyHelper() const
{
    return d->colorsApply.get();
}

IReadHelper *BaseSettingsProvider::colorsReadHelper() const
{
    return d->colorsRead.get();
}

IApplyHelper *BaseSettingsProvider::cursorApplyHelper() const
{
    return d->cursorApply.get();
}

IReadHelper *BaseSettingsProvider::cursorReadHelper() const
{
    return d->cursorRead.get();
}

IApplyHelper *BaseSettingsProvider::iconApplyHelper() const
{
    return d->iconApply.get();
}

IReadHelper *BaseSettingsProvider::iconReadHelper() const
{
    return d->iconRead.get();
}

IApplyHelper *BaseSettingsProvider::soundsApplyHelper() const
{
    return d->soundsApply.get();
}

IReadHelper *BaseSettingsProvider::soundsReadHelper() const
{
    return d->soundsRead.get();
}

IApplyHelper *BaseSettingsProvider::wallpaperApplyHelper() const
{
    return d->wallpaperApply.get();
}

IReadHelper *BaseSettingsProvider::wallpaperReadHelper() const
{
    return d->wallpaperRead.get();
}
