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

    // The sum of the sizes of the archive's files.
    qint64 unpackedSize() const;

private:
    std::unique_ptr<ThemePackagePrivate> const d;
};

#endif
