#include "stagingdir.h"

#include "leftbehind.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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
    // Another import cleaning up may take the folder before it is locked.
    for (int attempt = 0; attempt < 8 && d->fd < 0; ++attempt) {
        QByteArray name = QFile::encodeName(parent) + '/' + prefix + QByteArray(suffixLength, 'X');
        if (!::mkdtemp(name.data())) {
            d->error = errno;
            qWarning() << "Cannot create a folder to unpack into in" << parent << qt_error_string(d->error);
            return;
        }
        d->fd = LeftBehind::hold(name, LeftBehind::Type::Folder);
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
    LeftBehind::remove(parent, LeftBehind::Type::Folder, isStagingName);
}
