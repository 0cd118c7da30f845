/*
    pexo-export-theme INDEX_THEME ARCHIVE

    Writes one theme with the files its settings name into a tar archive.
    Exit status: 0 to 31 written, each set bit a part left out (0x01 wallpaper,
    0x02 logo, 0x04 colour scheme, 0x08 cursor theme, 0x10 icon theme);
    32 wrong arguments, 64 no description file, 96 invalid theme, 128 archive
    not writable or not wholly written (also when it would replace a file of
    the theme or something that is no regular file, or when its name asks for
    a format other than a plain, gzip, bzip2 or xz tar), 160 settings
    unreadable, 192 description unreadable (each also when, links followed,
    it lies outside the theme's folder).
*/
#include "basesettingsprovider.h"
#include "colorsthemepart.h"
#include "colorutils.h"
#include "cursorthemepart.h"
#include "iconthemepart.h"
#include "ithemesettings.h"
#include "localfile.h"
#include "localimage.h"
#include "theme.h"
#include "themedefaults.h"
#include "themedescriptions.h"
#include "wallpaperthemepart.h"

#include <offscreenfallback.h>
#include <storedfilepath.h>

#include <KCompressionDevice>
#include <KConfig>
#include <KTar>

#include <QApplication>
#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include <dirent.h>

namespace {
enum Result {
    WallpaperMissing = 0x01,
    LogoMissing = 0x02,
    ColorSchemeMissing = 0x04,
    CursorThemeMissing = 0x08,
    IconThemeMissing = 0x10,
    WrongArguments = 32,
    NoDescription = 64,
    InvalidTheme = 96,
    ArchiveNotWritable = 128,
    SettingsUnreadable = 160,
    DescriptionUnreadable = 192,
};

const QString userIconsDir = QDir::homePath() + QStringLiteral("/.local/share/icons");
const QString systemIconsDir = QStringLiteral("/usr/share/icons");

// The archive's file. It keeps the system's word for the first write that
// failed: Qt's file takes a short write for an unknown error.
class ArchiveFile : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

    bool flushNoting()
    {
        errno = 0;
        const bool flushed = flush();
        if (!flushed) {
            note();
        }
        return flushed;
    }

    // Empty while no write failed with a cause.
    const QString &failure() const
    {
        return m_failure;
    }

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        errno = 0;
        const qint64 written = QSaveFile::writeData(data, length);
        if (written != length) {
            note();
        }
        return written;
    }

private:
    void note()
    {
        if (m_failure.isEmpty() && errno != 0) {
            m_failure = QString::fromLocal8Bit(std::strerror(errno));
        }
    }

    QString m_failure;
};

// Why the archive could not be written: the cause where the failure
// reached the file, else the error of the step that failed.
QString failureOf(const ArchiveFile &file, const KCompressionDevice &compressor, const KArchive &archive)
{
    if (!file.failure().isEmpty()) {
        return file.failure();
    }
    if (file.error() != QFileDevice::NoError) {
        return file.errorString();
    }
    return compressor.error() != QFileDevice::NoError ? compressor.errorString() : archive.errorString();
}

// Writes entries and remembers whether any write failed.
class ArchiveWriter
{
public:
    ArchiveWriter(KArchive *archive, const ArchiveFile *file, const KCompressionDevice *compressor)
        : m_archive(archive)
        , m_file(file)
        , m_compressor(compressor)
    {
    }

    // After a failed write KArchive has dropped its device: write nothing more.
    void writeDir(const QString &name)
    {
        if (!m_failed && !m_archive->writeDir(name)) {
            fail(name);
        }
    }

    void writeFile(const QString &name, const QByteArray &data)
    {
        if (!m_failed && !m_archive->writeFile(name, data)) {
            fail(name);
        }
    }

    bool failed() const
    {
        return m_failed;
    }

private:
    void fail(const QString &name)
    {
        if (!m_failed) {
            qCritical() << "Cannot write archive entry" << name << failureOf(*m_file, *m_compressor, *m_archive);
        }
        m_failed = true;
    }

    KArchive *m_archive;
    const ArchiveFile *m_file;
    const KCompressionDevice *m_compressor;
    bool m_failed = false;
};

// The compression that the archive's name asks for; nothing for a name of a
// format the tool does not write.
std::optional<KCompressionDevice::CompressionType> compressionForName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const std::pair<const char *, KCompressionDevice::CompressionType> suffixes[] = {
        {".tar", KCompressionDevice::None},
        {".tar.gz", KCompressionDevice::GZip},
        {".tgz", KCompressionDevice::GZip},
        {".tar.bz2", KCompressionDevice::BZip2},
        {".tbz2", KCompressionDevice::BZip2},
        {".tar.xz", KCompressionDevice::Xz},
        {".txz", KCompressionDevice::Xz},
    };
    for (const auto &[suffix, type] : suffixes) {
        if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) {
            return type;
        }
    }
    return std::nullopt;
}

// True for a file in the theme's folder that, links followed, lies outside
// it: a link there may lead to any private file.
bool leavesTheme(const QString &path, const QString &themeDir)
{
    return QFileInfo::exists(path) && QFileInfo(path).absoluteFilePath().startsWith(QDir::cleanPath(themeDir) + QLatin1Char('/')) &&
        !isBelowOneOf(path, {themeDir});
}

enum class Content { Image, ColorScheme };

// Looks at the bytes read, not at the file again: it may have changed since.
// A picture is one that the pages and the import take, a scheme one that
// the import and the colour page take.
bool hasContent(const QByteArray &data, Content content)
{
    if (content == Content::Image) {
        QByteArray bytes = data;
        QBuffer buffer(&bytes);
        return buffer.open(QIODevice::ReadOnly) && LocalImage::size(&buffer).isValid();
    }
    return ColorUtils::schemeContent(data) == ColorUtils::SchemeContent::ColorScheme;
}

// Entry 10, 11 or 12: one file named by the theme (stored: as its settings
// hold it), stored under its file name.
int storeSingleFile(ArchiveWriter &writer,
                    const QString &prefix,
                    const QString &pattern,
                    const QString &path,
                    const QString &stored,
                    const QString &themeDir,
                    Content content,
                    int bit)
{
    if (namesNoFile(stored)) {
        return 0;
    }
    // Resolved against the working directory, it could name any file.
    if (QDir::isRelativePath(stored)) {
        qWarning() << "Not an absolute path" << stored;
        return bit;
    }
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return 0;
    }
    // The theme holds the path with links resolved; its settings tell where it lies.
    if (leavesTheme(stored, themeDir)) {
        qWarning() << "Not inside the theme's folder" << stored;
        return bit;
    }
    const std::optional<QByteArray> data = LocalFile::read(path, content == Content::Image ? LocalFile::Kind::Image : LocalFile::Kind::Settings);
    if (!data) {
        qWarning() << "Cannot open" << path;
        return bit;
    }
    // Whatever else the theme names (a private key, say) stays out.
    if (!hasContent(*data, content)) {
        qWarning() << (content == Content::Image ? "Not an image" : "Not a colour scheme") << path;
        return bit;
    }
    writer.writeFile(prefix + pattern.arg(QFileInfo(path).fileName()), *data);
    return 0;
}

bool canList(const QString &dir)
{
    DIR *stream = ::opendir(QFile::encodeName(dir).constData());
    if (stream) {
        ::closedir(stream);
    }
    return stream != nullptr;
}

bool isOneComponent(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/'));
}

// The directory of a cursor or icon theme: the user's first, then the system's.
// A theme folder that is a link leading out of the icon directories is none.
QString findIconThemeDir(const QString &themeName)
{
    if (isOneComponent(themeName)) {
        for (const QString &base : {userIconsDir, systemIconsDir}) {
            const QFileInfo candidate(base + QLatin1Char('/') + themeName);
            if (candidate.isDir()) {
                return isBelowOneOf(candidate.filePath(), {userIconsDir, systemIconsDir}) ? candidate.filePath() : QString();
            }
        }
    }
    return QString();
}

// Entries 13 and 14: a cursor or icon theme's whole tree.
int storeIconTree(ArchiveWriter &writer, const QString &prefix, const QString &partDir, const QString &themeName, int bit)
{
    if (themeName.isEmpty()) {
        return 0;
    }
    const bool cursor = bit == CursorThemeMissing;
    const QString themeDir = findIconThemeDir(themeName);
    if (themeDir.isEmpty()) {
        qWarning() << (cursor ? "Cursor theme" : "Icons theme") << themeName << "not found in" << userIconsDir << "or" << systemIconsDir;
        return bit;
    }

    // The walk passes over folders it cannot open without a word.
    bool failed = !canList(themeDir);
    if (failed) {
        qWarning() << (cursor ? "Cannot open cursor folder" : "Cannot open icons folder") << themeDir;
    }
    const QDir base(themeDir);
    const QString entryPrefix = prefix + QLatin1Char('/') + partDir + QLatin1Char('/') + themeName + QLatin1Char('/');
    // Links to directories are stored as directories but not walked through.
    QDirIterator it(themeDir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString entryName = entryPrefix + base.relativeFilePath(path);
        if (info.isDir()) {
            writer.writeDir(entryName);
            if (!info.isSymLink() && !canList(path)) {
                qWarning() << (cursor ? "Cannot open cursor folder" : "Cannot open icons folder") << path;
                failed = true;
            }
        } else if (info.isFile() && info.isSymLink() && !isBelowOneOf(path, {userIconsDir, systemIconsDir})) {
            // A link to a file is followed only into the icon themes.
            qWarning() << (cursor ? "Skipping cursor link to outside the theme" : "Skipping icons link to outside the theme") << path;
            failed = true;
        } else if (info.isFile()) {
            // A link is read at the target checked, whatever it points to now.
            if (const std::optional<QByteArray> data = LocalFile::read(info.isSymLink() ? info.canonicalFilePath() : path, LocalFile::Kind::Image)) {
                writer.writeFile(entryName, *data);
            } else {
                qWarning() << (cursor ? "Cannot open cursor file" : "Cannot open icons file") << path;
                failed = true;
            }
        } else {
            qWarning() << (cursor ? "Skipping unsupported cursor entry" : "Skipping unsupported icons entry") << path;
            failed = true;
        }
    }
    return failed ? bit : 0;
}

// The path with links resolved; for a file not there yet, its directory's.
QString resolvedPath(const QString &path)
{
    QFileInfo info(path);
    // Writing through a dangling link creates its target: follow the chain.
    for (int hops = 0; hops < 40 && info.isSymLink() && !info.exists(); ++hops) {
        info.setFile(info.symLinkTarget());
    }
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty()) {
        return canonical;
    }
    const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
    return dir.isEmpty() ? info.absoluteFilePath() : dir + QLatin1Char('/') + info.fileName();
}

// True when writing path would replace one of the files or a file inside one
// of the directories.
bool isInside(const QString &path, const QStringList &files, const QStringList &dirs)
{
    const QString resolved = resolvedPath(path);
    const bool isFile = std::any_of(files.cbegin(), files.cend(), [&](const QString &file) {
        return !file.isEmpty() && QFileInfo::exists(file) && resolvedPath(file) == resolved;
    });
    return isFile || std::any_of(dirs.cbegin(), dirs.cend(), [&](const QString &dir) {
               return !dir.isEmpty() && resolved.startsWith(resolvedPath(dir) + QLatin1Char('/'));
           });
}

int exportTheme(const QString &descriptionPath, const QString &archivePath)
{
    if (descriptionPath.isEmpty() || !QFileInfo::exists(descriptionPath)) {
        return NoDescription;
    }
    // A relative name would be looked up in the configuration directories.
    const QString indexPath = QFileInfo(descriptionPath).absoluteFilePath();
    // As the registry has it, a theme with a file over its size holds no
    // theme, however large the file: told before it is opened.
    if (const QString refusal = ThemeDescriptions::sizeRefusal(indexPath); !refusal.isEmpty()) {
        qCritical().nospace() << "Cannot export " << descriptionPath << ": " << qUtf8Printable(refusal);
        return InvalidTheme;
    }
    // A fifo or a device would hold up or never end the reading.
    if (!LocalFile::isUsable(indexPath, LocalFile::Kind::Settings)) {
        qCritical() << "Cannot open" << descriptionPath;
        return DescriptionUnreadable;
    }
    const std::shared_ptr<KConfig> config = ThemeDescriptions::open(indexPath);
    const QString settingsPath = ThemeDescriptions::settingsPath(indexPath);
    const auto provider = std::make_shared<BaseSettingsProvider>(settingsPath);
    Theme theme(config, provider);
    if (!theme.isValid()) {
        return InvalidTheme;
    }
    theme.read();

    const auto wallpaper = theme.wallpaperThemePart();
    const QString cursorTheme = theme.cursorThemePart()->currentTheme();
    const QString iconTheme = theme.iconThemePart()->currentTheme();
    // The folder of the description as given: its configuration names the
    // file a link leads to.
    const QString themeDir = QFileInfo(indexPath).absolutePath();
    const QStringList ownFiles{indexPath, settingsPath, wallpaper->wallpaper(), wallpaper->logo(), theme.colorsThemePart()->colorSchemePath()};
    const QStringList ownDirs{themeDir, findIconThemeDir(cursorTheme), findIconThemeDir(iconTheme)};
    const std::optional<KCompressionDevice::CompressionType> compression = compressionForName(archivePath);
    if (!compression) {
        qCritical() << "Cannot open archive for writing" << archivePath << "- the name must end in .tar, .tar.gz, .tgz, .tar.bz2, .tbz2, .tar.xz or .txz";
        return ArchiveNotWritable;
    }
    if (isInside(archivePath, ownFiles, ownDirs)) {
        qCritical() << "Cannot open archive for writing" << archivePath << "over the files of the theme";
        return ArchiveNotWritable;
    }
    // The new file would be renamed over a fifo or a device, links followed.
    const QFileInfo existing(archivePath);
    if (existing.exists() && !existing.isFile()) {
        qCritical() << "Cannot open archive for writing" << archivePath << "- it is not a regular file";
        return ArchiveNotWritable;
    }

    // Every write and the final commit are checked here: the archive
    // library's own file would take a failed last write for a whole archive.
    ArchiveFile file(archivePath);
    KCompressionDevice compressor(&file, false, *compression);
    KTar archive(&compressor);
    if (!file.open(QIODevice::WriteOnly) || !compressor.open(QIODevice::WriteOnly) || !archive.open(QIODevice::WriteOnly)) {
        qCritical() << "Cannot open archive for writing" << archivePath << failureOf(file, compressor, archive);
        return ArchiveNotWritable;
    }
    ArchiveWriter writer(&archive, &file, &compressor);

    // A "/" in the display name would split the top-level directory, and
    // "." or ".." would make it no directory of its own.
    QString name = theme.name();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name == QLatin1String(".") || name == QLatin1String("..")) {
        name.fill(QLatin1Char('_'));
    }
    writer.writeDir(name);
    for (const char *dir : {"theme", "color-scheme", "wallpaper", "logo", "cursor", "icons"}) {
        writer.writeDir(name + QLatin1Char('/') + QLatin1String(dir));
    }

    int result = 0;
    const bool settingsLeave = leavesTheme(settingsPath, themeDir);
    const std::optional<QByteArray> themerc = settingsLeave ? std::nullopt : LocalFile::read(settingsPath, LocalFile::Kind::Settings);
    if (!themerc) {
        if (settingsLeave) {
            qCritical() << "Cannot open settings for theme: they lead out of the theme's folder";
        } else {
            qCritical() << "Cannot open settings for theme";
        }
        result = SettingsUnreadable;
    } else {
        writer.writeFile(name + QLatin1Char('/') + ThemeDescriptions::settingsSubPath, *themerc);
        const bool descriptionLeaves = leavesTheme(descriptionPath, themeDir);
        const std::optional<QByteArray> description = descriptionLeaves ? std::nullopt : LocalFile::read(descriptionPath, LocalFile::Kind::Settings);
        if (!description) {
            if (descriptionLeaves) {
                qCritical() << "Cannot open" << descriptionPath << "- it leads out of the theme's folder";
            } else {
                qCritical() << "Cannot open" << descriptionPath;
            }
            result = DescriptionUnreadable;
        } else {
            writer.writeFile(name + QStringLiteral("/index.theme"), *description);

            const auto stored = [&](const ThemeDefaults::Entry &entry) {
                return provider->settings()->read(entry.key, entry.defaultValue).toString();
            };
            result |= storeSingleFile(writer,
                                      name,
                                      QStringLiteral("/wallpaper/%1"),
                                      wallpaper->wallpaper(),
                                      stored(ThemeDefaults::WallPaper),
                                      themeDir,
                                      Content::Image,
                                      WallpaperMissing);
            result |= storeSingleFile(
                writer, name, QStringLiteral("/logo/%1"), wallpaper->logo(), stored(ThemeDefaults::LogoPixmap), themeDir, Content::Image, LogoMissing);
            result |= storeSingleFile(writer,
                                      name,
                                      QStringLiteral("/color-scheme/%1"),
                                      theme.colorsThemePart()->colorSchemePath(),
                                      stored(ThemeDefaults::ColorScheme),
                                      themeDir,
                                      Content::ColorScheme,
                                      ColorSchemeMissing);
            result |= storeIconTree(writer, name, QStringLiteral("cursor"), cursorTheme, CursorThemeMissing);
            result |= storeIconTree(writer, name, QStringLiteral("icons"), iconTheme, IconThemeMissing);
        }
    }

    bool written = archive.close() && !writer.failed();
    compressor.close();
    written = written && compressor.error() == QFileDevice::NoError && file.flushNoting() && file.commit();
    if (!written) {
        const QString reason = failureOf(file, compressor, archive);
        // Never committed, the new file goes: whatever was there stays.
        file.cancelWriting();
        qCritical() << "Cannot write archive" << archivePath << reason;
    }
    // A settings or description failure is reported as such; any other
    // result would claim an archive that is not complete.
    if (!written && result < WrongArguments) {
        return ArchiveNotWritable;
    }
    return result;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        return WrongArguments;
    }
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    return exportTheme(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
}
