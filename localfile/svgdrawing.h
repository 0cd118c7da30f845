/*
    Internal: painting an SVG drawing within bounds. The drawing, inflated
    when it is compressed, may be no larger than a drawing file may be, may
    have no more than maxElements, may name no other file, and is painted for
    a limited time only. Pictures embedded in it are raster images of the
    formats LocalImage decodes, taken as LocalImage::fromData() takes them,
    of no more than LocalImage::maxPixels together, that no reader of another
    format takes; the renderer decodes them while it parses, before any
    deadline, with the first of Qt's readers that takes them.
*/
#ifndef SVGDRAWING_H
#define SVGDRAWING_H

#include <QByteArray>
#include <QDeadlineTimer>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <memory>

class QSvgRenderer;

namespace SvgDrawing {
// The most elements a drawing may have, each <use> counted as the element it
// names: the renderer walks them all on every paint, also past the deadline
// (a fifth to half a microsecond each).
constexpr qint64 maxElements = 1000000;

// The renderer of the drawing, inflated when it is compressed; none when it
// is no valid drawing, is larger than the drawing size limit, also once
// inflated, has more than maxElements, names a style sheet or a picture
// outside itself, or embeds a drawing, a picture that LocalImage refuses or
// that a reader of another format takes, or more pixels than allowed.
std::unique_ptr<QSvgRenderer> load(const QByteArray &drawing);

// Paints the drawing over bounds of the image (the whole image when bounds
// is null); false when the deadline passes first and the rest is left out.
bool paint(QSvgRenderer &renderer, QImage *image, const QRectF &bounds, const QDeadlineTimer &deadline);

// The drawing stretched over white into an opaque image of the size; a null
// image when load() refuses it, the size has more than LocalImage::maxPixels
// or it is not painted within timeoutMs (counted from the call).
QImage render(const QByteArray &drawing, const QSize &size, int timeoutMs);
} // namespace SvgDrawing

#endif
