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

#include <QFile>
#include <QHash>

#include <sys/stat.h>

namespace {
// What tells that a file was changed or replaced since it was read.
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    static FileStamp of(const QString &path)
    {
        FileStamp stamp;
        struct stat status;
        if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
            stamp = FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
        }
        return stamp;
    }

    bool operator==(const FileStamp &other) const
    {
        const auto same = [](const timespec &a, const timespec &b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        return device == other.device && inode == other.inode && size == other.size && same(modified, other.modified) && same(changed, other.changed);
    }
};

struct OpenFile
{
    std::weak_ptr<KConfig> config;
    // The file as the configuration last read it.
    FileStamp read;
    // The round of looks at the files in which it was looked at last.
    quint64 looked = 0;
};

// The configurations open on this thread, by path: storages on one path share
// one, found without a pass over every open file.
thread_local QHash<QString, OpenFile> openFiles;
// Advanced whenever the files are to be read as they are now.
thread_local quint64 lookRound = 1;

std::shared_ptr<KConfig> openShared(const QString &path)
{
    OpenFile &known = openFiles[path];
    std::shared_ptr<KConfig> config = known.config.lock();
    if (!config) {
        // Taken before the file is read: a change in between reads it again.
        known.read = FileStamp::of(path);
        known.looked = lookRound;
        config = ConfigFile::open(path, KConfig::CascadeConfig);
        known.config = config;
    }
    return config;
}

// Reads the shared configuration of the path again when its file changed
// since, once a round; one holding writes not yet flushed keeps them.
void lookAtFile(const QString &path, KConfig &config)
{
    const auto known = openFiles.find(path);
    if (known == openFiles.end() || known->looked == lookRound || known->config.lock().get() != &config) {
        return;
    }
    known->looked = lookRound;
    const FileStamp now = FileStamp::of(path);
    // One that is no usable file any more is not read: its writes are refused.
    if (now == known->read || config.isDirty() || !LocalFile::isMissingOrUsable(path, LocalFile::Kind::Settings)) {
        return;
    }
    known->read = now;
    ConfigFile::reparse(config);
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
    // The round of looks at the files seen last.
    quint64 seenRound = 0;
};

KConfigStoragePrivate::~KConfigStoragePrivate()
{
    opened.reset();
    config.reset();
    // A storage may end on another thread than the one it opened its file
    // on, whose entry for the path is then another configuration's: only an
    // expired entry goes.
    const auto known = openFiles.find(path);
    if (known != openFiles.end() && known->config.expired()) {
        openFiles.erase(known);
    }
}

KConfigGroup *KConfigStoragePrivate::group()
{
    // A configuration that may never be synced again is left to itself.
    if (opened && ConfigSync::isBroken(*config)) {
        lostWrites = takeLostWrites();
        const auto known = openFiles.constFind(path);
        if (known != openFiles.cend() && known->config.lock() == config) {
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
    if (seenRound != lookRound) {
        seenRound = lookRound;
        if (!special) {
            lookAtFile(path, *config);
        }
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

void KConfigStorage::readFilesAgain()
{
    ++lookRound;
}

void KConfigStorage::removeKey(const QString &key)
{
    d->group()->deleteEntry(key, KConfigBase::Persistent);
}
