#include "basepersonalizationsettingsprovider.h"
#include "currentdesktopapplyhelper.h"
#include "currentdesktopreadhelper.h"
#include "currenteffectsapplyhelper.h"
#include "currenteffectsreadhelper.h"
#include "currentscreensaverapplyhelper.h"
#include "currentscreensaverreadhelper.h"
#include "currentsizesapplyhelper.h"
#include "currentsizesreadhelper.h"
#include "currenttaskbarapplyhelper.h"
#include "currenttaskbarreadhelper.h"
#include "currentwmapplyhelper.h"
#include "currentwmreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

class BasePersonalizationSettingsProviderPrivate
{
public:
    // Created in this order, deleted in the reverse one.
    std::unique_ptr<IThemeStorage> master{new KConfigStorage(ThemeDefaults::masterThemeConfigPath)};
    std::unique_ptr<IThemeStorage> user{new KConfigStorage(ThemeDefaults::currentThemeConfigPath)};
    std::unique_ptr<IThemeSettings> settings{new ThemeSettings(master.get(), user.get())};
    std::unique_ptr<IApplyHelper> taskbarApply{new CurrentTaskbarApplyHelper(settings.get())};
    std::unique_ptr<IReadHelper> taskbarRead{new CurrentTaskbarReadHelper(settings.get())};
    std::unique_ptr<IApplyHelper> desktopApply{new CurrentDesktopApplyHelper(settings.get())};
    std::unique_ptr<IReadHelper> desktopRead{new CurrentDesktopReadHelper(settings.get())};
    std::unique_ptr<IApplyHelper> wmApply{new CurrentWmApplyHelper(settings.get())};
    std::unique_ptr<IReadHelper> wmRead{new CurrentWmReadHelper(settings.get())};
    std::unique_ptr<IApplyHelper> sizesApply{new CurrentSizesApplyHelper(settings.get())};
    std::unique_ptr<IReadHelper> sizesRead{new CurrentSizesReadHelper(settings.get())};
    std::unique_ptr<IApplyHelper> screenSaverApply{new CurrentScreenSaverApplyHelper(settings.get())};
    std::unique_ptr<IReadHelper> screenSaverRead{new CurrentScreenSaverReadHelper(settings.get())};
    std::unique_ptr<IApplyHelper> effectsApply{new CurrentEffectsApplyHelper(settings.get())};
    std::unique_ptr<IReadHelper> effectsRead{new CurrentEffectsReadHelper(settings.get())};
};

BasePersonalizationSettingsProvider::BasePersonalizationSettingsProvider()
    : d(new BasePersonalizationSettingsProviderPrivate)
{
}

BasePersonalizationSettingsProvider::~BasePersonalizationSettingsProvider() = default;

IThemeSettings *BasePersonalizationSettingsProvider::settings() const
{
    return d->settings.get();
}

IApplyHelper *BasePersonalizationSettingsProvider::taskbarApplyHelper() const
{
    return d->taskbarApply.get();
}

IReadHelper *BasePersonalizationSettingsProvider::taskbarReadHelper() const
{
    return d->taskbarRead.get();
}

IApplyHelper *BasePersonalizationSettingsProvider::desktopApplyHelper() const
{
    return d->desktopApply.get();
}

IReadHelper *BasePersonalizationSettingsProvider::desktopReadHelper() const
{
    return d->desktopRead.get();
}

IApplyHelper *BasePersonalizationSettingsProvider::wmApplyHelper() const
{
    return d->wmApply.get();
}

IReadHelper *BasePersonalizationSettingsProvider::wmReadHelper() const
{
    return d->wmRead.get();
}

IApplyHelper *BasePersonalizationSettingsProvider::sizesApplyHelper() const
{
    return d->sizesApply.get();
}

IReadHelper *BasePersonalizationSettingsProvider::sizesReadHelper() const
{
    return d->sizesRead.get();
}

IApplyHelper *BasePersonalizationSettingsProvider::screenSaverApplyHelper() const
{
    return d->screenSaverApply.get();
}

IReadHelper *BasePersonalizationSettingsProvider::screenSaverReadHelper() const
{
    return d->screenSaverRead.get();
}

IApplyHelper *BasePersonalizationSettingsProvider::effectsApplyHelper() const
{
    return d->effectsApply.get();
}

IReadHelper *BasePersonalizationSettingsProvider::effectsReadHelper() const
{
    return d->effectsRead.get();
}
