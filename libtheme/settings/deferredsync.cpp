#include "deferredsync.h"
#include "configsync.h"

#include <KConfig>

#include <algorithm>
#include <vector>

namespace {
struct Pending
{
    int depth = 0;
    std::vector<std::shared_ptr<KConfig>> configs;
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
    const std::vector<std::shared_ptr<KConfig>> configs = std::move(pending.configs);
    pending.configs.clear();
    for (const std::shared_ptr<KConfig> &config : configs) {
        ConfigSync::sync(config);
    }
}

bool DeferredSync::defer(const std::shared_ptr<KConfig> &config)
{
    if (pending.depth == 0) {
        return false;
    }
    if (std::find(pending.configs.begin(), pending.configs.end(), config) == pending.configs.end()) {
        pending.configs.push_back(config);
    }
    return true;
}
