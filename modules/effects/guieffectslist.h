#ifndef GUIEFFECTSLIST_H
#define GUIEFFECTSLIST_H

#include "uieffect.h"

#include <QStringList>

// The interface effects of Qt applications: the string list "GUIEffects" of
// group "Qt" in Qt's own settings file (organisation "Trolltech").
struct GuiEffectsList
{
    bool enabled = false;
    UiEffect::Value menu = UiEffect::None;
    UiEffect::Value combo = UiEffect::None;
    UiEffect::Value tooltip = UiEffect::None;
    UiEffect::Value toolBox = UiEffect::None;

    // Unknown entries are ignored; the effects are read whether or not the
    // list enables them, fading winning over animation.
    static GuiEffectsList fromList(const QStringList &list);
    // "general" and the entries of the effects, or exactly "none" when
    // disabled. Combo boxes and tool boxes can only be animated.
    QStringList toList() const;

    // The list in the settings file; absent reads as empty.
    static GuiEffectsList stored();
    // Writes the list into the settings file at once.
    void store() const;

    bool operator==(const GuiEffectsList &other) const;
};

#endif
