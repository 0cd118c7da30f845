#ifndef THEMEIMPORTER_H
#define THEMEIMPORTER_H

#include <QString>

#include <memory>

class KArchive;
class ThemeImporterPrivate;

// Installs the theme directories of an opened archive as user themes, with
// the wallpaper, logo, colour scheme, cursor and icon themes they name.
class ThemeImporter
{
public:
    explicit ThemeImporter(const KArchive *archive);
    ~ThemeImporter();

    // True when every directory the import may fill has room for bytes.
    bool hasRoomFor(qint64 bytes) const;

    // The top-level directories holding both "index.theme" and "theme".
    QStringList themeDirectories() const;

    // Imports one of them; failures are logged and never stop the caller.
    void importTheme(const QString &name);

private:
    std::unique_ptr<ThemeImporterPrivate> const d;
};

#endif
