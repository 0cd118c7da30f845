#ifndef NEEDSSAVE_H
#define NEEDSSAVE_H

#include <KQuickAddons/ConfigModule>

// Sets the page's need-to-save state and announces it, also when the state
// did not change, so the page re-reads it after every recomputation.
inline void reportNeedsSave(KQuickAddons::ConfigModule *module, bool needsSave)
{
    module->setNeedsSave(needsSave);
    Q_EMIT module->needsSaveChanged();
}

#endif
