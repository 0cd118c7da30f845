/*
    Internal: text that comes from outside the settings (the name another
    process runs under, what another program wrote into its lock file) as it
    goes into a message that a page or a tool shows: one line of plain
    characters, cut to a length that a page's message has room for.
*/
#ifndef OUTSIDETEXT_H
#define OUTSIDETEXT_H

#include <QString>

namespace OutsideText {
// Line breaks, other control and format characters (bidirectional
// overrides among them) become blanks, runs of blanks one blank; a text
// longer than maxLength characters is cut and ends in "…".
QString shown(const QString &text, int maxLength = 64);
} // namespace OutsideText

#endif
