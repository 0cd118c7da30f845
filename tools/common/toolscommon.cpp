#include "toolscommon.h"

#include <integritylevel.h>
#include <themedefaults.h>

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

bool isAdministratorSession()
{
    return isHighIntegrityLevel();
}

void writePaletteRc(const QString &primary, const QString &background, const QString &colorScheme)
{
    QFile file(ThemeDefaults::paletteConfigPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return;
    }
    QTextStream stream(&file);
    stream << "[Variables]\n";
    stream << "PrimaryColor=" << primary << '\n';
    stream << "BackgroundColor=" << background << '\n';
    stream << "ColorScheme=" << colorScheme << '\n';
}

bool prepareSession()
{
    const bool administrator = isAdministratorSession();
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
