#include "placement.h"

#include <enumgadget.h>

Placement::Value Placement::fromString(const QString &text)
{
    return EnumGadget::fromName(text, NorthWest);
}

QString Placement::toString(Value value)
{
    return EnumGadget::toName(value, NorthWest);
}
