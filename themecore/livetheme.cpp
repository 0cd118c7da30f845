#include "livetheme.h"

#include <colorsthemepart.h>
#include <cursorthemepart.h>
#include <failedwrites.h>
#include <iconthemepart.h>
#include <soundsthemepart.h>
#include <valuechanges.h>
#include <wallpaperthemepart.h>

#include <QSignalBlocker>

namespace {
// The theme itself, to the calls that take a shared one.
std::shared_ptr<Theme> unowned(Theme *theme)
{
    return std::shared_ptr<Theme>(theme, [](Theme *) {});
}
} // namespace

class LiveThemePrivate
{
public:
    explicit LiveThemePrivate(const std::shared_ptr<ISettingsProvider> &provider)
        : provider(provider)
        , taken(std::make_shared<Theme>(provider))
    {
    }

    std::shared_ptr<Theme> copyOf(Theme *theme) const
    {
        auto copy = std::make_shared<Theme>(provider);
        copy->copyFrom(unowned(theme));
        return copy;
    }

    std::shared_ptr<ISettingsProvider> provider;
    // The values as last read or applied.
    std::shared_ptr<Theme> taken;
};

LiveTheme::LiveTheme(const std::shared_ptr<ISettingsProvider> &provider)
    : Theme(provider)
    , d(new LiveThemePrivate(provider))
{
}

LiveTheme::~LiveTheme() = default;

void LiveTheme::read()
{
    Theme::read();
    d->taken->copyFrom(unowned(this));
}

void LiveTheme::apply()
{
    // Values that did not reach their files are still to be saved.
    const FailedWrites failed;
    Theme::apply();
    if (failed.files().isEmpty()) {
        d->taken->copyFrom(unowned(this));
    }
}

void LiveTheme::rebase(const std::shared_ptr<Theme> &base)
{
    const std::shared_ptr<Theme> edited = d->copyOf(this);
    const std::shared_ptr<Theme> baseValues = d->copyOf(base.get());
    {
        const QSignalBlocker blockColors(colorsThemePart().get());
        const QSignalBlocker blockCursor(cursorThemePart().get());
        const QSignalBlocker blockIcons(iconThemePart().get());
        const QSignalBlocker blockSounds(soundsThemePart().get());
        const QSignalBlocker blockWallpaper(wallpaperThemePart().get());
        copyFrom(baseValues);
        ValueChanges::carry(*d->taken, *edited, *this);
    }
    d->taken = baseValues;
}
