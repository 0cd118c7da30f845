/*
    The one way to open and parse a configuration file: a theme's
    description and settings, a colour scheme, an icon, cursor or sound
    theme's index, a desktop entry, the session's own settings files.

    The configuration reader warns once for every invalid escape in a file
    it parses, and a file from elsewhere can hold thousands: formatting them
    costs far more than the parse. Each parse here runs with the reader's
    warnings off, on whichever thread; they are as the logging rules make
    them again as soon as no parse is under way. A configuration parses its
    file when opened, when read again and, before it writes, when synced.
*/
#ifndef CONFIGFILE_H
#define CONFIGFILE_H

#include "pexoconfigfile_export.h"

#include <KConfig>
#include <KSharedConfig>

#include <functional>
#include <memory>

namespace ConfigFile {
// The configuration of file: an absolute path, or a name looked up in the
// directories of type, as KConfig takes it.
PEXOCONFIGFILE_EXPORT std::unique_ptr<KConfig>
open(const QString &file, KConfig::OpenFlags flags = KConfig::SimpleConfig, QStandardPaths::StandardLocation type = QStandardPaths::GenericConfigLocation);

// The same, shared with the other openings of file with those flags on
// this thread, as KSharedConfig shares it.
PEXOCONFIGFILE_EXPORT KSharedConfigPtr openShared(const QString &file,
                                                  KConfig::OpenFlags flags = KConfig::SimpleConfig,
                                                  QStandardPaths::StandardLocation type = QStandardPaths::GenericConfigLocation);

// Forgets what the configuration holds and reads its files again.
PEXOCONFIGFILE_EXPORT void reparse(KConfig &config);

// Writes the configuration's changes, merged into its file as it is now.
PEXOCONFIGFILE_EXPORT bool sync(KConfig &config);

// Runs a reader of another library that opens and parses configuration
// files itself (KDE's list of colour schemes), as a parse here.
PEXOCONFIGFILE_EXPORT void parse(const std::function<void()> &read);
} // namespace ConfigFile

#endif
