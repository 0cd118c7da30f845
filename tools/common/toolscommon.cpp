#include "toolscommon.h"

#include <integritylevel.h>
#include <settingsreplace.h>
#include <themedefaults.h>

#include <QFileInfo>

bool isAdministratorSession()
{
    return isHighIntegrityLevel();
}

bool writePaletteRc(const QString &primary, const QString &background, const QString &colorScheme)
{
    const QString text = QStringLiteral("[Variables]\nPrimaryColor=%1\nBackgroundColor=%2\nColorScheme=%3\n").arg(primary, background, colorScheme);
    return SettingsReplace::write(ThemeDefaults::paletteConfigPath, text.toLocal8Bit());
}

bool prepareSession()
{
    const bool administrator = isAdministratorSession();
    // A first file that cannot be written is left missing: the theme that
    // the tool applies next writes the same file, and reports it.
    if (!QFileInfo::exists(ThemeDefaults::paletteConfigPath)) {
        if (administrator) {
            writePaletteRc(
                ThemeDefaults::PrimaryColor.adminDefaultValue, ThemeDefaults::BackgroundColor.adminDefaultValue, ThemeDefaults::ColorScheme.adminDefaultValue);
        } else {
            writePaletteRc(ThemeDefaults::PrimaryColor.defaultValue, ThemeDefaults::BackgroundColor.defaultValue, ThemeDefaults::ColorScheme.defaultValue);
        }
    }
    return administrator;
}
