#include "themeicon.h"

#include "localimage.h"

#include <pexoicontheme.h>

#include <QDateTime>
#include <QFileInfo>
#include <QIcon>
#include <QMutex>

#include <algorithm>
#include <deque>
#include <memory>

namespace {
// An icon decoded lately, by its file (path, size and change time) and the
// side asked: pages draw their icons on every repaint.
struct DecodedIcon
{
    QString path;
    qint64 bytes;
    QDateTime changed;
    int side;
    QPixmap pixmap;
};

constexpr std::size_t keptIcons = 16;

// The icons decoded last, the latest first; an item may be painted on a
// render thread.
QMutex keptLock;
std::deque<DecodedIcon> kept;
} // namespace

QPixmap ThemeIcon::pixmap(const QString &name, int side)
{
    auto theme = std::make_unique<PexoIconTheme>(QIcon::themeName().toStdString(), std::string(), false);
    if (!theme->load()) {
        theme = std::make_unique<PexoIconTheme>("hicolor", std::string(), false);
        theme->load();
    }
    const QString path = QString::fromStdString(theme->getIconPath(name.toStdString(), side, std::string()));
    const QFileInfo file(path);
    DecodedIcon icon{path, file.size(), file.lastModified(), side, QPixmap()};
    const auto same = [&icon](const DecodedIcon &other) {
        return other.path == icon.path && other.bytes == icon.bytes && other.changed == icon.changed && other.side == icon.side;
    };
    QMutexLocker locker(&keptLock);
    const auto found = std::find_if(kept.begin(), kept.end(), same);
    if (found != kept.end()) {
        std::rotate(kept.begin(), found, found + 1);
        return kept.front().pixmap;
    }
    locker.unlock();
    icon.pixmap = QPixmap::fromImage(LocalImage::read(path, QSize(side, side)));
    locker.relock();
    kept.push_front(icon);
    if (kept.size() > keptIcons) {
        kept.pop_back();
    }
    return icon.pixmap;
}
