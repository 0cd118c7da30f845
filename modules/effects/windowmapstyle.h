#ifndef WINDOWMAPSTYLE_H
#define WINDOWMAPSTYLE_H

#include <QObject>
#include <QString>

// How the window manager animates a window that appears; stored as the
// value's name.
class WindowMapStyle
{
    Q_GADGET
public:
    enum Value {
        Normal,
        TopToBottom,
        LeftToRight,
        CenterToTopBottom,
        CenterToLeftRight,
        CenterToAll,
        FromButton,
        RightToLeft,
        BottomToTop,
    };
    Q_ENUM(Value)

    // The value named text in any letter case; RightToLeft for any other text.
    static Value fromString(const QString &text);
    // The value's name; Normal's for a number that names no value.
    static QString toString(Value value);
};

#endif
