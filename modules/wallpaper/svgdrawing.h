/*
    Rendering an SVG drawing in process within bounds: the drawing, inflated
    when it is compressed, may be no larger than a drawing file may be, and it
    is painted for a limited time only.
*/
#ifndef SVGDRAWING_H
#define SVGDRAWING_H

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace SvgDrawing {
// The drawing stretched over white into an opaque image of the size; a null
// image when it is no drawing, inflates beyond the drawing size limit, or is
// not painted within timeoutMs (counted from the call).
QImage render(const QByteArray &drawing, const QSize &size, int timeoutMs);
} // namespace SvgDrawing

#endif
