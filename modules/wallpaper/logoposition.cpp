#include "logoposition.h"

#include <QMetaEnum>

LogoPosition::Value LogoPosition::fromString(const QString &text)
{
    const QMetaEnum names = QMetaEnum::fromType<Value>();
    for (int i = 0; i < names.keyCount(); ++i) {
        if (text.compare(QLatin1String(names.key(i)), Qt::CaseInsensitive) == 0) {
            return static_cast<Value>(names.value(i));
        }
    }
    return BottomRight;
}

QString LogoPosition::toString(Value value)
{
    const char *name = QMetaEnum::fromType<Value>().valueToKey(value);
    return name ? QLatin1String(name) : QStringLiteral("BottomRight");
}
