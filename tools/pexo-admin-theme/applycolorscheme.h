#ifndef APPLYCOLORSCHEME_H
#define APPLYCOLORSCHEME_H

#include <themedecorator.h>

#include <QString>

// Sets a colour-scheme file as the live colour scheme and saves it into the
// current theme.
class ApplyColorScheme : public ThemeDecorator
{
public:
    ApplyColorScheme();
    ~ApplyColorScheme() override;

    void readThemes();
    void setColorScheme(const QString &path);
    // False when the current theme could not be saved (the message is on
    // standard error); a read-only theme is no failure.
    bool applyUnlessReadOnly();
    // Whether the live settings now differ from what is stored.
    bool hasSystemThemeChanges() const;
};

#endif
