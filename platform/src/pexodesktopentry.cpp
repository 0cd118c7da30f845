#include "pexodesktopentry.h"
#include "configfile.h"
#include "localfile.h"

#include <KConfig>
#include <KConfigGroup>

class PexoDesktopEntryPrivate
{
public:
    KConfigGroup group() const
    {
        return KConfigGroup(config.get(), QStringLiteral("Desktop Entry"));
    }

    QString path;
    std::unique_ptr<KConfig> config;
};

PexoDesktopEntry::PexoDesktopEntry(const QString &path)
    : d(new PexoDesktopEntryPrivate)
{
    d->path = path;
    load();
}

PexoDesktopEntry::~PexoDesktopEntry() = default;

bool PexoDesktopEntry::load()
{
    // Only a usable file is read: anything else loads as an empty entry.
    const bool usable = LocalFile::isUsable(d->path, LocalFile::Kind::Settings);
    d->config = ConfigFile::open(usable ? d->path : QString());
    return usable;
}

bool PexoDesktopEntry::hidden() const
{
    return d->group().readEntry("Hidden", false);
}

void PexoDesktopEntry::setHidden(bool hidden)
{
    d->group().writeEntry("Hidden", hidden);
}

QString PexoDesktopEntry::type() const
{
    return d->group().readEntry("Type", QString());
}

QString PexoDesktopEntry::url() const
{
    return d->group().readEntry("URL", QString());
}

QString PexoDesktopEntry::localCommentOrFallback() const
{
    return d->group().readEntry("Comment", QString());
}

bool PexoDesktopEntry::save(bool saveEmptyFields)
{
    Q_UNUSED(saveEmptyFields) // only Hidden is ever changed, and it is never empty
    if (ConfigFile::sync(*d->config)) {
        return true;
    }
    // KConfig may keep its lock after a sync that failed, and then waits for
    // ever in the next one: the object is neither synced nor destroyed again.
    d->config->markAsClean();
    d->config.release();
    load();
    return false;
}

QString PexoDesktopEntry::path() const
{
    return d->path;
}
