#include "diskroom.h"
#include "localfile.h"

#include <QFile>

#include <sys/statvfs.h>

bool DiskRoom::hasRoom(const QString &path, const Reckoning &need)
{
    struct statvfs fs;
    if (::statvfs(QFile::encodeName(LocalFile::nearestExisting(path)).constData(), &fs) != 0 || fs.f_frsize == 0) {
        return true;
    }
    const Space space{qint64(fs.f_frsize), qint64(fs.f_bavail), fs.f_files > 0 ? qint64(fs.f_favail) : -1};
    // Reckoned all the same: a caller may weigh what it needs on its own.
    const Need needed = need(space);
    return fs.f_blocks == 0 || (needed.blocks <= space.blocks && (space.inodes < 0 || needed.inodes <= space.inodes));
}
