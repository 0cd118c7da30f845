#ifndef WALLPAPERSTYLE_H
#define WALLPAPERSTYLE_H

#include <QObject>
#include <QString>

// How the wallpaper is placed on the screen; stored as the value's name.
class WallpaperStyle
{
    Q_GADGET
public:
    enum Value {
        Center,
        Tile,
        Stretch,
        Fit,
        Crop,
    };
    Q_ENUM(Value)

    // The value named text in any letter case; Crop for any other text.
    static Value fromString(const QString &text);
    // The value's name; Crop's for a number that names no value.
    static QString toString(Value value);
};

#endif
