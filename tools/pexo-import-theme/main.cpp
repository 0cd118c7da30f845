/*
    pexo-import-theme ARCHIVE

    Unpacks the themes of a theme archive into the user's directories.
    Exit status: 0 done, 1 wrong arguments, 2 no archive, 3 unsupported
    format, 4 archive not readable, 5 no theme in the archive.
*/
#include "themeimporter.h"

#include <offscreenfallback.h>

#include <KTar>
#include <KZip>

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QMimeDatabase>

#include <memory>

namespace {
KArchive *openThemePackage(const QString &path)
{
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(path);
    if (mime.inherits(QStringLiteral("application/zip"))) {
        return new KZip(path);
    }
    for (const char *type : {"application/x-compressed-tar",
                             "application/x-gzip",
                             "application/x-tar",
                             "application/x-bzip-compressed-tar",
                             "application/x-xz",
                             "application/x-lzma"}) {
        if (mime.inherits(QLatin1String(type))) {
            // KTar picks the decompression itself.
            return new KTar(path);
        }
    }
    qWarning() << "Could not open package file, unsupported archive format:" << path << mime.name();
    return nullptr;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        return 1;
    }
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return 2;
    }
    std::unique_ptr<KArchive> archive(openThemePackage(path));
    if (!archive) {
        return 3;
    }
    if (!archive->open(QIODevice::ReadOnly)) {
        return 4;
    }
    ThemeImporter importer(archive->directory());
    const QStringList themes = importer.themeDirectories();
    if (themes.isEmpty()) {
        archive->close();
        return 5;
    }
    for (const QString &theme : themes) {
        importer.importTheme(theme);
    }
    archive->close();
    return 0;
}
