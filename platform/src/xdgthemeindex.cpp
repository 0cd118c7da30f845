#include "xdgthemeindex.h"
#include "configfile.h"
#include "localfile.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QFileInfo>

namespace XdgThemeIndex {
namespace {
QStringList absoluteEntries(const QString &value)
{
    QStringList result;
    const QStringList entries = value.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        if (QDir::isAbsolutePath(entry)) {
            result.append(QDir::cleanPath(entry));
        }
    }
    return result;
}

bool describes(const QString &indexPath, const QString &group)
{
    if (!LocalFile::isUsable(indexPath, LocalFile::Kind::Settings)) {
        return false;
    }
    const std::unique_ptr<KConfig> config = ConfigFile::open(indexPath);
    return !KConfigGroup(config.get(), group).readEntry("Directories", QStringList()).isEmpty();
}

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") && name != QLatin1String("..");
}
} // namespace

QStringList dataBaseDirs(const QString &kind)
{
    const QStringList dataHome = absoluteEntries(qEnvironmentVariable("XDG_DATA_HOME"));
    QStringList dirs = dataHome.isEmpty() ? QStringList{QDir::homePath() + QStringLiteral("/.local/share")} : dataHome.mid(0, 1);
    const QStringList dataDirs = absoluteEntries(qEnvironmentVariable("XDG_DATA_DIRS"));
    dirs += dataDirs.isEmpty() ? QStringList{QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")} : dataDirs;
    QStringList result;
    for (const QString &dir : std::as_const(dirs)) {
        const QString base = dir + QLatin1Char('/') + kind;
        if (!result.contains(base)) {
            result.append(base);
        }
    }
    return result;
}

std::vector<std::string> themeNames(const QStringList &baseDirs, const QString &group)
{
    std::vector<std::string> names;
    for (const QString &base : baseDirs) {
        const QStringList entries = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &entry : entries) {
            if (describes(base + QLatin1Char('/') + entry + QStringLiteral("/index.theme"), group)) {
                names.push_back(entry.toStdString());
            }
        }
    }
    return names;
}

std::unique_ptr<Theme> open(const QStringList &baseDirs, const QString &name, const QString &group)
{
    if (!isPlainName(name)) {
        return nullptr;
    }
    auto theme = std::make_unique<Theme>();
    theme->name = name;
    for (const QString &base : baseDirs) {
        const QString root = base + QLatin1Char('/') + name;
        if (!QFileInfo(root).isDir()) {
            continue;
        }
        theme->roots.append(root);
        const QString indexPath = root + QStringLiteral("/index.theme");
        if (theme->indexRoot.isEmpty() && LocalFile::isUsable(indexPath, LocalFile::Kind::Settings)) {
            std::unique_ptr<KConfig> index = ConfigFile::open(indexPath);
            if (index->hasGroup(group)) {
                theme->indexRoot = root;
                theme->index = std::move(index);
            }
        }
    }
    if (!theme->index) {
        return nullptr;
    }
    theme->inherits = KConfigGroup(theme->index.get(), group).readEntry("Inherits", QStringList());
    return theme;
}

namespace {
// True when the theme could be opened.
bool appendChain(QStringList &visited, const QString &name, bool followInherits, const ChainStep &open)
{
    // A depth limit keeps long or broken chains cheap.
    if (visited.contains(name) || visited.size() > 64) {
        return false;
    }
    visited.append(name);
    const std::optional<QStringList> inherits = open(name);
    if (!inherits) {
        return false;
    }
    if (followInherits) {
        for (const QString &parent : *inherits) {
            appendChain(visited, parent, true, open);
        }
    }
    return true;
}
} // namespace

void walkChain(const QString &name, bool followInherits, const QString &fallback, const ChainStep &open)
{
    QStringList visited;
    if (appendChain(visited, name, followInherits, open) && !fallback.isEmpty()) {
        appendChain(visited, fallback, false, open);
    }
}

std::vector<std::unique_ptr<Theme>>
openChain(const QStringList &baseDirs, const QString &name, const QString &group, bool followInherits, const QString &fallback)
{
    std::vector<std::unique_ptr<Theme>> chain;
    walkChain(name, followInherits, fallback, [&](const QString &member) -> std::optional<QStringList> {
        auto theme = open(baseDirs, member, group);
        if (!theme) {
            return std::nullopt;
        }
        const QStringList inherits = theme->inherits;
        chain.push_back(std::move(theme));
        return inherits;
    });
    return chain;
}

QStringList genericNames(const QString &name)
{
    QStringList names;
    QString current = name;
    while (!current.isEmpty()) {
        names.append(current);
        const int dash = current.lastIndexOf(QLatin1Char('-'));
        current = dash > 0 ? current.left(dash) : QString();
    }
    return names;
}
} // namespace XdgThemeIndex
