// Holds a lock for a test, from a process of its own, until its standard
// input ends:
//   lockholder FILE          a lock of Qt's (QLockFile, as KConfig and Qt's
//                            settings class take it), made with mode 0444
//                            as under umask 0222
//   lockholder --flock FILE  an flock() on the file, as the session's
//                            writers hold theirs
// It prints "locked" once it holds the lock, and at the end "kept" when the
// file at the path was still the one it locked, "lost" when another
// process had replaced or removed it.

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>

#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool sameFile(const char *path, const struct stat &held)
{
    struct stat now;
    return ::lstat(path, &now) == 0 && now.st_dev == held.st_dev && now.st_ino == held.st_ino;
}
} // namespace

int main(int argc, char **argv)
{
    const QCoreApplication app(argc, argv);
    const bool flockOnly = argc == 3 && std::strcmp(argv[1], "--flock") == 0;
    if (argc != 2 && !flockOnly) {
        std::fputs("usage: lockholder [--flock] FILE\n", stderr);
        return 2;
    }
    const char *path = argv[argc - 1];
    std::unique_ptr<QLockFile> lock;
    struct stat held;
    if (flockOnly) {
        const int fd = ::open(path, O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &held) != 0) {
            return 1;
        }
    } else {
        ::umask(0222);
        lock = std::make_unique<QLockFile>(QFile::decodeName(path));
        if (!lock->tryLock(0) || ::lstat(path, &held) != 0) {
            return 1;
        }
    }
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) { }
    std::puts(sameFile(path, held) ? "kept" : "lost");
    return 0;
}
