#include "livesettingschange.h"
#include "themefiles.h"

#include <configfiles.h>
#include <failedwrites.h>
#include <localfile.h>
#include <sessionlock.h>
#include <settingsreplace.h>
#include <smallfile.h>
#include <themedefaults.h>
#include <wallpaperrecords.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

#include <sys/stat.h>

namespace {
// Whether the outermost change of this process has written the mark.
int changes = 0;

// The files that a change writes, and that it must be able to write
// whole before it writes any: the live settings, the palette, Qt's
// palette, the decoration colours, the desktop folders' wallpaper records,
// and for a switch the record.
QStringList filesOf(LiveSettingsChange::Files files)
{
    QStringList paths{ThemeDefaults::currentThemeConfigPath,
                      ThemeDefaults::paletteConfigPath,
                      ConfigFiles::userFile(QStringLiteral("Trolltech.conf")),
                      ConfigFiles::userFile(QStringLiteral("breezerc"))};
    if (files == LiveSettingsChange::Files::LiveAndRecord) {
        paths << ConfigFiles::userFile(ThemeFiles::recordFileName);
    }
    // The desktop folders' wallpaper records it may rewrite.
    return paths + WallpaperRecords::files();
}

} // namespace

class LiveSettingsChangePrivate
{
public:
    QString refusal;
    // What the outermost change, which owns the mark, could not write: the
    // mark then stays.
    std::optional<FailedWrites> failed;
};

LiveSettingsChange::LiveSettingsChange(Files files, const QString &target, const QStringList &themeFiles)
    : d(new LiveSettingsChangePrivate)
{
    // Taken where the change started: its steps only look.
    Q_ASSERT_X(SessionLock::isHeld(), "LiveSettingsChange", "a change of the live settings runs under the session lock");
    if (!SessionLock::isHeld()) {
        d->refusal = QStringLiteral("The session settings are changed without their lock");
        return;
    }
    // A record file read beside the user's own that is no usable file: a
    // switch cannot tell which theme it would record.
    const QString unusableRecord = files == Files::LiveAndRecord ? ConfigFiles::unusableFile(ThemeFiles::recordFileName) : QString();
    const QString unreadable = unusableRecord == ConfigFiles::userFile(ThemeFiles::recordFileName) ? QString() : unusableRecord;
    QStringList unwritable = SettingsReplace::unreplaceable(filesOf(files) + themeFiles);
    QString markError;
    if (changes == 0 && unreadable.isEmpty() && unwritable.isEmpty()) {
        QFileInfo(markPath()).dir().mkpath(QStringLiteral("."));
        if (!SmallFile::place(markPath(), target.toUtf8(), &markError)) {
            unwritable << markPath();
        }
    }
    if (!unreadable.isEmpty() || !unwritable.isEmpty()) {
        d->refusal =
            unreadable.isEmpty() ? QStringLiteral("Could not write ") + unwritable.join(QStringLiteral(", ")) : QStringLiteral("Could not read ") + unreadable;
        if (!markError.isEmpty()) {
            d->refusal += QStringLiteral(" (") + markError + QLatin1Char(')');
        }
        return;
    }
    if (changes == 0) {
        d->failed.emplace();
    }
    ++changes;
}

LiveSettingsChange::~LiveSettingsChange()
{
    if (!d->refusal.isEmpty()) {
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
    // A change of this session's live settings: each session has a mark of its own.
    return QFileInfo(ThemeDefaults::adminSessionAppliedPath).absolutePath() + QStringLiteral("/.theme-change-unfinished") +
        ThemeDefaults::Detail::sessionSuffix();
}
