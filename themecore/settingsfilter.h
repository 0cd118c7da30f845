/*
    Internal: a look at the bytes of a stored theme's settings file that can
    only rule the theme out. A few text values of a reference theme are
    looked for on the lines of their keys: a value found on none of them,
    and not the key's default, is not what reading the file gives, so the
    stored settings cannot equal the reference's.
*/
#ifndef SETTINGSFILTER_H
#define SETTINGSFILTER_H

#include <QByteArray>
#include <QString>

#include <vector>

class Theme;

class SettingsFilter
{
public:
    // The reference's values as it holds them now (after its read()).
    explicit SettingsFilter(Theme &reference);

    // False only when the file rules equal settings out; true in doubt.
    bool mayEqual(const QString &settingsPath) const;

private:
    struct Wanted
    {
        QByteArray key;
        QByteArray value;
    };
    std::vector<Wanted> m_wanted;
};

#endif
