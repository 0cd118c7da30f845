#include "themedescriptions.h"

#include "configfile.h"
#include "localfile.h"
#include "themedefaults.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

#include <cstring>

#include <sys/stat.h>

namespace {
// True when the file at path, links followed, is larger than its kind allows.
bool isLarger(const QString &path, ThemeDescriptions::File file)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && status.st_size > ThemeDescriptions::sizeLimit(file);
}

// The untranslated "Id" of group "Pexo Theme", taken from the bytes of a
// file of plain lines (blank, comment, "[group]", "key=value"), as a
// configuration reader takes it. Nothing when the file needs that reader:
// escapes, expansions and options, other line breaks, nested or odd group
// headers, lines without '=', an "Id" that is localised or given twice.
std::optional<QString> plainId(const QByteArray &text)
{
    const char *const end = text.constData() + text.size();
    for (const char special : {'\\', '$', '\r', '\v', '\f', '\0'}) {
        if (std::memchr(text.constData(), special, text.size())) {
            return std::nullopt;
        }
    }
    const QByteArray group = ThemeDefaults::themeDescriptionGroup.toUtf8();
    bool inGroup = false;
    std::optional<QByteArray> id;
    // Lines are looked at in place: a description may hold hundreds.
    for (const char *next = text.constData(); next < end;) {
        const char *lineEnd = static_cast<const char *>(std::memchr(next, '\n', end - next));
        lineEnd = lineEnd ? lineEnd : end;
        const QByteArray line = QByteArray::fromRawData(next, int(lineEnd - next)).trimmed();
        next = lineEnd + 1;
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (line.startsWith('[')) {
            if (!line.endsWith(']') || line.count('[') != 1 || line.count(']') != 1) {
                return std::nullopt;
            }
            inGroup = QByteArray::fromRawData(line.constData() + 1, line.size() - 2) == group;
            continue;
        }
        const int equals = line.indexOf('=');
        if (equals < 0) {
            return std::nullopt;
        }
        if (!inGroup) {
            continue;
        }
        const QByteArray key = QByteArray::fromRawData(line.constData(), equals).trimmed();
        const int bracket = key.indexOf('[');
        if (key != "Id" && QByteArray::fromRawData(key.constData(), bracket < 0 ? key.size() : bracket).trimmed() != "Id") {
            continue;
        }
        if (key != "Id" || id) {
            return std::nullopt;
        }
        id = line.mid(equals + 1).trimmed();
    }
    return id ? QString::fromUtf8(*id) : QString();
}

// The "Id" of a description read whole. A plain file is read without
// opening it as a configuration, which resolves its path again and again.
QString idIn(const QByteArray &bytes, const QString &indexPath)
{
    if (const std::optional<QString> plain = plainId(bytes)) {
        return *plain;
    }
    return ThemeDescriptions::idOf(*ConfigFile::open(indexPath));
}

// The id of the theme whose description is at indexPath; empty when the
// file is not usable or a file of the theme is larger than its kind
// allows, which sets oversized.
QString readId(const QString &indexPath, bool *oversized)
{
    const std::optional<QByteArray> bytes = LocalFile::read(indexPath, LocalFile::Kind::Settings);
    if (!bytes) {
        // Unusable, or beyond what any settings file may be.
        *oversized = LocalFile::exists(indexPath) && !ThemeDescriptions::sizeRefusal(indexPath).isEmpty();
        return QString();
    }
    *oversized = bytes->size() > ThemeDescriptions::sizeLimit(ThemeDescriptions::File::Description) ||
        isLarger(ThemeDescriptions::settingsPath(indexPath), ThemeDescriptions::File::Settings);
    return *oversized ? QString() : idIn(*bytes, indexPath);
}

// The description files that the last scan of this process found larger
// than a theme's, looked through again when a theme of an id is missing.
struct Oversized
{
    QMutex mutex;
    std::optional<QStringList> found;
};
Q_GLOBAL_STATIC(Oversized, lastScan)

// The theme directories, user themes first, each in name order.
QFileInfoList themeDirectories()
{
    const QDir::Filters filters = QDir::Dirs | QDir::NoDot | QDir::NoDotDot;
    QFileInfoList entries = QDir(ThemeDefaults::userThemesDir).entryInfoList(filters);
    entries += QDir(ThemeDefaults::systemThemesDir).entryInfoList(filters);
    return entries;
}

QString descriptionIn(const QFileInfo &directory)
{
    return directory.filePath() + QDir::separator() + ThemeDescriptions::indexFileName;
}
} // namespace

qint64 ThemeDescriptions::sizeLimit(File file)
{
    // A name and a one- or two-sentence comment translated into about 150
    // languages, many in scripts of two or three bytes a letter, take 40 to
    // 75 KB.
    return file == File::Description ? 128 * 1024 : 16 * 1024;
}

QString ThemeDescriptions::tooLarge(File file)
{
    const QString limit = QStringLiteral("%1 KiB").arg(sizeLimit(file) / 1024);
    return file == File::Description ? QStringLiteral("its index.theme is larger than %1, the most a theme's description may hold").arg(limit)
                                     : QStringLiteral("its theme/themerc is larger than %1, the most a theme's settings may hold").arg(limit);
}

QString ThemeDescriptions::sizeRefusal(const QString &indexPath)
{
    if (isLarger(indexPath, File::Description)) {
        return tooLarge(File::Description);
    }
    return isLarger(settingsPath(indexPath), File::Settings) ? tooLarge(File::Settings) : QString();
}

std::shared_ptr<KConfig> ThemeDescriptions::open(const QString &indexPath)
{
    if (!LocalFile::isMissingOrLooksUsable(indexPath, LocalFile::Kind::Settings) || !sizeRefusal(indexPath).isEmpty()) {
        return std::make_shared<KConfig>(QString(), KConfig::SimpleConfig);
    }
    return ConfigFile::open(indexPath);
}

QString ThemeDescriptions::idOf(const KConfig &config)
{
    return config.group(ThemeDefaults::themeDescriptionGroup).readEntryUntranslated("Id", QString());
}

std::map<QString, QString> ThemeDescriptions::installed(const std::function<std::optional<QString>(const QString &indexPath)> &known)
{
    std::map<QString, QString> found;
    QStringList oversized;
    const QFileInfoList entries = themeDirectories();
    for (const QFileInfo &entry : entries) {
        const QString path = descriptionIn(entry);
        std::optional<QString> id = known ? known(path) : std::nullopt;
        bool tooLarge = false;
        if (!id) {
            id = readId(path, &tooLarge);
        } else if (LocalFile::status(path, LocalFile::Kind::Settings) != LocalFile::Status::LooksUsable) {
            continue;
        } else {
            tooLarge = !sizeRefusal(path).isEmpty();
        }
        if (tooLarge) {
            oversized.append(path);
        } else if (!id->isEmpty()) {
            found.emplace(*id, path);
        }
    }
    const QMutexLocker locker(&lastScan->mutex);
    lastScan->found = oversized;
    return found;
}

QStringList ThemeDescriptions::oversized(const QString &id)
{
    std::optional<QStringList> scanned;
    {
        const QMutexLocker locker(&lastScan->mutex);
        scanned = lastScan->found;
    }
    QStringList paths = scanned.value_or(QStringList());
    if (!scanned) {
        const QFileInfoList entries = themeDirectories();
        for (const QFileInfo &entry : entries) {
            paths.append(descriptionIn(entry));
        }
    }
    QStringList found;
    for (const QString &path : std::as_const(paths)) {
        if (sizeRefusal(path).isEmpty() || !LocalFile::exists(path)) {
            continue;
        }
        const std::optional<QByteArray> bytes = LocalFile::read(path, LocalFile::Kind::Settings);
        if ((bytes ? idIn(*bytes, path) : QFileInfo(QFileInfo(path).path()).fileName()) == id) {
            found.append(path);
        }
    }
    return found;
}
