#include "pexosettings.h"
#include "localfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QVector>

#include <utility>

class PexoSettingsPrivate
{
public:
    void load();
    int indexOf(const QString &key) const;

    QString path;
    QVector<std::pair<QString, QString>> entries; // file order
    bool parsed = true;
    bool dirty = false;
};

void PexoSettingsPrivate::load()
{
    entries.clear();
    dirty = false;
    parsed = true;
    if (!LocalFile::exists(path)) {
        return;
    }
    const std::optional<QByteArray> bytes = LocalFile::read(path, LocalFile::Kind::Settings);
    if (!bytes) {
        parsed = false;
        return;
    }
    const auto lines = bytes->split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty() || line.trimmed().startsWith('#')) {
            continue;
        }
        const int separator = line.indexOf('=');
        const QString key = QString::fromUtf8(line.left(separator)).trimmed();
        if (separator < 0 || key.isEmpty()) {
            parsed = false;
            continue;
        }
        const QString value = QString::fromUtf8(line.mid(separator + 1));
        const int existing = indexOf(key);
        if (existing >= 0) {
            entries[existing].second = value;
        } else {
            entries.append({key, value});
        }
    }
}

int PexoSettingsPrivate::indexOf(const QString &key) const
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).first == key) {
            return i;
        }
    }
    return -1;
}

PexoSettings::PexoSettings(const QString &path)
    : d(new PexoSettingsPrivate)
{
    d->path = path;
    d->load();
}

PexoSettings::~PexoSettings() = default;

QVariant PexoSettings::value(const QString &key, const QVariant &defaultValue) const
{
    const int i = d->indexOf(key);
    return i >= 0 ? QVariant(d->entries.at(i).second) : defaultValue;
}

void PexoSettings::setValue(const QString &key, const QVariant &value)
{
    QString text = value.toString();
    // One entry per line.
    text.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    const int i = d->indexOf(key);
    if (i >= 0) {
        d->entries[i].second = text;
    } else {
        d->entries.append({key, text});
    }
    d->dirty = true;
}

void PexoSettings::remove(const QString &key)
{
    const int i = d->indexOf(key);
    if (i >= 0) {
        d->entries.remove(i);
        d->dirty = true;
    }
}

bool PexoSettings::sync(bool reread)
{
    bool ok = true;
    if (d->dirty) {
        QDir().mkpath(QFileInfo(d->path).absolutePath());
        QSaveFile file(d->path);
        ok = file.open(QIODevice::WriteOnly);
        for (const auto &entry : std::as_const(d->entries)) {
            if (ok) {
                ok = file.write(entry.first.toUtf8() + '=' + entry.second.toUtf8() + '\n') >= 0;
            }
        }
        // commit() does not see a failure of the flush that it makes itself.
        ok = ok && file.flush() && file.commit();
        if (ok) {
            d->dirty = false;
        }
    }
    if (reread && !d->dirty) {
        d->load();
    }
    return ok;
}

bool PexoSettings::isParsed() const
{
    return d->parsed;
}

QString PexoSettings::path() const
{
    return d->path;
}
