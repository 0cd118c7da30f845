#ifndef WALLPAPERSCHEME_H
#define WALLPAPERSCHEME_H

#include <QObject>
#include <QString>

// Whether a scheme generated from the wallpaper is light or dark; stored as
// "none", "light" or "dark".
class WallpaperScheme
{
    Q_GADGET
public:
    enum Value {
        None,
        Light,
        Dark,
    };
    Q_ENUM(Value)

    // The value whose text is text in any letter case; None for any other text.
    static Value fromString(const QString &text);
    // The value's text; "none" for a number that names no value.
    static QString toString(Value value);
};

#endif
