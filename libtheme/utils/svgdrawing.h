/*
    Internal: painting an SVG drawing within bounds. The drawing, inflated
    when it is compressed, may be no larger than a drawing file may be, and it
    is painted for a limited time only.
*/
#ifndef SVGDRAWING_H
#define SVGDRAWING_H

#include <QByteArray>
#include <QDeadlineTimer>
#include <QImage>
#include <QRectF>
#include <QSize>

class QSvgRenderer;

namespace SvgDrawing {
// Paints the drawing over bounds of the image (the whole image when bounds
// is null); false when the deadline passes first and the rest is left out.
bool paint(QSvgRenderer &renderer, QImage *image, const QRectF &bounds, const QDeadlineTimer &deadline);

// The drawing stretched over white into an opaque image of the size; a null
// image when it is no drawing, inflates beyond the drawing size limit, or is
// not painted within timeoutMs (counted from the call).
QImage render(const QByteArray &drawing, const QSize &size, int timeoutMs);
} // namespace SvgDrawing

#endif
