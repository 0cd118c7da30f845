#ifndef STAGINGDIR_H
#define STAGINGDIR_H

#include <QString>

#include <memory>

class StagingDirPrivate;

// A hidden folder ".pexo-import-XXXXXX" (mode 0700) in a directory, where an
// import builds what it installs there, so that a rename on the same file
// system puts each piece in place whole. The import holds a lock on it while
// it lives; a folder that nobody holds a lock on was left by an import that
// was killed.
class StagingDir
{
public:
    // Makes a folder in parent; the folders left behind there are not
    // looked for here (see removeLeftBehind()).
    explicit StagingDir(const QString &parent);
    // Removes the folder and whatever is still inside.
    ~StagingDir();
    StagingDir(const StagingDir &) = delete;
    StagingDir &operator=(const StagingDir &) = delete;

    // "" when the folder could not be made; error() then says why.
    QString path() const;
    int error() const;

    enum Move {
        Moved,
        Taken, // something is at the target already
        Failed,
    };
    // Renames source to target, never replacing what is there: a file
    // system that cannot rename that way fails the move.
    static Move moveIntoPlace(const QString &source, const QString &target);

    // Removes the folders in parent that no live import holds.
    static void removeLeftBehind(const QString &parent);

private:
    std::unique_ptr<StagingDirPrivate> const d;
};

#endif
