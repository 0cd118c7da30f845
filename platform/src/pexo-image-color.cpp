/*
    pexo-image-color: prints the average colour of an image as "r,g,b".
    Used by the colour-scheme generator stand-in.
*/
#include "localimage.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {
// Large enough to average as the whole picture does, small enough to decode fast.
const QSize averagedSize(1024, 1024);
} // namespace

int main(int argc, char **argv)
{
    // No display is needed to paint a drawing into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pexo-image-color IMAGE\n");
        return 2;
    }
    // Read and decoded as the library does: a plain image file, within the
    // pixel limit or scaled while decoding.
    const QImage image = LocalImage::read(QString::fromLocal8Bit(argv[1]), averagedSize);
    if (image.isNull()) {
        std::fprintf(stderr, "pexo-image-color: cannot read the image %s\n", argv[1]);
        return 1;
    }
    // An area-averaging downscale keeps the sum cheap on large pictures.
    const QImage small = image.convertToFormat(QImage::Format_RGB32).scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 red = 0, green = 0, blue = 0;
    for (int y = 0; y < small.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(small.constScanLine(y));
        for (int x = 0; x < small.width(); ++x) {
            red += qRed(line[x]);
            green += qGreen(line[x]);
            blue += qBlue(line[x]);
        }
    }
    const qint64 count = qint64(small.width()) * small.height();
    std::printf("%d,%d,%d\n", int(red / count), int(green / count), int(blue / count));
    return 0;
}
