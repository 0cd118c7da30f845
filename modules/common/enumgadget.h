#ifndef ENUMGADGET_H
#define ENUMGADGET_H

#include <QLatin1String>
#include <QMetaEnum>
#include <QString>
#include <QtQml>

#include <initializer_list>

// Enumeration holders: a Q_GADGET class named after the enumeration, with one
// Q_ENUM Value numbered 0, 1, 2 ... and static fromString/toString built on
// these helpers:
//
//     class Placement
//     {
//         Q_GADGET
//     public:
//         enum Value { NorthWest, Center, ... };
//         Q_ENUM(Value)
//         static Value fromString(const QString &text) { return EnumGadget::fromName(text, NorthWest); }
//         static QString toString(Value value) { return EnumGadget::toName(value, NorthWest); }
//     };
//
// and registered for the page by the module's constructor with
// EnumGadget::registerType<Placement>("ru.ulvarlinux.kcm.wm.private").
namespace EnumGadget {
namespace Detail {
// The index of the first of count keys that equals text, ignoring case; -1 for none.
template<typename KeyAt>
int indexOf(const QString &text, int count, KeyAt keyAt)
{
    for (int i = 0; i < count; ++i) {
        if (text.compare(QLatin1String(keyAt(i)), Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}
} // namespace Detail

// The value whose text equals text, ignoring case; the first in value order
// wins. No match gives fallback.
template<typename Value>
Value fromText(const QString &text, std::initializer_list<QLatin1String> texts, Value fallback)
{
    const int index = Detail::indexOf(text, static_cast<int>(texts.size()), [&texts](int i) {
        return texts.begin()[i];
    });
    return index < 0 ? fallback : static_cast<Value>(index);
}

// The text of the value; a value outside the list gives the fallback's text.
template<typename Value>
QString toText(Value value, std::initializer_list<QLatin1String> texts, Value fallback)
{
    const int index = static_cast<int>(value);
    if (index < 0 || index >= static_cast<int>(texts.size())) {
        return toText(fallback, texts, fallback);
    }
    return QString(texts.begin()[index]);
}

// fromText over the enumerator names, for holders whose texts are the names.
template<typename Value>
Value fromName(const QString &text, Value fallback)
{
    const QMetaEnum names = QMetaEnum::fromType<Value>();
    const int index = Detail::indexOf(text, names.keyCount(), [&names](int i) {
        return names.key(i);
    });
    return index < 0 ? fallback : static_cast<Value>(names.value(index));
}

// The enumerator's name; a value that has none gives the fallback's name.
template<typename Value>
QString toName(Value value, Value fallback)
{
    const QMetaEnum names = QMetaEnum::fromType<Value>();
    const char *name = names.valueToKey(static_cast<int>(value));
    return QLatin1String(name ? name : names.valueToKey(static_cast<int>(fallback)));
}

// Registers the holder for QML under its class name, version 1.0, as a type
// that cannot be created, with the reason "enum class for <class name>".
template<typename Gadget>
void registerType(const char *uri)
{
    const char *name = Gadget::staticMetaObject.className();
    qmlRegisterUncreatableMetaObject(Gadget::staticMetaObject, uri, 1, 0, name, QStringLiteral("enum class for ") + QLatin1String(name));
}
} // namespace EnumGadget

#endif
