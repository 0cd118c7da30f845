#include "uieffect.h"

#include <enumgadget.h>

UiEffect::Value UiEffect::fromString(const QString &text)
{
    return EnumGadget::fromName(text, None);
}

QString UiEffect::toString(Value value)
{
    return EnumGadget::toName(value, None);
}
