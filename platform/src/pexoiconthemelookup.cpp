// Icon look-up in freedesktop icon themes.

#include "localfile.h"
#include "pexoicontheme.h"
#include "xdgthemeindex.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QVector>

#include <cstdlib>
#include <limits>

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

struct LoadedTheme
{
    std::unique_ptr<XdgThemeIndex::Theme> theme;
    QVector<IconDir> dirs;
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
    for (const QString &root : theme.theme->roots) {
        for (const char *extension : extensions) {
            const QString path = root + QLatin1Char('/') + dir.subdir + QLatin1Char('/') + icon + QLatin1String(extension);
            const LocalFile::Kind kind = qstrcmp(extension, ".svg") == 0 ? LocalFile::Kind::Svg : LocalFile::Kind::Image;
            if (LocalFile::isUsable(path, kind)) {
                return path;
            }
        }
    }
    return QString();
}

// An exact size first, else the file of the closest size.
QString lookupIn(const LoadedTheme &theme, const QString &icon, int size, const QString &context)
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
} // namespace

class PexoIconThemePrivate
{
public:
    QString name;
    QString fallbackTheme;
    bool ownIconsOnly = false;
    // The theme, what it inherits and the fallback theme, in search order.
    std::vector<LoadedTheme> chain;
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
    auto themes = XdgThemeIndex::openChain(iconBaseDirs(), d->name, iconThemeGroup, !d->ownIconsOnly, d->ownIconsOnly ? QString() : d->fallbackTheme);
    for (auto &theme : themes) {
        LoadedTheme loaded;
        loaded.dirs = iconDirs(*theme->index);
        loaded.theme = std::move(theme);
        d->chain.push_back(std::move(loaded));
    }
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
        for (const LoadedTheme &theme : d->chain) {
            QString path = wantedContext.isEmpty() ? QString() : lookupIn(theme, candidate, size, wantedContext);
            if (path.isEmpty()) {
                path = lookupIn(theme, candidate, size, QString());
            }
            if (!path.isEmpty()) {
                return path.toStdString();
            }
        }
    }
    return std::string();
}
