/*
    Internal: what the parts and their helpers write again and again: a
    part's value stored with its signal, an entry's default flag, and an
    entry read, written, or written and then announced to the window manager.
*/
#ifndef PARTSETTINGS_H
#define PARTSETTINGS_H

#include "ithemesettings.h"
#include "themedefaults.h"
#include "utils.h"

#include <QVariant>

namespace PartSettings {
template<typename T>
struct Same
{
    using Type = T;
};

// Stores a value of a part and emits the part's signal, only when the value changed.
template<typename Part, typename T>
void assign(Part *part, T &field, const typename Same<T>::Type &value, void (Part::*changedSignal)())
{
    if (field == value) {
        return;
    }
    field = value;
    Q_EMIT(part->*changedSignal)();
}

// The entry's default text read as a flag, or as a number.
inline bool defaultFlag(const ThemeDefaults::Entry &entry)
{
    return QVariant(entry.defaultValue).toBool();
}

inline int defaultNumber(const ThemeDefaults::Entry &entry)
{
    return QVariant(entry.defaultValue).toInt();
}

// The entry's value: master over user over the entry's default text. Without
// settings, the default text.
inline QVariant read(const IThemeSettings *settings, const ThemeDefaults::Entry &entry)
{
    const QVariant defaultValue(entry.defaultValue);
    return settings ? settings->read(entry.key, defaultValue) : defaultValue;
}

// True only when the value was written.
inline bool write(IThemeSettings *settings, const QString &key, const QVariant &value)
{
    return settings && settings->write(key, value) == IThemeSettings::Written;
}

// Writes the value and, only once it is written, tells the window manager.
inline bool writeAndAnnounce(IThemeSettings *settings, const QString &key, const QVariant &value)
{
    return write(settings, key, value) && Utils::updatePexoWmVariable(key, value);
}
} // namespace PartSettings

#endif
