// Icon look-up in freedesktop icon themes.

#include "localfile.h"
#include "pexoicontheme.h"
#include "xdgthemeindex.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVector>

#include <chrono>
#include <cstdlib>
#include <limits>
#include <sys/stat.h>

namespace {
const QString iconThemeGroup = QStringLiteral("Icon Theme");

struct IconDir
{
    enum Type { Fixed, Scalable, Threshold };

    QString subdir;
    QString context;
    Type type = Threshold;
    int size = 0;
    int scale = 1;
    int minSize = 0;
    int maxSize = 0;
    int threshold = 2;

    bool matchesSize(int iconSize) const
    {
        if (scale != 1) {
            return false;
        }
        switch (type) {
        case Fixed:
            return size == iconSize;
        case Scalable:
            return minSize <= iconSize && iconSize <= maxSize;
        case Threshold:
            return size - threshold <= iconSize && iconSize <= size + threshold;
        }
        return false;
    }

    int sizeDistance(int iconSize) const
    {
        switch (type) {
        case Fixed:
            return std::abs(size * scale - iconSize);
        case Scalable:
            return iconSize < minSize * scale ? minSize * scale - iconSize : iconSize > maxSize * scale ? iconSize - maxSize * scale : 0;
        case Threshold:
            return iconSize < (size - threshold) * scale ? (size - threshold) * scale - iconSize
                : iconSize > (size + threshold) * scale  ? iconSize - (size + threshold) * scale
                                                         : 0;
        }
        return std::numeric_limits<int>::max();
    }
};

using Clock = std::chrono::steady_clock;

// Icon files added to a theme whose index.theme stays as it was are seen
// once its look-ups are this old.
constexpr Clock::duration lookupLifetime = std::chrono::seconds(10);

// What identifies a file's contents well enough: it was not replaced or
// written since.
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    qint64 modified = 0;

    static FileStamp of(const QString &path)
    {
        FileStamp stamp;
        struct stat status;
        if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
            stamp = {status.st_dev, status.st_ino, status.st_size, qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
        }
        return stamp;
    }

    bool operator==(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode && size == other.size && modified == other.modified;
    }
};

// One theme of a chain, with the look-ups made in it. A theme met in many
// chains (a long Inherits chain, the fallback theme) is read once and shared
// by the chains of this thread while its index.theme stays as it was, for a
// while, so that asking every theme of a chain costs as much as the chain.
struct LoadedTheme
{
    QStringList baseDirs;
    QStringList roots;
    QStringList inherits;
    QVector<IconDir> dirs;
    QString indexPath;
    FileStamp stamp;
    Clock::time_point readAt;
    // "icon/size/context" to the file found in this theme, "" for none.
    QHash<QString, QString> found;
};

QVector<IconDir> iconDirs(const KConfig &index)
{
    QVector<IconDir> dirs;
    const KConfigGroup main(&index, iconThemeGroup);
    const QStringList subdirs = main.readEntry("Directories", QStringList()) + main.readEntry("ScaledDirectories", QStringList());
    for (const QString &subdir : subdirs) {
        const KConfigGroup group(&index, subdir);
        IconDir dir;
        dir.subdir = subdir;
        dir.size = group.readEntry("Size", 0);
        if (dir.size <= 0 || subdir.contains(QLatin1String(".."))) {
            continue; // not a usable icon directory
        }
        dir.context = group.readEntry("Context", QString());
        dir.scale = group.readEntry("Scale", 1);
        const QString type = group.readEntry("Type", QStringLiteral("Threshold"));
        dir.type = type == QLatin1String("Fixed") ? IconDir::Fixed : type == QLatin1String("Scalable") ? IconDir::Scalable : IconDir::Threshold;
        dir.minSize = group.readEntry("MinSize", dir.size);
        dir.maxSize = group.readEntry("MaxSize", dir.size);
        dir.threshold = group.readEntry("Threshold", 2);
        dirs.append(dir);
    }
    return dirs;
}

QStringList iconBaseDirs()
{
    return QStringList{QDir::homePath() + QStringLiteral("/.icons")} + XdgThemeIndex::dataBaseDirs(QStringLiteral("icons"));
}

bool contextMatches(const QString &dirContext, const QString &wanted)
{
    if (dirContext.compare(wanted, Qt::CaseInsensitive) == 0) {
        return true;
    }
    return wanted.compare(QLatin1String("apps"), Qt::CaseInsensitive) == 0 && dirContext == QLatin1String("Applications");
}

QString existingFile(const LoadedTheme &theme, const IconDir &dir, const QString &icon)
{
    static const char *const extensions[] = {".png", ".svg", ".xpm"};
    for (const QString &root : theme.roots) {
        for (const char *extension : extensions) {
            const QString path = root + QLatin1Char('/') + dir.subdir + QLatin1Char('/') + icon + QLatin1String(extension);
            if (LocalFile::isUsable(path, *LocalFile::iconFileKind(path))) {
                return path;
            }
        }
    }
    return QString();
}

// An exact size first, else the file of the closest size.
QString searchIn(const LoadedTheme &theme, const QString &icon, int size, const QString &context)
{
    const auto selected = [&](const IconDir &dir) {
        return context.isEmpty() || contextMatches(dir.context, context);
    };
    for (const IconDir &dir : theme.dirs) {
        if (selected(dir) && dir.matchesSize(size)) {
            const QString path = existingFile(theme, dir, icon);
            if (!path.isEmpty()) {
                return path;
            }
        }
    }
    QString closest;
    int closestDistance = std::numeric_limits<int>::max();
    for (const IconDir &dir : theme.dirs) {
        if (!selected(dir)) {
            continue;
        }
        const int distance = dir.sizeDistance(size);
        if (distance < closestDistance) {
            const QString path = existingFile(theme, dir, icon);
            if (!path.isEmpty()) {
                closest = path;
                closestDistance = distance;
            }
        }
    }
    return closest;
}

QString lookupIn(LoadedTheme &theme, const QString &icon, int size, const QString &context)
{
    const QString key = icon + QLatin1Char('/') + QString::number(size) + QLatin1Char('/') + context;
    const auto known = theme.found.constFind(key);
    if (known != theme.found.constEnd()) {
        return *known;
    }
    const QString path = searchIn(theme, icon, size, context);
    theme.found.insert(key, path);
    return path;
}

std::shared_ptr<LoadedTheme> openTheme(const QStringList &baseDirs, const QString &name)
{
    thread_local QHash<QString, std::shared_ptr<LoadedTheme>> known;
    thread_local Clock::time_point lastSweep;
    const Clock::time_point now = Clock::now();
    if (now - lastSweep > lookupLifetime) {
        for (auto it = known.begin(); it != known.end();) {
            it = now - it.value()->readAt > lookupLifetime ? known.erase(it) : std::next(it);
        }
        lastSweep = now;
    }

    std::shared_ptr<LoadedTheme> &entry = known[name];
    if (entry && entry->baseDirs == baseDirs && now - entry->readAt <= lookupLifetime && FileStamp::of(entry->indexPath) == entry->stamp) {
        return entry;
    }
    entry.reset();
    const std::unique_ptr<XdgThemeIndex::Theme> theme = XdgThemeIndex::open(baseDirs, name, iconThemeGroup);
    if (!theme) {
        known.remove(name);
        return nullptr;
    }
    auto loaded = std::make_shared<LoadedTheme>();
    loaded->baseDirs = baseDirs;
    loaded->roots = theme->roots;
    loaded->inherits = theme->inherits;
    loaded->dirs = iconDirs(*theme->index);
    loaded->indexPath = theme->indexRoot + QStringLiteral("/index.theme");
    loaded->stamp = FileStamp::of(loaded->indexPath);
    loaded->readAt = now;
    entry = loaded;
    return loaded;
}
} // namespace

class PexoIconThemePrivate
{
public:
    QString name;
    QString fallbackTheme;
    bool ownIconsOnly = false;
    // The theme, what it inherits and the fallback theme, in search order.
    std::vector<std::shared_ptr<LoadedTheme>> chain;
};

std::vector<std::string> PexoIconTheme::getThemesNames()
{
    return XdgThemeIndex::themeNames(iconBaseDirs(), iconThemeGroup);
}

PexoIconTheme::PexoIconTheme(const std::string &name, const std::string &fallbackTheme, bool ownIconsOnly)
    : d(new PexoIconThemePrivate)
{
    d->name = QString::fromStdString(name);
    d->fallbackTheme = fallbackTheme.empty() ? QStringLiteral("hicolor") : QString::fromStdString(fallbackTheme);
    d->ownIconsOnly = ownIconsOnly;
}

PexoIconTheme::~PexoIconTheme() = default;

bool PexoIconTheme::load()
{
    d->chain.clear();
    const QStringList baseDirs = iconBaseDirs();
    XdgThemeIndex::walkChain(
        d->name, !d->ownIconsOnly, d->ownIconsOnly ? QString() : d->fallbackTheme, [&](const QString &member) -> std::optional<QStringList> {
            std::shared_ptr<LoadedTheme> theme = openTheme(baseDirs, member);
            if (!theme) {
                return std::nullopt;
            }
            d->chain.push_back(theme);
            return theme->inherits;
        });
    return !d->chain.empty();
}

std::string PexoIconTheme::getIconPath(const std::string &icon, int size, const std::string &context) const
{
    const QString name = QString::fromStdString(icon);
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) {
        return std::string();
    }
    const QString wantedContext = QString::fromStdString(context);
    const QStringList names = XdgThemeIndex::genericNames(name);
    for (const QString &candidate : names) {
        for (const std::shared_ptr<LoadedTheme> &theme : d->chain) {
            QString path = wantedContext.isEmpty() ? QString() : lookupIn(*theme, candidate, size, wantedContext);
            if (path.isEmpty()) {
                path = lookupIn(*theme, candidate, size, QString());
            }
            if (!path.isEmpty()) {
                return path.toStdString();
            }
        }
    }
    return std::string();
}
