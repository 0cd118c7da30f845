// The frames' need-to-save reporting to a QML page, kept apart from the
// frames themselves so that widget pages do not link Qt Quick.

#include "needssave.h"
#include "appearanceframe.h"
#include "behaviourframe.h"

void BehaviourFrame::updateNeedSave(KQuickAddons::ConfigModule *module) const
{
    reportNeedsSave(module, hasChanges());
}

void AppearanceFrame::updateNeedSave(KQuickAddons::ConfigModule *module, const ThemeController *controller)
{
    reportNeedsSave(module, hasChanges(controller));
}
