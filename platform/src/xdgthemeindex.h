/*
    Freedesktop theme directories shared by the icon and sound theme look-ups:
    a theme is a directory named after it in one of several base directories,
    described by the first "index.theme" found among them.
*/
#ifndef PEXOCORE_XDGTHEMEINDEX_H
#define PEXOCORE_XDGTHEMEINDEX_H

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class KConfig;

namespace XdgThemeIndex {
// Each $XDG_DATA_HOME and $XDG_DATA_DIRS entry followed by "/" + kind
// ("icons", "sounds"), in that order; relative entries are ignored.
QStringList dataBaseDirs(const QString &kind);

// The names of the theme directories in the base directories whose
// index.theme has the group and a non-empty "Directories" entry in it, in
// base directory order and by name within one.
std::vector<std::string> themeNames(const QStringList &baseDirs, const QString &group);

struct Theme
{
    QString name;
    // Every base/name that is a directory, in base directory order.
    QStringList roots;
    // The root whose index.theme describes the theme.
    QString indexRoot;
    std::unique_ptr<KConfig> index;
    // Its "Inherits" entry.
    QStringList inherits;
};

// Opens the description of a theme; null when no root holds an index.theme
// with the group, or the name is not a plain directory name.
std::unique_ptr<Theme> open(const QStringList &baseDirs, const QString &name, const QString &group);

// Opens one theme of a chain: the themes it inherits from, or nothing when
// it cannot be opened.
using ChainStep = std::function<std::optional<QStringList>(const QString &name)>;

// Opens, in search order, the theme, then the themes it inherits from (depth
// first, each once, when followInherits), then the fallback theme unless it
// was met already. Themes that cannot be opened are left out; nothing
// follows a theme that cannot.
void walkChain(const QString &name, bool followInherits, const QString &fallback, const ChainStep &open);

// The themes walkChain opens; empty when the theme itself cannot be opened.
std::vector<std::unique_ptr<Theme>>
openChain(const QStringList &baseDirs, const QString &name, const QString &group, bool followInherits, const QString &fallback);

// name, then name without its last "-part", and so on ("a-b-c", "a-b", "a").
QStringList genericNames(const QString &name);
} // namespace XdgThemeIndex

#endif
