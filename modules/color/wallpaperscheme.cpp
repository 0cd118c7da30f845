#include "wallpaperscheme.h"

#include <enumgadget.h>

namespace {
const auto texts = {QLatin1String("none"), QLatin1String("light"), QLatin1String("dark")};
}

WallpaperScheme::Value WallpaperScheme::fromString(const QString &text)
{
    return EnumGadget::fromText(text, texts, None);
}

QString WallpaperScheme::toString(Value value)
{
    return EnumGadget::toText(value, texts, None);
}
