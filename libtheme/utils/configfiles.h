/*
    Internal: configuration files opened by KDE's or Qt's configuration
    classes, which take only a name or a path. The files are looked at with
    the local-file rule first, so that a fifo, a device or a huge file is
    never handed to them.
*/
#ifndef CONFIGFILES_H
#define CONFIGFILES_H

#include "configfile.h"
#include "failedwrites.h"
#include "localfile.h"

#include <KSharedConfig>

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace ConfigFiles {
// The first file of that name in the generic configuration directories,
// where a configuration of that name is read from, that is there but not
// usable; empty when there is none.
inline QString unusableFile(const QString &name)
{
    const QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (const QString &dir : dirs) {
        const QString path = dir + QLatin1Char('/') + name;
        if (!LocalFile::isMissingOrUsable(path, LocalFile::Kind::Settings)) {
            return path;
        }
    }
    return QString();
}

inline bool isUsable(const QString &name)
{
    return unusableFile(name).isEmpty();
}

// The user's own file of that name, where a configuration of that name is
// written.
inline QString userFile(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + name;
}

// The configuration of that name (with the files behind it that the flags
// ask for) to be written; null, with the unusable file noted as not
// written, when a file of that name is not usable.
inline KSharedConfigPtr openToWrite(const QString &name, KConfig::OpenFlags flags)
{
    const QString unusable = unusableFile(name);
    if (!unusable.isEmpty()) {
        FailedWrites::note(unusable);
        return KSharedConfigPtr();
    }
    return ConfigFile::openShared(name, flags);
}

// A colour scheme's configuration, read from the file when the path is
// absolute and names a usable file; otherwise an empty configuration, as
// for a missing file.
inline KSharedConfigPtr openScheme(const QString &path, KConfig::OpenFlags flags = KConfig::SimpleConfig)
{
    if (QDir::isAbsolutePath(path) && LocalFile::isUsable(path, LocalFile::Kind::Settings)) {
        return ConfigFile::openShared(path, flags);
    }
    return KSharedConfig::openConfig(QString(), KConfig::SimpleConfig);
}
} // namespace ConfigFiles

#endif
