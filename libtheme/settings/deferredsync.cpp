#include "deferredsync.h"

#include <KConfigGroup>

#include <vector>

namespace {
struct Pending
{
    int depth = 0;
    std::vector<KConfigGroup> groups;
};

thread_local Pending pending;
} // namespace

DeferredSync::DeferredSync()
{
    ++pending.depth;
}

DeferredSync::~DeferredSync()
{
    if (--pending.depth > 0) {
        return;
    }
    const std::vector<KConfigGroup> groups = std::move(pending.groups);
    pending.groups.clear();
    for (KConfigGroup group : groups) {
        group.sync();
    }
}

bool DeferredSync::defer(const KConfigGroup &group)
{
    if (pending.depth == 0) {
        return false;
    }
    for (const KConfigGroup &known : pending.groups) {
        if (known.config() == group.config()) {
            return true;
        }
    }
    pending.groups.push_back(group);
    return true;
}
