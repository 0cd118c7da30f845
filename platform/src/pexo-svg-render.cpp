/*
    pexo-svg-render: renders an SVG picture into a PNG file of a given size.
    Used by the SVG converter stand-in.
*/
#include "localfile.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <optional>

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
    if (!widthOk || !heightOk || width <= 0 || height <= 0 || width > 32768 || height > 32768) {
        std::fprintf(stderr, "pexo-svg-render: bad size %s x %s\n", argv[1], argv[2]);
        return 2;
    }
    // Only a plain file is read: a fifo would never end.
    QSvgRenderer renderer;
    const std::optional<QByteArray> source = LocalFile::read(QString::fromLocal8Bit(argv[3]), LocalFile::Kind::Svg);
    if (!source || !renderer.load(*source)) {
        std::fprintf(stderr, "pexo-svg-render: cannot read the SVG picture %s\n", argv[3]);
        return 1;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[4]), "PNG")) {
        std::fprintf(stderr, "pexo-svg-render: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
