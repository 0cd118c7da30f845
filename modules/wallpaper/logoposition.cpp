#include "logoposition.h"

#include <enumgadget.h>

LogoPosition::Value LogoPosition::fromString(const QString &text)
{
    return EnumGadget::fromName(text, BottomRight);
}

QString LogoPosition::toString(Value value)
{
    return EnumGadget::toName(value, BottomRight);
}
