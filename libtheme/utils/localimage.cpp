#include "localimage.h"
#include "localfile.h"

#include <QFile>
#include <QImageReader>

#include <memory>

namespace {
// Formats whose readers decode straight to a smaller size; others, whatever
// they claim, decode the whole image first.
bool decodesScaled(const QByteArray &format)
{
    return format == "jpeg" || format == "svg" || format == "svgz";
}

// Formats whose readers decode a part of the image alone.
bool decodesPart(const QByteArray &format)
{
    return format == "jpeg" || format == "svg" || format == "svgz";
}

// A drawing takes the smaller limit of its own kind.
bool withinKindLimit(const QImageReader &reader, const QFile &file)
{
    const QByteArray format = reader.format();
    return (format != "svg" && format != "svgz") || file.size() <= LocalFile::sizeLimit(LocalFile::Kind::Svg);
}
} // namespace

QSize LocalImage::size(const QString &path)
{
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QSize();
    }
    QImageReader reader(file.get());
    const QSize natural = reader.size();
    return reader.canRead() && !natural.isEmpty() && withinKindLimit(reader, *file) ? natural : QSize();
}

QImage LocalImage::read(const QString &path, const QSize &bounds, bool autoTransform)
{
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QImage();
    }
    QImageReader reader(file.get());
    reader.setAutoTransform(autoTransform);
    const QSize natural = reader.size();
    if (!reader.canRead() || natural.isEmpty() || !withinKindLimit(reader, *file)) {
        return QImage();
    }
    // The bounds apply to the image as shown, the scaled size to the stored one.
    QSize fit = bounds;
    if (autoTransform && (reader.transformation() & QImageIOHandler::TransformationRotate90)) {
        fit.transpose();
    }
    QSize target = natural;
    if (!fit.isEmpty() && (natural.width() > fit.width() || natural.height() > fit.height())) {
        target = natural.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    }
    if (target != natural && decodesScaled(reader.format())) {
        reader.setScaledSize(target);
        return reader.read();
    }
    if (qint64(natural.width()) * natural.height() > maxPixels) {
        return QImage();
    }
    const QImage image = reader.read();
    if (image.isNull() || target == natural) {
        return image;
    }
    const QSize shown = autoTransform && (reader.transformation() & QImageIOHandler::TransformationRotate90) ? target.transposed() : target;
    return image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage LocalImage::readPart(const QString &path, const QRect &part)
{
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QImage();
    }
    QImageReader reader(file.get());
    const QSize natural = reader.size();
    if (!reader.canRead() || natural.isEmpty() || !withinKindLimit(reader, *file)) {
        return QImage();
    }
    const QRect clip = part.intersected(QRect(QPoint(0, 0), natural));
    if (clip.isEmpty()) {
        return QImage();
    }
    if (clip.size() != natural && decodesPart(reader.format())) {
        reader.setClipRect(clip);
        return reader.read();
    }
    if (qint64(natural.width()) * natural.height() > maxPixels) {
        return QImage();
    }
    const QImage image = reader.read();
    return image.isNull() || clip.size() == natural ? image : image.copy(clip);
}
