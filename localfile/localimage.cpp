#include "localimage.h"
#include "localfile.h"

#include "svgdrawing.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>
#include <QImageReader>
#include <QScopeGuard>
#include <QSvgRenderer>

#include <algorithm>
#include <memory>

#include <zlib.h>

namespace {
// Formats whose readers decode straight to a smaller size, or a part alone;
// others, whatever they claim, decode the whole image first.
bool decodesScaled(const QByteArray &format)
{
    return format == "jpeg";
}

bool fitsWhole(const QSize &size)
{
    return qint64(size.width()) * size.height() <= LocalImage::maxPixels;
}

// True when the JPEG's first scan holds every component of a sequential
// frame: its reader then decodes it a band at a time, at any size. A
// progressive JPEG, or one of a scan per component, is decoded through the
// coefficients of the whole image, whatever the size it is decoded to.
bool decodesBanded(QIODevice *file)
{
    const qint64 start = file->pos();
    const auto restore = qScopeGuard([&] {
        file->seek(start);
    });
    if (!file->seek(0) || file->read(2) != "\xff\xd8") {
        return false;
    }
    int components = 0;
    bool progressive = false;
    char byte = 0;
    while (file->getChar(&byte) && uchar(byte) == 0xff) {
        while (file->getChar(&byte) && uchar(byte) == 0xff) { }
        const uchar marker = uchar(byte);
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) {
            continue;
        }
        const QByteArray length = file->read(2);
        const qint64 size = length.size() == 2 ? ((uchar(length[0]) << 8) | uchar(length[1])) - 2 : -1;
        if (marker == 0xd9 || size < 0) {
            return false;
        }
        const QByteArray head = file->read(std::min<qint64>(size, 6));
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) {
            if (head.size() < 6) {
                return false;
            }
            components = uchar(head[5]);
            progressive = (marker & 3) == 2;
        } else if (marker == 0xda) {
            return !progressive && components > 0 && !head.isEmpty() && uchar(head[0]) == components;
        }
        if (!file->seek(file->pos() + size - head.size())) {
            return false;
        }
    }
    return false;
}

// Drawings are painted here, not by their reader, so that a drawing too slow
// to paint can be given up.
bool isDrawing(const QByteArray &format)
{
    return format == "svg" || format == "svgz";
}

const QByteArray gzipMagic = QByteArrayLiteral("\x1f\x8b");

// The drawing parsed from its bytes; none when SvgDrawing::load() refuses
// it or it has no size.
std::unique_ptr<QSvgRenderer> parsedDrawing(const std::optional<QByteArray> &drawing)
{
    std::unique_ptr<QSvgRenderer> renderer = drawing ? SvgDrawing::load(*drawing) : nullptr;
    if (!renderer || renderer->defaultSize().isEmpty()) {
        return nullptr;
    }
    return renderer;
}

// The drawing in the file; none as parsedDrawing() gives it.
std::unique_ptr<QSvgRenderer> drawingAt(const QString &path)
{
    return parsedDrawing(LocalFile::read(path, LocalFile::Kind::Svg));
}

// The part of the drawing (in its own pixels) painted over transparency into
// an image of the size, as an image reader paints it; null when it is not
// painted before the deadline.
QImage paintDrawing(QSvgRenderer &renderer, const QRect &part, const QSize &size, const QDeadlineTimer &deadline)
{
    if (part.isEmpty() || size.isEmpty() || !fitsWhole(size) || deadline.hasExpired()) {
        return QImage();
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return QImage();
    }
    image.fill(Qt::transparent);
    const qreal scaleX = qreal(size.width()) / part.width();
    const qreal scaleY = qreal(size.height()) / part.height();
    const QSize natural = renderer.defaultSize();
    const QRectF bounds(-part.x() * scaleX, -part.y() * scaleY, natural.width() * scaleX, natural.height() * scaleY);
    return SvgDrawing::paint(renderer, &image, bounds, deadline) ? image : QImage();
}

// The natural size scaled down to fit, keeping its aspect; as it is when it
// fits or fit is empty.
QSize fitted(const QSize &natural, const QSize &fit)
{
    if (fit.isEmpty() || (natural.width() <= fit.width() && natural.height() <= fit.height())) {
        return natural;
    }
    return natural.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
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
    if (isDrawing(reader.format())) {
        const std::unique_ptr<QSvgRenderer> drawing = drawingAt(path);
        return drawing ? drawing->defaultSize() : QSize();
    }
    const QSize natural = reader.size();
    return reader.canRead() && !natural.isEmpty() ? natural : QSize();
}

QImage LocalImage::read(const QString &path, const QSize &bounds, bool autoTransform)
{
    const QDeadlineTimer deadline(drawingTimeoutMs);
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QImage();
    }
    QImageReader reader(file.get());
    if (isDrawing(reader.format())) {
        const std::unique_ptr<QSvgRenderer> drawing = drawingAt(path);
        if (!drawing) {
            return QImage();
        }
        const QSize natural = drawing->defaultSize();
        return paintDrawing(*drawing, QRect(QPoint(0, 0), natural), fitted(natural, bounds), deadline);
    }
    reader.setAutoTransform(autoTransform);
    const QSize natural = reader.size();
    if (!reader.canRead() || natural.isEmpty()) {
        return QImage();
    }
    // The bounds apply to the image as shown, the scaled size to the stored one.
    QSize fit = bounds;
    if (autoTransform && (reader.transformation() & QImageIOHandler::TransformationRotate90)) {
        fit.transpose();
    }
    const QSize target = fitted(natural, fit);
    const bool fits = fitsWhole(natural);
    if (target != natural && decodesScaled(reader.format()) && (fits || decodesBanded(file.get()))) {
        reader.setScaledSize(target);
        return reader.read();
    }
    if (!fits) {
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
    const QDeadlineTimer deadline(drawingTimeoutMs);
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QImage();
    }
    QImageReader reader(file.get());
    if (isDrawing(reader.format())) {
        const std::unique_ptr<QSvgRenderer> drawing = drawingAt(path);
        if (!drawing) {
            return QImage();
        }
        const QRect clip = part.intersected(QRect(QPoint(0, 0), drawing->defaultSize()));
        return paintDrawing(*drawing, clip, clip.size(), deadline);
    }
    const QSize natural = reader.size();
    if (!reader.canRead() || natural.isEmpty()) {
        return QImage();
    }
    const QRect clip = part.intersected(QRect(QPoint(0, 0), natural));
    if (clip.isEmpty()) {
        return QImage();
    }
    const bool fits = fitsWhole(natural);
    if (clip.size() != natural && decodesScaled(reader.format()) && (fits || decodesBanded(file.get()))) {
        reader.setClipRect(clip);
        return reader.read();
    }
    if (!fits) {
        return QImage();
    }
    const QImage image = reader.read();
    return image.isNull() || clip.size() == natural ? image : image.copy(clip);
}

QImage LocalImage::fromData(const QByteArray &data)
{
    const QDeadlineTimer deadline(drawingTimeoutMs);
    // A reader would inflate a compressed drawing without a limit.
    std::optional<QByteArray> bytes = drawingText(data);
    if (!bytes) {
        return QImage();
    }
    QBuffer buffer(&*bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (isDrawing(reader.format())) {
        const std::unique_ptr<QSvgRenderer> drawing = parsedDrawing(bytes);
        return drawing ? paintDrawing(*drawing, QRect(QPoint(0, 0), drawing->defaultSize()), drawing->defaultSize(), deadline) : QImage();
    }
    const QSize natural = reader.size();
    if (natural.isEmpty() || !fitsWhole(natural)) {
        return QImage();
    }
    return reader.read();
}
