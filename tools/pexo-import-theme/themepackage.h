#ifndef THEMEPACKAGE_H
#define THEMEPACKAGE_H

#include <QString>

#include <memory>

class KArchive;
class ThemePackagePrivate;

// A theme archive opened for reading. A compressed tar is first unpacked
// into a temporary file, and only as far as the size limit allows.
class ThemePackage
{
public:
    // Archives that unpack to more are refused.
    static constexpr qint64 maxUnpackedSize = qint64(1) << 30;

    enum Result {
        Opened = 0,
        UnsupportedFormat = 3,
        NotReadable = 4, // also too large
    };

    explicit ThemePackage(const QString &path);
    ~ThemePackage();

    Result open();

    // The opened archive; null before open() succeeded.
    const KArchive *archive() const;

    // What unpacking every entry takes on a file system of blocks of the
    // given size: each file and directory at least one block and one inode.
    struct DiskUse
    {
        qint64 blocks = 0;
        qint64 inodes = 0;
    };
    DiskUse diskUse(qint64 blockSize) const;

private:
    std::unique_ptr<ThemePackagePrivate> const d;
};

#endif
