/*
    Stand-in for the desktop core library: a desktop entry file (group "Desktop Entry").
*/
#ifndef PEXOCORE_PEXODESKTOPENTRY_H
#define PEXOCORE_PEXODESKTOPENTRY_H

#include "pexocore_export.h"

#include <QString>

#include <memory>

class PexoDesktopEntryPrivate;

class PEXOCORE_EXPORT PexoDesktopEntry
{
public:
    // Reads the file at once.
    explicit PexoDesktopEntry(const QString &path);
    ~PexoDesktopEntry();

    PexoDesktopEntry(const PexoDesktopEntry &) = delete;
    PexoDesktopEntry &operator=(const PexoDesktopEntry &) = delete;

    // Reads the file again; false when it is missing, unreadable or no plain
    // file of settings (a fifo, a device, a huge file), which reads as empty.
    bool load();

    bool hidden() const;
    void setHidden(bool hidden);

    QString type() const;
    QString url() const;
    // "Comment" in the user's language, else the untranslated one.
    QString localCommentOrFallback() const;

    // Writes the entry back, keeping every other key. With saveEmptyFields
    // false, keys with empty values that were not in the file are not added.
    bool save(bool saveEmptyFields);

    QString path() const;

private:
    std::unique_ptr<PexoDesktopEntryPrivate> const d;
};

#endif
