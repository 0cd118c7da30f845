#include "stagingdir.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray prefix = QByteArrayLiteral(".pexo-import-");
// As mkdtemp() fills in.
constexpr int suffixLength = 6;

bool isStagingName(const QByteArray &name)
{
    if (name.size() != prefix.size() + suffixLength || !name.startsWith(prefix)) {
        return false;
    }
    for (int i = prefix.size(); i < name.size(); ++i) {
        const char c = name.at(i);
        if (!(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z')) {
            return false;
        }
    }
    return true;
}

// The directory at path, opened and locked, when it is still the one that
// was opened and nobody else holds it; -1 otherwise.
int lockedDir(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat opened;
    struct stat named;
    // A directory removed meanwhile has no links left.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && opened.st_nlink > 0 && ::lstat(path.constData(), &named) == 0 &&
        opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
        return fd;
    }
    ::close(fd);
    return -1;
}
} // namespace

class StagingDirPrivate
{
public:
    QString path;
    int fd = -1;
    int error = 0;
};

StagingDir::StagingDir(const QString &parent)
    : d(new StagingDirPrivate)
{
    removeLeftBehind(parent);
    // Another import cleaning up may take the folder before it is locked.
    for (int attempt = 0; attempt < 8 && d->fd < 0; ++attempt) {
        QByteArray name = QFile::encodeName(parent) + '/' + prefix + QByteArray(suffixLength, 'X');
        if (!::mkdtemp(name.data())) {
            d->error = errno;
            qWarning() << "Cannot create a folder to unpack into in" << parent << qt_error_string(d->error);
            return;
        }
        d->fd = lockedDir(name);
        if (d->fd >= 0) {
            d->path = QFile::decodeName(name);
        }
    }
    if (d->fd < 0) {
        d->error = EAGAIN;
        qWarning() << "Cannot hold a folder to unpack into in" << parent;
    }
}

StagingDir::~StagingDir()
{
    if (!d->path.isEmpty()) {
        QDir(d->path).removeRecursively();
    }
    if (d->fd >= 0) {
        ::close(d->fd);
    }
}

QString StagingDir::path() const
{
    return d->path;
}

int StagingDir::error() const
{
    return d->error;
}

StagingDir::Move StagingDir::moveIntoPlace(const QString &source, const QString &target)
{
    if (::renameat2(AT_FDCWD, QFile::encodeName(source).constData(), AT_FDCWD, QFile::encodeName(target).constData(), RENAME_NOREPLACE) == 0) {
        return Moved;
    }
    const int error = errno;
    if (error == EEXIST) {
        return Taken;
    }
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        qWarning() << "Cannot move" << target << "into place: its file system cannot rename without replacing";
    } else {
        qWarning() << "Cannot move" << target << "into place:" << qt_error_string(error);
    }
    return Failed;
}

void StagingDir::removeLeftBehind(const QString &parent)
{
    const QByteArray directory = QFile::encodeName(parent);
    DIR *listing = ::opendir(directory.constData());
    if (!listing) {
        return;
    }
    while (const struct dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (!isStagingName(name)) {
            continue;
        }
        const QByteArray path = directory + '/' + name;
        const int fd = lockedDir(path);
        if (fd >= 0) {
            // Held while it goes, so that no import takes it meanwhile.
            QDir(QFile::decodeName(path)).removeRecursively();
            ::close(fd);
        }
    }
    ::closedir(listing);
}
