/*
    Stand-in for the desktop core library: directories and program lookup.
*/
#ifndef PEXOCORE_PEXODIRS_H
#define PEXOCORE_PEXODIRS_H

#include "pexocore_export.h"

#include <string>

// Directory kinds. Every path is absolute and has no trailing "/".
enum PexoDir : int {
    PexoSystemDataDir = 0, // /usr/share/pexo: theme.master, Desktops/Desktop1, color-schemes
    PexoUserConfigDir = 2, // $XDG_CONFIG_HOME/pexo: paletterc, kompmgrrc
    PexoSessionConfigDir = 3, // $XDG_CONFIG_HOME/pexo/session: current.themerc, .admin-session-applied
    PexoDesktopDir = 6, // $HOME/Desktops/Desktop1
    PexoSystemSoundsDir = 14, // /usr/share/sounds
    PexoHomeDir = 18, // $HOME, the parent of Desktops
    PexoUserDataDir = 21, // $XDG_DATA_HOME/pexo
};

enum WhatPexoSession : int {
    PexoCurrentSession = 0,
};

// The directory of the given kind, computed from the environment at call time.
// Directories the user may write are created on first use. Unknown kinds give "".
PEXOCORE_EXPORT std::string GetPexoDir(PexoDir kind);

// Suffix appended to the session's settings file names: $PEXO_SESSION_SUFFIX or "".
PEXOCORE_EXPORT std::string pexoSessionConfigSuffix(WhatPexoSession session);

// The executable called name in PATH, or "" when there is none (and for an empty name).
PEXOCORE_EXPORT std::string FindFileInPATH(const char *name);

#endif
