#include "leftbehind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cctype>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int suffixDigits = 8;

QByteArray besidePrefix(const QString &path, const char *what)
{
    return QFile::encodeName(QStringLiteral(".%1.%2-").arg(QFileInfo(path).fileName(), QLatin1String(what)));
}
} // namespace

int LeftBehind::hold(const QByteArray &path, Type type)
{
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (type == Type::Folder ? O_DIRECTORY : 0);
    const int fd = ::open(path.constData(), flags);
    if (fd < 0) {
        return -1;
    }
    struct stat opened;
    struct stat named;
    // An entry removed meanwhile has no links left.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && (type == Type::Folder || S_ISREG(opened.st_mode)) && opened.st_nlink > 0 &&
        ::lstat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
        return fd;
    }
    ::close(fd);
    return -1;
}

void LeftBehind::remove(const QString &dir, Type type, const std::function<bool(const QByteArray &name)> &isLeftBehind)
{
    const QByteArray directory = QFile::encodeName(dir);
    DIR *listing = ::opendir(directory.constData());
    if (!listing) {
        return;
    }
    while (const struct dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (!isLeftBehind(name)) {
            continue;
        }
        const QByteArray path = directory + '/' + name;
        const int fd = hold(path, type);
        if (fd < 0) {
            continue;
        }
        // Held while it goes, so that no writer takes it meanwhile.
        if (type == Type::Folder) {
            QDir(QFile::decodeName(path)).removeRecursively();
        } else {
            ::unlink(path.constData());
        }
        ::close(fd);
    }
    ::closedir(listing);
}

QString LeftBehind::besideName(const QString &path, const char *what)
{
    const QString suffix = QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), suffixDigits, 16, QLatin1Char('0'));
    return QFileInfo(path).absolutePath() + QLatin1Char('/') + QFile::decodeName(besidePrefix(path, what)) + suffix;
}

void LeftBehind::removeBeside(const QString &path, const char *what)
{
    const QByteArray prefix = besidePrefix(path, what);
    remove(QFileInfo(path).absolutePath(), Type::File, [&prefix](const QByteArray &name) {
        if (name.size() < prefix.size() + suffixDigits || !name.startsWith(prefix)) {
            return false;
        }
        const auto digits = name.cbegin() + prefix.size();
        if (!std::all_of(digits, digits + suffixDigits, [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c)) != 0;
            })) {
            return false;
        }
        // What the file's own writer makes beside it: its lock, and the
        // new content it renames into place (".XXXXXX").
        const QByteArray rest = name.mid(prefix.size() + suffixDigits);
        constexpr int saveSuffix = 7;
        return rest.isEmpty() || rest == ".lock" ||
            (rest.size() == saveSuffix && rest.startsWith('.') && std::all_of(rest.cbegin() + 1, rest.cend(), [](char c) {
                   return std::isalnum(static_cast<unsigned char>(c)) != 0;
               }));
    });
}
