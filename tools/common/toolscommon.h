/*
    Services shared by the session tools: the logging category, the
    administrator-session check and the first palette variables file.
*/
#ifndef TOOLSCOMMON_H
#define TOOLSCOMMON_H

#include <QLoggingCategory>
#include <QString>

// "ru.ulvarlinux.kcm.theme.utils", warnings and above.
Q_DECLARE_LOGGING_CATEGORY(THEME_UTILS_LOG)

// True when "trelk-id --ilevel" reports a high integrity level.
bool isAdministratorSession();

// Writes a first paletterc with the three palette variables.
void writePaletteRc(const QString &primary, const QString &background, const QString &colorScheme);

// The start-up after the application object exists: the administrator-session
// check, then a first paletterc when there is none. Returns the check's result.
bool prepareSession();

#endif
