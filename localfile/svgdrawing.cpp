#include "svgdrawing.h"

#include "localfile.h"
#include "localimage.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QHash>
#include <QImageReader>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

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

// True when the tag, with or without a prefix, is the name: the renderer
// takes elements by their local name, whatever their namespace.
bool isTag(const QStringRef &tag, QLatin1String name)
{
    return tag == name || (tag.endsWith(name) && tag.at(tag.size() - name.size() - 1) == QLatin1Char(':'));
}

bool isLink(const QXmlStreamAttribute &attribute)
{
    const QStringRef key = attribute.qualifiedName();
    return key == QLatin1String("href") || key.endsWith(QLatin1String(":href"));
}

// True when the first of Qt's readers that takes the bytes is the reader of
// the format told from them: bytes may be a picture of a format decoded here
// and one of another (an XPM that is also an XBM, a BMP that is also a TGA),
// and Qt asks its readers in an order of its own. Qt's XBM reader, asked
// before the XPM one, decodes the picture to tell whether it takes it: an
// XPM that holds its header's words is not asked about.
bool readByItsFormat(const QByteArray &picture)
{
    const QByteArray format = LocalImage::format(picture.left(64));
    if (format == "xpm" && picture.contains("#define")) {
        return false;
    }
    QByteArray bytes = picture;
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::ReadOnly) && QImageReader(&buffer).format() == format;
}

// Takes the pixels of a picture that an <image> names out of the budget;
// false when the picture is not one that the renderer decodes within it. The
// renderer opens any file named, a fifo too, while it parses: only embedded
// pictures are taken. It reads a reference beginning "data" as embedded,
// decodes what follows its last "base64," whole with the first of Qt's
// readers that takes the bytes: a picture is taken only as
// LocalImage::fromData() would take it whole, of a format whose header gives
// the size decoded, and when that reader is its format's; a drawing would be
// painted by a reader without these limits.
bool takeEmbedded(const QStringRef &reference, qint64 *budget)
{
    if (reference.isEmpty()) {
        return true;
    }
    if (!reference.startsWith(QLatin1String("data"))) {
        return false;
    }
    const int start = reference.lastIndexOf(QLatin1String("base64,"));
    if (start < 0) {
        return true;
    }
    const QByteArray picture = QByteArray::fromBase64(reference.mid(start + 7).toLatin1());
    const QSize size = LocalImage::rasterSize(picture);
    if (size.isEmpty() || !readByItsFormat(picture)) {
        return false;
    }
    *budget -= qint64(size.width()) * size.height();
    return *budget >= 0;
}

// The elements of the drawing as its renderer walks them, each <use> counted
// as the element it names; more than maxElements is given as maxElements + 1.
// None when the drawing reaches outside itself: a style sheet named by a
// processing instruction or an <image> naming a file, which the renderer
// would read while it parses, or embedded pictures beyond maxPixels together.
// One pass over the text makes a node of every element with an id (its own
// elements, and links to the nodes and names inside it) and of every name (a
// link to each element of that id); the nodes are then summed each once, a
// name as its largest element. A name that is missing or leads back into
// itself counts as nothing: the renderer refuses such a <use>.
std::optional<qint64> walkedElements(const QByteArray &text)
{
    constexpr qint64 limit = SvgDrawing::maxElements + 1;
    // A node's own elements, or -1 for a name; node 0 is the whole drawing.
    std::vector<qint64> own{0};
    std::vector<std::pair<int, int>> links;
    QHash<QString, int> names;
    const auto name = [&](const QStringRef &id) {
        const QString key = id.toString();
        auto entry = names.find(key);
        if (entry == names.end()) {
            entry = names.insert(key, int(own.size()));
            own.push_back(-1);
        }
        return entry.value();
    };

    QXmlStreamReader reader(text);
    reader.setNamespaceProcessing(false);
    // The node that each open element counts in.
    std::vector<int> open;
    qint64 elements = 0;
    qint64 pixels = LocalImage::maxPixels;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            open.pop_back();
        }
        if (token == QXmlStreamReader::ProcessingInstruction &&
            reader.processingInstructionTarget().compare(QLatin1String("xml-stylesheet"), Qt::CaseInsensitive) == 0) {
            return std::nullopt;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        if (++elements >= limit) {
            return limit;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        int node = open.empty() ? 0 : open.back();
        QStringRef id = attributes.value(QLatin1String("id"));
        if (id.isEmpty()) {
            id = attributes.value(QLatin1String("xml:id"));
        }
        if (!id.isEmpty()) {
            const int element = int(own.size());
            own.push_back(0);
            links.emplace_back(node, element);
            links.emplace_back(name(id), element);
            node = element;
        }
        ++own[node];
        const QStringRef tag = reader.qualifiedName();
        if (isTag(tag, QLatin1String("image"))) {
            for (const QXmlStreamAttribute &attribute : attributes) {
                if (isLink(attribute) && !takeEmbedded(attribute.value(), &pixels)) {
                    return std::nullopt;
                }
            }
        }
        if (isTag(tag, QLatin1String("use"))) {
            // The renderer drops the first character, meant to be '#'.
            int named = -1;
            for (const QXmlStreamAttribute &attribute : attributes) {
                if (isLink(attribute)) {
                    const int target = name(attribute.value().mid(1));
                    if (target != named) {
                        links.emplace_back(node, target);
                        named = target;
                    }
                }
            }
        }
        open.push_back(node);
    }

    // The links by the node they leave.
    const int count = int(own.size());
    std::vector<int> first(count + 1, 0);
    for (const auto &link : links) {
        ++first[link.first + 1];
    }
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::vector<int> targets(links.size());
    std::vector<int> next(first.begin(), first.end() - 1);
    for (const auto &link : links) {
        targets[next[link.first]++] = link.second;
    }
    links = {};

    // Summed depth first without recursion; a node being summed counts as nothing.
    constexpr qint64 unseen = -1;
    constexpr qint64 summing = -2;
    std::vector<qint64> size(count, unseen);
    std::vector<std::pair<int, int>> stack{{0, first[0]}};
    size[0] = summing;
    while (!stack.empty()) {
        auto &[node, link] = stack.back();
        if (link < first[node + 1]) {
            const int target = targets[link++];
            if (size[target] == unseen) {
                size[target] = summing;
                stack.emplace_back(target, first[target]);
            }
            continue;
        }
        qint64 sum = std::max<qint64>(own[node], 0);
        for (int i = first[node]; i < first[node + 1]; ++i) {
            const qint64 part = std::max<qint64>(size[targets[i]], 0);
            sum = own[node] < 0 ? std::max(sum, part) : std::min(sum + part, limit);
        }
        size[node] = sum;
        stack.pop_back();
    }
    return size[0];
}
} // namespace

std::unique_ptr<QSvgRenderer> SvgDrawing::load(const QByteArray &drawing)
{
    const std::optional<QByteArray> text = LocalImage::drawingText(drawing);
    if (!text || text->size() > LocalFile::sizeLimit(LocalFile::Kind::Svg)) {
        return nullptr;
    }
    const std::optional<qint64> elements = walkedElements(*text);
    if (!elements || *elements > maxElements) {
        return nullptr;
    }
    auto renderer = std::make_unique<QSvgRenderer>(*text);
    return renderer->isValid() ? std::move(renderer) : nullptr;
}

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
    if (size.isEmpty() || qint64(size.width()) * size.height() > LocalImage::maxPixels) {
        return QImage();
    }
    const std::unique_ptr<QSvgRenderer> renderer = load(drawing);
    if (!renderer || deadline.hasExpired()) {
        return QImage();
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        return QImage();
    }
    image.fill(Qt::white);
    return paint(*renderer, &image, QRectF(), deadline) ? image : QImage();
}
