#include "personalization.h"
#include "desktopthemepart.h"
#include "effectsthemepart.h"
#include "failedwrites.h"
#include "ipersonalizationsettingsprovider.h"
#include "ithemesettings.h"
#include "kconfigstorage.h"
#include "screensaverthemepart.h"
#include "sizesthemepart.h"
#include "taskbarthemepart.h"
#include "wmthemepart.h"

#include <utility>
#include <vector>

class PersonalizationPrivate
{
public:
    using ApplyHelperGetter = IApplyHelper *(IPersonalizationSettingsProvider::*)() const;
    using ReadHelperGetter = IReadHelper *(IPersonalizationSettingsProvider::*)() const;

    // A part with the provider's helpers for it.
    struct Entry
    {
        IThemePart *part;
        ApplyHelperGetter applyHelper;
        ReadHelperGetter readHelper;
    };

    PersonalizationPrivate(Personalization *personalization, const std::shared_ptr<IPersonalizationSettingsProvider> &settingsProvider)
        : q(personalization)
        , taskbar(std::make_shared<TaskbarThemePart>())
        , desktop(std::make_shared<DesktopThemePart>())
        , wm(std::make_shared<WmThemePart>())
        , sizes(std::make_shared<SizesThemePart>())
        , screenSaver(std::make_shared<ScreenSaverThemePart>())
        , effects(std::make_shared<EffectsThemePart>())
        , provider(settingsProvider)
    {
    }

    // The parts in the order of every operation.
    std::vector<Entry> entries() const
    {
        using Provider = IPersonalizationSettingsProvider;
        return {
            {taskbar.get(), &Provider::taskbarApplyHelper, &Provider::taskbarReadHelper},
            {desktop.get(), &Provider::desktopApplyHelper, &Provider::desktopReadHelper},
            {wm.get(), &Provider::wmApplyHelper, &Provider::wmReadHelper},
            {sizes.get(), &Provider::sizesApplyHelper, &Provider::sizesReadHelper},
            {screenSaver.get(), &Provider::screenSaverApplyHelper, &Provider::screenSaverReadHelper},
            {effects.get(), &Provider::effectsApplyHelper, &Provider::effectsReadHelper},
        };
    }

    IApplyHelper *applyHelper(const Entry &entry) const
    {
        return (provider.get()->*entry.applyHelper)();
    }

    IReadHelper *readHelper(const Entry &entry) const
    {
        return (provider.get()->*entry.readHelper)();
    }

    Personalization *const q;
    std::shared_ptr<TaskbarThemePart> taskbar;
    std::shared_ptr<DesktopThemePart> desktop;
    std::shared_ptr<WmThemePart> wm;
    std::shared_ptr<SizesThemePart> sizes;
    std::shared_ptr<ScreenSaverThemePart> screenSaver;
    std::shared_ptr<EffectsThemePart> effects;
    std::shared_ptr<IPersonalizationSettingsProvider> provider;
};

Personalization::Personalization(const std::shared_ptr<IPersonalizationSettingsProvider> &provider, QObject *parent)
    : QObject(parent)
    , d(new PersonalizationPrivate(this, provider))
{
    const std::vector<PersonalizationPrivate::Entry> entries = d->entries();
    for (const auto &entry : entries) {
        connect(entry.part, &IThemePart::error, this, &Personalization::error);
    }
    for (const auto &entry : entries) {
        connect(entry.part, &IThemePart::changed, this, &Personalization::changed);
    }
}

Personalization::~Personalization()
{
    // The provider goes first, then the parts from the last to the first.
    d->provider.reset();
    d->effects.reset();
    d->screenSaver.reset();
    d->sizes.reset();
    d->wm.reset();
    d->desktop.reset();
    d->taskbar.reset();
}

std::shared_ptr<TaskbarThemePart> Personalization::taskbarThemePart() const
{
    return d->taskbar;
}

std::shared_ptr<DesktopThemePart> Personalization::desktopThemePart() const
{
    return d->desktop;
}

std::shared_ptr<WmThemePart> Personalization::wmThemePart() const
{
    return d->wm;
}

std::shared_ptr<SizesThemePart> Personalization::sizesThemePart() const
{
    return d->sizes;
}

std::shared_ptr<ScreenSaverThemePart> Personalization::screenSaverThemePart() const
{
    return d->screenSaver;
}

std::shared_ptr<EffectsThemePart> Personalization::effectsThemePart() const
{
    return d->effects;
}

void Personalization::apply()
{
    for (const auto &entry : d->entries()) {
        if (!entry.part->hasChanges(d->readHelper(entry))) {
            continue;
        }
        const FailedWrites failed;
        entry.part->apply(d->applyHelper(entry));
        d->provider->settings()->sync();
        // The parts after one that could not be written are left unsaved.
        if (!failed.files().isEmpty()) {
            Q_EMIT error(failed.message());
            return;
        }
    }
}

void Personalization::read()
{
    // The files as they are now, also where another writer changed them.
    KConfigStorage::readFilesAgain();
    for (const auto &entry : d->entries()) {
        entry.part->read(d->readHelper(entry));
    }
}

void Personalization::defaults()
{
    for (const auto &entry : d->entries()) {
        entry.part->defaults();
    }
}

bool Personalization::hasChanges() const
{
    for (const auto &entry : d->entries()) {
        if (entry.part->hasChanges(d->readHelper(entry))) {
            return true;
        }
    }
    return false;
}

void Personalization::copyFrom(const std::shared_ptr<Personalization> &other)
{
    copyFrom(other.get());
}

void Personalization::copyFrom(Personalization *other)
{
    if (!other) {
        return;
    }
    const std::vector<PersonalizationPrivate::Entry> mine = d->entries();
    const std::vector<PersonalizationPrivate::Entry> theirs = other->d->entries();
    for (size_t i = 0; i < mine.size(); ++i) {
        mine[i].part->copyFrom(theirs[i].part);
    }
}

bool Personalization::isPropertyImmutable(const QString &key) const
{
    return d->provider->settings()->isOverriddenByMaster(key);
}
