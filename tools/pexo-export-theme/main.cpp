/*
    pexo-export-theme INDEX_THEME ARCHIVE

    Writes one theme with the files its settings name into a tar archive.
    Exit status: 0 to 31 written, each set bit a part left out (0x01 wallpaper,
    0x02 logo, 0x04 colour scheme, 0x08 cursor theme, 0x10 icon theme);
    32 wrong arguments, 64 no description file, 96 invalid theme, 128 archive
    not writable, 160 settings unreadable, 192 description unreadable.
*/
#include "basesettingsprovider.h"
#include "colorsthemepart.h"
#include "cursorthemepart.h"
#include "iconthemepart.h"
#include "theme.h"
#include "wallpaperthemepart.h"

#include <offscreenfallback.h>

#include <KSharedConfig>
#include <KTar>

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <memory>

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

// Writes entries and remembers whether any write failed.
class ArchiveWriter
{
public:
    explicit ArchiveWriter(KArchive *archive)
        : m_archive(archive)
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
            qCritical() << "Cannot write archive entry" << name << m_archive->errorString();
        }
        m_failed = true;
    }

    KArchive *m_archive;
    bool m_failed = false;
};

bool readWhole(const QString &path, QByteArray *data)
{
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    *data = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// Entry 10, 11 or 12: one file named by the theme, stored under its file name.
int storeSingleFile(ArchiveWriter &writer, const QString &prefix, const QString &pattern, const QString &path, int bit)
{
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return 0;
    }
    QByteArray data;
    if (!readWhole(path, &data)) {
        qWarning() << "Cannot open" << path;
        return bit;
    }
    writer.writeFile(prefix + pattern.arg(QFileInfo(path).fileName()), data);
    return 0;
}

bool isOneComponent(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/'));
}

// Entries 13 and 14: a cursor or icon theme's whole tree.
int storeIconTree(ArchiveWriter &writer, const QString &prefix, const QString &partDir, const QString &themeName, int bit)
{
    if (themeName.isEmpty()) {
        return 0;
    }
    const bool cursor = bit == CursorThemeMissing;
    QString themeDir;
    if (isOneComponent(themeName)) {
        for (const QString &base : {userIconsDir, systemIconsDir}) {
            const QString candidate = base + QLatin1Char('/') + themeName;
            if (QFileInfo(candidate).isDir()) {
                themeDir = candidate;
                break;
            }
        }
    }
    if (themeDir.isEmpty()) {
        qWarning() << (cursor ? "Cursor theme" : "Icons theme") << themeName << "not found in" << userIconsDir << "or" << systemIconsDir;
        return bit;
    }

    bool failed = false;
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
        } else if (info.isFile()) {
            QByteArray data;
            if (readWhole(path, &data)) {
                writer.writeFile(entryName, data);
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

int exportTheme(const QString &descriptionPath, const QString &archivePath)
{
    if (descriptionPath.isEmpty() || !QFileInfo::exists(descriptionPath)) {
        return NoDescription;
    }
    // A relative name would be looked up in the configuration directories.
    const QString indexPath = QFileInfo(descriptionPath).absoluteFilePath();
    const KSharedConfigPtr config = KSharedConfig::openConfig(indexPath, KConfig::SimpleConfig);
    const QString settingsPath = QFileInfo(indexPath).absolutePath() + QStringLiteral("/theme/themerc");
    Theme theme(config, std::make_shared<BaseSettingsProvider>(settingsPath));
    if (!theme.isValid()) {
        return InvalidTheme;
    }
    theme.read();

    KTar archive(archivePath);
    if (!archive.open(QIODevice::WriteOnly)) {
        qCritical() << "Cannot open archive for writing";
        return ArchiveNotWritable;
    }
    ArchiveWriter writer(&archive);

    // A "/" in the display name would split the top-level directory.
    QString name = theme.name();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    writer.writeDir(name);
    for (const char *dir : {"theme", "color-scheme", "wallpaper", "logo", "cursor", "icons"}) {
        writer.writeDir(name + QLatin1Char('/') + QLatin1String(dir));
    }

    int result = 0;
    QByteArray data;
    const QString themercPath = QFileInfo(theme.desktopPath()).absolutePath() + QStringLiteral("/theme/themerc");
    if (!readWhole(themercPath, &data)) {
        qCritical() << "Cannot open settings for theme";
        result = SettingsUnreadable;
    } else {
        writer.writeFile(name + QStringLiteral("/theme/themerc"), data);
        if (!readWhole(descriptionPath, &data)) {
            qCritical() << "Cannot open" << descriptionPath;
            result = DescriptionUnreadable;
        } else {
            writer.writeFile(name + QStringLiteral("/index.theme"), data);

            const auto wallpaper = theme.wallpaperThemePart();
            result |= storeSingleFile(writer, name, QStringLiteral("/wallpaper/%1"), wallpaper->wallpaper(), WallpaperMissing);
            result |= storeSingleFile(writer, name, QStringLiteral("/logo/%1"), wallpaper->logo(), LogoMissing);
            result |= storeSingleFile(writer, name, QStringLiteral("/color-scheme/%1"), theme.colorsThemePart()->colorSchemePath(), ColorSchemeMissing);
            result |= storeIconTree(writer, name, QStringLiteral("cursor"), theme.cursorThemePart()->currentTheme(), CursorThemeMissing);
            result |= storeIconTree(writer, name, QStringLiteral("icons"), theme.iconThemePart()->currentTheme(), IconThemeMissing);
        }
    }

    const bool closed = archive.close();
    if (!closed) {
        qCritical() << "Cannot write archive" << archivePath << archive.errorString();
    }
    // A settings or description failure is reported as such; any other
    // result would claim an archive that is not complete.
    if ((writer.failed() || !closed) && result < WrongArguments) {
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
