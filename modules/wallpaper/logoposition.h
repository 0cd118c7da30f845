#ifndef LOGOPOSITION_H
#define LOGOPOSITION_H

#include <QObject>
#include <QString>

// Where the logo is drawn over the wallpaper; stored as the value's name.
class LogoPosition
{
    Q_GADGET
public:
    enum Value {
        TopLeft,
        Top,
        TopRight,
        Right,
        Center,
        Left,
        BottomLeft,
        Bottom,
        BottomRight,
        NotShow,
    };
    Q_ENUM(Value)

    // The value named text in any letter case; BottomRight for any other text.
    static Value fromString(const QString &text);
    // The value's name; BottomRight's for a number that names no value.
    static QString toString(Value value);
};

#endif
