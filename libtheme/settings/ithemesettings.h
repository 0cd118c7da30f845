#ifndef ITHEMESETTINGS_H
#define ITHEMESETTINGS_H

#include "pexotheme_export.h"

#include <QString>
#include <QVariant>

// A keyed view over a master and a user settings layer.
class PEXOTHEME_EXPORT IThemeSettings
{
public:
    // Layers returned by resolveLayerForRead() and resolveLayerForWrite().
    enum Layer {
        MasterLayer = 0,
        UserLayer = 1,
        DefaultLayer = 2, // the caller's default (read), no writable layer (write)
    };

    // Codes returned by write().
    enum WriteResult {
        Written = 0,
        ReadOnly = 1,
        FixedByMaster = 2,
        WriteFailed = 5, // no user layer, an invalid value, or the write failed
    };

    virtual ~IThemeSettings() = default;

    virtual bool isOverriddenByMaster(const QString &key) const = 0;
    virtual QVariant read(const QString &key, const QVariant &defaultValue) const = 0;
    virtual int write(const QString &key, const QVariant &value) = 0;
    virtual bool sync() = 0;
    virtual int resolveLayerForRead(const QString &key) const = 0;
    virtual int resolveLayerForWrite(const QString &key) const = 0;
};

#endif
