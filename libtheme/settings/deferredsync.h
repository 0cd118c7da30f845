/*
    Internal: a scope in which the configuration-file storages of this
    thread keep their writes in memory. When the outermost scope ends, each
    file written in it is flushed once, in the order first written.
    Only for writes whose results nobody examines: inside the scope a
    storage write reports success before the value reaches the file.
*/
#ifndef DEFERREDSYNC_H
#define DEFERREDSYNC_H

#include <memory>

class KConfig;

class DeferredSync
{
public:
    DeferredSync();
    ~DeferredSync();
    DeferredSync(const DeferredSync &) = delete;
    DeferredSync &operator=(const DeferredSync &) = delete;

    // True inside a scope; the file is then flushed when it ends.
    static bool defer(const std::shared_ptr<KConfig> &config);
};

#endif
