/*
    pexo-svg-render: renders an SVG picture into a PNG file of a given size.
    Used by the SVG converter stand-in.
*/
#include "localfile.h"
#include "localimage.h"
#include "svgdrawing.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <optional>

namespace {
// As long as the wallpaper page waits for the converter.
constexpr int paintTimeoutMs = 30000;
} // namespace

int main(int argc, char **argv)
{
    // No display is needed to paint into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: pexo-svg-render WIDTH HEIGHT SOURCE TARGET\n");
        return 2;
    }
    bool widthOk = false;
    bool heightOk = false;
    const int width = QByteArray(argv[1]).toInt(&widthOk);
    const int height = QByteArray(argv[2]).toInt(&heightOk);
    if (!widthOk || !heightOk || width <= 0 || height <= 0 || qint64(width) * height > LocalImage::maxPixels) {
        std::fprintf(stderr, "pexo-svg-render: bad size %s x %s\n", argv[1], argv[2]);
        return 2;
    }
    // Read and painted as the library does: a plain file within the size
    // limits, naming no other file, painted in bounded time.
    const std::optional<QByteArray> source = LocalFile::read(QString::fromLocal8Bit(argv[3]), LocalFile::Kind::Svg);
    const QImage image = source ? SvgDrawing::render(*source, QSize(width, height), paintTimeoutMs) : QImage();
    if (image.isNull()) {
        std::fprintf(stderr, "pexo-svg-render: cannot read or paint the SVG picture %s\n", argv[3]);
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[4]), "PNG")) {
        std::fprintf(stderr, "pexo-svg-render: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
