#include "localimage.h"
#include "localfile.h"

#include "svgdrawing.h"

#include "localimagelog.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>
#include <QImageReader>
#include <QScopeGuard>
#include <QSvgRenderer>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include <zlib.h>

namespace {
// Bytes enough to tell every format decoded here, and a drawing after some
// white space.
constexpr int headLength = 64;

const QByteArray drawingFormat = QByteArrayLiteral("svg");
const QByteArray gzipMagic = QByteArrayLiteral("\x1f\x8b");

bool fitsWhole(const QSize &size)
{
    return qint64(size.width()) * size.height() <= LocalImage::maxPixels;
}

// Reads a device in blocks, for a pass over every byte of a large file.
class ByteStream
{
public:
    explicit ByteStream(QIODevice *device)
        : m_device(device)
    {
    }

    // The next byte, or -1 at the end.
    int next()
    {
        if (m_position == m_block.size()) {
            m_block = m_device->read(65536);
            m_position = 0;
            if (m_block.isEmpty()) {
                return -1;
            }
        }
        return uchar(m_block.at(m_position++));
    }

    // Skips to the next 0xff byte, which next() then gives.
    void skipToMarker()
    {
        while (true) {
            const char *begin = m_block.constData() + m_position;
            const void *found = std::memchr(begin, 0xff, size_t(m_block.size() - m_position));
            if (found) {
                m_position += int(static_cast<const char *>(found) - begin);
                return;
            }
            m_block = m_device->read(65536);
            m_position = 0;
            if (m_block.isEmpty()) {
                return;
            }
        }
    }

    QByteArray read(qint64 count)
    {
        QByteArray bytes;
        while (bytes.size() < count) {
            const int byte = next();
            if (byte < 0) {
                break;
            }
            bytes.append(char(byte));
        }
        return bytes;
    }

    bool skip(qint64 count)
    {
        const qint64 inBlock = std::min<qint64>(count, m_block.size() - m_position);
        m_position += int(inBlock);
        return inBlock == count || m_device->seek(m_device->pos() + count - inBlock);
    }

private:
    QIODevice *const m_device;
    QByteArray m_block;
    int m_position = 0;
};

// What decoding a JPEG takes, seen in one pass over its markers to its end.
struct JpegScans
{
    // Its scans, counted up to one more than LocalImage::maxJpegScans.
    int count = 0;
    // True when its first scan holds every component of a sequential frame:
    // its reader then holds a row of blocks at a time, at any size. A progressive
    // JPEG, or one of a scan per component, is decoded through the
    // coefficients of the whole image, whatever the size it is decoded to.
    bool banded = false;
};

// The scans of the JPEG on the device. Markers are found as its reader finds
// them: in coded data a 0xff is followed by 0 (a stuffed byte) or a restart
// marker, which begin no segment.
JpegScans jpegScans(QIODevice *device)
{
    JpegScans scans;
    const qint64 start = device->pos();
    const auto restore = qScopeGuard([&] {
        device->seek(start);
    });
    if (!device->seek(0)) {
        return scans;
    }
    ByteStream bytes(device);
    int components = 0;
    bool progressive = false;
    while (scans.count <= LocalImage::maxJpegScans) {
        bytes.skipToMarker();
        int marker = bytes.next();
        while (marker == 0xff) {
            marker = bytes.next();
        }
        if (marker < 0 || marker == 0xd9) {
            break;
        }
        if (marker == 0x00 || marker == 0x01 || marker == 0xd8 || (marker >= 0xd0 && marker <= 0xd7)) {
            continue;
        }
        const QByteArray length = bytes.read(2);
        const qint64 size = length.size() == 2 ? ((uchar(length[0]) << 8) | uchar(length[1])) - 2 : -1;
        if (size < 0) {
            break;
        }
        const QByteArray head = bytes.read(std::min<qint64>(size, 6));
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc && head.size() == 6) {
            components = uchar(head[5]);
            progressive = (marker & 3) == 2;
        } else if (marker == 0xda && ++scans.count == 1) {
            scans.banded = !progressive && components > 0 && !head.isEmpty() && uchar(head[0]) == components;
        }
        if (!bytes.skip(size - head.size())) {
            break;
        }
    }
    return scans;
}

// The number of length bytes at the offset, the lowest first.
quint32 littleEndian(const QByteArray &bytes, int at, int length)
{
    quint32 value = 0;
    for (int i = length - 1; i >= 0; --i) {
        value = (value << 8) | uchar(bytes.at(at + i));
    }
    return value;
}

// The size that a WebP's header gives: the frame's of a still picture, the
// canvas' of an extended one, within which its reader keeps every frame;
// none when its first chunk is not the start of a picture.
std::optional<QSize> webpSize(const QByteArray &head)
{
    constexpr int chunkAt = 12;
    constexpr int dataAt = chunkAt + 8;
    if (head.size() < dataAt || !head.startsWith("RIFF") || head.mid(8, 4) != "WEBP") {
        return std::nullopt;
    }
    const QByteArray chunk = head.mid(chunkAt, 4);
    const quint32 chunkSize = littleEndian(head, chunkAt + 4, 4);
    QSize size;
    if (chunk == "VP8 " && chunkSize >= 10 && head.size() >= dataAt + 10) {
        // A key frame's tag, its start code, then 14 bits of width and of height.
        if ((head.at(dataAt) & 1) || head.mid(dataAt + 3, 3) != "\x9d\x01\x2a") {
            return std::nullopt;
        }
        size = QSize(int(littleEndian(head, dataAt + 6, 2) & 0x3fff), int(littleEndian(head, dataAt + 8, 2) & 0x3fff));
    } else if (chunk == "VP8L" && chunkSize >= 5 && head.size() >= dataAt + 5) {
        // A signature, then 14 bits of width - 1 and of height - 1, one of
        // alpha and three of version 0.
        const quint32 bits = littleEndian(head, dataAt + 1, 4);
        if (uchar(head.at(dataAt)) != 0x2f || (bits >> 29) != 0) {
            return std::nullopt;
        }
        size = QSize(int(bits & 0x3fff) + 1, int((bits >> 14) & 0x3fff) + 1);
    } else if (chunk == "VP8X" && chunkSize == 10 && head.size() >= dataAt + 10) {
        // Flags, three reserved bytes, then 24 bits of width - 1 and of height - 1.
        size = QSize(int(littleEndian(head, dataAt + 4, 3)) + 1, int(littleEndian(head, dataAt + 7, 3)) + 1);
    }
    return size.isEmpty() ? std::nullopt : std::make_optional(size);
}

// A raster picture ready to decode: its reader, of the format told from its
// first bytes and of no other, and what its header says.
struct Raster
{
    std::unique_ptr<QImageReader> reader;
    QSize size;
    // Formats whose readers decode straight to a smaller size, or a part
    // alone; others, whatever they claim, decode the whole image first.
    bool decodesScaled = false;
    bool banded = false;
};

// The raster picture of the format on the device; none, with a message
// naming it, when it is not a format decoded here, its header is not one of
// it, or it is a JPEG of more than maxJpegScans scans or one that an eighth
// of its size does not bring within maxPixels. A WebP's reader is not asked
// about one of more than maxPixels: it reads an animation whole and makes
// its canvas as it reads the header.
std::optional<Raster> raster(QIODevice *device, const QByteArray &format, const QString &name)
{
    if (format.isEmpty() || format == drawingFormat) {
        qCWarning(LOCAL_IMAGE_LOG) << "Not a picture of a format decoded here:" << name;
        return std::nullopt;
    }
    Raster picture;
    picture.reader = std::make_unique<QImageReader>(device, format);
    picture.reader->setAutoDetectImageFormat(false);
    std::optional<QSize> header;
    if (format == "webp") {
        header = webpSize(device->peek(headLength));
        if (!header) {
            qCWarning(LOCAL_IMAGE_LOG) << "Not decoded: a broken WebP header:" << name;
            return std::nullopt;
        }
        if (!fitsWhole(*header)) {
            picture.size = *header;
            return picture;
        }
    }
    if (!picture.reader->canRead()) {
        return std::nullopt;
    }
    picture.size = picture.reader->size();
    if (picture.size.isEmpty() || (header && picture.size != *header)) {
        return std::nullopt;
    }
    if (format == "jpeg") {
        const JpegScans scans = jpegScans(device);
        if (scans.count > LocalImage::maxJpegScans) {
            qCWarning(LOCAL_IMAGE_LOG) << "Not decoded: a JPEG of more than" << LocalImage::maxJpegScans << "scans:" << name;
            return std::nullopt;
        }
        if (!fitsWhole(QSize((picture.size.width() + 7) / 8, (picture.size.height() + 7) / 8))) {
            qCWarning(LOCAL_IMAGE_LOG) << "Not decoded: a JPEG too large even at an eighth of its size:" << name << picture.size;
            return std::nullopt;
        }
        picture.decodesScaled = true;
        picture.banded = scans.banded;
    }
    return picture;
}

// Whether the picture is decoded at some size: whole, or scaled while it
// is decoded a few rows at a time.
bool decodesAtSomeSize(const Raster &picture)
{
    return fitsWhole(picture.size) || (picture.decodesScaled && picture.banded);
}

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

// The size of the raster picture that the bytes hold when it is within
// maxPixels, and the picture decoded whole when decode is true; an invalid
// size and a null image when they hold none, or a drawing.
std::pair<QSize, QImage> rasterData(const QByteArray &data, bool decode)
{
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    const QByteArray format = LocalImage::format(data.left(headLength));
    if (format == drawingFormat || !buffer.open(QIODevice::ReadOnly)) {
        return {};
    }
    const std::optional<Raster> picture = raster(&buffer, format, QStringLiteral("(picture data)"));
    if (!picture || !fitsWhole(picture->size)) {
        return {};
    }
    return {picture->size, decode ? picture->reader->read() : QImage()};
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

QByteArray LocalImage::format(const QByteArray &head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n")) {
        return QByteArrayLiteral("png");
    }
    if (head.startsWith("\xff\xd8\xff")) {
        return QByteArrayLiteral("jpeg");
    }
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) {
        return QByteArrayLiteral("gif");
    }
    if (head.startsWith("BM")) {
        return QByteArrayLiteral("bmp");
    }
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP") {
        return QByteArrayLiteral("webp");
    }
    if (head.size() >= 3 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6' && std::isspace(uchar(head[2]))) {
        static const char *const netpbm[] = {"pbm", "pgm", "ppm"};
        return netpbm[(head[1] - '1') % 3];
    }
    if (head.startsWith("/* XPM")) {
        return QByteArrayLiteral("xpm");
    }
    // A drawing, compressed or not; its loader tells whether it is one.
    const int text = head.startsWith("\xef\xbb\xbf") ? 3 : 0;
    const QByteArray start = head.mid(text).trimmed();
    if (head.startsWith(gzipMagic) || start.startsWith('<')) {
        return drawingFormat;
    }
    return QByteArray();
}

QList<QByteArray> LocalImage::formats()
{
    static const char *const rasters[] = {"png", "jpeg", "gif", "bmp", "webp", "pbm", "pgm", "ppm", "xpm"};
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QList<QByteArray> names;
    for (const char *raster : rasters) {
        if (readable.contains(raster)) {
            names.append(raster);
        }
    }
    return names << drawingFormat << QByteArrayLiteral("svgz");
}

QSize LocalImage::size(const QString &path)
{
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QSize();
    }
    const QByteArray format = LocalImage::format(file->peek(headLength));
    if (format == drawingFormat) {
        const std::unique_ptr<QSvgRenderer> drawing = drawingAt(path);
        return drawing ? drawing->defaultSize() : QSize();
    }
    const std::optional<Raster> picture = raster(file.get(), format, path);
    return picture ? picture->size : QSize();
}

bool LocalImage::isDecodable(QIODevice *device)
{
    if (!device || device->size() > LocalFile::sizeLimit(LocalFile::Kind::Image)) {
        return false;
    }
    const QByteArray format = LocalImage::format(device->peek(headLength));
    if (format == drawingFormat) {
        const qint64 limit = LocalFile::sizeLimit(LocalFile::Kind::Svg);
        const QByteArray drawing = device->read(limit + 1);
        return drawing.size() <= limit && parsedDrawing(drawing) != nullptr;
    }
    const std::optional<Raster> picture = raster(device, format, QStringLiteral("(picture data)"));
    return picture && decodesAtSomeSize(*picture);
}

QImage LocalImage::read(const QString &path, const QSize &bounds, bool autoTransform)
{
    const QDeadlineTimer deadline(drawingTimeoutMs);
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    if (!file) {
        return QImage();
    }
    const QByteArray format = LocalImage::format(file->peek(headLength));
    if (format == drawingFormat) {
        const std::unique_ptr<QSvgRenderer> drawing = drawingAt(path);
        if (!drawing) {
            return QImage();
        }
        const QSize natural = drawing->defaultSize();
        return paintDrawing(*drawing, QRect(QPoint(0, 0), natural), fitted(natural, bounds), deadline);
    }
    const std::optional<Raster> picture = raster(file.get(), format, path);
    if (!picture || !decodesAtSomeSize(*picture)) {
        return QImage();
    }
    QImageReader &reader = *picture->reader;
    reader.setAutoTransform(autoTransform);
    const QSize natural = picture->size;
    // The bounds apply to the image as shown, the scaled size to the stored one.
    QSize fit = bounds;
    if (autoTransform && (reader.transformation() & QImageIOHandler::TransformationRotate90)) {
        fit.transpose();
    }
    const QSize target = fitted(natural, fit);
    const bool fits = fitsWhole(natural);
    if (target != natural && picture->decodesScaled && (fits || picture->banded)) {
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
    const QByteArray format = LocalImage::format(file->peek(headLength));
    if (format == drawingFormat) {
        const std::unique_ptr<QSvgRenderer> drawing = drawingAt(path);
        if (!drawing) {
            return QImage();
        }
        const QRect clip = part.intersected(QRect(QPoint(0, 0), drawing->defaultSize()));
        return paintDrawing(*drawing, clip, clip.size(), deadline);
    }
    const std::optional<Raster> picture = raster(file.get(), format, path);
    if (!picture) {
        return QImage();
    }
    QImageReader &reader = *picture->reader;
    const QSize natural = picture->size;
    const QRect clip = part.intersected(QRect(QPoint(0, 0), natural));
    if (clip.isEmpty() || !fitsWhole(clip.size())) {
        return QImage();
    }
    const bool fits = fitsWhole(natural);
    if (clip.size() != natural && picture->decodesScaled && (fits || picture->banded)) {
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
    if (format(data.left(headLength)) == drawingFormat) {
        const std::unique_ptr<QSvgRenderer> drawing = parsedDrawing(data);
        return drawing ? paintDrawing(*drawing, QRect(QPoint(0, 0), drawing->defaultSize()), drawing->defaultSize(), deadline) : QImage();
    }
    return rasterData(data, true).second;
}

QSize LocalImage::rasterSize(const QByteArray &data)
{
    return rasterData(data, false).first;
}
