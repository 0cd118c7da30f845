/*
    Internal: whether a file system has room for what is about to be
    written there, counted in its own blocks and inodes.
*/
#ifndef DISKROOM_H
#define DISKROOM_H

#include "pexotheme_export.h"

#include <QString>

#include <functional>

namespace DiskRoom {
// What a file system offers: its block size, and the blocks and inodes
// free for the user; inodes is -1 on one without an inode table (it says
// it has none).
struct Space
{
    qint64 blockSize = 0;
    qint64 blocks = 0;
    qint64 inodes = -1;
};

struct Need
{
    qint64 blocks = 0;
    qint64 inodes = 0;
};

// What is to be written, reckoned in the blocks of the file system.
using Reckoning = std::function<Need(const Space &space)>;

// Whether the file system holding path (or, while path is missing, its
// nearest existing parent) has the blocks and inodes that need reckons. A
// file system that reports no sizes (some FUSE ones) is not refused; need
// is still asked when its block size is known.
PEXOTHEME_EXPORT bool hasRoom(const QString &path, const Reckoning &need);
} // namespace DiskRoom

#endif
