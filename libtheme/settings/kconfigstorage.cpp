#include "kconfigstorage.h"
#include "configfile.h"
#include "configsync.h"
#include "deferredsync.h"
#include "failedwrites.h"
#include "localfile.h"
#include "themedefaults.h"
#include "utils.h"

#include <KConfig>
#include <KConfigGroup>

#include <QHash>

namespace {
// The configurations open on this thread, by path: storages on one path share
// one, found without a pass over every open file.
thread_local QHash<QString, std::weak_ptr<KConfig>> openFiles;

std::shared_ptr<KConfig> openShared(const QString &path)
{
    std::weak_ptr<KConfig> &known = openFiles[path];
    std::shared_ptr<KConfig> config = known.lock();
    if (!config) {
        config = ConfigFile::open(path, KConfig::CascadeConfig);
        known = config;
    }
    return config;
}

// A fifo or a device would block or never end when read, a huge file would
// fill the memory.
bool isSpecialFile(const QString &path)
{
    return LocalFile::status(path, LocalFile::Kind::Settings) == LocalFile::Status::Other && !LocalFile::isUsable(path, LocalFile::Kind::Settings);
}
} // namespace

class KConfigStoragePrivate
{
public:
    ~KConfigStoragePrivate();

    // The group, the file opened on first use: a storage that is never asked
    // anything does not read its file.
    KConfigGroup *group();

    // Whether a write since the last call did not reach the file, through
    // this storage or another one sharing the configuration.
    bool takeLostWrites();

    KConfigStorage *q;
    QString path;
    std::shared_ptr<KConfig> config;
    std::unique_ptr<KConfigGroup> opened;
    // The path names a special file: it reads as empty and takes no writes.
    bool special = false;
    quint64 seenFailures = 0;
    bool lostWrites = false;
};

KConfigStoragePrivate::~KConfigStoragePrivate()
{
    opened.reset();
    config.reset();
    // A storage may end on another thread than the one it opened its file
    // on, whose entry for the path is then another configuration's: only an
    // expired entry goes.
    const auto known = openFiles.find(path);
    if (known != openFiles.end() && known->expired()) {
        openFiles.erase(known);
    }
}

KConfigGroup *KConfigStoragePrivate::group()
{
    // A configuration that may never be synced again is left to itself.
    if (opened && ConfigSync::isBroken(*config)) {
        lostWrites = takeLostWrites();
        const auto known = openFiles.constFind(path);
        if (known != openFiles.cend() && known->lock() == config) {
            openFiles.erase(known);
        }
        opened.reset();
        config.reset();
    }
    if (!opened) {
        special = isSpecialFile(path);
        config = special ? std::make_shared<KConfig>(QString(), KConfig::SimpleConfig) : openShared(path);
        opened.reset(new KConfigGroup(config.get(), ThemeDefaults::themeVariablesGroup));
        seenFailures = ConfigSync::failures(*config);
    }
    return opened.get();
}

bool KConfigStoragePrivate::takeLostWrites()
{
    const quint64 failures = ConfigSync::failures(*config);
    const bool lost = lostWrites || failures != seenFailures;
    seenFailures = failures;
    lostWrites = false;
    return lost;
}

KConfigStorage::KConfigStorage(const QString &path)
    : d(new KConfigStoragePrivate{this, path, nullptr, nullptr})
{
}

KConfigStorage::~KConfigStorage() = default;

bool KConfigStorage::contains(const QString &key) const
{
    return d->group()->hasKey(key);
}

QVariant KConfigStorage::read(const QString &key, const QVariant &defaultValue) const
{
    const QVariant value = d->group()->readEntry(key, defaultValue);
    if (value.canConvert<QString>()) {
        return QVariant(Utils::stripQuotes(value.toString()));
    }
    return value;
}

bool KConfigStorage::write(const QString &key, const QVariant &value)
{
    // KConfig drops writes to an immutable group or entry without a word.
    if (d->group()->isEntryImmutable(key)) {
        return false;
    }
    if (d->special) {
        FailedWrites::note(d->path);
        return false;
    }
    d->group()->writeEntry(key, value, KConfigBase::Persistent);
    if (DeferredSync::defer(d->config)) {
        return true;
    }
    return ConfigSync::sync(d->config);
}

QStringList KConfigStorage::keys() const
{
    return QStringList();
}

bool KConfigStorage::sync()
{
    d->group();
    const bool synced = ConfigSync::sync(d->config);
    return !d->takeLostWrites() && synced && !d->special;
}

bool KConfigStorage::isReadOnly() const
{
    return d->group()->config()->isImmutable();
}

QString KConfigStorage::filePath() const
{
    return d->path;
}

void KConfigStorage::removeKey(const QString &key)
{
    d->group()->deleteEntry(key, KConfigBase::Persistent);
}
