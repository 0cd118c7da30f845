#include "livesettingschange.h"
#include "themefiles.h"

#include <configfiles.h>
#include <failedwrites.h>
#include <localfile.h>
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

// The files that every change writes, and that it must be able to write
// whole before it writes any: the live settings, the palette, Qt's
// palette and the decoration colours, and for a switch the record.
QStringList filesOf(LiveSettingsChange::Files files)
{
    QStringList paths{ThemeDefaults::currentThemeConfigPath,
                      ThemeDefaults::paletteConfigPath,
                      ConfigFiles::userFile(QStringLiteral("Trolltech.conf")),
                      ConfigFiles::userFile(QStringLiteral("breezerc"))};
    if (files == LiveSettingsChange::Files::LiveAndRecord) {
        paths << ConfigFiles::userFile(ThemeFiles::recordFileName);
    }
    return paths;
}

// Writes the mark holding the theme the change leads to. Whatever else is
// in its place (a link, a fifo, an empty folder) is removed first; a
// link's target is left alone.
bool writeMark(const QString &path, const QString &target)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::lstat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        if (S_ISDIR(status.st_mode) ? ::rmdir(name.constData()) != 0 : ::unlink(name.constData()) != 0) {
            return false;
        }
    }
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const QByteArray text = target.toUtf8();
    const bool written = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::write(fd, text.constData(), size_t(text.size())) == text.size();
    return ::close(fd) == 0 && written;
}
} // namespace

class LiveSettingsChangePrivate
{
public:
    std::optional<SessionLock> lock;
    QString refusal;
    // What the outermost change, which owns the mark, could not write: the
    // mark then stays.
    std::optional<FailedWrites> failed;
};

LiveSettingsChange::LiveSettingsChange(Files files, const QString &target)
    : d(new LiveSettingsChangePrivate)
{
    d->lock.emplace();
    if (!d->lock->isLocked()) {
        d->refusal = d->lock->message();
        d->lock.reset();
        return;
    }
    // A record file read beside the user's own that is no usable file: a
    // switch cannot tell which theme it would record.
    const QString unusableRecord = files == Files::LiveAndRecord ? ConfigFiles::unusableFile(ThemeFiles::recordFileName) : QString();
    const QString unreadable = unusableRecord == ConfigFiles::userFile(ThemeFiles::recordFileName) ? QString() : unusableRecord;
    QStringList unwritable;
    const QStringList paths = filesOf(files);
    for (const QString &path : paths) {
        if (!SettingsReplace::isWritable(path)) {
            unwritable << path;
        }
    }
    if (unwritable.isEmpty() && !SettingsReplace::areReplaceable(paths)) {
        unwritable = paths;
    }
    if (changes == 0 && unreadable.isEmpty() && unwritable.isEmpty()) {
        QFileInfo(markPath()).dir().mkpath(QStringLiteral("."));
        if (!writeMark(markPath(), target)) {
            unwritable << markPath();
        }
    }
    if (!unreadable.isEmpty() || !unwritable.isEmpty()) {
        d->refusal =
            unreadable.isEmpty() ? QStringLiteral("Could not write ") + unwritable.join(QStringLiteral(", ")) : QStringLiteral("Could not read ") + unreadable;
        d->lock.reset();
        return;
    }
    if (changes == 0) {
        d->failed.emplace();
    }
    ++changes;
}

LiveSettingsChange::~LiveSettingsChange()
{
    if (!d->lock) {
        return;
    }
    // A change that could not write a file stays unfinished: the next
    // session sync makes it whole.
    if (--changes == 0 && d->failed && d->failed->files().isEmpty()) {
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

QString LiveSettingsChange::unfinishedTarget()
{
    // A theme id is a short name.
    constexpr qint64 maxTargetSize = 4096;
    const std::optional<QByteArray> text = LocalFile::read(markPath(), LocalFile::Kind::Settings);
    return text && text->size() <= maxTargetSize ? QString::fromUtf8(*text).trimmed() : QString();
}

QString LiveSettingsChange::markPath()
{
    return QFileInfo(ThemeDefaults::adminSessionAppliedPath).absolutePath() + QStringLiteral("/.theme-change-unfinished");
}
