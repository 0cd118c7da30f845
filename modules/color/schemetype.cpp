#include "schemetype.h"

#include <enumgadget.h>

SchemeType::Value SchemeType::fromString(const QString &text)
{
    return EnumGadget::fromName(text, System);
}

QString SchemeType::toString(Value value)
{
    return EnumGadget::toName(value, System);
}
