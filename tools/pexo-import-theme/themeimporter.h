#ifndef THEMEIMPORTER_H
#define THEMEIMPORTER_H

#include <QString>

#include <memory>

class KArchive;
class ThemeImporterPrivate;
class ThemePackage;

// Installs the theme directories of an opened archive as user themes, with
// the wallpaper, logo, colour scheme, cursor and icon themes they name.
class ThemeImporter
{
public:
    explicit ThemeImporter(const KArchive *archive);
    ~ThemeImporter();

    enum Room {
        Enough,
        TooLarge, // more than ThemePackage::maxUnpackedSize on disk
        NotEnough,
    };
    // Removes what imports that were killed half way left in the hidden
    // folders they unpack into: the room they take is free again.
    void removeLeftBehind() const;

    // Whether every file system the import may fill has the blocks and
    // inodes the whole package takes there.
    Room roomFor(const ThemePackage &package) const;

    // The most themes one archive may install: the first ones in the order
    // of themeDirectories(), the rest are refused.
    static constexpr int maxThemes = 32;

    // The top-level directories holding both "index.theme" and "theme", by
    // name regardless of case.
    QStringList themeDirectories() const;

    // Imports one of them; failures are logged and only a failed write
    // stops the caller.
    void importTheme(const QString &name);

    // True once a write failed: the import cannot be completed.
    bool writeFailed() const;
    // Removes every file and directory the import created.
    void removeWritten() const;

private:
    std::unique_ptr<ThemeImporterPrivate> const d;
};

#endif
