/*
    Stand-in for the desktop core library: a flat key=value settings file.

    Format: one "key=value" per line; empty lines and lines starting with "#"
    are skipped. A file counts as parsed when it is missing or readable and
    every other line holds a "=" after a non-empty key.
*/
#ifndef PEXOCORE_PEXOSETTINGS_H
#define PEXOCORE_PEXOSETTINGS_H

#include "pexocore_export.h"

#include <QString>
#include <QVariant>

#include <memory>

class PexoSettingsPrivate;

class PEXOCORE_EXPORT PexoSettings
{
public:
    explicit PexoSettings(const QString &path);
    ~PexoSettings();

    PexoSettings(const PexoSettings &) = delete;
    PexoSettings &operator=(const PexoSettings &) = delete;

    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    void setValue(const QString &key, const QVariant &value);
    void remove(const QString &key);

    // Writes pending changes. With reread true (a plain sync) the file is then
    // read again, so that changes made by others are seen; false is used right
    // after a write. Returns false when the file could not be written.
    bool sync(bool reread);

    bool isParsed() const;
    QString path() const;

private:
    std::unique_ptr<PexoSettingsPrivate> const d;
};

#endif
