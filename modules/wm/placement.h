#ifndef PLACEMENT_H
#define PLACEMENT_H

#include <QObject>
#include <QString>

// Where the window manager puts a new window; stored as the value's name.
class Placement
{
    Q_GADGET
public:
    enum Value {
        NorthWest,
        Center,
        North,
        NorthEast,
        East,
        SouthWest,
        South,
        SouthEast,
        West,
    };
    Q_ENUM(Value)

    // The value named text in any letter case; NorthWest for any other text.
    static Value fromString(const QString &text);
    // The value's name; NorthWest's for a number that names no value.
    static QString toString(Value value);
};

#endif
