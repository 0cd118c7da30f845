/*
    A black PNG of many pixels in a file of a few megabytes, written without
    holding its pixels, and the peak memory of the process.
*/
#ifndef BLACKPNG_H
#define BLACKPNG_H

#include <QFile>
#include <QSize>
#include <QString>
#include <QtEndian>

#include <zlib.h>

namespace PexoTest {
namespace BlackPng {
inline QByteArray chunk(const char *type, const QByteArray &data)
{
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), bytes.data());
    bytes += QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData() + 4), uInt(bytes.size() - 4))), crc.data());
    return bytes + crc;
}
} // namespace BlackPng

// An 8-bit RGB picture of the size, every row filtered with "none".
inline bool writeBlackPng(const QString &path, const QSize &size)
{
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(size.width()), header.data());
    qToBigEndian<quint32>(quint32(size.height()), header.data() + 4);
    header[8] = 8;
    header[9] = 2;
    z_stream stream = {};
    if (deflateInit(&stream, Z_BEST_SPEED) != Z_OK) {
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
    return file.open(QIODevice::WriteOnly) && file.write("\x89PNG\r\n\x1a\n", 8) == 8 && file.write(BlackPng::chunk("IHDR", header)) > 0 &&
        file.write(BlackPng::chunk("IDAT", compressed)) > 0 && file.write(BlackPng::chunk("IEND", QByteArray())) > 0;
}

// The most memory the process has held so far, in MiB.
inline qint64 peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
        }
    }
    return -1;
}
} // namespace PexoTest

#endif
