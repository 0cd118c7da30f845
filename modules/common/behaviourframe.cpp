#include "behaviourframe.h"

#include <basepersonalizationsettingsprovider.h>
#include <desktopthemepart.h>
#include <effectsthemepart.h>
#include <failedwrites.h>
#include <ithemesettings.h>
#include <kconfigstorage.h>
#include <personalization.h>
#include <screensaverthemepart.h>
#include <sessionlock.h>
#include <sizesthemepart.h>
#include <taskbarthemepart.h>
#include <valuechanges.h>
#include <wmthemepart.h>

#include <QSignalBlocker>

namespace {
using PartGetter = IThemePart *(*)(const Personalization *);
using ApplyHelperGetter = IApplyHelper *(IPersonalizationSettingsProvider::*)() const;
using ReadHelperGetter = IReadHelper *(IPersonalizationSettingsProvider::*)() const;

// A part of the Personalization with the provider's helpers for it.
struct PartEntry
{
    PartGetter part;
    ReadHelperGetter readHelper;
    ApplyHelperGetter applyHelper;
};

template<typename Part, std::shared_ptr<Part> (Personalization::*getter)() const>
IThemePart *partOf(const Personalization *personalization)
{
    return (personalization->*getter)().get();
}

// By BehaviourFrame::OwnPart.
PartEntry partEntry(BehaviourFrame::OwnPart ownPart)
{
    using Provider = IPersonalizationSettingsProvider;
    switch (ownPart) {
    case BehaviourFrame::Taskbar:
        return {&partOf<TaskbarThemePart, &Personalization::taskbarThemePart>, &Provider::taskbarReadHelper, &Provider::taskbarApplyHelper};
    case BehaviourFrame::Desktop:
        return {&partOf<DesktopThemePart, &Personalization::desktopThemePart>, &Provider::desktopReadHelper, &Provider::desktopApplyHelper};
    case BehaviourFrame::Wm:
        return {&partOf<WmThemePart, &Personalization::wmThemePart>, &Provider::wmReadHelper, &Provider::wmApplyHelper};
    case BehaviourFrame::Sizes:
        return {&partOf<SizesThemePart, &Personalization::sizesThemePart>, &Provider::sizesReadHelper, &Provider::sizesApplyHelper};
    case BehaviourFrame::ScreenSaver:
        return {&partOf<ScreenSaverThemePart, &Personalization::screenSaverThemePart>, &Provider::screenSaverReadHelper, &Provider::screenSaverApplyHelper};
    case BehaviourFrame::Effects:
        break;
    }
    return {&partOf<EffectsThemePart, &Personalization::effectsThemePart>, &Provider::effectsReadHelper, &Provider::effectsApplyHelper};
}
} // namespace

class BehaviourFramePrivate
{
public:
    BehaviourFramePrivate(QObject *module, BehaviourFrame::OwnPart ownPart)
        : provider(std::make_shared<BasePersonalizationSettingsProvider>())
        , personalization(new Personalization(provider, module))
        , own(partEntry(ownPart))
    {
    }

    IThemePart *ownPart() const
    {
        return own.part(personalization);
    }

    IReadHelper *readHelper() const
    {
        return (provider.get()->*own.readHelper)();
    }

    std::shared_ptr<BasePersonalizationSettingsProvider> provider;
    Personalization *personalization;
    PartEntry own;
    // The own part's values as last read or saved: what differs from them
    // is the page's edit.
    QVariantList taken;
};

BehaviourFrame::BehaviourFrame(QObject *module, OwnPart ownPart)
    : d(new BehaviourFramePrivate(module, ownPart))
{
}

BehaviourFrame::~BehaviourFrame() = default;

Personalization *BehaviourFrame::personalization() const
{
    return d->personalization;
}

IThemeSettings *BehaviourFrame::settings() const
{
    return d->provider->settings();
}

template<>
std::shared_ptr<TaskbarThemePart> BehaviourFrame::part<TaskbarThemePart>() const
{
    return d->personalization->taskbarThemePart();
}

template<>
std::shared_ptr<DesktopThemePart> BehaviourFrame::part<DesktopThemePart>() const
{
    return d->personalization->desktopThemePart();
}

template<>
std::shared_ptr<WmThemePart> BehaviourFrame::part<WmThemePart>() const
{
    return d->personalization->wmThemePart();
}

template<>
std::shared_ptr<SizesThemePart> BehaviourFrame::part<SizesThemePart>() const
{
    return d->personalization->sizesThemePart();
}

template<>
std::shared_ptr<ScreenSaverThemePart> BehaviourFrame::part<ScreenSaverThemePart>() const
{
    return d->personalization->screenSaverThemePart();
}

template<>
std::shared_ptr<EffectsThemePart> BehaviourFrame::part<EffectsThemePart>() const
{
    return d->personalization->effectsThemePart();
}

void BehaviourFrame::load()
{
    d->personalization->read();
    d->taken = ValueChanges::values(*d->ownPart());
}

bool BehaviourFrame::save()
{
    if (!hasChanges()) {
        return true;
    }
    const SessionLock lock(SessionLock::Wait::Page, [this](const QString &message) {
        Q_EMIT d->personalization->error(message);
    });
    if (!lock.isLocked()) {
        Q_EMIT d->personalization->error(lock.message());
        return false;
    }
    return saveHeld();
}

bool BehaviourFrame::saveHeld()
{
    // The other parts may hold values that another page has saved since
    // load(); they are neither compared nor written.
    if (!hasChanges()) {
        return true;
    }
    // The part as the settings hold it now, with the page's edits made again
    // on it: a value that another program changed meanwhile is not written
    // back. The page hears nothing of the values read.
    IThemePart *part = d->ownPart();
    const QVariantList edited = ValueChanges::values(*part);
    // A page that never loaded has nothing to make again.
    if (!d->taken.isEmpty()) {
        const QSignalBlocker still(part);
        KConfigStorage::readFilesAgain();
        part->read(d->readHelper());
        const QVariantList read = ValueChanges::values(*part);
        ValueChanges::carry(d->taken, edited, *part);
        d->taken = read;
    }
    const FailedWrites failed;
    part->apply((d->provider.get()->*d->own.applyHelper)());
    d->provider->settings()->sync();
    if (!failed.files().isEmpty()) {
        Q_EMIT d->personalization->error(failed.message());
        return false;
    }
    d->taken = ValueChanges::values(*part);
    return true;
}

void BehaviourFrame::defaults()
{
    d->ownPart()->defaults();
}

bool BehaviourFrame::hasChanges() const
{
    return d->ownPart()->hasChanges(d->readHelper());
}

bool BehaviourFrame::isImmutable(const QString &key) const
{
    return d->personalization->isPropertyImmutable(key);
}
