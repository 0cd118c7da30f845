/*
    Pictures for tests: a black PNG and a grey JPEG of many pixels in small
    files, written without holding their pixels, WebP animations, and gzip
    data; and the peak memory of the process.
*/
#ifndef PICTURETESTSUPPORT_H
#define PICTURETESTSUPPORT_H

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QtEndian>

#include <utility>

#include <zlib.h>

namespace PexoTest {
namespace Png {
inline QByteArray chunk(const char *type, const QByteArray &data)
{
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), bytes.data());
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))), crc.data());
    return bytes + body + crc;
}
} // namespace Png

// An 8-bit RGB picture of the size, every row filtered with "none".
inline bool writeHugePng(const QString &path, const QSize &size)
{
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(size.width()), header.data());
    qToBigEndian<quint32>(quint32(size.height()), header.data() + 4);
    header[8] = 8;
    header[9] = 2;
    z_stream stream = {};
    if (deflateInit(&stream, 1) != Z_OK) {
        return false;
    }
    const QByteArray row(1 + 3 * size.width(), '\0');
    QByteArray compressed;
    char out[65536];
    for (int y = 0; y < size.height(); ++y) {
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(row.constData()));
        stream.avail_in = uInt(row.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(out);
            stream.avail_out = sizeof(out);
            deflate(&stream, y + 1 == size.height() ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(out, int(sizeof(out) - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("\x89PNG\r\n\x1a\n") == 8 && file.write(Png::chunk("IHDR", header)) > 0 &&
        file.write(Png::chunk("IDAT", compressed)) > 0 && file.write(Png::chunk("IEND", QByteArray())) > 0;
}

// How the scans of a JPEG written by writeHugeJpeg() hold its pixels.
enum class JpegScans {
    // One sequential scan of all components.
    Baseline,
    // A progressive frame: one scan of the DC coefficients of all components.
    Progressive,
    // A sequential frame of one scan per component.
    PerComponent,
};

// A grey YCbCr JPEG of the size, every block coded in a bit or two.
inline bool writeHugeJpeg(const QString &path, const QSize &size, JpegScans scans)
{
    const auto segment = [](uchar marker, const QByteArray &data) -> QByteArray {
        QByteArray bytes(4, '\0');
        bytes[0] = char(0xff);
        bytes[1] = char(marker);
        qToBigEndian<quint16>(quint16(data.size() + 2), bytes.data() + 2);
        return bytes + data;
    };
    QByteArray frame(6, '\0');
    frame[0] = 8;
    qToBigEndian<quint16>(quint16(size.height()), frame.data() + 1);
    qToBigEndian<quint16>(quint16(size.width()), frame.data() + 3);
    frame[5] = 3;
    for (char component = 1; component <= 3; ++component) {
        frame += QByteArray(1, component) + QByteArray("\x11\0", 2);
    }
    // One code, "0", for a DC difference of 0 and for the end of a block.
    const QByteArray table = QByteArray(1, '\1') + QByteArray(16, '\0');
    QByteArray head = "\xff\xd8" + segment(0xdb, QByteArray(1, '\0') + QByteArray(64, '\1')) + segment(scans == JpegScans::Progressive ? 0xc2 : 0xc0, frame) +
        segment(0xc4, QByteArray(1, '\0') + table) + segment(0xc4, QByteArray(1, '\x10') + table);
    const qint64 blocks = qint64((size.width() + 7) / 8) * ((size.height() + 7) / 8);
    const auto scan = [&](const QByteArray &components, int bitsPerBlock) -> QByteArray {
        QByteArray header(1, char(components.size()));
        for (const char component : components) {
            header += QByteArray(1, component) + QByteArray(1, '\0');
        }
        header += QByteArray(1, '\0') + QByteArray(1, char(scans == JpegScans::Progressive ? 0 : 63)) + QByteArray(1, '\0');
        const qint64 bits = blocks * components.size() * bitsPerBlock;
        QByteArray data((bits + 7) / 8, '\0');
        data[data.size() - 1] = char((1 << ((8 - bits % 8) % 8)) - 1);
        return segment(0xda, header) + data;
    };
    if (scans == JpegScans::PerComponent) {
        head += scan("\1", 2) + scan("\2", 2) + scan("\3", 2);
    } else {
        head += scan("\1\2\3", scans == JpegScans::Progressive ? 1 : 2);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(head + "\xff\xd9") == head.size() + 2;
}

namespace Webp {
inline QByteArray chunk(const char *type, const QByteArray &data)
{
    QByteArray bytes = QByteArray(type, 4) + QByteArray(4, '\0');
    qToLittleEndian<quint32>(quint32(data.size()), bytes.data() + 4);
    return bytes + data + QByteArray(data.size() % 2, '\0');
}

inline void put24(QByteArray &bytes, int at, int value)
{
    for (int i = 0; i < 3; ++i) {
        bytes[at + i] = char(value >> (8 * i));
    }
}
} // namespace Webp

// A WebP animation on a transparent canvas of the size: each picture at its
// point (even numbers), shown for 100 ms, written by Qt's writer at the
// quality (100 is lossless; below it, a picture with alpha is an ALPH and
// a VP8 chunk), and all of them repeated as often as asked. By default one
// red pixel at the canvas' corner.
inline QByteArray webpAnimation(const QSize &canvas, QList<std::pair<QImage, QPoint>> frames = {}, int quality = 100, int repeat = 1)
{
    if (frames.isEmpty()) {
        QImage pixel(1, 1, QImage::Format_ARGB32);
        pixel.fill(Qt::red);
        frames.append({pixel, QPoint(0, 0)});
    }
    QByteArray chunks;
    for (const auto &[image, at] : frames) {
        QBuffer still;
        if (!still.open(QIODevice::WriteOnly) || !image.save(&still, "WEBP", quality)) {
            return QByteArray();
        }
        // The image's chunks, after "RIFF", the size, "WEBP" and any VP8X chunk.
        QByteArray bitstream = still.data().mid(12);
        if (bitstream.startsWith("VP8X")) {
            bitstream = bitstream.mid(18);
        }
        QByteArray frame(16, '\0');
        Webp::put24(frame, 0, at.x() / 2);
        Webp::put24(frame, 3, at.y() / 2);
        Webp::put24(frame, 6, image.width() - 1);
        Webp::put24(frame, 9, image.height() - 1);
        Webp::put24(frame, 12, 100);
        chunks += Webp::chunk("ANMF", frame + bitstream);
    }
    QByteArray header(10, '\0');
    header[0] = 0x12; // alpha and animation
    Webp::put24(header, 4, canvas.width() - 1);
    Webp::put24(header, 7, canvas.height() - 1);
    chunks = Webp::chunk("VP8X", header) + Webp::chunk("ANIM", QByteArray(6, '\0')) + chunks.repeated(repeat);
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(4 + chunks.size()), size.data());
    return "RIFF" + size + "WEBP" + chunks;
}

// The bytes in the gzip format.
inline QByteArray gzipped(const QByteArray &bytes)
{
    z_stream stream = {};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(int(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// A drawing of 1920 x 1080 in a few kilobytes that takes minutes to paint
// whole: a translucent gradient painted 90000 times over it.
inline QByteArray slowDrawing()
{
    QByteArray uses[2];
    for (int i = 0; i < 300; ++i) {
        uses[0] += "<use xlink:href='#e'/>";
        uses[1] += "<use xlink:href='#a'/>";
    }
    return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='1920' height='1080'><defs><radialGradient "
           "id='g'><stop offset='0' stop-color='#f00' stop-opacity='0.5'/><stop offset='1' stop-color='#00f' stop-opacity='0.1'/></radialGradient>"
           "<ellipse id='e' cx='960' cy='540' rx='1200' ry='800' fill='url(#g)'/><g id='a'>" +
        uses[0] + "</g></defs>" + uses[1] + "</svg>";
}

// Starts the peak memory of the process over from what it holds now.
inline bool resetPeak()
{
    QFile references(QStringLiteral("/proc/self/clear_refs"));
    return references.open(QIODevice::WriteOnly) && references.write("5") == 1;
}

// The most memory the process has held, in MiB.
inline qint64 peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
        }
    }
    return -1;
}
} // namespace PexoTest

#endif
