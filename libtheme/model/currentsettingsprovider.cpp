#include "currentsettingsprovider.h"
#include "currentcolorsapplyhelper.h"
#include "currentcolorsreadhelper.h"
#include "currentcursorapplyhelper.h"
#include "currentcursorreadhelper.h"
#include "currenticonapplyhelper.h"
#include "currenticonreadhelper.h"
#include "currentsoundsapplyhelper.h"
#include "currentsoundsreadhelper.h"
#include "currentwallpaperapplyhelper.h"
#include "currentwallpaperreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

// Members are created in declaration order and destroyed in reverse:
// the helpers from the last to the first, then the settings and the storages.
class CurrentSettingsProviderPrivate
{
public:
    explicit CurrentSettingsProviderPrivate(const QString &userPath)
        : master(new KConfigStorage(ThemeDefaults::masterThemeConfigPath))
        , user(new KConfigStorage(userPath))
        , settings(new ThemeSettings(master.get(), user.get()))
        , colorsApply(new CurrentColorsApplyHelper(settings.get()))
        , colorsRead(new CurrentColorsReadHelper(settings.get()))
        , cursorApply(new CurrentCursorApplyHelper(settings.get()))
        , cursorRead(new CurrentCursorReadHelper(settings.get()))
        , iconApply(new CurrentIconApplyHelper(settings.get()))
        , iconRead(new CurrentIconReadHelper(settings.get()))
        , soundsApply(new CurrentSoundsApplyHelper(settings.get()))
        , soundsRead(new CurrentSoundsReadHelper(settings.get()))
        , wallpaperApply(new CurrentWallpaperApplyHelper(settings.get()))
        , wallpaperRead(new CurrentWallpaperReadHelper(settings.get()))
    {
    }

    std::unique_ptr<IThemeStorage> master;
    std::unique_ptr<IThemeStorage> user;
    std::unique_ptr<IThemeSettings> settings;
    std::unique_ptr<CurrentColorsApplyHelper> colorsApply;
    std::unique_ptr<CurrentColorsReadHelper> colorsRead;
    std::unique_ptr<CurrentCursorApplyHelper> cursorApply;
    std::unique_ptr<CurrentCursorReadHelper> cursorRead;
    std::unique_ptr<CurrentIconApplyHelper> iconApply;
    std::unique_ptr<CurrentIconReadHelper> iconRead;
    std::unique_ptr<CurrentSoundsApplyHelper> soundsApply;
    std::unique_ptr<CurrentSoundsReadHelper> soundsRead;
    std::unique_ptr<CurrentWallpaperApplyHelper> wallpaperApply;
    std::unique_ptr<CurrentWallpaperReadHelper> wallpaperRead;
};

CurrentSettingsProvider::CurrentSettingsProvider()
    : d(new CurrentSettingsProviderPrivate(ThemeDefaults::currentThemeConfigPath))
{
}

CurrentSettingsProvider::~CurrentSettingsProvider() = default;

IThemeSettings *CurrentSettingsProvider::settings() const
{
    return d->settings.get();
}

IApplyHelper *CurrentSettingsProvider::colorsApplyHelper() const
{
    return d->colorsApply.get();
}

IReadHelper *CurrentSettingsProvider::colorsReadHelper() const
{
    return d->colorsRead.get();
}

IApplyHelper *CurrentSettingsProvider::cursorApplyHelper() const
{
    return d->cursorApply.get();
}

IReadHelper *CurrentSettingsProvider::cursorReadHelper() const
{
    return d->cursorRead.get();
}

IApplyHelper *CurrentSettingsProvider::iconApplyHelper() const
{
    return d->iconApply.get();
}

IReadHelper *CurrentSettingsProvider::iconReadHelper() const
{
    return d->iconRead.get();
}

IApplyHelper *CurrentSettingsProvider::soundsApplyHelper() const
{
    return d->soundsApply.get();
}

IReadHelper *CurrentSettingsProvider::soundsReadHelper() const
{
    return d->soundsRead.get();
}

IApplyHelper *CurrentSettingsProvider::wallpaperApplyHelper() const
{
    return d->wallpaperApply.get();
}

IReadHelper *CurrentSettingsProvider::wallpaperReadHelper() const
{
    return d->wallpaperRead.get();
}
