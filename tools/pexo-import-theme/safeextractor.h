#ifndef SAFEEXTRACTOR_H
#define SAFEEXTRACTOR_H

#include <QByteArray>
#include <QString>

class KArchiveDirectory;
class KArchiveEntry;
class KArchiveFile;

// Extraction of archive entries that never leaves the target directory,
// never creates or follows links and never overwrites an existing file.
namespace SafeExtractor {
// Not empty, not "." or "..", no "/".
bool isSafeName(const QString &name);

// The entry as a plain file or directory; null for links, devices and the like.
const KArchiveFile *regularFile(const KArchiveEntry *entry);
const KArchiveDirectory *directory(const KArchiveEntry *entry);

// Creates path, which must not exist yet, with the given content.
bool writeNewFile(const QString &path, const QByteArray &data);

// Copies the tree below source, entry by entry, into the existing directory
// target; entries it refuses are named in a warning (label is the source's
// name in the archive). False when any entry was refused or not written.
bool extractTree(const KArchiveDirectory *source, const QString &label, const QString &target);
} // namespace SafeExtractor

#endif
