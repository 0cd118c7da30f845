#ifndef UTILS_H
#define UTILS_H

#include "pexotheme_export.h"

#include <QString>
#include <QVariant>

// Notices to the running desktop and small shared helpers.
class PEXOTHEME_EXPORT Utils
{
public:
    Utils() = delete;

    // Sends "PEXOWM_UPDATE_VAL <key> <value>\n" to the window manager.
    // A key or value holding a line break or a NUL is refused: nothing is sent.
    static bool updatePexoWmVariable(const QString &key, const QVariant &value);

    // Renews the root-window property that makes running Qt applications
    // reread their settings.
    static void updateQtSettingsStamp();

    // Removes one pair of surrounding double quotes.
    static QString stripQuotes(const QString &text);
};

#endif
