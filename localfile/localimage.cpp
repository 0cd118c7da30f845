#include "localimage.h"
#include "localfile.h"

#include "svgdrawing.h"

#include "localimagelog.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
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

    // Up to count bytes into data; fewer at the end. The number read.
    qint64 read(char *data, qint64 count)
    {
        const qint64 inBlock = std::min<qint64>(count, m_block.size() - m_position);
        std::memcpy(data, m_block.constData() + m_position, size_t(inBlock));
        m_position += int(inBlock);
        qint64 done = inBlock;
        while (done < count) {
            const qint64 read = m_device->read(data + done, count - done);
            if (read <= 0) {
                break;
            }
            done += read;
        }
        return done;
    }

    QByteArray read(qint64 count)
    {
        QByteArray bytes(int(count), '\0');
        bytes.truncate(int(read(bytes.data(), count)));
        return bytes;
    }

    // Where the next byte lies on the device.
    qint64 position() const
    {
        return m_device->pos() - (m_block.size() - m_position);
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

// The value in length bytes, the lowest first.
QByteArray littleEndianBytes(quint32 value, int length)
{
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i) {
        bytes[i] = char(value >> (8 * i));
    }
    return bytes;
}

// The size of a WebP frame's image, from the first bytes of the payload of
// its VP8 or VP8L chunk, checked as its decoder checks them; none when they
// are not the start of such an image.
std::optional<QSize> bitstreamSize(const QByteArray &type, const QByteArray &payload, qint64 payloadSize)
{
    QSize size;
    if (type == "VP8 " && payload.size() >= 10) {
        // A frame tag (a key frame, its profile, shown, the length of its
        // first partition), a start code, then 14 bits of width and of height.
        const quint32 tag = littleEndian(payload, 0, 3);
        if ((tag & 1) || ((tag >> 1) & 7) > 3 || !((tag >> 4) & 1) || (tag >> 5) >= payloadSize || payload.mid(3, 3) != "\x9d\x01\x2a") {
            return std::nullopt;
        }
        size = QSize(int(littleEndian(payload, 6, 2) & 0x3fff), int(littleEndian(payload, 8, 2) & 0x3fff));
    } else if (type == "VP8L" && payload.size() >= 5) {
        // A signature, then 14 bits of width - 1 and of height - 1, one of
        // alpha and three of version 0.
        const quint32 bits = littleEndian(payload, 1, 4);
        if (uchar(payload.at(0)) != 0x2f || (bits >> 29) != 0) {
            return std::nullopt;
        }
        size = QSize(int(bits & 0x3fff) + 1, int((bits >> 14) & 0x3fff) + 1);
    }
    return size.isEmpty() ? std::nullopt : std::make_optional(size);
}

// What may come before a WebP's first frame: the canvas, a colour profile,
// the animation's parameters, now and then metadata. Real files hold a few
// chunks there, of a few hundred kilobytes at most; a file of more is
// refused, before its reader would index every one.
constexpr int maxChunksBeforeFrame = 16;
constexpr qint64 maxBytesBeforeFrame = 16 * 1024 * 1024;
// What a still picture may hold besides its picture for its reader to be
// given the file as it is, which it reads whole: a colour profile, a few
// kilobytes of metadata. A still holding more is given its picture alone.
constexpr qint64 maxStillExtras = 64 * 1024;
// libwebp's own limits: a RIFF payload or a chunk no larger than 2^32 - 10
// bytes, a canvas of fewer than 2^32 pixels.
constexpr qint64 maxWebpPayload = 0xfffffff6;
constexpr qint64 maxWebpArea = qint64(1) << 32;

// The chunks of a WebP's container, read in turn from a device at its
// start, no further than asked.
class WebpChunks
{
public:
    struct Chunk
    {
        QByteArray type;
        // The payload's, without its padding byte.
        qint64 size = 0;
        // Where its header lies in the file.
        qint64 at = 0;

        qint64 padded() const
        {
            return size + (size & 1);
        }
        // The whole chunk, header and padding included.
        qint64 length() const
        {
            return 8 + padded();
        }
    };

    explicit WebpChunks(QIODevice *device)
        : m_bytes(device)
    {
        const QByteArray header = m_bytes.read(12);
        if (header.size() < 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WEBP") {
            return;
        }
        // As libwebp takes it: a container that the file holds whole.
        const qint64 riff = littleEndian(header, 4, 4);
        const qint64 file = device->isSequential() ? LocalFile::sizeLimit(LocalFile::Kind::Image) + 8 : device->size();
        if (riff < 12 || riff > maxWebpPayload || riff + 8 > file) {
            return;
        }
        m_left = riff - 4;
        m_after = device->isSequential() ? 0 : file - 8 - riff;
    }

    // The next chunk's header; none at the end of the container (or of the
    // chunk entered), or when the chunk would reach beyond it.
    std::optional<Chunk> next()
    {
        if (m_left == 0) {
            return std::nullopt;
        }
        const qint64 at = m_bytes.position();
        const QByteArray header = take(8);
        const Chunk chunk{header.left(4), header.size() == 8 ? qint64(littleEndian(header, 4, 4)) : m_left + 1, at};
        if (chunk.size > maxWebpPayload || chunk.padded() > m_left) {
            m_left = -1;
            return std::nullopt;
        }
        return chunk;
    }

    // Up to count of the first bytes of the chunk's payload, passing over
    // the rest; none when the file ends first.
    std::optional<QByteArray> payload(const Chunk &chunk, qint64 count)
    {
        const QByteArray head = take(std::min(count, chunk.size));
        if (head.size() < std::min(count, chunk.size) || !skip(chunk.padded() - head.size())) {
            return std::nullopt;
        }
        return head;
    }

    bool skip(const Chunk &chunk)
    {
        return skip(chunk.padded());
    }

    // Reads on within the chunk's payload, as a container of its own.
    void enter(const Chunk &chunk)
    {
        m_left = chunk.size;
    }

    // Up to count of the container's next bytes.
    QByteArray take(qint64 count)
    {
        QByteArray bytes(int(std::max<qint64>(0, std::min(count, m_left))), '\0');
        if (m_bytes.read(bytes.data(), bytes.size()) < bytes.size()) {
            m_left = -1;
            return QByteArray();
        }
        m_left -= bytes.size();
        return bytes;
    }

    // True once every chunk was passed.
    bool atEnd() const
    {
        return m_left == 0;
    }

    // The bytes the file holds after the container.
    qint64 after() const
    {
        return m_after;
    }

private:
    bool skip(qint64 count)
    {
        if (count > m_left || !m_bytes.skip(count)) {
            m_left = -1;
            return false;
        }
        m_left -= count;
        return true;
    }

    ByteStream m_bytes;
    qint64 m_left = -1;
    qint64 m_after = 0;
};

// A WebP as one pass over its container tells it: its canvas, and the first
// frame, read no further than it reaches, and of a still picture the few
// chunks that may follow it.
struct WebpLayout
{
    QSize canvas;
    // Where the frame lies on the canvas: all of it for a still picture.
    QRect place;
    // The chunks of the frame's image: an ALPH and a VP8 chunk, or a VP8 or
    // VP8L chunk alone.
    QList<WebpChunks::Chunk> image;
    // A still picture whose chunks are those of one, each once: its reader,
    // given the bytes as they are, indexes nothing more.
    bool oneStill = false;
    // What the file holds besides the image's chunks.
    qint64 extras = 0;
};

// The size of the image whose chunks begin with the chunk given: an ALPH
// chunk and a VP8 one, or a VP8 or VP8L chunk alone; none when they are no
// such chunks. The chunks are read only as far as the image's size, and
// noted in image.
std::optional<QSize> imageOf(WebpChunks &chunks, WebpChunks::Chunk chunk, QList<WebpChunks::Chunk> &image)
{
    constexpr int tagLength = 10;
    if (chunk.type == "ALPH") {
        image.append(chunk);
        const std::optional<WebpChunks::Chunk> next = chunks.payload(chunk, 0) ? chunks.next() : std::nullopt;
        // A lossless image holds its own alpha.
        if (!next || next->type != "VP8 ") {
            return std::nullopt;
        }
        chunk = *next;
    }
    if (chunk.type != "VP8 " && chunk.type != "VP8L") {
        return std::nullopt;
    }
    image.append(chunk);
    const std::optional<QByteArray> tag = chunks.payload(chunk, tagLength);
    return tag ? bitstreamSize(chunk.type, *tag, chunk.size) : std::nullopt;
}

// The layout of the WebP on the device, open at its start. None when the
// container holds no sound first frame, as libwebp would refuse it (a
// still picture must be the size of its canvas, an animation's first frame
// the size its frame header says and within the canvas), or more before it
// than maxChunksBeforeFrame chunks or maxBytesBeforeFrame bytes. Qt's
// reader, given the whole file, would read and index every frame and make
// the whole canvas, whatever it shows.
std::optional<WebpLayout> webpLayout(QIODevice *device)
{
    static const QList<QByteArray> stillChunks{"ICCP", "ALPH", "VP8 ", "VP8L", "EXIF", "XMP "};
    WebpChunks chunks(device);
    WebpLayout layout;
    std::optional<WebpChunks::Chunk> chunk = chunks.next();
    if (!chunk || chunk->type == "ALPH") {
        return std::nullopt;
    }
    const bool extended = chunk->type == "VP8X";
    bool animation = false;
    if (extended) {
        // Flags, three reserved bytes, then 24 bits of width - 1 and of height - 1.
        const std::optional<QByteArray> header = chunk->size == 10 ? chunks.payload(*chunk, 10) : std::nullopt;
        if (!header) {
            return std::nullopt;
        }
        animation = header->at(0) & 0x02;
        layout.canvas = QSize(int(littleEndian(*header, 4, 3)) + 1, int(littleEndian(*header, 7, 3)) + 1);
        if (qint64(layout.canvas.width()) * layout.canvas.height() >= maxWebpArea) {
            return std::nullopt;
        }
        layout.extras = chunk->length();
        chunk = chunks.next();
    }
    QList<QByteArray> seen;
    bool oneStill = !animation;
    bool parameters = false;
    for (int before = 0; chunk; chunk = chunks.next()) {
        if (chunk->type == "ALPH" || chunk->type == "VP8 " || chunk->type == "VP8L") {
            // Every frame of an animation is in a frame chunk.
            const std::optional<QSize> size = animation ? std::nullopt : imageOf(chunks, *chunk, layout.image);
            if (!size || (extended && *size != layout.canvas)) {
                return std::nullopt;
            }
            layout.canvas = *size;
            layout.place = QRect(QPoint(0, 0), *size);
            break;
        }
        if (chunk->type == "ANMF") {
            // After the animation's parameters: half its offset, 24 bits
            // each, its size less one, duration and flags, then its image's chunks.
            if (!animation || !parameters) {
                return std::nullopt;
            }
            chunks.enter(*chunk);
            const QByteArray header = chunks.take(16);
            const std::optional<WebpChunks::Chunk> image = header.size() == 16 ? chunks.next() : std::nullopt;
            const std::optional<QSize> size = image ? imageOf(chunks, *image, layout.image) : std::nullopt;
            if (!size || *size != QSize(int(littleEndian(header, 6, 3)) + 1, int(littleEndian(header, 9, 3)) + 1)) {
                return std::nullopt;
            }
            layout.place = QRect(QPoint(2 * int(littleEndian(header, 0, 3)), 2 * int(littleEndian(header, 3, 3))), *size);
            return QRect(QPoint(0, 0), layout.canvas).contains(layout.place) ? std::make_optional(layout) : std::nullopt;
        }
        if (++before > maxChunksBeforeFrame || layout.extras + chunk->length() > maxBytesBeforeFrame) {
            return std::nullopt;
        }
        parameters = parameters || chunk->type == "ANIM";
        oneStill = oneStill && stillChunks.contains(chunk->type) && !seen.contains(chunk->type);
        seen.append(chunk->type);
        layout.extras += chunk->length();
        if (!chunks.skip(*chunk)) {
            return std::nullopt;
        }
    }
    if (layout.image.isEmpty()) {
        return std::nullopt;
    }
    // After a still's picture, at most the chunks a still may hold, each once.
    for (const WebpChunks::Chunk &image : std::as_const(layout.image)) {
        seen.append(image.type);
    }
    while (oneStill && (chunk = chunks.next())) {
        oneStill = stillChunks.contains(chunk->type) && !seen.contains(chunk->type) && chunks.skip(*chunk);
        seen.append(chunk->type);
        layout.extras += chunk->length();
    }
    layout.oneStill = oneStill && chunks.atEnd();
    layout.extras += chunks.after();
    return layout;
}

// Reads as the bytes given followed by chunks of a WebP on another device:
// a still WebP of a frame's image, read from the file only as its reader
// reads it, and never held twice.
class WebpStill : public QIODevice
{
public:
    WebpStill(QIODevice *source, const WebpLayout &layout)
        : m_source(source)
        , m_chunks(layout.image)
    {
        qint64 length = 0;
        for (const WebpChunks::Chunk &chunk : std::as_const(m_chunks)) {
            length += chunk.length();
        }
        const bool alpha = m_chunks.first().type == "ALPH";
        m_head = "RIFF" + littleEndianBytes(quint32(4 + (alpha ? 18 : 0) + length), 4) + "WEBP";
        if (alpha) {
            // The alpha flag and the image's size.
            m_head += "VP8X" + littleEndianBytes(10, 4) + QByteArray(1, 0x10) + QByteArray(3, '\0') + littleEndianBytes(quint32(layout.place.width() - 1), 3) +
                littleEndianBytes(quint32(layout.place.height() - 1), 3);
        }
        m_size = m_head.size() + length;
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override
    {
        return false;
    }

    qint64 size() const override
    {
        return m_size;
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        qint64 at = pos();
        qint64 done = 0;
        while (done < maxSize && at < m_size) {
            qint64 count = 0;
            if (at < m_head.size()) {
                count = std::min(maxSize - done, m_head.size() - at);
                std::memcpy(data + done, m_head.constData() + at, size_t(count));
            } else {
                qint64 offset = at - m_head.size();
                auto chunk = m_chunks.cbegin();
                while (offset >= chunk->length()) {
                    offset -= chunk->length();
                    ++chunk;
                }
                if (!m_source->seek(chunk->at + offset)) {
                    return done > 0 ? done : -1;
                }
                count = m_source->read(data + done, std::min(maxSize - done, chunk->length() - offset));
                if (count <= 0) {
                    return done > 0 ? done : -1;
                }
            }
            done += count;
            at += count;
        }
        return done;
    }

    qint64 writeData(const char *, qint64) override
    {
        return -1;
    }

private:
    QIODevice *const m_source;
    const QList<WebpChunks::Chunk> m_chunks;
    QByteArray m_head;
    qint64 m_size = 0;
};

// A raster picture ready to decode: its reader, of the format told from its
// first bytes and of no other, and what its header says.
struct Raster
{
    // A WebP's first frame as a still picture of its own, which its reader
    // is given; none when the file is that picture and little more.
    std::unique_ptr<QIODevice> frame;
    std::unique_ptr<QImageReader> reader;
    QSize size;
    // Where the image the reader decodes lies in the picture: all of it,
    // but for an animation's first frame that is not.
    QRect place;
    // Formats whose readers decode straight to a smaller size, or a part
    // alone; others, whatever they claim, decode the whole image first.
    bool decodesScaled = false;
    bool banded = false;
    // A WebP whose reader, given the bytes as they are, takes one still
    // picture and indexes nothing more.
    bool oneStill = false;

    bool isWhole() const
    {
        return place == QRect(QPoint(0, 0), size);
    }
};

// The raster picture of the format on the device, with a reader when it is
// to be decoded (a WebP's reader is given the first frame's image, unless
// the file is that image and little more); none, with a message naming it,
// when it is not a format decoded here, its header is not one of it, or it
// is a JPEG of more than maxJpegScans scans or one that an eighth of its
// size does not bring within maxPixels.
std::optional<Raster> raster(QIODevice *device, const QByteArray &format, const QString &name, bool decode)
{
    if (format.isEmpty() || format == drawingFormat) {
        qCWarning(LOCAL_IMAGE_LOG) << "Not a picture of a format decoded here:" << name;
        return std::nullopt;
    }
    Raster picture;
    QIODevice *source = device;
    const bool webp = format == "webp";
    if (webp) {
        const std::optional<WebpLayout> layout = webpLayout(device);
        if (!layout) {
            qCWarning(LOCAL_IMAGE_LOG) << "Not decoded: a broken WebP:" << name;
            return std::nullopt;
        }
        picture.size = layout->canvas;
        picture.place = layout->place;
        picture.oneStill = layout->oneStill;
        if (!decode) {
            return picture;
        }
        if (layout->oneStill && layout->extras <= maxStillExtras) {
            if (!device->seek(0)) {
                return std::nullopt;
            }
        } else {
            picture.frame = std::make_unique<WebpStill>(device, *layout);
            source = picture.frame.get();
        }
    }
    picture.reader = std::make_unique<QImageReader>(source, format);
    picture.reader->setAutoDetectImageFormat(false);
    if (!picture.reader->canRead()) {
        return std::nullopt;
    }
    const QSize size = picture.reader->size();
    if (size.isEmpty() || (webp && size != picture.place.size())) {
        return std::nullopt;
    }
    if (!webp) {
        picture.size = size;
        picture.place = QRect(QPoint(0, 0), size);
    }
    if (format == "jpeg") {
        const JpegScans scans = jpegScans(device);
        if (scans.count > LocalImage::maxJpegScans) {
            qCWarning(LOCAL_IMAGE_LOG) << "Not decoded: a JPEG of more than" << LocalImage::maxJpegScans << "scans:" << name;
            return std::nullopt;
        }
        if (!fitsWhole(QSize((size.width() + 7) / 8, (size.height() + 7) / 8))) {
            qCWarning(LOCAL_IMAGE_LOG) << "Not decoded: a JPEG too large even at an eighth of its size:" << name << size;
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
std::unique_ptr<QSvgRenderer> parsedDrawing(const QByteArray &drawing)
{
    std::unique_ptr<QSvgRenderer> renderer = SvgDrawing::load(drawing);
    if (!renderer || renderer->defaultSize().isEmpty()) {
        return nullptr;
    }
    return renderer;
}

// A picture as its first bytes tell it: a drawing parsed, or a raster
// picture ready for its reader; its size either way.
struct Picture
{
    std::unique_ptr<QSvgRenderer> drawing;
    std::optional<Raster> raster;
    QSize size;
};

// The picture on the device, open for reading at its start, as every
// reader of pictures here takes it; none when it is no picture decoded
// here: of another format, a drawing larger than a drawing may be or that
// SvgDrawing::load() refuses, or a raster picture that raster() refuses.
// With decode, a raster picture comes with its reader.
std::optional<Picture> openPicture(QIODevice *device, const QString &name, bool decode)
{
    const QByteArray format = LocalImage::format(device->peek(headLength));
    Picture picture;
    if (format == drawingFormat) {
        const qint64 limit = LocalFile::sizeLimit(LocalFile::Kind::Svg);
        const QByteArray drawing = device->read(limit + 1);
        picture.drawing = drawing.size() <= limit ? parsedDrawing(drawing) : nullptr;
        if (!picture.drawing) {
            return std::nullopt;
        }
        picture.size = picture.drawing->defaultSize();
        return picture;
    }
    picture.raster = raster(device, format, name, decode);
    if (!picture.raster) {
        return std::nullopt;
    }
    picture.size = picture.raster->size;
    return picture;
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

// The part of a picture (in its own pixels) of which the image decoded
// covers only the place, painted over transparency into an image of the
// size: an animation's first frame drawn on no larger a canvas than shown.
QImage onCanvas(const QImage &image, const QRect &place, const QRect &part, const QSize &size)
{
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull() || part.isEmpty()) {
        return QImage();
    }
    canvas.fill(Qt::transparent);
    const qreal scaleX = qreal(size.width()) / part.width();
    const qreal scaleY = qreal(size.height()) / part.height();
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF((place.x() - part.x()) * scaleX, (place.y() - part.y()) * scaleY, place.width() * scaleX, place.height() * scaleY), image);
    return canvas;
}

// What the picture's reader decodes, as the part of the picture (in its own
// pixels) shown at the size.
QImage shownPart(const Raster &raster, const QRect &part, const QSize &shown)
{
    const QImage image = raster.reader->read();
    if (image.isNull()) {
        return image;
    }
    if (!raster.isWhole()) {
        return onCanvas(image, raster.place, part, shown);
    }
    const QImage cut = part == QRect(QPoint(0, 0), raster.size) ? image : image.copy(part);
    return cut.size() == shown ? cut : cut.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
    const std::optional<Picture> picture = file ? openPicture(file.get(), path, false) : std::nullopt;
    return picture ? picture->size : QSize();
}

QSize LocalImage::size(QIODevice *device)
{
    if (!device || device->size() > LocalFile::sizeLimit(LocalFile::Kind::Image)) {
        return QSize();
    }
    const std::optional<Picture> picture = openPicture(device, QStringLiteral("(picture data)"), false);
    return picture ? picture->size : QSize();
}

QImage LocalImage::read(const QString &path, const QSize &bounds, bool autoTransform)
{
    const QDeadlineTimer deadline(drawingTimeoutMs);
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    const std::optional<Picture> picture = file ? openPicture(file.get(), path, true) : std::nullopt;
    if (!picture) {
        return QImage();
    }
    const QSize natural = picture->size;
    if (picture->drawing) {
        return paintDrawing(*picture->drawing, QRect(QPoint(0, 0), natural), fitted(natural, bounds), deadline);
    }
    const Raster &raster = *picture->raster;
    if (!decodesAtSomeSize(raster)) {
        return QImage();
    }
    QImageReader &reader = *raster.reader;
    reader.setAutoTransform(autoTransform);
    // The bounds apply to the image as shown, the scaled size to the stored one.
    const bool turned = autoTransform && (reader.transformation() & QImageIOHandler::TransformationRotate90);
    const QSize target = fitted(natural, turned ? bounds.transposed() : bounds);
    const bool fits = fitsWhole(natural);
    if (target != natural && raster.decodesScaled && (fits || raster.banded)) {
        reader.setScaledSize(target);
        return reader.read();
    }
    if (!fits) {
        return QImage();
    }
    return shownPart(raster, QRect(QPoint(0, 0), natural), turned ? target.transposed() : target);
}

QImage LocalImage::readPart(const QString &path, const QRect &part)
{
    const QDeadlineTimer deadline(drawingTimeoutMs);
    const std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Image);
    const std::optional<Picture> picture = file ? openPicture(file.get(), path, true) : std::nullopt;
    if (!picture) {
        return QImage();
    }
    const QSize natural = picture->size;
    const QRect clip = part.intersected(QRect(QPoint(0, 0), natural));
    if (picture->drawing) {
        return paintDrawing(*picture->drawing, clip, clip.size(), deadline);
    }
    const Raster &raster = *picture->raster;
    QImageReader &reader = *raster.reader;
    if (clip.isEmpty() || !fitsWhole(clip.size())) {
        return QImage();
    }
    const bool fits = fitsWhole(natural);
    if (clip.size() != natural && raster.decodesScaled && (fits || raster.banded)) {
        reader.setClipRect(clip);
        return reader.read();
    }
    if (!fits) {
        return QImage();
    }
    return shownPart(raster, clip, clip.size());
}

QImage LocalImage::fromData(const QByteArray &data)
{
    const QDeadlineTimer deadline(drawingTimeoutMs);
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    const std::optional<Picture> picture = buffer.open(QIODevice::ReadOnly) ? openPicture(&buffer, QStringLiteral("(picture data)"), true) : std::nullopt;
    if (!picture || !fitsWhole(picture->size)) {
        return QImage();
    }
    const QRect whole(QPoint(0, 0), picture->size);
    if (picture->drawing) {
        return paintDrawing(*picture->drawing, whole, picture->size, deadline);
    }
    return shownPart(*picture->raster, whole, picture->size);
}

QSize LocalImage::rasterSize(const QByteArray &data)
{
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return QSize();
    }
    const std::optional<Picture> picture = openPicture(&buffer, QStringLiteral("(picture data)"), false);
    if (!picture || !picture->raster || !fitsWhole(picture->size)) {
        return QSize();
    }
    // Its reader is given the bytes as they are.
    return format(data.left(headLength)) != "webp" || picture->raster->oneStill ? picture->size : QSize();
}
