#include "kconfigstorage.h"
#include "deferredsync.h"
#include "themedefaults.h"
#include "utils.h"

#include <KConfigGroup>
#include <KSharedConfig>

class KConfigStoragePrivate
{
public:
    // The group, the file opened on first use: a storage that is never asked
    // anything costs no look-up among the open configurations.
    KConfigGroup *group();

    KConfigStorage *q;
    QString path;
    std::unique_ptr<KConfigGroup> opened;
};

KConfigGroup *KConfigStoragePrivate::group()
{
    if (!opened) {
        const KSharedConfigPtr config = KSharedConfig::openConfig(path, KConfig::CascadeConfig, QStandardPaths::GenericConfigLocation);
        opened.reset(new KConfigGroup(config, ThemeDefaults::themeVariablesGroup));
    }
    return opened.get();
}

KConfigStorage::KConfigStorage(const QString &path)
    : d(new KConfigStoragePrivate{this, path, nullptr})
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
    d->group()->writeEntry(key, value, KConfigBase::Persistent);
    if (DeferredSync::defer(*d->group())) {
        return true;
    }
    return d->group()->sync();
}

QStringList KConfigStorage::keys() const
{
    return QStringList();
}

bool KConfigStorage::sync()
{
    return d->group()->sync();
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
