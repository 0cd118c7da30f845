/*
    Stand-in for the desktop core library: looking up running processes.
*/
#ifndef PEXOCORE_PEXOPROCESS_H
#define PEXOCORE_PEXOPROCESS_H

#include "pexocore_export.h"

// True when a process of that name runs: its command name (the kernel's,
// cut to 15 characters) or the file name of its first argument equals name.
// False for a null or empty name.
PEXOCORE_EXPORT bool findInPS(const char *name);

#endif
