#ifndef ITHEMESTORAGE_H
#define ITHEMESTORAGE_H

#include "pexotheme_export.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// One flat key-value settings file (the group "Variables").
class PEXOTHEME_EXPORT IThemeStorage
{
public:
    virtual ~IThemeStorage() = default;

    virtual bool contains(const QString &key) const = 0;
    virtual QVariant read(const QString &key, const QVariant &defaultValue) const = 0;
    virtual bool write(const QString &key, const QVariant &value) = 0;
    virtual QStringList keys() const = 0;
    virtual bool sync() = 0;
    virtual bool isReadOnly() const = 0;
    virtual QString filePath() const = 0;
    virtual void removeKey(const QString &key) = 0;
};

#endif
