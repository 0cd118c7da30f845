#ifndef UIEFFECT_H
#define UIEFFECT_H

#include <QObject>
#include <QString>

// How Qt applications show a kind of popup (menus, combo boxes, tool tips,
// tool boxes).
class UiEffect
{
    Q_GADGET
public:
    enum Value {
        None,
        Animate,
        Fade,
    };
    Q_ENUM(Value)

    // The value named text in any letter case; None for any other text.
    static Value fromString(const QString &text);
    // The value's name; None's for a number that names no value.
    static QString toString(Value value);
};

#endif
