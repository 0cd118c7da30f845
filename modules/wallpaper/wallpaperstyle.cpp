#include "wallpaperstyle.h"

#include <enumgadget.h>

WallpaperStyle::Value WallpaperStyle::fromString(const QString &text)
{
    return EnumGadget::fromName(text, Crop);
}

QString WallpaperStyle::toString(Value value)
{
    return EnumGadget::toName(value, Crop);
}
