#include "settingsreplace.h"
#include "configfile.h"
#include "diskroom.h"
#include "failedwrites.h"
#include "leftbehind.h"
#include "localfile.h"
#include "lockplaces.h"
#include "takenlock.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QSettings>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
// What a line takes beside its text: the "=", flags, escapes, the line break.
constexpr qint64 lineCost = 16;
// The old content of a file, ".NAME.kept-XXXXXXXX" beside it.
const char keptWhat[] = "kept";
// The new content of a file of Qt's settings class, ".NAME.copy-XXXXXXXX".
const char copyWhat[] = "copy";

class Rewrite;
// Whether the written file is whole, given the old content kept beside it.
using WholeTest = std::function<bool(Rewrite &rewrite)>;
// Writes the new content while the file's lock is held; a writer that
// takes the lock itself lets it go first.
using Write = std::function<bool(TakenLock &lock)>;
using Visitor = std::function<void(const QStringList &groups, const QString &key, const QString &value)>;
// The bytes a new file takes, reckoned only where the room may not suffice.
using Size = std::function<qint64()>;

// Room beyond which no settings file is reckoned: far above what the
// reader takes of one.
constexpr qint64 plentyOfRoom = qint64(64) << 20;

qint64 textSize(const QString &text)
{
    return text.toUtf8().size();
}

void visit(const KConfigGroup &group, const QStringList &groups, const Visitor &visitor)
{
    const QStringList keys = group.keyList();
    for (const QString &key : keys) {
        visitor(groups, key, group.readEntry(key, QString()));
    }
    const QStringList children = group.groupList();
    for (const QString &child : children) {
        visit(group.group(child), groups + QStringList{child}, visitor);
    }
}

void visit(const KConfig &config, const Visitor &visitor)
{
    // The entries before the first group, known by an empty name.
    const KConfigGroup top = config.group(QString());
    const QStringList keys = top.keyList();
    for (const QString &key : keys) {
        visitor({QString()}, key, top.readEntry(key, QString()));
    }
    const QStringList names = config.groupList();
    for (const QString &name : names) {
        visit(config.group(name), {name}, visitor);
    }
}

// The file the writers replace: the path with links followed.
QString resolved(const QString &path)
{
    const QString canonical = LocalFile::canonicalPath(path);
    if (!canonical.isEmpty()) {
        return canonical;
    }
    // A link to a file not made yet is written through, as Qt's save file
    // writes it; a loop of links is left as it is.
    constexpr int hops = 40;
    QFileInfo info(path);
    for (int hop = 0; hop < hops && info.isSymLink(); ++hop) {
        info.setFile(info.symLinkTarget());
    }
    return info.isSymLink() ? QFileInfo(path).absoluteFilePath() : info.absoluteFilePath();
}

bool isSameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the file system has room for a new file of the given size, which
// takes its blocks and an inode while the old file still holds its own,
// and for the lock files that its writer makes beside it meanwhile, a
// block and an inode each. A file system that reports no sizes (some FUSE
// ones) is not refused: the check of the written file still guards.
bool hasRoom(const QString &file, const Size &size, int lockFiles = 0)
{
    return DiskRoom::hasRoom(QFileInfo(file).absolutePath(), [&size, lockFiles](const DiskRoom::Space &space) {
        const qint64 block = space.blockSize;
        const qint64 bytes = space.blocks >= plentyOfRoom / block ? 0 : size();
        return DiskRoom::Need{(bytes + block - 1) / block + lockFiles, 1 + lockFiles};
    });
}

qint64 sizeOf(const QString &file)
{
    const QFileInfo info(file);
    return info.exists() ? info.size() : 0;
}

// The old content of a file, kept by a hard link beside it while it lives.
class Kept
{
public:
    explicit Kept(const QString &file)
        : m_file(file)
    {
        const QByteArray name = QFile::encodeName(file);
        for (int attempt = 0; attempt < 8 && m_path.isEmpty(); ++attempt) {
            // Locked before the link exists, so that it is never taken for
            // one left by a writer that was killed. A file that cannot be
            // opened is kept without the lock.
            const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (fd >= 0) {
                ::flock(fd, LOCK_SH | LOCK_NB);
            }
            const QString path = LeftBehind::besideName(file, keptWhat);
            const QByteArray link = QFile::encodeName(path);
            if (::link(name.constData(), link.constData()) != 0) {
                const int error = errno;
                closeDescriptor(fd);
                if (error == EEXIST) {
                    continue;
                }
                return;
            }
            // The file may have been replaced between the opening and the link.
            struct stat opened;
            struct stat linked;
            if (fd >= 0 && (::fstat(fd, &opened) != 0 || ::lstat(link.constData(), &linked) != 0 || !isSameFile(opened, linked))) {
                ::unlink(link.constData());
                closeDescriptor(fd);
                continue;
            }
            m_fd = fd;
            m_path = path;
        }
    }

    ~Kept()
    {
        if (!m_path.isEmpty()) {
            ::unlink(QFile::encodeName(m_path).constData());
        }
        closeDescriptor(m_fd);
    }

    Kept(const Kept &) = delete;
    Kept &operator=(const Kept &) = delete;

    // Empty when the old content could not be kept.
    const QString &path() const
    {
        return m_path;
    }

    // The old content, read through the file kept open.
    QByteArray content() const
    {
        if (m_path.isEmpty()) {
            return QByteArray();
        }
        const std::optional<QByteArray> bytes =
            m_fd >= 0 ? LocalFile::read(m_fd, LocalFile::Kind::Settings) : LocalFile::read(m_path, LocalFile::Kind::Settings);
        return bytes.value_or(QByteArray());
    }

    // A rename takes no room. A file still the same is left.
    void restore()
    {
        struct stat kept;
        struct stat now;
        if (m_path.isEmpty() || ::stat(QFile::encodeName(m_path).constData(), &kept) != 0 ||
            (::stat(QFile::encodeName(m_file).constData(), &now) == 0 && isSameFile(kept, now))) {
            return;
        }
        if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(m_file).constData()) == 0) {
            m_path.clear();
        }
    }

    // Removes the links beside the file that writers killed during a save
    // left behind: a link whose file nobody holds a lock on.
    static void removeLeftBehind(const QString &file)
    {
        LeftBehind::removeBeside(file, keptWhat);
    }

private:
    static void closeDescriptor(int fd)
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }

    QString m_file;
    QString m_path;
    int m_fd = -1;
};

// A file beside another that starts as its link, or a copy of it where no
// link can be made, and nothing when there is no file: a writer replaces
// it, and it is renamed into the file's place. It goes with this object
// unless it was renamed. Only a writer holding the file's lock makes one,
// and the next one removes those that writers killed meanwhile left.
class Copy
{
public:
    explicit Copy(const QString &file)
    {
        const QByteArray name = QFile::encodeName(file);
        for (int attempt = 0; attempt < 8 && m_path.isEmpty(); ++attempt) {
            const QString path = LeftBehind::besideName(file, copyWhat);
            const QByteArray copy = QFile::encodeName(path);
            if (::link(name.constData(), copy.constData()) == 0) {
                m_path = path;
            } else if (errno == ENOENT) {
                m_path = path;
                return;
            } else if (errno != EEXIST) {
                const QFileInfo info(file);
                const std::optional<QByteArray> bytes = LocalFile::read(file, LocalFile::Kind::Settings);
                if (bytes && LocalFile::writeNew(path, *bytes)) {
                    m_path = path;
                    QFile::setPermissions(path, info.permissions());
                }
                return;
            }
        }
        // What the file was meanwhile replaced by may be none: read only as one.
        struct stat status;
        if (!m_path.isEmpty() &&
            (::lstat(QFile::encodeName(m_path).constData(), &status) != 0 || !S_ISREG(status.st_mode) ||
             status.st_size > LocalFile::sizeLimit(LocalFile::Kind::Settings))) {
            ::unlink(QFile::encodeName(m_path).constData());
            m_path.clear();
        }
    }

    ~Copy()
    {
        if (!m_path.isEmpty()) {
            ::unlink(QFile::encodeName(m_path).constData());
        }
    }

    Copy(const Copy &) = delete;
    Copy &operator=(const Copy &) = delete;

    // Empty when none could be made.
    const QString &path() const
    {
        return m_path;
    }

    bool replace(const QString &file)
    {
        if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(file).constData()) != 0) {
            return false;
        }
        m_path.clear();
        return true;
    }

    static void removeLeftBehind(const QString &file)
    {
        LeftBehind::removeBeside(file, copyWhat);
    }

private:
    QString m_path;
};

// A written file and the old content kept beside it, each read once.
class Rewrite
{
public:
    Rewrite(const QString &written, const Kept &kept)
        : m_writtenPath(written)
        , m_keptFile(kept)
    {
    }

    const QString &writtenPath() const
    {
        return m_writtenPath;
    }

    // Empty when the old content could not be kept.
    const QString &keptPath() const
    {
        return m_keptFile.path();
    }

    // Nothing when the file cannot be read back (too large).
    const std::optional<QByteArray> &written()
    {
        if (!m_written) {
            m_written = LocalFile::read(m_writtenPath, LocalFile::Kind::Settings);
        }
        return *m_written;
    }

    const QByteArray &kept()
    {
        if (!m_kept) {
            m_kept = m_keptFile.content();
        }
        return *m_kept;
    }

    // Whether the written file ends with a whole line; one that cannot be
    // read back is taken as written.
    bool endsWithLine()
    {
        return !written() || written()->isEmpty() || written()->endsWith('\n');
    }

private:
    QString m_writtenPath;
    const Kept &m_keptFile;
    std::optional<std::optional<QByteArray>> m_written;
    std::optional<QByteArray> m_kept;
};

// A section and a key, viewed in the bytes of a file.
using LineKey = std::pair<std::string_view, std::string_view>;

std::string_view trimmed(std::string_view text)
{
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The sections and keys of an INI file as written, sorted, viewed in the
// text, which must outlive them.
std::vector<LineKey> lineKeys(const QByteArray &text)
{
    std::vector<LineKey> keys;
    std::string_view section;
    std::string_view rest(text.constData(), size_t(text.size()));
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view line = trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            section = line;
        } else if (const size_t equals = line.find('='); equals != std::string_view::npos) {
            keys.emplace_back(section, trimmed(line.substr(0, equals)));
        }
    }
    // The configuration writer's files come sorted.
    if (!std::is_sorted(keys.cbegin(), keys.cend())) {
        std::sort(keys.begin(), keys.end());
    }
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

// Whether the lines of the old content are all still there as they were.
bool holdsKeptLines(Rewrite &rewrite)
{
    const QByteArray written = rewrite.written().value_or(QByteArray());
    const std::vector<LineKey> writtenKeys = lineKeys(written);
    const std::vector<LineKey> keptKeys = lineKeys(rewrite.kept());
    return std::includes(writtenKeys.cbegin(), writtenKeys.cend(), keptKeys.cbegin(), keptKeys.cend());
}

// The keys of an INI file as Qt's settings class reads them (it writes
// some escaped). The class keeps what it read of a file by the file's
// name: the name must be one of its own.
QSet<QString> qtKeys(const QString &uniqueName)
{
    const QStringList keys = QSettings(uniqueName, QSettings::IniFormat).allKeys();
    return QSet<QString>(keys.cbegin(), keys.cend());
}

// Whether the written INI file holds every key of the kept one. Lines that
// are still there as they were say so at once; else the keys are compared
// as Qt reads them, the written file through a link of its own.
bool holdsQtKeys(Rewrite &rewrite)
{
    if (holdsKeptLines(rewrite)) {
        return true;
    }
    const Kept view(rewrite.writtenPath());
    return view.path().isEmpty() || qtKeys(view.path()).contains(qtKeys(rewrite.keptPath()));
}

// Whether the file may be replaced: nothing there yet (a dangling link
// included, whose target is then made), or a regular file (links
// followed) within the settings size that the user may read and write;
// and its folder (or the nearest one there, where folders are to be made)
// lets the user make a file and rename it into the file's place. A
// directory, a fifo, a device or a link loop is none. The one check
// before every write.
bool isReplaceable(const QString &path)
{
    // The writers follow links: a fifo or a device would be replaced by a
    // regular file, a huge file was never read. They open the file
    // themselves, and read it before they write it. They write a new file
    // beside it and rename it into its place, making its folder first.
    const QString file = resolved(path);
    const QByteArray name = QFile::encodeName(file);
    if (!LocalFile::isMissingOrLooksUsable(file, LocalFile::Kind::Settings) || (::access(name.constData(), R_OK | W_OK) != 0 && errno != ENOENT)) {
        return false;
    }
    const QString folder = LocalFile::nearestExisting(QFileInfo(file).absolutePath());
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

SettingsReplace::Result attempt(const QString &file, const Size &size, const Write &write, const WholeTest &isWhole)
{
    if (!isReplaceable(file)) {
        return SettingsReplace::Result::Refused;
    }
    const std::unique_ptr<TakenLock> lock = LockPlaces::take(file);
    if (!lock) {
        return SettingsReplace::Result::Refused;
    }
    Kept::removeLeftBehind(file);
    if (!hasRoom(file, size)) {
        return SettingsReplace::Result::Refused;
    }
    Kept kept(file);
    if (!write(*lock)) {
        return SettingsReplace::Result::Failed;
    }
    Rewrite rewrite(file, kept);
    if (isWhole(rewrite)) {
        return SettingsReplace::Result::Replaced;
    }
    kept.restore();
    return SettingsReplace::Result::CutShort;
}

SettingsReplace::Result replace(const QString &file, const Size &size, const Write &write, const WholeTest &isWhole)
{
    const SettingsReplace::Result result = attempt(file, size, write, isWhole);
    if (result != SettingsReplace::Result::Replaced) {
        FailedWrites::note(file);
    }
    return result;
}

bool isSameValue(const QVariant &stored, const QVariant &value)
{
    if (!stored.isValid()) {
        return false;
    }
    if (value.userType() == QMetaType::QStringList) {
        return stored.toStringList() == value.toStringList();
    }
    return stored.toString() == value.toString();
}
} // namespace

QStringList SettingsReplace::unreplaceable(const QStringList &files)
{
    // A rewrite adds a few entries at most.
    constexpr qint64 growth = 4096;
    QStringList refused;
    QStringList targets;
    // Where each file's lock is taken: beside the file, and for Qt's
    // settings class beside the name given, a link's too.
    QList<QStringList> lockPlaces;
    for (const QString &file : files) {
        targets << resolved(file);
        lockPlaces << QStringList{targets.last()};
        if (const QString given = QFileInfo(file).absoluteFilePath(); given != targets.last()) {
            lockPlaces.last() << given;
        }
        QString blocked;
        for (const QString &place : std::as_const(lockPlaces.last())) {
            blocked = blocked.isEmpty() ? LockPlaces::blocked(place) : blocked;
        }
        if (!isReplaceable(targets.last())) {
            refused << file;
        } else if (!blocked.isEmpty()) {
            refused << blocked;
        }
    }
    if (!refused.isEmpty()) {
        return refused;
    }
    // Reckoned against each file's file system, as if all lay on it.
    const auto size = [&targets] {
        qint64 total = 0;
        for (const QString &target : std::as_const(targets)) {
            total += sizeOf(target) + growth;
        }
        return total;
    };
    const bool room = std::all_of(targets.cbegin(), targets.cend(), [&size](const QString &target) {
        return hasRoom(target, size);
    });
    if (!room) {
        return files;
    }
    // Locks that other programs hold, waited for within the change's
    // patience, all of them: the first one still held then ends the wait.
    for (const QStringList &places : std::as_const(lockPlaces)) {
        for (const QString &place : places) {
            if (const QString held = LockPlaces::heldPast(place); !held.isEmpty()) {
                return {held};
            }
        }
    }
    return refused;
}

SettingsReplace::Result SettingsReplace::sync(KConfig &config, const QString &file)
{
    // The old content counts as well: a file holds entries that its reader
    // does not list (other languages), and they are written again.
    const auto bytes = [&config, &file] {
        qint64 bytes = sizeOf(file);
        QSet<QString> groups;
        visit(config, [&](const QStringList &names, const QString &key, const QString &value) {
            const QString group = names.join(QChar(0x1d));
            if (!groups.contains(group)) {
                groups.insert(group);
                bytes += textSize(group) + lineCost;
            }
            bytes += textSize(key) + textSize(value) + lineCost;
        });
        return bytes;
    };
    // Every entry of the old content that the configuration still holds.
    const auto holdsKept = [&config](const QString &written, const QString &kept) {
        const auto id = [](const QStringList &names, const QString &key) -> QString {
            return names.join(QChar(0x1d)) + QChar(0x1e) + key;
        };
        QSet<QString> entries;
        visit(*ConfigFile::open(written), [&](const QStringList &names, const QString &key, const QString &) {
            entries.insert(id(names, key));
        });
        bool holds = true;
        visit(*ConfigFile::open(kept), [&](const QStringList &names, const QString &key, const QString &) {
            KConfigGroup group = config.group(names.first());
            for (int i = 1; i < names.size(); ++i) {
                group = group.group(names.at(i));
            }
            holds = holds && (entries.contains(id(names, key)) || !group.hasKey(key));
        });
        return holds;
    };
    return replace(
        file,
        bytes,
        [&config](TakenLock &lock) {
            // The configuration takes the lock itself and would wait for
            // ever for this one: let go only now, the moment before.
            lock.unlock();
            return ConfigFile::sync(config);
        },
        [&holdsKept](Rewrite &rewrite) {
            // Lines that are still there as they were say so at once.
            return rewrite.endsWithLine() && (rewrite.keptPath().isEmpty() || holdsKeptLines(rewrite) || holdsKept(rewrite.writtenPath(), rewrite.keptPath()));
        });
}

bool SettingsReplace::store(const QString &path, const QString &group, const QVariantMap &values)
{
    const QString file = resolved(path);
    // Qt's class takes the lock beside the name it is given, a link's
    // included; KConfig beside the file.
    const QString given = QFileInfo(path).absoluteFilePath();
    const Result result = [&] {
        // Qt's class reads the file as it is made: it would wait on a fifo
        // and read a device for ever.
        if (!isReplaceable(file)) {
            return Result::Refused;
        }
        const std::unique_ptr<TakenLock> lock = LockPlaces::take(file);
        const std::unique_ptr<TakenLock> givenLock = lock && given != file ? LockPlaces::take(given) : nullptr;
        if (!lock || (given != file && !givenLock)) {
            return Result::Refused;
        }
        Kept::removeLeftBehind(file);
        Copy::removeLeftBehind(file);
        // The values; what the file holds already counts.
        qint64 bytes = sizeOf(file);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            bytes += textSize(group) + textSize(it.key()) + textSize(it->toString()) + textSize(it->toStringList().join(QStringLiteral(", "))) + lineCost;
        }
        // Qt's class makes a lock file beside the copy while it writes.
        if (!hasRoom(
                file,
                [bytes] {
                    return bytes;
                },
                1)) {
            return Result::Refused;
        }
        // Written by Qt's class on a copy of its own while this process
        // holds the file's locks: it never waits for another program's.
        Kept kept(file);
        Copy copy(file);
        if (copy.path().isEmpty()) {
            return Result::Failed;
        }
        {
            QSettings settings(copy.path(), QSettings::IniFormat);
            // Replaced, never written through to the file it is a link of.
            settings.setAtomicSyncRequired(true);
            settings.beginGroup(group);
            // Values that it holds already are not written again.
            bool changed = false;
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                if (!isSameValue(settings.value(it.key()), *it)) {
                    settings.setValue(it.key(), *it);
                    changed = true;
                }
            }
            if (!changed) {
                return Result::Replaced;
            }
            settings.sync();
            if (settings.status() != QSettings::NoError) {
                return Result::Failed;
            }
        }
        // Nothing is removed here: every key of the old content.
        Rewrite rewrite(copy.path(), kept);
        if (!rewrite.endsWithLine() || (!kept.path().isEmpty() && !holdsQtKeys(rewrite))) {
            return Result::CutShort;
        }
        return copy.replace(file) ? Result::Replaced : Result::Failed;
    }();
    if (result != Result::Replaced) {
        FailedWrites::note(file);
    }
    return result == Result::Replaced;
}

bool SettingsReplace::write(const QString &path, const QByteArray &bytes)
{
    const QString file = resolved(path);
    const Result result = replace(
        file,
        [&bytes] {
            return qint64(bytes.size());
        },
        [&file, &bytes](TakenLock &) {
            QSaveFile output(file);
            // commit() does not see a failure of the flush that it makes itself.
            return output.open(QIODevice::WriteOnly) && output.write(bytes) == bytes.size() && output.flush() && output.commit();
        },
        [&bytes](Rewrite &rewrite) {
            return rewrite.written() == bytes;
        });
    return result == Result::Replaced;
}
