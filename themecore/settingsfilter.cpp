#include "settingsfilter.h"
#include "localfile.h"

#include <colorsthemepart.h>
#include <cursorthemepart.h>
#include <iconthemepart.h>
#include <soundsthemepart.h>
#include <theme.h>
#include <themedefaults.h>

#include <algorithm>
#include <utility>

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// True when some line whose key starts with key holds value after its
// first '='. A configuration reader takes a key's value, trimmed and maybe
// unquoted, from such a line: the value is then part of that text.
bool onLineOfKey(const QByteArray &text, const QByteArray &key, const QByteArray &value)
{
    const char *const end = text.constData() + text.size();
    for (const char *line = text.constData(); line < end;) {
        const char *const lineEnd = std::find(line, end, '\n');
        const char *const equals = std::find(line, lineEnd, '=');
        const char *const keyStart = std::find_if_not(line, equals, isBlank);
        if (equals != lineEnd && equals - keyStart >= key.size() && std::equal(key.begin(), key.end(), keyStart) &&
            std::search(equals + 1, lineEnd, value.begin(), value.end()) != lineEnd) {
            return true;
        }
        line = lineEnd + 1;
    }
    return false;
}
} // namespace

SettingsFilter::SettingsFilter(Theme &reference)
{
    const auto colors = reference.colorsThemePart();
    const std::pair<const ThemeDefaults::Entry &, QString> values[] = {
        {ThemeDefaults::ColorScheme, colors->colorSchemePath()},
        {ThemeDefaults::PrimaryColor, colors->primaryColor()},
        {ThemeDefaults::BackgroundColor, colors->backgroundColor()},
        {ThemeDefaults::CursorTheme, reference.cursorThemePart()->currentTheme()},
        {ThemeDefaults::IconTheme, reference.iconThemePart()->currentTheme()},
        {ThemeDefaults::SoundTheme, reference.soundsThemePart()->soundTheme()},
    };
    for (const auto &[entry, value] : values) {
        // A stored theme may hold these without the text in its file: the
        // default, a key of the master file, a text decoded from bytes that
        // are no UTF-8; an empty text is part of every line.
        if (value.isEmpty() || value == entry.defaultValue || value.contains(QChar::ReplacementCharacter) || reference.isPropertyImmutable(entry.key)) {
            continue;
        }
        m_wanted.push_back({entry.key.toUtf8(), value.toUtf8()});
    }
}

bool SettingsFilter::mayEqual(const QString &settingsPath) const
{
    if (m_wanted.empty()) {
        return true;
    }
    const std::optional<QByteArray> bytes = LocalFile::read(settingsPath, LocalFile::Kind::Settings);
    // Escapes, expansions and other line ends are left to the full read.
    if (!bytes || bytes->contains('\\') || bytes->contains('$') || bytes->contains('\r')) {
        return true;
    }
    const QByteArray &text = *bytes;
    return std::all_of(m_wanted.begin(), m_wanted.end(), [&text](const Wanted &wanted) {
        return onLineOfKey(text, wanted.key, wanted.value);
    });
}
