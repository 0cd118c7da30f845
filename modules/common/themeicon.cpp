#include "themeicon.h"

#include "localimage.h"

#include <pexoicontheme.h>

#include <QIcon>

#include <memory>

QPixmap ThemeIcon::pixmap(const QString &name, int side)
{
    auto theme = std::make_unique<PexoIconTheme>(QIcon::themeName().toStdString(), std::string(), false);
    if (!theme->load()) {
        theme = std::make_unique<PexoIconTheme>("hicolor", std::string(), false);
        theme->load();
    }
    const QString path = QString::fromStdString(theme->getIconPath(name.toStdString(), side, std::string()));
    return QPixmap::fromImage(LocalImage::read(path, QSize(side, side)));
}
