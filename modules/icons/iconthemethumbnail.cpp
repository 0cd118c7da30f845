#include "iconthemethumbnail.h"

#include <decodeslot.h>
#include <localimage.h>
#include <pexoicontheme.h>

#include <QFutureWatcher>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QtConcurrent>

namespace {
// The largest image a cell shows.
QSize cellSize(const QQuickItem &item)
{
    return QSize(qMax(1, qMax(0, int(item.width())) / 3), qMax(1, qMax(0, int(item.height())) / 2));
}

// Decodes an icon file no larger than a cell.
struct DecodeIcon
{
    using result_type = QImage;
    QSize cell;

    QImage operator()(const QString &path) const
    {
        if (path.isEmpty()) {
            return QImage();
        }
        return DecodeSlot::run([this, &path] {
            return LocalImage::read(path, cell);
        });
    }
};
} // namespace

class IconThemeThumbnailPrivate
{
public:
    explicit IconThemeThumbnailPrivate(IconThemeThumbnail *item)
        : q(item)
    {
    }

    void resetIcons(const QString &theme);
    // Starts decoding the icons for the item's cells, unless the images held
    // or coming are as large.
    void decodeIcons();
    void iconsDecoded();
    void dropLoad();

    QList<QImage> images;
    // The icon files of the theme, in sample order; "" for a missing one.
    QStringList paths;
    // The cell the images held or coming are meant for.
    QSize decodedFor;
    IconThemeThumbnail *const q;
    // The load whose results are wanted; an older one is dropped.
    QPointer<QFutureWatcher<QImage>> watcher;
};

void IconThemeThumbnailPrivate::dropLoad()
{
    if (watcher) {
        watcher->disconnect(q);
        watcher->cancel();
        watcher->deleteLater();
        watcher.clear();
    }
}

void IconThemeThumbnailPrivate::resetIcons(const QString &theme)
{
    images.clear();
    paths.clear();
    decodedFor = QSize();
    dropLoad();

    PexoIconTheme iconTheme(theme.toStdString(), std::string(), false);
    if (!iconTheme.load()) {
        q->update();
        return;
    }
    static const char *const samples[][2] = {
        {"computer", "devices"},
        {"user-home", "places"},
        {"user-desktop", "places"},
        {"inode-directory", "mimetypes"},
        {"help-browser", "apps"},
        {"user-trash", "places"},
    };
    for (const auto &sample : samples) {
        paths.append(QString::fromStdString(iconTheme.getIconPath(sample[0], 48, sample[1])));
    }
    decodeIcons();
}

void IconThemeThumbnailPrivate::decodeIcons()
{
    const QSize cell = cellSize(*q);
    if (paths.isEmpty() || q->width() < 1 || q->height() < 1 || (decodedFor.width() >= cell.width() && decodedFor.height() >= cell.height())) {
        return;
    }
    dropLoad();
    decodedFor = cell;
    // The watcher is a child of the item: a load outliving the item is dropped with it.
    watcher = new QFutureWatcher<QImage>(q);
    QObject::connect(watcher, &QFutureWatcherBase::finished, q, [this]() {
        iconsDecoded();
    });
    watcher->setFuture(QtConcurrent::mapped(paths, DecodeIcon{cell}));
}

void IconThemeThumbnailPrivate::iconsDecoded()
{
    images.clear();
    const QList<QImage> results = watcher->future().results();
    for (const QImage &image : results) {
        if (!image.isNull()) {
            images.append(image);
        }
    }
    watcher->deleteLater();
    watcher.clear();
    q->update();
}

IconThemeThumbnail::IconThemeThumbnail(QQuickItem *parent)
    : QQuickPaintedItem(parent)
    , d(new IconThemeThumbnailPrivate(this))
{
    setAntialiasing(true);
    setSmooth(true);
}

IconThemeThumbnail::~IconThemeThumbnail() = default;

QString IconThemeThumbnail::theme() const
{
    return m_theme;
}

void IconThemeThumbnail::setTheme(const QString &theme)
{
    if (theme == m_theme) {
        return;
    }
    m_theme = theme;
    Q_EMIT themeChanged();
    d->resetIcons(theme);
}

void IconThemeThumbnail::geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickPaintedItem::geometryChanged(newGeometry, oldGeometry);
    d->decodeIcons();
}

void IconThemeThumbnail::paint(QPainter *painter)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    const int width = qMax(0, int(this->width()));
    const int height = qMax(0, int(this->height()));
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->fillRect(QRect(0, 0, width, height), Qt::transparent);
    painter->setCompositionMode(mode);
    if (d->images.isEmpty()) {
        return;
    }
    const int cellWidth = width / 3;
    const int cellHeight = height / 2;
    const QSize largest(qMax(1, cellWidth), qMax(1, cellHeight));
    for (int i = 0; i < d->images.size(); ++i) {
        QImage image = d->images.at(i);
        if (image.width() > largest.width() || image.height() > largest.height()) {
            image = image.scaled(largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        const qreal left = cellWidth * (i % 3) + cellWidth / 2.0 - image.width() / 2.0;
        const qreal top = cellHeight * (i / 3) + cellHeight / 2.0 - image.height() / 2.0;
        painter->drawImage(QPointF(left, top), image);
    }
}
