#include "theme.h"
#include "colorsthemepart.h"
#include "configsync.h"
#include "currentsettingsprovider.h"
#include "cursorthemepart.h"
#include "deferredsync.h"
#include "failedwrites.h"
#include "iconthemepart.h"
#include "isettingsprovider.h"
#include "ithemesettings.h"
#include "kconfigstorage.h"
#include "soundsthemepart.h"
#include "themedefaults.h"
#include "wallpaperthemepart.h"

#include <KConfigGroup>

#include <QFileInfo>
#include <QVector>

#include <optional>

class ThemePrivate
{
public:
    explicit ThemePrivate(Theme *theme, const std::shared_ptr<ISettingsProvider> &settingsProvider)
        : q(theme)
        , colors(std::make_shared<ColorsThemePart>(nullptr))
        , cursor(std::make_shared<CursorThemePart>(nullptr))
        , icons(std::make_shared<IconThemePart>(nullptr))
        , sounds(std::make_shared<SoundsThemePart>(nullptr))
        , wallpaper(std::make_shared<WallpaperThemePart>(nullptr))
        , provider(settingsProvider)
    {
    }

    // The parts in the order of apply, defaults, hasChanges and copyFrom.
    QVector<IThemePart *> parts() const
    {
        return {colors.get(), cursor.get(), icons.get(), sounds.get(), wallpaper.get()};
    }

    void connectParts();
    void writeDescription(const QString &key, const QString &value, QString &field);

    Theme *q;
    std::shared_ptr<KConfig> config;
    QString id;
    QString name;
    QString comment;
    bool isReadOnly = false;
    QString desktopPath;
    std::shared_ptr<ColorsThemePart> colors;
    std::shared_ptr<CursorThemePart> cursor;
    std::shared_ptr<IconThemePart> icons;
    std::shared_ptr<SoundsThemePart> sounds;
    std::shared_ptr<WallpaperThemePart> wallpaper;
    std::shared_ptr<ISettingsProvider> provider;
};

void ThemePrivate::connectParts()
{
    const auto all = parts();
    for (IThemePart *part : all) {
        QObject::connect(part, &IThemePart::error, q, &Theme::error);
    }
    for (IThemePart *part : all) {
        QObject::connect(part, &IThemePart::changed, q, &Theme::changed);
    }
}

void ThemePrivate::writeDescription(const QString &key, const QString &value, QString &field)
{
    if (desktopPath == ThemeDefaults::currentThemeConfigPath || value == field || !config) {
        return;
    }
    KConfigGroup group(config.get(), ThemeDefaults::themeDescriptionGroup);
    group.writeEntry(key, value, KConfigBase::Normal);
    if (ConfigSync::sync(config)) {
        field = value;
    }
}

Theme::Theme(const std::shared_ptr<ISettingsProvider> &provider, QObject *parent)
    : QObject(parent)
    , d(new ThemePrivate(this, provider))
{
    d->connectParts();
}

Theme::Theme(const KSharedConfigPtr &config, const std::shared_ptr<ISettingsProvider> &provider, QObject *parent)
    // The configuration stays listed as long as the theme holds it.
    : Theme(config ? std::shared_ptr<KConfig>(config.data(), [config](KConfig *) {}) : nullptr, provider, parent)
{
}

Theme::Theme(const std::shared_ptr<KConfig> &config, const std::shared_ptr<ISettingsProvider> &provider, QObject *parent)
    : QObject(parent)
    , d(new ThemePrivate(this, provider))
{
    d->config = config;
    if (config) {
        d->desktopPath = config->name();
        const KConfigGroup group(config.get(), ThemeDefaults::themeDescriptionGroup);
        // Ids are never translated: an "Id[xx]" entry is no id.
        d->id = group.readEntryUntranslated("Id", QString());
        d->name = group.readEntry("Name", QString());
        d->comment = group.readEntry("Comment", QString());
        d->isReadOnly = group.readEntry("X-Ulvar-System-Theme", false);
    }
    d->connectParts();
}

Theme::~Theme() = default;

const QString &Theme::id() const
{
    return d->id;
}

const QString &Theme::name() const
{
    return d->name;
}

const QString &Theme::comment() const
{
    return d->comment;
}

const QString &Theme::desktopPath() const
{
    return d->desktopPath;
}

bool Theme::isReadOnly() const
{
    return d->isReadOnly;
}

bool Theme::isValid() const
{
    return !d->desktopPath.isEmpty() && !d->id.isEmpty() && !d->name.isEmpty() && QFileInfo::exists(d->desktopPath);
}

std::shared_ptr<ColorsThemePart> Theme::colorsThemePart() const
{
    return d->colors;
}

std::shared_ptr<CursorThemePart> Theme::cursorThemePart() const
{
    return d->cursor;
}

std::shared_ptr<WallpaperThemePart> Theme::wallpaperThemePart() const
{
    return d->wallpaper;
}

std::shared_ptr<IconThemePart> Theme::iconThemePart() const
{
    return d->icons;
}

std::shared_ptr<SoundsThemePart> Theme::soundsThemePart() const
{
    return d->sounds;
}

void Theme::apply()
{
    const ISettingsProvider *p = d->provider.get();
    const FailedWrites failed;
    {
        // A stored theme's values only go to its file and nobody examines
        // the results: the file is written once. Live values are announced
        // one by one, each only after it reached its file.
        std::optional<DeferredSync> once;
        if (!dynamic_cast<const CurrentSettingsProvider *>(p)) {
            once.emplace();
        }
        d->colors->apply(p->colorsApplyHelper());
        d->cursor->apply(p->cursorApplyHelper());
        d->icons->apply(p->iconApplyHelper());
        d->sounds->apply(p->soundsApplyHelper());
        d->wallpaper->apply(p->wallpaperApplyHelper());
    }
    p->settings()->sync();
    if (!failed.files().isEmpty()) {
        Q_EMIT error(failed.message());
    }
}

void Theme::read()
{
    // The files as they are now, also where another writer changed them.
    KConfigStorage::readFilesAgain();
    const ISettingsProvider *p = d->provider.get();
    // The wallpaper goes first here, unlike in every other operation.
    d->wallpaper->read(p->wallpaperReadHelper());
    d->colors->read(p->colorsReadHelper());
    d->cursor->read(p->cursorReadHelper());
    d->icons->read(p->iconReadHelper());
    d->sounds->read(p->soundsReadHelper());
}

void Theme::defaults()
{
    const auto all = d->parts();
    for (IThemePart *part : all) {
        part->defaults();
    }
}

bool Theme::hasChanges() const
{
    const ISettingsProvider *p = d->provider.get();
    return d->colors->hasChanges(p->colorsReadHelper()) || d->cursor->hasChanges(p->cursorReadHelper()) || d->icons->hasChanges(p->iconReadHelper()) ||
        d->sounds->hasChanges(p->soundsReadHelper()) || d->wallpaper->hasChanges(p->wallpaperReadHelper());
}

void Theme::copyFrom(const std::shared_ptr<Theme> &other)
{
    if (!other) {
        return;
    }
    const auto mine = d->parts();
    const auto theirs = other->d->parts();
    for (int i = 0; i < mine.size(); ++i) {
        mine.at(i)->copyFrom(theirs.at(i));
    }
}

bool Theme::isPropertyImmutable(const QString &key)
{
    return d->provider->settings()->isOverriddenByMaster(key);
}

// The control core's note of an applied theme digests the values that the
// parts compare: a value compared here is taken there too.
bool Theme::operator==(const Theme &other) const
{
    return *d->colors == *other.d->colors && *d->cursor == *other.d->cursor && *d->icons == *other.d->icons && *d->sounds == *other.d->sounds &&
        *d->wallpaper == *other.d->wallpaper;
}

void Theme::setName(const QString &name)
{
    d->writeDescription(QStringLiteral("Name"), name, d->name);
}

void Theme::setComment(const QString &comment)
{
    d->writeDescription(QStringLiteral("Comment"), comment, d->comment);
}
