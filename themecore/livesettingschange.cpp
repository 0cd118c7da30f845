#include "livesettingschange.h"
#include "themefiles.h"

#include <sessionlock.h>
#include <settingsreplace.h>
#include <themedefaults.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Whether the outermost change of this process has written the mark.
int changes = 0;

QStringList filesOf(LiveSettingsChange::Files files)
{
    QStringList paths{ThemeDefaults::currentThemeConfigPath, ThemeDefaults::paletteConfigPath};
    if (files == LiveSettingsChange::Files::LiveAndRecord) {
        paths << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + ThemeFiles::recordFileName;
    }
    return paths;
}

// Creates the mark, or empties one left by a change cut off; a link in its
// place is replaced, its target left alone.
bool writeMark(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(name.constData(), flags, 0600);
    if (fd < 0 && errno == ELOOP && ::unlink(name.constData()) == 0) {
        fd = ::open(name.constData(), flags, 0600);
    }
    if (fd < 0) {
        return false;
    }
    struct stat status;
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    return ::close(fd) == 0 && regular;
}
} // namespace

class LiveSettingsChangePrivate
{
public:
    std::optional<SessionLock> lock;
    QString refusal;
    bool ownsMark = false;
};

LiveSettingsChange::LiveSettingsChange(Files files)
    : d(new LiveSettingsChangePrivate)
{
    d->lock.emplace();
    if (!d->lock->isLocked()) {
        d->refusal = d->lock->message();
        d->lock.reset();
        return;
    }
    QStringList unwritable;
    const QStringList paths = filesOf(files);
    for (const QString &path : paths) {
        if (!SettingsReplace::isWritable(path)) {
            unwritable << path;
        }
    }
    if (changes == 0 && unwritable.isEmpty()) {
        QFileInfo(markPath()).dir().mkpath(QStringLiteral("."));
        if (!writeMark(markPath())) {
            unwritable << markPath();
        }
    }
    if (!unwritable.isEmpty()) {
        d->refusal = QStringLiteral("Could not write ") + unwritable.join(QStringLiteral(", "));
        d->lock.reset();
        return;
    }
    d->ownsMark = changes == 0;
    ++changes;
}

LiveSettingsChange::~LiveSettingsChange()
{
    if (!d->lock) {
        return;
    }
    if (--changes == 0 && d->ownsMark) {
        QFile::remove(markPath());
    }
}

const QString &LiveSettingsChange::refusal() const
{
    return d->refusal;
}

bool LiveSettingsChange::wasCutOff()
{
    struct stat status;
    return ::lstat(QFile::encodeName(markPath()).constData(), &status) == 0;
}

QString LiveSettingsChange::markPath()
{
    return QFileInfo(ThemeDefaults::adminSessionAppliedPath).absolutePath() + QStringLiteral("/.theme-change-unfinished");
}
