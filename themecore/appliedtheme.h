/*
    Internal: what applying a theme gave the live settings, which need not
    be the theme's own values (a colour scheme of the system's own brings
    its colours, the master file fixes a key, a value the desktop did not
    take). A switch, a save or a session sync that ended whole notes it
    beside the live settings, and the next session sync takes such live
    settings for the current theme's instead of saving them as a new one.
    The note holds the theme's id and digests of its values and of the live
    ones: it says nothing once either has changed. Each session has live
    settings and a note of its own, while the record, the palette and the
    cursor are shared: the note also tells whether the values of the
    session's own file are still those its last change left, so that a
    change made since in another session is taken here only where this one
    changed nothing of its own.
*/
#ifndef APPLIEDTHEME_H
#define APPLIEDTHEME_H

#include <QString>

#include <memory>

class Theme;

namespace AppliedTheme {
// Notes that applying the theme id, whose values (read) are stored, gave
// the live values (read). A note that could not be written is noted in the
// open FailedWrites collections, so that the change stays unfinished and
// the next sync applies the theme again; the message says why. Empty when
// written.
QString note(const QString &id, const Theme &stored, const Theme &live);
// Whether the live values are those that applying the theme, as it is
// stored now, gave.
bool isApplied(const QString &id, const Theme &stored, const Theme &live);
// Whether this session's last noted change applied another theme, or the
// theme id as it was stored otherwise than now: it was switched or saved
// since in another session. False without a note.
bool isChangedElsewhere(const QString &id, const Theme &stored);
// Whether this session's own live settings file holds the values that
// its last noted change left in it: it changed nothing of its own since.
bool isUnchanged(const Theme &live);
// Makes on the theme the changes of the values of this session's own live
// settings file since its last noted change. False, changing nothing, when
// the note does not hold the values.
bool takeOwnChanges(Theme &theme, const Theme &live);
// Sets on the live theme the values that the sessions share (the palette's
// scheme and colours, the cursor, Qt's toolbar icons) as the theme holds them.
void takeSharedValues(Theme &live, const Theme &theme);
// The live settings as they read now, in a theme of their own: a page's
// live theme reacts to what it reads.
std::shared_ptr<Theme> readLive();
// The note.
QString path();
} // namespace AppliedTheme

#endif
