/*
    Internal: the desktop's trash and computer shortcut files. A shortcut is
    shown when its entry file exists, loads and is not hidden.
*/
#ifndef DESKTOPSHORTCUTS_H
#define DESKTOPSHORTCUTS_H

#include <QString>

namespace DesktopShortcuts {
extern const QString trashEntry;
extern const QString computerEntry;
extern const QString trashTemplate;
extern const QString computerTemplate;

bool isShown(const QString &entryPath);

// Shows the shortcut (copying the template when there is no entry file) or
// hides it. True only when the entry file was changed; false when it already
// had the wanted state or could not be read, copied or saved.
bool setShown(const QString &entryPath, const QString &templatePath, bool show);

// Tells the window manager that the shortcut files changed.
bool announceChange();
} // namespace DesktopShortcuts

#endif
