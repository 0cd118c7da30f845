/*
    Internal: an icon of the session's icon theme for a page's own drawing,
    found through the desktop's icon theme access and decoded as any picture
    a theme names (LocalImage), never by Qt's icon loader. The icons decoded
    last are kept, so that a repaint decodes no file again while it is
    unchanged.
*/
#ifndef THEMEICON_H
#define THEMEICON_H

#include <QPixmap>
#include <QString>

namespace ThemeIcon {
// The icon no larger than side x side pixels; null when the theme (or, when
// it is missing, "hicolor") has no such icon or its file is refused.
QPixmap pixmap(const QString &name, int side);
} // namespace ThemeIcon

#endif
