/*
    pexo-import-theme ARCHIVE

    Unpacks the themes of a theme archive into the user's directories.
    Exit status: 0 done, 1 wrong arguments, 2 no archive (or no regular file),
    3 unsupported format, 4 archive not readable, or refused because it
    unpacks to more than 1 GiB or to more blocks or inodes than are free, or
    because a write failed while unpacking or rewriting a theme's settings
    (what was written is removed), 5 no theme in the archive. Of an archive's
    themes only the first ThemeImporter::maxThemes are installed; the rest,
    like any other refused theme (one holding a file that its reader here
    would refuse, say), are left out with a warning.
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
    importer.removeLeftBehind();
    switch (importer.roomFor(package)) {
    case ThemeImporter::Enough:
        break;
    case ThemeImporter::TooLarge:
        qWarning() << "Refusing archive that unpacks to more than 1 GiB:" << path;
        return ThemePackage::NotReadable;
    case ThemeImporter::NotEnough:
        qWarning() << "Not enough free space to unpack" << path;
        return ThemePackage::NotReadable;
    }
    for (int i = 0; i < themes.size(); ++i) {
        const QString &theme = themes.at(i);
        if (i >= ThemeImporter::maxThemes) {
            qWarning() << "Refusing theme" << theme << "beyond the" << ThemeImporter::maxThemes << "themes one archive may install";
            continue;
        }
        importer.importTheme(theme);
        if (importer.writeFailed()) {
            importer.removeWritten();
            qWarning() << "Cannot unpack" << path << "- a write failed; what was written is removed";
            return ThemePackage::NotReadable;
        }
    }
    return 0;
}
