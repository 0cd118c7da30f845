#include "thumbnail.h"

#include "localimage.h"
#include "moduleutils.h"

#include <KLocalizedString>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
const QString imageFormatPrefix = QStringLiteral("image/");

bool offersImage(const QMimeData *data)
{
    if (data->hasUrls() || data->hasImage()) {
        return true;
    }
    const QStringList formats = data->formats();
    return std::any_of(formats.cbegin(), formats.cend(), [](const QString &format) {
        return format.startsWith(imageFormatPrefix);
    });
}

// The image carried as image data or in an "image/" format, or a null image.
// Image bytes are decoded within the local image reader's bounds; another
// program's image data comes as such bytes, so it is taken from them, not
// decoded whole as image data.
QImage imageOf(const QMimeData *data)
{
    const QStringList formats = data->formats();
    const bool carriesBytes = std::any_of(formats.cbegin(), formats.cend(), [](const QString &format) {
        return format.startsWith(imageFormatPrefix);
    });
    if (data->hasImage() && !carriesBytes) {
        const QVariant value = data->imageData();
        if (value.canConvert<QImage>()) {
            return value.value<QImage>();
        }
        if (value.canConvert<QPixmap>()) {
            return value.value<QPixmap>().toImage();
        }
        return QImage();
    }
    for (const QString &format : formats) {
        if (!format.startsWith(imageFormatPrefix)) {
            continue;
        }
        const QImage image = LocalImage::fromData(data->data(format));
        if (!image.isNull()) {
            return image;
        }
    }
    return QImage();
}

template<typename T>
bool changeValue(T &member, const T &value)
{
    if (member == value) {
        return false;
    }
    member = value;
    return true;
}

QString readableFormats()
{
    QStringList names;
    const QList<QByteArray> formats = LocalImage::formats();
    for (const QByteArray &format : formats) {
        names.append(QString::fromLatin1(format));
    }
    return names.join(QStringLiteral(", "));
}
} // namespace

class ThumbnailPrivate
{
public:
    QPixmap pixmap;
    int borderWidth = 0;
    int radius = 0;
    QColor borderColor = Qt::transparent;
    QColor textColor = Qt::black;
    QColor color = Qt::gray;
    bool dragOver = false;
};

Thumbnail::Thumbnail(QQuickItem *parent)
    : QQuickPaintedItem(parent)
    , d(new ThumbnailPrivate)
{
    setAcceptedMouseButtons(Qt::NoButton);
    setAntialiasing(true);
    setSmooth(true);
    setFlag(ItemAcceptsDrops, true);
    setFlag(ItemHasContents, true);
}

Thumbnail::~Thumbnail() = default;

QPixmap Thumbnail::pixmap() const
{
    return d->pixmap;
}

void Thumbnail::setPixmap(const QPixmap &pixmap)
{
    d->pixmap = pixmap;
    Q_EMIT pixmapChanged();
    update();
}

int Thumbnail::borderWidth() const
{
    return d->borderWidth;
}

void Thumbnail::setBorderWidth(int width)
{
    if (changeValue(d->borderWidth, width)) {
        Q_EMIT borderWidthChanged();
        update();
    }
}

QColor Thumbnail::borderColor() const
{
    return d->borderColor;
}

void Thumbnail::setBorderColor(const QColor &color)
{
    if (changeValue(d->borderColor, color)) {
        Q_EMIT borderColorChanged();
        update();
    }
}

int Thumbnail::radius() const
{
    return d->radius;
}

void Thumbnail::setRadius(int radius)
{
    if (changeValue(d->radius, radius)) {
        Q_EMIT radiusChanged();
        update();
    }
}

QColor Thumbnail::textColor() const
{
    return d->textColor;
}

void Thumbnail::setTextColor(const QColor &color)
{
    if (changeValue(d->textColor, color)) {
        Q_EMIT textColorChanged();
        update();
    }
}

QColor Thumbnail::color() const
{
    return d->color;
}

void Thumbnail::setColor(const QColor &color)
{
    if (changeValue(d->color, color)) {
        Q_EMIT colorChanged();
        update();
    }
}

void Thumbnail::setDragOver(bool dragOver)
{
    if (changeValue(d->dragOver, dragOver)) {
        update();
    }
}

void Thumbnail::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!data) {
        event->ignore();
        return;
    }
    const bool acceptable = offersImage(data);
    if (acceptable) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
    setDragOver(acceptable);
}

void Thumbnail::dragMoveEvent(QDragMoveEvent *event)
{
    event->accept();
}

void Thumbnail::dragLeaveEvent(QDragLeaveEvent *event)
{
    Q_UNUSED(event)
    setDragOver(false);
}

void Thumbnail::dropEvent(QDropEvent *event)
{
    setDragOver(false);
    const QMimeData *data = event->mimeData();
    if (!data) {
        event->ignore();
        return;
    }
    const QString path = downloadImage(data);
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        Q_EMIT fileDropped(path);
        return;
    }
    Q_EMIT errorOccured(i18n("This does not appear to be an image file. Please use files of these formats:\n%1", readableFormats()));
    event->ignore();
}

QString Thumbnail::downloadImage(const QMimeData *data) const
{
    if (!data) {
        return QString();
    }
    if (data->hasUrls()) {
        const QList<QUrl> urls = data->urls();
        for (const QUrl &url : urls) {
            if (url.isLocalFile() && canReadImage(url)) {
                return url.toLocalFile();
            }
        }
    }
    const QImage image = imageOf(data);
    if (image.isNull()) {
        return QString();
    }
    const QString path = Kcm::Utils::generateNameForWallpaper();
    return image.save(path, "PNG") ? path : QString();
}

bool Thumbnail::canReadImage(const QUrl &url) const
{
    if (url.scheme() != QLatin1String("file")) {
        return false;
    }
    return LocalImage::size(url.toLocalFile()).isValid();
}

void Thumbnail::paint(QPainter *painter)
{
    if (d->pixmap.isNull()) {
        return;
    }
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);

    const qreal ratio = d->pixmap.devicePixelRatio();
    const QPixmap scaled = d->pixmap.scaled((size() * ratio).toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QSizeF logical = QSizeF(scaled.size()) / ratio;
    const qreal x = (width() - logical.width()) * 0.5;
    const qreal y = (height() - logical.height()) * 0.5;
    const QRectF frame(QPointF(x, y), logical);

    QPainterPath clip;
    clip.addRoundedRect(frame, d->radius, d->radius);
    painter->setClipPath(clip);
    painter->setPen(QPen(d->borderColor, d->borderWidth));

    if (d->dragOver) {
        painter->setBrush(QBrush(d->color));
        painter->drawRect(QRect(QPoint(int(x), int(y)), scaled.size()));
        painter->drawRoundedRect(frame, d->radius, d->radius);
        QFont font = painter->font();
        font.setWeight(QFont::Bold);
        painter->setFont(font);
        painter->setPen(d->textColor);
        painter->drawText(frame, Qt::AlignCenter, i18n("Drop a file to see a preview"));
    } else {
        painter->drawPixmap(QPoint(int(x), int(y)), scaled);
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame, d->radius, d->radius);
    }
}
