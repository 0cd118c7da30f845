#ifndef SCHEMETYPE_H
#define SCHEMETYPE_H

#include <QObject>
#include <QString>

// How the desktop's colour scheme is obtained; stored as the value's name.
class SchemeType
{
    Q_GADGET
public:
    enum Value {
        System,
        Wallpaper,
        Custom,
    };
    Q_ENUM(Value)

    // The value named text in any letter case; System for any other text.
    static Value fromString(const QString &text);
    // The value's name; "System" for a number that names no value.
    static QString toString(Value value);
};

#endif
