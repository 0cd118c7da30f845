/*
    pexo-import-theme ARCHIVE

    Unpacks the themes of a theme archive into the user's directories.
    Exit status: 0 done, 1 wrong arguments, 2 no archive (or no regular
    file), 3 unsupported
    format, 4 archive not readable, or refused because it unpacks to more
    than 1 GiB or to more than the free space, 5 no theme in the archive.
*/
#include "themeimporter.h"
#include "themepackage.h"

#include "localfile.h"

#include <offscreenfallback.h>

#include <QApplication>
#include <QDebug>

int main(int argc, char **argv)
{
    if (argc != 2) {
        return 1;
    }
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (path.isEmpty() || !LocalFile::exists(path)) {
        return 2;
    }
    // A fifo would hold up the reading, a device would never end it.
    if (!LocalFile::isUsable(path, LocalFile::Kind::Archive)) {
        qWarning() << "Not an archive file:" << path;
        return 2;
    }
    ThemePackage package(path);
    const ThemePackage::Result opened = package.open();
    if (opened != ThemePackage::Opened) {
        return opened;
    }
    ThemeImporter importer(package.archive());
    const QStringList themes = importer.themeDirectories();
    if (themes.isEmpty()) {
        return 5;
    }
    if (!importer.hasRoomFor(package.unpackedSize())) {
        qWarning() << "Not enough free space to unpack" << path;
        return ThemePackage::NotReadable;
    }
    for (const QString &theme : themes) {
        importer.importTheme(theme);
    }
    return 0;
}
