/*
    Internal: the marker that an administrator session's sync leaves. It
    names the session whose live settings took the administrator theme;
    the palette and the cursor, which all sessions of the user share, took
    it too. That session's next ordinary sync applies the recorded theme
    again and removes the marker; the other sessions know by it that what
    they share is not theirs.
*/
#ifndef ADMINISTRATORMARKER_H
#define ADMINISTRATORMARKER_H

#include <QString>

namespace AdministratorMarker {
enum class Left {
    None,
    // By an administrator session that this session was.
    Here,
    // By an administrator session of another session.
    Elsewhere,
};

Left left();
// Names this session. False, with the message, when it could not be made.
bool place(QString *error);
void remove();
} // namespace AdministratorMarker

#endif
