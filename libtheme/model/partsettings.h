/*
    Internal: the reading and writing shared by the helpers of the
    behaviour parts.
*/
#ifndef PARTSETTINGS_H
#define PARTSETTINGS_H

#include "ithemesettings.h"
#include "themedefaults.h"
#include "utils.h"

namespace PartSettings {
// The entry's value: master over user over the entry's default text.
inline QVariant read(const IThemeSettings *settings, const ThemeDefaults::Entry &entry)
{
    return settings->read(entry.key, QVariant(entry.defaultValue));
}

// Writes the value and, only once it is written, tells the window manager.
inline bool writeAndAnnounce(IThemeSettings *settings, const QString &key, const QVariant &value)
{
    if (settings->write(key, value) != IThemeSettings::Written) {
        return false;
    }
    return Utils::updatePexoWmVariable(key, value);
}
} // namespace PartSettings

#endif
