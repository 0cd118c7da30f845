/*
    Internal: how the effects values are stored, and which compositor
    configuration back end a compositor program uses.
*/
#ifndef EFFECTSVALUES_H
#define EFFECTSVALUES_H

#include <QVariant>

class AbstractCompositorConfig;

namespace EffectsValues {
// ThumbSize: -1 shows previews, 0 does not.
int thumbSizeFor(bool preview);
bool previewFromThumbSize(const QVariant &thumbSize);

// FocusShadow: -100 draws the shadow for the active window only, -1 does not.
int focusShadowFor(bool shadowsForActive);
bool shadowsForActiveFromFocusShadow(const QVariant &focusShadow);

// The libconfig back end for compton and picom, the INI back end for
// pexo-kompmgr, else none. The texts are searched letter case sensitive.
AbstractCompositorConfig *compositorConfigFor(const QString &compositeManager);
} // namespace EffectsValues

#endif
