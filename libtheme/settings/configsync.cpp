#include "configsync.h"
#include "configfile.h"
#include "failedwrites.h"
#include "localfile.h"
#include "settingsreplace.h"

#include <KConfig>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
thread_local QSet<const KConfig *> broken;
// By address: an object made later at the same address goes on counting.
thread_local QHash<const KConfig *, quint64> forgotten;

// The file KConfig writes; its lock file lies beside it.
QString localFile(const KConfig &config)
{
    const QString name = config.name();
    const QString path = QDir::isAbsolutePath(name) ? name : QStandardPaths::writableLocation(config.locationType()) + QLatin1Char('/') + name;
    if (const QString canonical = LocalFile::canonicalPath(path); !canonical.isEmpty()) {
        return canonical;
    }
    const QFileInfo info(path);
    const QString dir = LocalFile::canonicalPath(info.absolutePath());
    return dir.isEmpty() ? info.absoluteFilePath() : dir + QLatin1Char('/') + info.fileName();
}

// Whether KConfig will get the file's lock: whether its lock file can be
// made and written as the lock makes it, without the flush the lock adds.
// One that another process holds is waited for by the settings writer,
// within the change's patience (LockPlaces).
bool canLock(const QString &file)
{
    const QByteArray lock = QFile::encodeName(file + QStringLiteral(".lock"));
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(lock.constData(), flags, 0644);
    // KConfig makes the folder first.
    if (fd < 0 && errno == ENOENT) {
        if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
            return false;
        }
        fd = ::open(lock.constData(), flags, 0644);
    }
    if (fd < 0) {
        return errno == EEXIST;
    }
    // What the lock writes, so that one left by a killed process is seen
    // as stale: the process, the program and the machine.
    static const QByteArray contents = QByteArray::number(QCoreApplication::applicationPid()) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n' +
        QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n';
    const bool written = ::write(fd, contents.constData(), size_t(contents.size())) == contents.size();
    ::unlink(lock.constData());
    ::close(fd);
    return written;
}

// The changes go: the configuration holds what its file holds. One that
// is no usable file any more is not read.
bool forget(KConfig &config, const QString &file)
{
    config.markAsClean();
    if (LocalFile::isMissingOrUsable(file, LocalFile::Kind::Settings)) {
        ConfigFile::reparse(config);
    }
    ++forgotten[&config];
    FailedWrites::note(file);
    return false;
}

template<typename Pointer>
bool syncConfig(const Pointer &pointer)
{
    KConfig &config = *pointer;
    if (!config.isDirty()) {
        return true;
    }
    if (config.name().isEmpty()) {
        return config.sync();
    }
    const QString file = localFile(config);
    if (broken.contains(&config) || !canLock(file)) {
        return forget(config, file);
    }
    switch (SettingsReplace::sync(config, file)) {
    case SettingsReplace::Result::Replaced:
        return true;
    case SettingsReplace::Result::Failed:
        // Its lock may be held for good: kept alive, so that no other
        // configuration takes its address, and never synced again.
        broken.insert(&config);
        new Pointer(pointer);
        break;
    case SettingsReplace::Result::Refused:
    case SettingsReplace::Result::CutShort:
        break;
    }
    return forget(config, file);
}
} // namespace

bool ConfigSync::sync(const std::shared_ptr<KConfig> &config)
{
    return syncConfig(config);
}

bool ConfigSync::sync(const KSharedConfigPtr &config)
{
    return syncConfig(config);
}

bool ConfigSync::isBroken(const KConfig &config)
{
    return broken.contains(&config);
}

quint64 ConfigSync::failures(const KConfig &config)
{
    return forgotten.value(&config);
}
