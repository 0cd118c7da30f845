#include "svgdrawing.h"

#include "localimage.h"

#include <QDeadlineTimer>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <optional>

namespace {
// Paints into an image through a painter of its own until the deadline; after
// it every drawing call is dropped, so that the renderer runs through the rest
// of the drawing at once.
class DeadlinePaintEngine : public QPaintEngine
{
public:
    DeadlinePaintEngine(QImage *image, const QDeadlineTimer &deadline)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_image(image)
        , m_deadline(deadline)
    {
    }

    bool expired() const
    {
        return m_expired;
    }

    bool begin(QPaintDevice *) override
    {
        return m_painter.begin(m_image);
    }

    bool end() override
    {
        return m_painter.end();
    }

    Type type() const override
    {
        return QPaintEngine::User;
    }

    void updateState(const QPaintEngineState &state) override
    {
        // Nothing is painted past the deadline: the state need not follow.
        if (m_expired) {
            return;
        }
        const DirtyFlags flags = state.state();
        // The transform first: a clip is given in the coordinates of its own.
        if (flags & DirtyTransform) {
            m_painter.setTransform(state.transform());
        }
        if (flags & DirtyClipEnabled) {
            m_painter.setClipping(state.isClipEnabled());
        }
        if (flags & DirtyClipRegion) {
            m_painter.setClipRegion(state.clipRegion(), state.clipOperation());
        }
        if (flags & DirtyClipPath) {
            m_painter.setClipPath(state.clipPath(), state.clipOperation());
        }
        if (flags & DirtyPen) {
            m_painter.setPen(state.pen());
        }
        if (flags & DirtyBrush) {
            m_painter.setBrush(state.brush());
        }
        if (flags & DirtyBrushOrigin) {
            m_painter.setBrushOrigin(state.brushOrigin());
        }
        if (flags & DirtyFont) {
            m_painter.setFont(state.font());
        }
        if (flags & DirtyBackground) {
            m_painter.setBackground(state.backgroundBrush());
        }
        if (flags & DirtyBackgroundMode) {
            m_painter.setBackgroundMode(state.backgroundMode());
        }
        if (flags & DirtyHints) {
            m_painter.setRenderHints(state.renderHints());
        }
        if (flags & DirtyCompositionMode) {
            m_painter.setCompositionMode(state.compositionMode());
        }
        if (flags & DirtyOpacity) {
            m_painter.setOpacity(state.opacity());
        }
    }

    void drawRects(const QRectF *rects, int count) override
    {
        if (painting()) {
            m_painter.drawRects(rects, count);
        }
    }

    void drawLines(const QLineF *lines, int count) override
    {
        if (painting()) {
            m_painter.drawLines(lines, count);
        }
    }

    void drawEllipse(const QRectF &rect) override
    {
        if (painting()) {
            m_painter.drawEllipse(rect);
        }
    }

    void drawPath(const QPainterPath &path) override
    {
        if (painting()) {
            m_painter.drawPath(path);
        }
    }

    void drawPoints(const QPointF *points, int count) override
    {
        if (painting()) {
            m_painter.drawPoints(points, count);
        }
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (!painting()) {
            return;
        }
        switch (mode) {
        case PolylineMode:
            m_painter.drawPolyline(points, count);
            break;
        case ConvexMode:
            m_painter.drawConvexPolygon(points, count);
            break;
        case WindingMode:
            m_painter.drawPolygon(points, count, Qt::WindingFill);
            break;
        case OddEvenMode:
            m_painter.drawPolygon(points, count, Qt::OddEvenFill);
            break;
        }
    }

    void drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) override
    {
        if (painting()) {
            m_painter.drawPixmap(rect, pixmap, source);
        }
    }

    void drawTiledPixmap(const QRectF &rect, const QPixmap &pixmap, const QPointF &offset) override
    {
        if (painting()) {
            m_painter.drawTiledPixmap(rect, pixmap, offset);
        }
    }

    void drawImage(const QRectF &rect, const QImage &image, const QRectF &source, Qt::ImageConversionFlags flags) override
    {
        if (painting()) {
            m_painter.drawImage(rect, image, source, flags);
        }
    }

    void drawTextItem(const QPointF &point, const QTextItem &item) override
    {
        if (painting()) {
            m_painter.drawTextItem(point, item);
        }
    }

private:
    bool painting()
    {
        m_expired = m_expired || m_deadline.hasExpired();
        return !m_expired;
    }

    QImage *const m_image;
    const QDeadlineTimer m_deadline;
    QPainter m_painter;
    bool m_expired = false;
};

// The image as a device that its deadline engine paints.
class DeadlineDevice : public QPaintDevice
{
public:
    DeadlineDevice(QImage *image, const QDeadlineTimer &deadline)
        : m_image(image)
        , m_engine(image, deadline)
    {
    }

    bool expired() const
    {
        return m_engine.expired();
    }

    QPaintEngine *paintEngine() const override
    {
        return &m_engine;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_image->width();
        case PdmHeight:
            return m_image->height();
        case PdmWidthMM:
            return m_image->widthMM();
        case PdmHeightMM:
            return m_image->heightMM();
        case PdmNumColors:
            return m_image->colorCount();
        case PdmDepth:
            return m_image->depth();
        case PdmDpiX:
            return m_image->logicalDpiX();
        case PdmDpiY:
            return m_image->logicalDpiY();
        case PdmPhysicalDpiX:
            return m_image->physicalDpiX();
        case PdmPhysicalDpiY:
            return m_image->physicalDpiY();
        case PdmDevicePixelRatio:
            return m_image->devicePixelRatio();
        case PdmDevicePixelRatioScaled:
            return int(m_image->devicePixelRatioF() * devicePixelRatioFScale());
        }
        return QPaintDevice::metric(metric);
    }

private:
    QImage *const m_image;
    mutable DeadlinePaintEngine m_engine;
};
} // namespace

bool SvgDrawing::paint(QSvgRenderer &renderer, QImage *image, const QRectF &bounds, const QDeadlineTimer &deadline)
{
    DeadlineDevice device(image, deadline);
    QPainter painter(&device);
    renderer.render(&painter, bounds);
    painter.end();
    return !device.expired();
}

QImage SvgDrawing::render(const QByteArray &drawing, const QSize &size, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const std::optional<QByteArray> text = LocalImage::drawingText(drawing);
    if (!text || size.isEmpty()) {
        return QImage();
    }
    QSvgRenderer renderer(*text);
    if (!renderer.isValid() || deadline.hasExpired()) {
        return QImage();
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        return QImage();
    }
    image.fill(Qt::white);
    return paint(renderer, &image, QRectF(), deadline) ? image : QImage();
}
