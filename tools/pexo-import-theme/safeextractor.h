#ifndef SAFEEXTRACTOR_H
#define SAFEEXTRACTOR_H

#include <QString>

#include <memory>

class KArchive;
class KArchiveDirectory;
class KArchiveEntry;
class KArchiveFile;
class SafeExtractorPrivate;

// Extraction of archive entries that never leaves the target directory,
// never creates or follows links and never overwrites an existing file.
// Contents are copied piece by piece, never held whole in memory. What it
// puts in place is first built in a hidden folder beside it (a StagingDir),
// so that a process killed half way leaves nothing half made under the
// final name; the hidden folders that killed imports left in a directory
// go before the first one is made there. What it creates is recorded, so
// that it can be taken back; after a write that failed for want of room or
// by an I/O error it writes nothing more.
class SafeExtractor
{
public:
    explicit SafeExtractor(const KArchive *archive);
    ~SafeExtractor();

    // Not empty, not "." or "..", no "/".
    static bool isSafeName(const QString &name);

    // The entry as a plain file or directory; null for links, devices,
    // fifos and the like.
    const KArchiveFile *regularFile(const KArchiveEntry *entry) const;
    static const KArchiveDirectory *directory(const KArchiveEntry *entry);

    // Creates path, which must not exist yet, with the file's content:
    // written in the hidden folder beside it, then moved into place.
    bool placeNewFile(const QString &path, const KArchiveFile *file) const;
    // The same, written where it is: for a path inside a staged directory.
    bool writeNewFile(const QString &path, const KArchiveFile *file) const;

    // A new directory, in the hidden folder beside path, to be filled and
    // then moved to path; "" when it cannot be made.
    QString makeStagedDir(const QString &path) const;
    // Moves a directory from makeStagedDir() to path, never replacing what
    // is there. False when path is taken, or when the move failed, which
    // counts as a failed write.
    bool moveIntoPlace(const QString &staged, const QString &path) const;

    // Creates the directory, which must not exist yet.
    bool makeDir(const QString &path) const;
    // Creates the directory and its missing parents; true when it is there.
    bool makePath(const QString &path) const;

    // True when path is a plain file (not a link) holding the file's content.
    bool sameContent(const QString &path, const KArchiveFile *file) const;
    // True when the two archive files hold the same content.
    static bool sameContent(const KArchiveFile *one, const KArchiveFile *other);

    // Copies the tree below source, entry by entry, into the directory target,
    // which this extractor created (what lands below it is taken back with
    // it); entries it refuses are named in a warning (label is the source's
    // name in the archive). False when any entry was refused or not written.
    bool extractTree(const KArchiveDirectory *source, const QString &label, const QString &target) const;

    // Removes the hidden folders that imports killed half way left in dir,
    // once in a run: a folder made here later is made without a look.
    void removeLeftBehind(const QString &dir) const;

    // True once a write failed for want of room or by an I/O error.
    bool writeFailed() const;
    // Removes every file and directory created here, newest first. The
    // hidden folders go when the extractor does.
    void removeCreated() const;

private:
    std::unique_ptr<SafeExtractorPrivate> const d;
};

#endif
