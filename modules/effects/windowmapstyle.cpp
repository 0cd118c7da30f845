#include "windowmapstyle.h"

#include <enumgadget.h>

WindowMapStyle::Value WindowMapStyle::fromString(const QString &text)
{
    return EnumGadget::fromName(text, RightToLeft);
}

QString WindowMapStyle::toString(Value value)
{
    return EnumGadget::toName(value, Normal);
}
