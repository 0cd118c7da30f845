#include "settingsreplace.h"
#include "localfile.h"

#include <KConfig>
#include <KConfigGroup>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSettings>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {
// What a line takes beside its text: the "=", flags, escapes, the line break.
constexpr qint64 lineCost = 16;

// Whether the written file holds what it must of the kept old content.
using KeptTest = std::function<bool(const QString &written, const QString &kept)>;
using Visitor = std::function<void(const QStringList &groups, const QString &key, const QString &value)>;

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

// Whether the file system has room for new content reckoned at the given
// bytes. The old content counts as well: a file holds entries that its
// reader does not list (other languages), and they are written again.
bool hasRoom(const QString &file, qint64 bytes)
{
    const QFileInfo info(file);
    struct statvfs fs;
    if (::statvfs(QFile::encodeName(info.absolutePath()).constData(), &fs) != 0) {
        return true;
    }
    const qint64 block = qint64(fs.f_frsize);
    // The temporary file's last block, the lock file and the directory.
    const qint64 needed = bytes + (info.exists() ? info.size() : 0) + 3 * block;
    return qint64(fs.f_bavail) * block >= needed;
}

// The old content of a file, kept by a hard link beside it while it lives.
class Kept
{
public:
    explicit Kept(const QString &file)
        : m_file(file)
    {
        const QFileInfo info(file);
        for (int attempt = 0; attempt < 8; ++attempt) {
            const QString path =
                info.absolutePath() + QStringLiteral("/.%1.kept-%2").arg(info.fileName()).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            if (::link(QFile::encodeName(file).constData(), QFile::encodeName(path).constData()) == 0) {
                m_path = path;
                return;
            }
            if (errno != EEXIST) {
                return;
            }
        }
    }

    ~Kept()
    {
        if (!m_path.isEmpty()) {
            ::unlink(QFile::encodeName(m_path).constData());
        }
    }

    Kept(const Kept &) = delete;
    Kept &operator=(const Kept &) = delete;

    // Empty when the old content could not be kept.
    const QString &path() const
    {
        return m_path;
    }

    // A rename takes no room. A file still the same is left.
    void restore()
    {
        struct stat kept;
        struct stat now;
        if (m_path.isEmpty() || ::stat(QFile::encodeName(m_path).constData(), &kept) != 0 ||
            (::stat(QFile::encodeName(m_file).constData(), &now) == 0 && kept.st_dev == now.st_dev && kept.st_ino == now.st_ino)) {
            return;
        }
        if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(m_file).constData()) == 0) {
            m_path.clear();
        }
    }

private:
    QString m_file;
    QString m_path;
};

// The sections and keys of an ini file as written: KConfig takes the
// escapes in QSettings' files for errors.
QSet<QString> lineKeys(const QString &file)
{
    QSet<QString> keys;
    QByteArray section;
    const QByteArray text = LocalFile::read(file, LocalFile::Kind::Settings).value_or(QByteArray());
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            section = trimmed;
        } else if (trimmed.contains('=') && !trimmed.startsWith('#') && !trimmed.startsWith(';')) {
            keys.insert(QString::fromUtf8(section + '\x1e' + trimmed.left(trimmed.indexOf('=')).trimmed()));
        }
    }
    return keys;
}

// Whether the written file ends with a whole line and holds what it must
// of the old content.
bool isWhole(const QString &file, const QString &kept, const KeptTest &holdsKept)
{
    const std::unique_ptr<QFile> written = LocalFile::open(file, LocalFile::Kind::Settings);
    // One that cannot be read back (too large) is taken as written.
    if (!written) {
        return true;
    }
    const qint64 size = written->size();
    if (size > 0 && (!written->seek(size - 1) || written->read(1) != "\n")) {
        return false;
    }
    return kept.isEmpty() || holdsKept(file, kept);
}

SettingsReplace::Result replace(const QString &file, qint64 bytes, const std::function<bool()> &write, const KeptTest &holdsKept)
{
    // The writers follow links: a fifo or a device would be replaced by a
    // regular file, a huge file was never read.
    if (!LocalFile::isMissingOrUsable(file, LocalFile::Kind::Settings)) {
        return SettingsReplace::Result::Failed;
    }
    if (!hasRoom(file, bytes)) {
        return SettingsReplace::Result::NoRoom;
    }
    Kept kept(file);
    if (!write()) {
        return SettingsReplace::Result::Failed;
    }
    if (isWhole(file, kept.path(), holdsKept)) {
        return SettingsReplace::Result::Replaced;
    }
    kept.restore();
    return SettingsReplace::Result::CutShort;
}
} // namespace

SettingsReplace::Result SettingsReplace::sync(KConfig &config, const QString &file)
{
    qint64 bytes = 0;
    QSet<QString> groups;
    visit(config, [&](const QStringList &names, const QString &key, const QString &value) {
        const QString group = names.join(QChar(0x1d));
        if (!groups.contains(group)) {
            groups.insert(group);
            bytes += textSize(group) + lineCost;
        }
        bytes += textSize(key) + textSize(value) + lineCost;
    });
    // Every entry of the old content that the configuration still holds.
    const auto holdsKept = [&config](const QString &written, const QString &kept) {
        const auto id = [](const QStringList &names, const QString &key) -> QString {
            return names.join(QChar(0x1d)) + QChar(0x1e) + key;
        };
        QSet<QString> entries;
        visit(KConfig(written, KConfig::SimpleConfig), [&](const QStringList &names, const QString &key, const QString &) {
            entries.insert(id(names, key));
        });
        bool holds = true;
        visit(KConfig(kept, KConfig::SimpleConfig), [&](const QStringList &names, const QString &key, const QString &) {
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
        [&config] {
            return config.sync();
        },
        holdsKept);
}

bool SettingsReplace::store(QSettings &settings, const QVariantMap &values)
{
    const QFileInfo info(settings.fileName());
    const QString file = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    // The values; what the file holds already counts.
    qint64 bytes = 0;
    QVariantMap previous;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        bytes +=
            textSize(settings.group()) + textSize(it.key()) + textSize(it->toString()) + textSize(it->toStringList().join(QStringLiteral(", "))) + lineCost;
        previous.insert(it.key(), settings.value(it.key()));
    }
    const Result result = replace(
        file,
        bytes,
        [&settings, &values] {
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                settings.setValue(it.key(), *it);
            }
            settings.sync();
            return settings.status() == QSettings::NoError;
        },
        // Nothing is removed here: every key of the old content.
        [](const QString &written, const QString &kept) {
            return lineKeys(written).contains(lineKeys(kept));
        });
    switch (result) {
    case Result::Replaced:
    case Result::NoRoom:
        break;
    case Result::Failed:
        for (auto it = previous.cbegin(); it != previous.cend(); ++it) {
            if (it->isValid()) {
                settings.setValue(it.key(), *it);
            } else {
                settings.remove(it.key());
            }
        }
        break;
    case Result::CutShort:
        // Nothing is waiting to be written: this reads the file again.
        settings.sync();
        break;
    }
    return result == Result::Replaced;
}
