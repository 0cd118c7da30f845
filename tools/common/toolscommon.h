/*
    Services shared by the session tools: the logging category, the
    administrator-session check and the first palette variables file.
*/
#ifndef TOOLSCOMMON_H
#define TOOLSCOMMON_H

#include "toolslog.h"

#include <QString>

// True when "trelk-id --ilevel" reports a high integrity level.
bool isAdministratorSession();

// Writes a first paletterc with the three palette variables; false, with
// the file noted as not written, when it could not.
bool writePaletteRc(const QString &primary, const QString &background, const QString &colorScheme);

// The start-up after the application object exists: the administrator-session
// check, then a first paletterc when there is none. Returns the check's result.
bool prepareSession();

#endif
