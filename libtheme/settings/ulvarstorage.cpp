#include "ulvarstorage.h"

#include <pexosettings.h>

class UlvarStoragePrivate
{
public:
    QString path;
    bool readOnly;
    std::unique_ptr<PexoSettings> settings;
};

UlvarStorage::UlvarStorage(const QString &path, bool readOnly)
    : d(new UlvarStoragePrivate{path, readOnly, std::make_unique<PexoSettings>(path)})
{
}

UlvarStorage::~UlvarStorage() = default;

bool UlvarStorage::contains(const QString &key) const
{
    return !d->settings->value(key, QVariant()).toString().isEmpty();
}

QVariant UlvarStorage::read(const QString &key, const QVariant &defaultValue) const
{
    return d->settings->value(key, defaultValue);
}

// The read-only flag is enforced one level up, by ThemeSettings::write().
bool UlvarStorage::write(const QString &key, const QVariant &value)
{
    if (!d->settings->isParsed()) {
        return false;
    }
    d->settings->setValue(key, value);
    d->settings->sync(false);
    return true;
}

QStringList UlvarStorage::keys() const
{
    return QStringList();
}

bool UlvarStorage::sync()
{
    d->settings->sync(true);
    return true;
}

bool UlvarStorage::isReadOnly() const
{
    return d->readOnly;
}

QString UlvarStorage::filePath() const
{
    return d->path;
}

void UlvarStorage::removeKey(const QString &key)
{
    d->settings->remove(key);
}
