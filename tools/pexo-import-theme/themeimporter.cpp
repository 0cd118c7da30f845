#include "themeimporter.h"
#include "safeextractor.h"

#include "basesettingsprovider.h"
#include "colorsthemepart.h"
#include "cursorthemepart.h"
#include "iconthemepart.h"
#include "ithemesettings.h"
#include "theme.h"
#include "themedefaults.h"
#include "wallpaperthemepart.h"

#include <KArchive>
#include <KArchiveDirectory>
#include <KArchiveFile>
#include <KSharedConfig>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace SafeExtractor;

namespace {
bool existsOrIsLink(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool sameContent(const QString &path, const QByteArray &data)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.size() != data.size()) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == data;
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

QStringList pictureDirs()
{
    return {
        picturesDir(), userDataDir() + QStringLiteral("/wallpapers"), QString::fromUtf8(GetPexoDir(PexoUserDataDir).c_str()) + QStringLiteral("/Wallpapers")};
}
} // namespace

class ThemeImporterPrivate
{
public:
    // Puts the file the theme names at storedPath in place. Returns false
    // when it could be placed nowhere; *newPath is set when it was placed in
    // the fallback directory instead.
    bool placeFile(const KArchiveDirectory *source,
                   const QString &label,
                   const QString &part,
                   const QString &storedPath,
                   const QStringList &allowedDirs,
                   const QString &fallbackDir,
                   QString *newPath) const;
    void importIconTheme(const KArchiveDirectory *source, const QString &label, const QString &name, bool cursor) const;

    const KArchiveDirectory *root = nullptr;
    const QString userThemesDir = ThemeDefaults::userThemesDir;
    const QString userIconsDir = QDir::homePath() + QStringLiteral("/.local/share/icons");
    const QString systemIconsDir = QStringLiteral("/usr/share/icons");
};

bool ThemeImporterPrivate::placeFile(const KArchiveDirectory *source,
                                     const QString &label,
                                     const QString &part,
                                     const QString &storedPath,
                                     const QStringList &allowedDirs,
                                     const QString &fallbackDir,
                                     QString *newPath) const
{
    // Empty values and plain colours name no file.
    if (!QDir::isAbsolutePath(storedPath)) {
        return true;
    }
    const QFileInfo stored(storedPath);
    if (stored.exists()) {
        return true;
    }
    const QString fileName = stored.fileName();
    // Hidden names are refused too: they are how login scripts and settings look.
    if (!isSafeName(fileName) || fileName.startsWith(QLatin1Char('.'))) {
        qWarning() << "Refusing file name" << fileName << "of" << storedPath;
        return false;
    }
    const KArchiveDirectory *partDir = directory(source->entry(part));
    const KArchiveEntry *entry = partDir ? partDir->entry(fileName) : nullptr;
    const KArchiveFile *file = regularFile(entry);
    if (!file) {
        if (entry) {
            qWarning() << "Refusing archive entry that is not a plain file" << label + QLatin1Char('/') + part + QLatin1Char('/') + fileName;
        }
        return false;
    }
    const QByteArray data = file->data();

    const QString storedDir = stored.absolutePath();
    if (isOneOf(storedDir, allowedDirs)) {
        const QString target = QFileInfo(storedDir).canonicalFilePath() + QLatin1Char('/') + fileName;
        if (writeNewFile(target, data)) {
            return true;
        }
    }

    if (fallbackDir.isEmpty() || !QDir().mkpath(fallbackDir)) {
        return false;
    }
    const QString target = fallbackDir + QDir::separator() + fileName;
    // Never overwrite; the very same file already there will do.
    if (existsOrIsLink(target) ? !sameContent(target, data) : !writeNewFile(target, data)) {
        return false;
    }
    *newPath = target;
    return true;
}

void ThemeImporterPrivate::importIconTheme(const KArchiveDirectory *source, const QString &label, const QString &name, bool cursor) const
{
    if (name.isEmpty()) {
        return;
    }
    if (!isSafeName(name)) {
        qWarning() << (cursor ? "Refusing cursor theme name" : "Refusing icons theme name") << name;
        return;
    }
    if (!QFileInfo(userIconsDir).isDir() && !QDir().mkpath(userIconsDir)) {
        qWarning() << "Cannot create user icons directory:" << userIconsDir;
    }
    const QString systemPath = systemIconsDir + QLatin1Char('/') + name;
    if (QFileInfo(systemPath).isDir()) {
        if (cursor) {
            qWarning() << "Cursor theme found in system icons; skipping copy:" << systemPath;
        } else {
            qWarning() << "Icons theme found in system icons; skipping copy:" << systemPath;
        }
        return;
    }
    const QString userPath = userIconsDir + QLatin1Char('/') + name;
    if (existsOrIsLink(userPath)) {
        qWarning() << (cursor ? "Cursor theme already exists" : "Icons theme already exists");
        return;
    }
    const QString part = cursor ? QStringLiteral("cursor") : QStringLiteral("icons");
    const KArchiveDirectory *partDir = directory(source->entry(part));
    const KArchiveDirectory *tree = partDir ? directory(partDir->entry(name)) : nullptr;
    if (!tree || !QDir(userIconsDir).mkdir(name) || !extractTree(tree, label + QLatin1Char('/') + part + QLatin1Char('/') + name, userPath)) {
        qWarning() << (cursor ? "Can't copy cursors files" : "Can't copy icons files");
    }
}

ThemeImporter::ThemeImporter(const KArchiveDirectory *root)
    : d(new ThemeImporterPrivate)
{
    d->root = root;
}

ThemeImporter::~ThemeImporter() = default;

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
    return themes;
}

void ThemeImporter::importTheme(const QString &name)
{
    if (!isSafeName(name)) {
        qWarning() << "Refusing theme directory" << name;
        return;
    }
    const KArchiveDirectory *source = directory(d->root->entry(name));
    const KArchiveDirectory *settingsDir = source ? directory(source->entry(QStringLiteral("theme"))) : nullptr;
    const KArchiveFile *index = source ? regularFile(source->entry(QStringLiteral("index.theme"))) : nullptr;
    const KArchiveFile *themerc = settingsDir ? regularFile(settingsDir->entry(QStringLiteral("themerc"))) : nullptr;
    if (!index || !themerc) {
        qWarning() << "Refusing theme" << name << "whose index.theme or theme/themerc is not a plain file";
        return;
    }

    const QString target = d->userThemesDir + QLatin1Char('/') + name;
    if (existsOrIsLink(target)) {
        return;
    }
    // mkdir() fails on anything already there, so the target is ours alone.
    if (!QDir().mkpath(d->userThemesDir) || !QDir(d->userThemesDir).mkdir(name) || !QDir(target).mkdir(QStringLiteral("theme"))) {
        return;
    }
    extractTree(settingsDir, name + QStringLiteral("/theme"), target + QStringLiteral("/theme"));
    const QString indexPath = target + QStringLiteral("/index.theme");
    writeNewFile(indexPath, index->data());

    const KSharedConfigPtr config = KSharedConfig::openConfig(indexPath, KConfig::SimpleConfig);
    const auto provider = std::make_shared<BaseSettingsProvider>(QFileInfo(indexPath).absolutePath() + QStringLiteral("/theme/themerc"));
    Theme theme(config, provider);
    if (!theme.isValid()) {
        qWarning() << "\tInvalid" << indexPath;
        return;
    }
    theme.read();

    const auto wallpaperPart = theme.wallpaperThemePart();
    const auto colorsPart = theme.colorsThemePart();
    const QString wallpaper = wallpaperPart->wallpaper();
    QString logo = wallpaperPart->logo();
    if (logo.isEmpty()) {
        // The part reads a logo whose file is missing as "": keep the stored
        // path, or a later apply() would erase it.
        const QString stored = provider->settings()->read(ThemeDefaults::LogoPixmap.key, ThemeDefaults::LogoPixmap.defaultValue).toString();
        if (stored != QLatin1String("undefined")) {
            logo = stored;
            wallpaperPart->setLogo(logo);
        }
    }
    const QString colorScheme = colorsPart->colorSchemePath();
    const QString cursorTheme = theme.cursorThemePart()->currentTheme();
    const QString iconTheme = theme.iconThemePart()->currentTheme();

    QString newPath;
    if (!d->placeFile(source, name, QStringLiteral("wallpaper"), wallpaper, pictureDirs(), picturesDir(), &newPath)) {
        qWarning() << "Can't copy wallpaper file";
    } else if (!newPath.isEmpty()) {
        wallpaperPart->setWallpaper(newPath);
    }
    newPath.clear();
    if (!d->placeFile(source, name, QStringLiteral("logo"), logo, pictureDirs(), picturesDir(), &newPath)) {
        qWarning() << "Can't copy logo file";
    } else if (!newPath.isEmpty()) {
        wallpaperPart->setLogo(newPath);
    }
    newPath.clear();
    if (!d->placeFile(source, name, QStringLiteral("color-scheme"), colorScheme, {colorSchemesDir()}, colorSchemesDir(), &newPath)) {
        qWarning() << "Can't copy colorscheme file";
    } else if (!newPath.isEmpty()) {
        colorsPart->setColorSchemePath(newPath);
    }

    d->importIconTheme(source, name, cursorTheme, true);
    d->importIconTheme(source, name, iconTheme, false);

    if (theme.hasChanges()) {
        theme.apply();
    }
}
