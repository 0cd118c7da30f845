/*
    Pictures for tests: a black PNG of many pixels in a small file, written
    without holding its pixels, and gzip data; and the peak memory of the
    process.
*/
#ifndef PICTURETESTSUPPORT_H
#define PICTURETESTSUPPORT_H

#include <QFile>
#include <QSize>
#include <QString>
#include <QtEndian>

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
