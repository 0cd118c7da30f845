#include "themeimporter.h"
#include "safeextractor.h"
#include "stagingdir.h"
#include "storedfilepath.h"
#include "themepackage.h"

#include "localfile.h"
#include "localimage.h"

#include "basesettingsprovider.h"
#include "colorsthemepart.h"
#include "colorutils.h"
#include "configfile.h"
#include "cursorthemepart.h"
#include "diskroom.h"
#include "iconthemepart.h"
#include "ithemesettings.h"
#include "theme.h"
#include "themedefaults.h"
#include "themedescriptions.h"
#include "wallpaperthemepart.h"

#include <KArchive>
#include <KArchiveDirectory>
#include <KArchiveFile>
#include <KConfigGroup>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <functional>
#include <optional>

namespace {
bool existsOrIsLink(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// True when dir is, after resolving links, one of the given directories.
bool isOneOf(const QString &dir, const QStringList &allowed)
{
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    if (canonical.isEmpty()) {
        return false;
    }
    for (const QString &candidate : allowed) {
        if (!candidate.isEmpty() && QFileInfo(candidate).canonicalFilePath() == canonical) {
            return true;
        }
    }
    return false;
}

QString userDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString picturesDir()
{
    // The user's pictures folder may be set to the home directory itself;
    // files from an archive never go there.
    const QString home = QDir::homePath();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString canonical = QFileInfo(pictures).canonicalFilePath();
    if (pictures.isEmpty() || QDir::cleanPath(pictures) == QDir::cleanPath(home) ||
        (!canonical.isEmpty() && canonical == QFileInfo(home).canonicalFilePath())) {
        return home + QStringLiteral("/Pictures");
    }
    return pictures;
}

QString colorSchemesDir()
{
    return userDataDir() + QStringLiteral("/color-schemes");
}

// The desktop's folder of converted wallpapers. Naming it makes its parent.
QString convertedWallpapersDir()
{
    return QString::fromUtf8(GetPexoDir(PexoUserDataDir).c_str()) + QStringLiteral("/Wallpapers");
}

QStringList pictureDirs()
{
    return {picturesDir(), userDataDir() + QStringLiteral("/wallpapers"), convertedWallpapersDir()};
}

// The system data directories, without the user's own.
QStringList systemDataDirs()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    dirs.removeAll(userDataDir());
    return dirs;
}

// The keys the description translates ("Id[xx]"): a reader in that
// language would take the translation for the key. Keys may be escaped: a
// translated key with an escape, which might be any key, is given as "\\".
QSet<QByteArray> translatedKeys(const QByteArray &description)
{
    QSet<QByteArray> keys;
    const char *const end = description.constData() + description.size();
    for (const char *line = description.constData(); line < end;) {
        const char *const lineEnd = std::find(line, end, '\n');
        const char *const equals = std::find(line, lineEnd, '=');
        const QByteArray key = equals == lineEnd ? QByteArray() : QByteArray(line, int(equals - line));
        line = lineEnd + 1;
        const int bracket = key.indexOf('[');
        // "[$i]" and the like are flags, any other bracket a language.
        if (bracket < 0 || key.count('[') == key.count("[$")) {
            continue;
        }
        const QByteArray base = key.left(bracket).trimmed();
        keys.insert(base.contains('\\') ? QByteArrayLiteral("\\") : base);
    }
    return keys;
}

// The ids of the themes installed for the user and the system: those the
// theme registry lists.
QSet<QString> installedThemeIds()
{
    QSet<QString> ids;
    for (const auto &installed : ThemeDescriptions::installed()) {
        ids.insert(installed.first);
    }
    return ids;
}

// A file the theme names: its part, where its path is kept or placed, how
// to change the theme's path, and the archive's file to place, found
// before anything is placed.
struct ThemeFile
{
    enum Content { Picture, ColorScheme };

    QString part;
    QString path;
    QString stored; // the value as written in the settings
    QString defaultPath;
    QStringList allowedDirs;
    QString fallbackDir;
    std::function<void(const QString &)> setPath;
    const char *failure;
    Content content;
    // Null when nothing is placed: refused tells whether it failed.
    const KArchiveFile *archived = nullptr;
    bool refused = false;
    // Where the archive's file goes, and whether that is the fallback
    // directory, which the theme's path then names.
    QString target{};
    bool toFallback = false;
    // Why the archive's entry for it, named entry below the theme's
    // folder, can be placed nowhere, when it holds one.
    QString unplaceable{};
    QString entry{};
    // The archive's file that the theme names in its own folder, placed
    // with it, and its path in that folder.
    const KArchiveFile *inTheme = nullptr;
    QString inThemePath{};
};

// A cursor or icons theme the theme names, found before anything is placed.
struct IconTree
{
    QString name;
    bool cursor = false;
    // Whether it is to be placed; tree is null when the archive lacks it.
    bool wanted = false;
    const KArchiveDirectory *tree = nullptr;
    QString path;
    // Why what the archive holds for it can be placed nowhere.
    QString unplaceable{};

    // The archive's folder of such themes.
    QString part() const
    {
        return cursor ? QStringLiteral("cursor") : QStringLiteral("icons");
    }
};

// "1 MiB", "16 KiB".
QString sizeText(qint64 bytes)
{
    constexpr qint64 MiB = 1024 * 1024;
    return bytes % MiB == 0 ? QStringLiteral("%1 MiB").arg(bytes / MiB) : QStringLiteral("%1 KiB").arg(bytes / 1024);
}

QString largerThan(LocalFile::Kind kind)
{
    return QStringLiteral("is larger than ") + sizeText(LocalFile::sizeLimit(kind));
}
} // namespace

class ThemeImporterPrivate
{
public:
    explicit ThemeImporterPrivate(const KArchive *archive)
        : extractor(archive)
    {
    }

    // Where themes' files live: an existing file the theme names elsewhere
    // (a private key, say) would leave with the next export of the theme.
    QStringList themeFileDirs() const
    {
        return systemDataDirs() + pictureDirs() + QStringList{colorSchemesDir(), userIconsDir};
    }
    // Finds the archive's file for the file the theme names. Returns true
    // when the theme's path was replaced by the default.
    bool findThemeFile(const KArchiveDirectory *source, ThemeFile &file) const;
    // Sets where the archive's file goes: where the theme names it, when
    // that is free in a directory for such files and writable, else the
    // fallback directory, where the very same file will do. The files
    // planned before it, by target, count as there already. Returns false
    // when it can go nowhere.
    bool planPlace(ThemeFile &file, QHash<QString, const KArchiveFile *> &planned) const;
    // Puts the archive's file where planPlace() set; false when it could not.
    bool placeThemeFile(const ThemeFile &file) const;
    // Finds the archive's file that the theme names when it lies in the
    // part of the theme's own folder that is unpacked with it: source's
    // settings folder, unpacked below target.
    void findInTheme(const KArchiveDirectory *source, const QString &target, ThemeFile &file) const;
    IconTree findIconTheme(const KArchiveDirectory *source, const QString &name, bool cursor) const;
    void importIconTheme(const QString &label, const IconTree &theme) const;
    // Why a file to be placed is one that its reader in this system would
    // refuse, or one the theme names that the archive holds but that can be
    // placed nowhere; nothing when there is none. For each, the reader's own rule.
    QString unreadable(const QString &label, const QList<ThemeFile> &files, const QList<IconTree> &trees) const;
    QString unreadableIn(const KArchiveDirectory *tree, const QString &label, bool top) const;
    // Moves a complete staged directory to path, unless a write failed.
    void moveIntoPlace(const QString &staged, const char *kind, const QString &name, const QString &path) const;
    static void alreadyInstalled(const char *kind, const QString &name, const QString &path);
    // The directories an import writes to, but the converted wallpapers':
    // naming that one makes it.
    QStringList importDirs() const
    {
        return {userThemesDir, userIconsDir, colorSchemesDir(), picturesDir(), userDataDir() + QStringLiteral("/wallpapers")};
    }
    // Why the theme just unpacked may not be installed, or nothing.
    QString refusal(const Theme &theme, const QString &indexPath);

    const SafeExtractor extractor;
    // Ids taken by the themes installed before the first theme of the
    // archive was unpacked and by those imported since.
    std::optional<QSet<QString>> takenIds;
    bool settingsWriteFailed = false;
    const KArchiveDirectory *root = nullptr;
    const QString userThemesDir = ThemeDefaults::userThemesDir;
    const QString userIconsDir = QDir::homePath() + QStringLiteral("/.local/share/icons");
    const QString systemIconsDir = QStringLiteral("/usr/share/icons");
};

bool ThemeImporterPrivate::findThemeFile(const KArchiveDirectory *source, ThemeFile &file) const
{
    // Resolved against the working directory, it could name any file.
    if (isRelativeFilePath(file.stored)) {
        qWarning() << "Replacing" << qUtf8Printable(file.part) << file.stored << "by the default: it is not an absolute path";
        file.setPath(file.defaultPath);
        return true;
    }
    if (!file.path.isEmpty() && QFileInfo::exists(file.path) && !isBelowOneOf(file.path, themeFileDirs())) {
        qWarning() << "Replacing" << qUtf8Printable(file.part) << file.path << "by the default: it lies outside the directories for theme files";
        file.setPath(file.defaultPath);
        return true;
    }
    // Empty values and plain colours name no file.
    const QFileInfo stored(file.path);
    if (!QDir::isAbsolutePath(file.path) || stored.exists()) {
        return false;
    }
    const QString fileName = stored.fileName();
    // Hidden names are refused too: they are how login scripts and settings look.
    if (!SafeExtractor::isSafeName(fileName) || fileName.startsWith(QLatin1Char('.'))) {
        qWarning() << "Refusing file name" << fileName << "of" << file.path;
        file.refused = true;
        file.unplaceable = QStringLiteral("has a hidden or unsafe name");
        file.entry = file.part + QLatin1Char('/') + fileName;
        return false;
    }
    const KArchiveDirectory *partDir = SafeExtractor::directory(source->entry(file.part));
    const KArchiveEntry *entry = partDir ? partDir->entry(fileName) : nullptr;
    file.archived = extractor.regularFile(entry);
    if (!file.archived) {
        if (entry) {
            file.unplaceable = QStringLiteral("is not a plain file");
            file.entry = file.part + QLatin1Char('/') + fileName;
        }
        file.refused = true;
    }
    return false;
}

bool ThemeImporterPrivate::planPlace(ThemeFile &file, QHash<QString, const KArchiveFile *> &planned) const
{
    // The very same file there, or planned there, will do.
    const auto takes = [&](const QString &target) {
        const auto it = planned.constFind(target);
        if (it != planned.cend()) {
            return extractor.sameContent(*it, file.archived);
        }
        return !existsOrIsLink(target) || extractor.sameContent(target, file.archived);
    };
    const QFileInfo stored(file.path);
    const QString storedDir = stored.absolutePath();
    const QString fileName = stored.fileName();
    if (isOneOf(storedDir, file.allowedDirs) && QFileInfo(storedDir).isWritable()) {
        const QString target = QFileInfo(storedDir).canonicalFilePath() + QLatin1Char('/') + fileName;
        if (!existsOrIsLink(target) && takes(target)) {
            file.target = target;
        }
    }
    // In the fallback folder, under a free name when another file holds its
    // own ("NAME-2.png"): a picture of one name from two folders, the
    // user's own picture of that name.
    constexpr int names = 100;
    for (int n = 1; file.target.isEmpty() && !file.fallbackDir.isEmpty() && n <= names; ++n) {
        const QString suffix = stored.suffix();
        const QString name =
            n == 1 ? fileName : stored.completeBaseName() + QLatin1Char('-') + QString::number(n) + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
        if (takes(file.fallbackDir + QLatin1Char('/') + name)) {
            file.target = file.fallbackDir + QLatin1Char('/') + name;
            file.toFallback = true;
        }
    }
    if (file.target.isEmpty()) {
        file.unplaceable = QStringLiteral("cannot be placed: another file has its name in \"%1\"").arg(file.fallbackDir);
        file.entry = file.part + QLatin1Char('/') + fileName;
        return false;
    }
    planned.insert(file.target, file.archived);
    return true;
}

bool ThemeImporterPrivate::placeThemeFile(const ThemeFile &file) const
{
    if (!file.archived) {
        if (file.refused) {
            qWarning() << file.failure;
        }
        return true;
    }
    // Never overwrite; the very same file already there will do.
    const bool placed = extractor.makePath(QFileInfo(file.target).absolutePath()) &&
        (existsOrIsLink(file.target) ? extractor.sameContent(file.target, file.archived) : extractor.placeNewFile(file.target, file.archived));
    if (!placed) {
        qWarning() << file.failure;
        return false;
    }
    if (file.toFallback) {
        file.setPath(file.target);
    }
    return true;
}

void ThemeImporterPrivate::findInTheme(const KArchiveDirectory *source, const QString &target, ThemeFile &file) const
{
    const QString cleaned = QDir::cleanPath(file.path);
    if (!cleaned.startsWith(target + QStringLiteral("/theme/"))) {
        return;
    }
    file.inThemePath = cleaned.mid(target.size() + 1);
    const QStringList names = file.inThemePath.split(QLatin1Char('/'));
    const KArchiveEntry *entry = source;
    for (int i = 0; entry && i + 1 < names.size(); ++i) {
        const KArchiveDirectory *dir = SafeExtractor::directory(entry);
        entry = dir ? dir->entry(names.at(i)) : nullptr;
        // A link or a file where a folder should be: it is refused as it is unpacked.
        if (entry && !SafeExtractor::directory(entry)) {
            file.unplaceable = QStringLiteral("is not a plain folder");
            file.entry = names.mid(0, i + 1).join(QLatin1Char('/'));
            return;
        }
    }
    entry = entry ? static_cast<const KArchiveDirectory *>(entry)->entry(names.last()) : nullptr;
    file.inTheme = extractor.regularFile(entry);
    if (entry && !file.inTheme) {
        file.unplaceable = QStringLiteral("is not a plain file");
        file.entry = file.inThemePath;
    }
}

IconTree ThemeImporterPrivate::findIconTheme(const KArchiveDirectory *source, const QString &name, bool cursor) const
{
    IconTree theme;
    theme.name = name;
    theme.cursor = cursor;
    if (name.isEmpty()) {
        return theme;
    }
    if (!SafeExtractor::isSafeName(name)) {
        qWarning() << (cursor ? "Refusing cursor theme name" : "Refusing icons theme name") << name;
        theme.unplaceable = QStringLiteral("has an unsafe name");
        return theme;
    }
    const QString systemPath = systemIconsDir + QLatin1Char('/') + name;
    if (QFileInfo(systemPath).isDir()) {
        if (cursor) {
            qWarning() << "Cursor theme found in system icons; skipping copy:" << systemPath;
        } else {
            qWarning() << "Icons theme found in system icons; skipping copy:" << systemPath;
        }
        return theme;
    }
    theme.path = userIconsDir + QLatin1Char('/') + name;
    if (existsOrIsLink(theme.path)) {
        alreadyInstalled(cursor ? "Cursor theme" : "Icons theme", name, theme.path);
        return theme;
    }
    theme.wanted = true;
    const KArchiveDirectory *partDir = SafeExtractor::directory(source->entry(theme.part()));
    const KArchiveEntry *entry = partDir ? partDir->entry(name) : nullptr;
    theme.tree = SafeExtractor::directory(entry);
    if (entry && !theme.tree) {
        theme.unplaceable = QStringLiteral("is not a plain folder");
    }
    // Without it the folder is no theme of its kind.
    const KArchiveEntry *index = theme.tree ? theme.tree->entry(QStringLiteral("index.theme")) : nullptr;
    if (index && !extractor.regularFile(index)) {
        theme.unplaceable = QStringLiteral("has an index.theme that is not a plain file");
    }
    return theme;
}

void ThemeImporterPrivate::importIconTheme(const QString &label, const IconTree &theme) const
{
    if (!theme.wanted) {
        return;
    }
    if (!extractor.makePath(userIconsDir)) {
        qWarning() << "Cannot create user icons directory:" << userIconsDir;
    }
    const QString staged = theme.tree ? extractor.makeStagedDir(theme.path) : QString();
    if (staged.isEmpty() || !extractor.extractTree(theme.tree, label + QLatin1Char('/') + theme.part() + QLatin1Char('/') + theme.name, staged)) {
        qWarning() << (theme.cursor ? "Can't copy cursors files" : "Can't copy icons files");
    }
    if (!staged.isEmpty()) {
        moveIntoPlace(staged, theme.cursor ? "Cursor theme" : "Icons theme", theme.name, theme.path);
    }
}

QString ThemeImporterPrivate::unreadable(const QString &label, const QList<ThemeFile> &files, const QList<IconTree> &trees) const
{
    for (const ThemeFile &file : files) {
        const KArchiveFile *const archived = file.archived ? file.archived : file.inTheme;
        // The theme would name a file that is not there.
        if (!file.unplaceable.isEmpty()) {
            return QStringLiteral("file \"%1/%2\" ").arg(label, file.entry) + file.unplaceable;
        }
        if (!archived) {
            continue;
        }
        const QString name = file.archived ? QStringLiteral("file \"%1/%2/%3\" ").arg(label, file.part, archived->name())
                                           : QStringLiteral("file \"%1/%2\" ").arg(label, file.inThemePath);
        // A scheme is read whole, by the colour page's list of every scheme too.
        const LocalFile::Kind kind = file.content == ThemeFile::Picture ? LocalFile::Kind::Image : LocalFile::Kind::Settings;
        const qint64 limit = LocalFile::sizeLimit(kind);
        if (archived->size() > limit) {
            return name + largerThan(kind);
        }
        const std::unique_ptr<QIODevice> device(archived->createDevice());
        // As the pages take a picture: decoded or not, whatever its size.
        if (file.content == ThemeFile::Picture && !(device && LocalImage::size(device.get()).isValid())) {
            return name + QStringLiteral("is no picture of a format and header that the pages take");
        }
        // A zip entry may unpack to more than it declares.
        if (file.content == ThemeFile::ColorScheme) {
            switch (ColorUtils::schemeContent(device ? device->read(limit + 1) : QByteArray())) {
            case ColorUtils::SchemeContent::TooLarge:
                return name + largerThan(kind);
            case ColorUtils::SchemeContent::NoColorGroup:
                return name + QStringLiteral("holds no colour group");
            case ColorUtils::SchemeContent::ColorScheme:
                break;
            }
        }
    }
    for (const IconTree &theme : trees) {
        if (!theme.unplaceable.isEmpty()) {
            return (theme.cursor ? QStringLiteral("cursor theme \"%1/%2/%3\" ") : QStringLiteral("icon theme \"%1/%2/%3\" "))
                       .arg(label, theme.part(), theme.name) +
                theme.unplaceable;
        }
        if (theme.tree) {
            const QString refused = unreadableIn(theme.tree, label + QLatin1Char('/') + theme.part() + QLatin1Char('/') + theme.name, true);
            if (!refused.isEmpty()) {
                return refused;
            }
        }
    }
    return QString();
}

// The theme's description is read as a settings file, its icons by the
// kind their names tell: a file beyond its reader's limit would only
// fill the disk. Whether an icon decodes is left to its reader.
QString ThemeImporterPrivate::unreadableIn(const KArchiveDirectory *tree, const QString &label, bool top) const
{
    const QStringList names = tree->entries();
    for (const QString &name : names) {
        const KArchiveEntry *entry = tree->entry(name);
        const QString entryLabel = label + QLatin1Char('/') + name;
        if (!SafeExtractor::isSafeName(name)) {
            continue;
        }
        if (const KArchiveDirectory *dir = SafeExtractor::directory(entry)) {
            const QString refused = unreadableIn(dir, entryLabel, false);
            if (!refused.isEmpty()) {
                return refused;
            }
        } else if (const KArchiveFile *file = extractor.regularFile(entry)) {
            const std::optional<LocalFile::Kind> kind = top && name == QLatin1String("index.theme") ? LocalFile::Kind::Settings : LocalFile::iconFileKind(name);
            if (kind && file->size() > LocalFile::sizeLimit(*kind)) {
                return QStringLiteral("file \"") + entryLabel + QStringLiteral("\" ") + largerThan(*kind);
            }
        }
    }
    return QString();
}

void ThemeImporterPrivate::moveIntoPlace(const QString &staged, const char *kind, const QString &name, const QString &path) const
{
    if (!extractor.writeFailed() && !extractor.moveIntoPlace(staged, path) && !extractor.writeFailed()) {
        alreadyInstalled(kind, name, path);
    }
}

void ThemeImporterPrivate::alreadyInstalled(const char *kind, const QString &name, const QString &path)
{
    qWarning() << kind << name << "is already installed:" << path;
}

QString ThemeImporterPrivate::refusal(const Theme &theme, const QString &indexPath)
{
    // The theme page hides every id holding the administrator theme's; a
    // user theme with that very id would stand in for the system one in
    // every administrator session.
    const QString quotedId = QLatin1Char('"') + theme.id() + QLatin1Char('"');
    if (theme.id().contains(ThemeDefaults::adminThemeId)) {
        return QStringLiteral("with the id of the administrator theme ") + quotedId;
    }
    const std::optional<QByteArray> description = LocalFile::read(indexPath, LocalFile::Kind::Settings);
    const QSet<QByteArray> translated = description ? translatedKeys(*description) : QSet<QByteArray>{QByteArrayLiteral("\\")};
    if (translated.contains(QByteArrayLiteral("Id")) || translated.contains(QByteArrayLiteral("\\"))) {
        return QStringLiteral("with a translated id");
    }
    if (translated.contains(QByteArrayLiteral("X-Ulvar-System-Theme"))) {
        return QStringLiteral("with a translated system theme mark");
    }
    // Ids are read untranslated; the first theme with an id hides the others.
    if (takenIds->contains(theme.id())) {
        return QStringLiteral("with the id of an installed theme ") + quotedId;
    }
    // The user could never remove it.
    if (theme.isReadOnly()) {
        return QStringLiteral("marked as a system theme");
    }
    // The registry lists it by its id, the page shows no row for it.
    if (!theme.id().isEmpty() && !theme.isValid()) {
        return QStringLiteral("without a name");
    }
    return QString();
}

ThemeImporter::ThemeImporter(const KArchive *archive)
    : d(new ThemeImporterPrivate(archive))
{
    d->root = archive->directory();
}

ThemeImporter::~ThemeImporter() = default;

ThemeImporter::Room ThemeImporter::roomFor(const ThemePackage &package) const
{
    // Rewriting a theme's settings takes a lock file and a temporary file,
    // and the hidden folder things are unpacked into a directory.
    const qint64 settingsRewrites = 2 * themeDirectories().size() + 1;
    const auto roomOn = [&](const QString &dir) {
        bool tooLarge = false;
        const bool room = DiskRoom::hasRoom(dir, [&](const DiskRoom::Space &space) {
            ThemePackage::DiskUse use = package.diskUse(space.blockSize);
            use.blocks += settingsRewrites;
            use.inodes += settingsRewrites;
            tooLarge = use.blocks > ThemePackage::maxUnpackedSize / space.blockSize;
            return DiskRoom::Need{use.blocks, use.inodes};
        });
        return tooLarge ? TooLarge : room ? Enough : NotEnough;
    };
    // The directories may lie on different file systems: each must take all.
    const QStringList dirs = d->importDirs();
    for (const QString &dir : dirs) {
        const Room room = roomOn(dir);
        if (room != Enough) {
            return room;
        }
    }
    // Last, as naming this one makes its folder: a refused archive makes none.
    return roomOn(convertedWallpapersDir());
}

QStringList ThemeImporter::themeDirectories() const
{
    QStringList themes;
    const QStringList names = d->root->entries();
    for (const QString &name : names) {
        const KArchiveEntry *entry = d->root->entry(name);
        if (entry && entry->isDirectory()) {
            const auto *dir = static_cast<const KArchiveDirectory *>(entry);
            if (dir->entry(QStringLiteral("index.theme")) && dir->entry(QStringLiteral("theme"))) {
                themes.append(name);
            }
        }
    }
    // The archive gives them in no set order. Of two with one id the first
    // is imported: the one whose name sorts first, as the registry takes it.
    themes.sort(Qt::CaseInsensitive);
    return themes;
}

void ThemeImporter::importTheme(const QString &name)
{
    if (!SafeExtractor::isSafeName(name)) {
        qWarning() << "Refusing theme directory" << name;
        return;
    }
    const SafeExtractor &extractor = d->extractor;
    const KArchiveDirectory *source = SafeExtractor::directory(d->root->entry(name));
    const KArchiveDirectory *settingsDir = source ? SafeExtractor::directory(source->entry(QStringLiteral("theme"))) : nullptr;
    const KArchiveFile *index = source ? extractor.regularFile(source->entry(QStringLiteral("index.theme"))) : nullptr;
    const KArchiveFile *themerc = settingsDir ? extractor.regularFile(settingsDir->entry(QStringLiteral("themerc"))) : nullptr;
    if (!index || !themerc) {
        qWarning() << "Refusing theme" << name << "whose index.theme or theme/themerc is not a plain file";
        return;
    }
    using ThemeDescriptions::File;
    for (const auto &[file, kind] : {std::pair(index, File::Description), std::pair(themerc, File::Settings)}) {
        if (file->size() > ThemeDescriptions::sizeLimit(kind)) {
            qWarning().nospace() << "Refusing theme " << name << ": " << qUtf8Printable(ThemeDescriptions::tooLarge(kind));
            return;
        }
    }

    const QString target = d->userThemesDir + QLatin1Char('/') + name;
    if (existsOrIsLink(target)) {
        ThemeImporterPrivate::alreadyInstalled("Theme", name, target);
        return;
    }
    // Taken before the first theme of the archive is unpacked.
    if (!d->takenIds) {
        d->takenIds = installedThemeIds();
    }
    // Made whole in a hidden folder, with its settings rewritten, and only
    // then moved into place: the settings name the final paths of its files.
    const QString staged = extractor.makePath(d->userThemesDir) ? extractor.makeStagedDir(target) : QString();
    if (staged.isEmpty() || !extractor.makeDir(staged + QStringLiteral("/theme"))) {
        return;
    }
    extractor.extractTree(settingsDir, name + QStringLiteral("/theme"), staged + QStringLiteral("/theme"));
    const QString indexPath = staged + QStringLiteral("/index.theme");
    extractor.writeNewFile(indexPath, index);
    if (extractor.writeFailed()) {
        return;
    }

    const std::shared_ptr<KConfig> config = ConfigFile::open(indexPath);
    const auto provider = std::make_shared<BaseSettingsProvider>(QFileInfo(indexPath).absolutePath() + QStringLiteral("/theme/themerc"));
    Theme theme(config, provider);
    const QString refused = d->refusal(theme, indexPath);
    if (!refused.isEmpty()) {
        qWarning() << "Skipping theme" << name << qUtf8Printable(refused);
        QDir(staged).removeRecursively();
        return;
    }
    if (!theme.isValid()) {
        qWarning() << "\tInvalid" << target + QStringLiteral("/index.theme");
        d->moveIntoPlace(staged, "Theme", name, target);
        return;
    }
    theme.read();

    const auto wallpaperPart = theme.wallpaperThemePart();
    const auto colorsPart = theme.colorsThemePart();
    const auto stored = [&](const ThemeDefaults::Entry &entry) {
        return provider->settings()->read(entry.key, entry.defaultValue).toString();
    };
    const QString wallpaper = wallpaperPart->wallpaper();
    QString logo = wallpaperPart->logo();
    const QString storedLogo = stored(ThemeDefaults::LogoPixmap);
    // The part reads a logo whose file is missing as "": keep the stored
    // path, or a later apply() would erase it.
    if (logo.isEmpty() && storedLogo != QLatin1String("undefined")) {
        logo = storedLogo;
        wallpaperPart->setLogo(logo);
    }
    const QString colorScheme = colorsPart->colorSchemePath();
    const QString cursorTheme = theme.cursorThemePart()->currentTheme();
    const QString iconTheme = theme.iconThemePart()->currentTheme();

    QList<ThemeFile> files{
        {QStringLiteral("wallpaper"),
         wallpaper,
         stored(ThemeDefaults::WallPaper),
         ThemeDefaults::WallPaper.defaultValue,
         pictureDirs(),
         picturesDir(),
         [&](const QString &path) {
             wallpaperPart->setWallpaper(path);
         },
         "Can't copy wallpaper file",
         ThemeFile::Picture},
        {QStringLiteral("logo"),
         logo,
         storedLogo,
         ThemeDefaults::LogoPixmap.defaultValue,
         pictureDirs(),
         picturesDir(),
         [&](const QString &path) {
             wallpaperPart->setLogo(path);
         },
         "Can't copy logo file",
         ThemeFile::Picture},
        {QStringLiteral("color-scheme"),
         colorScheme,
         stored(ThemeDefaults::ColorScheme),
         ThemeDefaults::ColorScheme.defaultValue,
         {colorSchemesDir()},
         colorSchemesDir(),
         [&](const QString &path) {
             colorsPart->setColorSchemePath(path);
         },
         "Can't copy colorscheme file",
         ThemeFile::ColorScheme},
    };
    // A replaced path is written even when the part held the default already.
    bool replaced = false;
    QHash<QString, const KArchiveFile *> planned;
    for (ThemeFile &file : files) {
        // Kept in the theme's own folder, it comes with the theme's tree.
        d->findInTheme(source, target, file);
        if (!file.inTheme && file.unplaceable.isEmpty()) {
            replaced |= d->findThemeFile(source, file);
        }
        if (file.archived && !d->planPlace(file, planned)) {
            break;
        }
    }
    const QList<IconTree> trees{d->findIconTheme(source, cursorTheme, true), d->findIconTheme(source, iconTheme, false)};
    // A file its reader refuses, placed, would only cost, and one missing
    // would leave the theme naming nothing: nothing of the theme is placed.
    const QString unreadable = d->unreadable(name, files, trees);
    if (!unreadable.isEmpty()) {
        qWarning() << "Skipping theme" << name << "whose" << qUtf8Printable(unreadable);
        QDir(staged).removeRecursively();
        return;
    }
    for (const ThemeFile &file : std::as_const(files)) {
        if (!d->placeThemeFile(file)) {
            if (!extractor.writeFailed()) {
                qWarning() << "Skipping theme" << name << "whose file" << file.target << "could not be placed";
                QDir(staged).removeRecursively();
            }
            return;
        }
    }
    d->takenIds->insert(theme.id());
    for (const IconTree &tree : trees) {
        d->importIconTheme(name, tree);
        if (extractor.writeFailed()) {
            break;
        }
    }

    if (!extractor.writeFailed() && (replaced || theme.hasChanges())) {
        // Settings not rewritten would name files where none were placed.
        QObject::connect(&theme, &Theme::error, [this](const QString &message) {
            qWarning().noquote() << message;
            d->settingsWriteFailed = true;
        });
        theme.apply();
    }
    if (!d->settingsWriteFailed) {
        d->moveIntoPlace(staged, "Theme", name, target);
    }
}

void ThemeImporter::removeLeftBehind() const
{
    const QStringList dirs = d->importDirs();
    for (const QString &dir : dirs) {
        d->extractor.removeLeftBehind(dir);
    }
}

bool ThemeImporter::writeFailed() const
{
    return d->extractor.writeFailed() || d->settingsWriteFailed;
}

void ThemeImporter::removeWritten() const
{
    d->extractor.removeCreated();
}
