/*
    Internal: the one way this library and its users write a KDE
    configuration object to its file.

    KConfig 5.103 keeps an internal mutex locked when a sync cannot take the
    file's lock (a full disk, no inodes left): every later sync of that
    object, the one its destructor makes while it has changes included, then
    waits for ever. So the lock is tried here first, and a configuration
    that could not be written forgets its changes (it holds what its file
    holds, and its destructor writes nothing); the file is noted in the open
    FailedWrites collections. The same goes for a configuration whose file
    the settings writer refuses (no usable file, one the user cannot write,
    no room) or that came out short (see SettingsReplace). A configuration
    whose own sync failed anyway is never synced again, and never
    destroyed.
*/
#ifndef CONFIGSYNC_H
#define CONFIGSYNC_H

#include "pexotheme_export.h"

#include <KSharedConfig>

#include <memory>

class KConfig;

namespace ConfigSync {
// True when the changes reached the file, or when there were none.
PEXOTHEME_EXPORT bool sync(const std::shared_ptr<KConfig> &config);
PEXOTHEME_EXPORT bool sync(const KSharedConfigPtr &config);

// True for a configuration that may never be synced again: open the file anew.
PEXOTHEME_EXPORT bool isBroken(const KConfig &config);

// How many times the configuration forgot its changes; a holder that saw
// the count change knows that something it wrote was not written.
PEXOTHEME_EXPORT quint64 failures(const KConfig &config);
} // namespace ConfigSync

#endif
