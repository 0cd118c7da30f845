/*
    Internal: the one reader of the installed themes' descriptions
    (index.theme) and the one size rule for a theme's files. The theme
    registry lists, and the import refuses to hide, exactly the ids read
    here. A theme directory whose description or settings is larger than
    its kind allows holds no theme: it is neither listed nor imported.
*/
#ifndef THEMEDESCRIPTIONS_H
#define THEMEDESCRIPTIONS_H

#include "pexotheme_export.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class KConfig;

namespace ThemeDescriptions {
enum class File {
    // index.theme: an id, and a name and a comment translated into every
    // language a desktop ships.
    Description,
    // theme/themerc: about a hundred lines, a kilobyte or so.
    Settings,
};

// A theme's description, directly inside the theme directory.
inline const QString indexFileName = QStringLiteral("index.theme");
// A theme's stored settings, below its directory.
inline const QString settingsSubPath = QStringLiteral("theme/themerc");
// The stored settings of the theme described by the file at indexPath.
inline QString settingsPath(const QString &indexPath)
{
    return QFileInfo(indexPath).absolutePath() + QLatin1Char('/') + settingsSubPath;
}

// The largest file of its kind a theme may have, in bytes.
PEXOTHEME_EXPORT qint64 sizeLimit(File file);

// Why a theme whose file of that kind is larger than it may be holds no
// theme: "its index.theme is larger than 128 KiB, the most a theme's
// description may hold".
PEXOTHEME_EXPORT QString tooLarge(File file);

// The same for the theme directory of the description at indexPath, as
// its files are now; empty when each is within its limit.
PEXOTHEME_EXPORT QString sizeRefusal(const QString &indexPath);

// The description's configuration. A file that is there but no usable
// settings file reads as missing, and so does one whose theme has a file
// larger than its kind allows.
PEXOTHEME_EXPORT std::shared_ptr<KConfig> open(const QString &indexPath);

// The untranslated "Id" of the description: an "Id[xx]" entry is no id.
PEXOTHEME_EXPORT QString idOf(const KConfig &config);

// The installed themes' description files by id, user themes first: the
// first directory, in name order, with an id wins. known gives the id read
// from a file at an earlier scan, taken while it still looks usable; any
// other file is read. Neither holds a theme when a file of its theme is
// larger than its kind allows.
PEXOTHEME_EXPORT std::map<QString, QString> installed(const std::function<std::optional<QString>(const QString &indexPath)> &known = nullptr);

// The description files of the installed theme directories that hold no
// theme for their size and would otherwise give one of that id: the id
// their description holds or, for one too large to be read at all, the
// directory's name. Those that the last scan of this process found, when
// there was one.
PEXOTHEME_EXPORT QStringList oversized(const QString &id);
} // namespace ThemeDescriptions

#endif
