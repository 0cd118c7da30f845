#include "localimage.h"
#include "localfile.h"

#include <QFile>
#include <QImageReader>

#include <memory>

#include <zlib.h>

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

const QByteArray gzipMagic = QByteArrayLiteral("\x1f\x8b");

// A drawing takes the smaller limit of its own kind, also once inflated.
// Asked before the reader reads anything but the format.
bool withinKindLimit(QImageReader &reader, const QFile &file, const QString &path)
{
    const QByteArray format = reader.format();
    if (format != "svg" && format != "svgz") {
        return true;
    }
    if (file.size() > LocalFile::sizeLimit(LocalFile::Kind::Svg)) {
        return false;
    }
    if (format == "svg") {
        return true;
    }
    const std::optional<QByteArray> bytes = LocalFile::read(path, LocalFile::Kind::Svg);
    return bytes && LocalImage::drawingText(*bytes);
}
} // namespace

std::optional<QByteArray> LocalImage::drawingText(const QByteArray &drawing)
{
    if (!drawing.startsWith(gzipMagic)) {
        return drawing;
    }
    const qint64 limit = LocalFile::sizeLimit(LocalFile::Kind::Svg);
    z_stream stream = {};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        return std::nullopt;
    }
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(drawing.constData()));
    stream.avail_in = uInt(drawing.size());
    QByteArray text;
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof(buffer);
        status = inflate(&stream, Z_NO_FLUSH);
        const int produced = int(sizeof(buffer) - stream.avail_out);
        if (text.size() + produced > limit) {
            status = Z_DATA_ERROR;
            break;
        }
        text.append(buffer, produced);
    }
    inflateEnd(&stream);
    // A reader would inflate a drawing compressed twice without a limit.
    if (status != Z_STREAM_END || text.startsWith(gzipMagic)) {
        return std::nullopt;
    }
    return text;
}

QSize LocalImage::size(const QString &path)
{
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QSize();
    }
    QImageReader reader(file.get());
    if (!withinKindLimit(reader, *file, path)) {
        return QSize();
    }
    const QSize natural = reader.size();
    return reader.canRead() && !natural.isEmpty() ? natural : QSize();
}

QImage LocalImage::read(const QString &path, const QSize &bounds, bool autoTransform)
{
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QImage();
    }
    QImageReader reader(file.get());
    reader.setAutoTransform(autoTransform);
    if (!withinKindLimit(reader, *file, path)) {
        return QImage();
    }
    const QSize natural = reader.size();
    if (!reader.canRead() || natural.isEmpty()) {
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
    if (!withinKindLimit(reader, *file, path)) {
        return QImage();
    }
    const QSize natural = reader.size();
    if (!reader.canRead() || natural.isEmpty()) {
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
