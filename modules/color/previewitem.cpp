#include "previewitem.h"

#include "themeicon.h"

#include <KLocalizedString>

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>
#include <QSGSimpleTextureNode>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

class PreviewItemPrivate
{
public:
    explicit PreviewItemPrivate(const PreviewItem *item)
        : q(item)
    {
    }

    void drawTitleBar(QPainter *painter) const;
    QRect drawRadioButtons(QPainter *painter) const;
    QRect drawCheckBoxes(QPainter *painter, const QRect &previous) const;
    void drawProgress(QPainter *painter, const QRect &previous) const;
    QRect drawComboBox(QPainter *painter) const;
    QRect drawTextField(QPainter *painter, const QRect &previous) const;
    QRect drawSpinBox(QPainter *painter, const QRect &previous) const;
    QRect drawButton(QPainter *painter, const QRect &previous) const;
    QRect drawSlider(QPainter *painter, const QRect &previous) const;
    void drawTextArea(QPainter *painter, const QRect &previous) const;

    // A group box holding two buttons (radio or check), the first one checked.
    QRect drawButtonGroup(QPainter *painter, int top, const QString &title, const QString &first, const QString &second, QStyle::ControlElement element) const;
    // The option's state and palette: controls of an inactive window are not
    // enabled and take the given colour group.
    void prepare(QStyleOption &option, const QRect &rect, QPalette::ColorGroup inactiveGroup) const;
    // A text of the item itself inside a control, in the control's text colour.
    void drawControlText(QPainter *painter, const QRect &control, const QPalette &palette, const QString &text) const;

    int leftColumnX() const;
    int rightColumnX() const;
    int columnWidth() const;

    const PreviewItem *const q;

    bool active = true;
    double radius = 0;
    QColor borderColor = Qt::black;
    QColor windowTitleColor = Qt::blue;
    QColor windowTitleTextColor = Qt::white;
    QFont font;
    QPalette palette;
    const double titleHeight = 32.0;
    const double spacing = 12.0;
    const double iconSize = 16.0;

    // Painted on the GUI thread, uploaded by updatePaintNode().
    QImage image;
};

namespace {
// The widget style exists only in a widget application.
QStyle *widgetStyle()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
}

// Each drawing step starts from a painter as a widget gets it (styles rely
// on the brush being empty) and leaves it as it found it.
class FreshPainterState
{
public:
    explicit FreshPainterState(QPainter *painter)
        : m_painter(painter)
    {
        m_painter->save();
        m_painter->setPen(QPen());
        m_painter->setBrush(Qt::NoBrush);
    }
    ~FreshPainterState()
    {
        m_painter->restore();
    }
    FreshPainterState(const FreshPainterState &) = delete;
    FreshPainterState &operator=(const FreshPainterState &) = delete;

private:
    QPainter *const m_painter;
};
} // namespace

PreviewItem::PreviewItem(QQuickItem *parent)
    : QQuickItem(parent)
    , d(new PreviewItemPrivate(this))
{
    setFlag(ItemHasContents, true);
    connect(this, &PreviewItem::activeChanged, this, &PreviewItem::scheduleRepaint);
    connect(this, &PreviewItem::radiusChanged, this, &PreviewItem::scheduleRepaint);
    connect(this, &PreviewItem::borderColorChanged, this, &PreviewItem::scheduleRepaint);
    connect(this, &PreviewItem::windowTitleColorChanged, this, &PreviewItem::scheduleRepaint);
    connect(this, &PreviewItem::windowTitleTextColorChanged, this, &PreviewItem::scheduleRepaint);
    connect(this, &PreviewItem::fontChanged, this, &PreviewItem::scheduleRepaint);
    connect(this, &PreviewItem::paletteChanged, this, &PreviewItem::scheduleRepaint);
}

PreviewItem::~PreviewItem() = default;

bool PreviewItem::active() const
{
    return d->active;
}

void PreviewItem::setActive(bool active)
{
    if (d->active != active) {
        d->active = active;
        Q_EMIT activeChanged();
    }
}

double PreviewItem::radius() const
{
    return d->radius;
}

void PreviewItem::setRadius(double radius)
{
    if (!qFuzzyCompare(d->radius, radius)) {
        d->radius = radius;
        Q_EMIT radiusChanged();
    }
}

const QColor &PreviewItem::borderColor() const
{
    return d->borderColor;
}

void PreviewItem::setBorderColor(const QColor &color)
{
    if (d->borderColor != color) {
        d->borderColor = color;
        Q_EMIT borderColorChanged();
    }
}

const QColor &PreviewItem::windowTitleColor() const
{
    return d->windowTitleColor;
}

void PreviewItem::setWindowTitleColor(const QColor &color)
{
    if (d->windowTitleColor != color) {
        d->windowTitleColor = color;
        Q_EMIT windowTitleColorChanged();
    }
}

const QColor &PreviewItem::windowTitleTextColor() const
{
    return d->windowTitleTextColor;
}

void PreviewItem::setWindowTitleTextColor(const QColor &color)
{
    if (d->windowTitleTextColor != color) {
        d->windowTitleTextColor = color;
        Q_EMIT windowTitleTextColorChanged();
    }
}

const QFont &PreviewItem::font() const
{
    return d->font;
}

void PreviewItem::setFont(const QFont &font)
{
    if (d->font != font) {
        d->font = font;
        Q_EMIT fontChanged();
    }
}

const QPalette &PreviewItem::palette() const
{
    return d->palette;
}

void PreviewItem::setPalette(const QPalette &palette)
{
    if (d->palette != palette) {
        d->palette = palette;
        Q_EMIT paletteChanged();
    }
}

void PreviewItem::scheduleRepaint()
{
    polish();
    update();
}

void PreviewItem::geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChanged(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) {
        scheduleRepaint();
    }
}

void PreviewItem::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged) {
        scheduleRepaint();
    }
}

void PreviewItem::updatePolish()
{
    d->image = paintImage();
}

QImage PreviewItem::paintImage() const
{
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : qApp->devicePixelRatio();
    const int width = int(this->width());
    const int height = int(this->height());
    const QSize pixels(qRound(width * ratio), qRound(height * ratio));
    if (pixels.isEmpty()) {
        return QImage();
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);

    const QPen borderPen(d->borderColor, 1.0);
    const qreal half = borderPen.widthF() / 2;
    const QRectF body(half, half, width - 2 * half, height - 2 * half);
    painter.setPen(Qt::NoPen);
    painter.setBrush(d->palette.color(QPalette::Window));
    painter.drawRoundedRect(body, d->radius, d->radius);

    d->drawTitleBar(&painter);
    if (widgetStyle()) {
        d->drawProgress(&painter, d->drawCheckBoxes(&painter, d->drawRadioButtons(&painter)));
        QRect rect = d->drawComboBox(&painter);
        rect = d->drawTextField(&painter, rect);
        rect = d->drawSpinBox(&painter, rect);
        rect = d->drawButton(&painter, rect);
        rect = d->drawSlider(&painter, rect);
        d->drawTextArea(&painter, rect);
    }

    painter.setPen(borderPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, d->radius, d->radius);
    painter.end();
    return image;
}

QSGNode *PreviewItem::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data)
{
    Q_UNUSED(data)
    auto node = static_cast<QSGSimpleTextureNode *>(oldNode);
    // The scene graph cannot draw a texture node without a texture.
    if (d->image.isNull() || !window()) {
        delete node;
        return nullptr;
    }
    if (!node) {
        node = new QSGSimpleTextureNode;
        node->setOwnsTexture(true);
    }
    node->setTexture(window()->createTextureFromImage(d->image));
    node->setRect(boundingRect());
    return node;
}

int PreviewItemPrivate::leftColumnX() const
{
    return int(spacing);
}

int PreviewItemPrivate::rightColumnX() const
{
    return int(spacing / 2 + q->width() / 2);
}

int PreviewItemPrivate::columnWidth() const
{
    return int(q->width() / 2 - spacing);
}

void PreviewItemPrivate::prepare(QStyleOption &option, const QRect &rect, QPalette::ColorGroup inactiveGroup) const
{
    option.rect = rect;
    option.palette = palette;
    if (active) {
        option.state |= QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(QPalette::Active);
    } else {
        option.state &= ~QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(inactiveGroup);
    }
}

void PreviewItemPrivate::drawControlText(QPainter *painter, const QRect &control, const QPalette &palette, const QString &text) const
{
    const int inset = int(spacing / 2);
    painter->setFont(font);
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(control.adjusted(inset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void PreviewItemPrivate::drawTitleBar(QPainter *painter) const
{
    const FreshPainterState state(painter);
    const qreal width = q->width();
    painter->setPen(Qt::NoPen);
    painter->setBrush(windowTitleColor);
    const qreal r = std::min({radius + 1, titleHeight / 2, width / 2});
    if (r < 0.5) {
        painter->drawRect(QRectF(0, 0, width, titleHeight));
    } else {
        QPainterPath path;
        path.moveTo(0, titleHeight);
        path.lineTo(width, titleHeight);
        path.lineTo(width, r);
        path.arcTo(QRectF(width - 2 * r, 0, 2 * r, 2 * r), 0, 90);
        path.lineTo(r, 0);
        path.arcTo(QRectF(0, 0, 2 * r, 2 * r), 90, 90);
        path.lineTo(0, titleHeight);
        path.closeSubpath();
        painter->drawPath(path);
    }

    const qreal iconTop = (titleHeight - iconSize) / 2;
    painter->drawPixmap(QPointF(spacing, iconTop), ThemeIcon::pixmap(QStringLiteral("computer"), 16));

    painter->setFont(font);
    painter->setPen(windowTitleTextColor);
    painter->drawText(
        QRectF(iconSize + 2 * spacing, 0, width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter, active ? i18n("Active Window") : i18n("Inactive Window"));

    const QStringList buttons = {QStringLiteral("window-minimize"), QStringLiteral("window-maximize"), QStringLiteral("window-close")};
    for (int i = int(buttons.size()) - 1; i >= 0; --i) {
        const QPixmap pixmap = ThemeIcon::pixmap(buttons.at(i), int(iconSize));
        if (pixmap.isNull()) {
            continue;
        }
        QPixmap tinted = pixmap;
        QPainter tint(&tinted);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(tinted.rect(), windowTitleTextColor);
        tint.end();
        const qreal x = width - iconSize - spacing - (spacing + iconSize) * (2 - i);
        painter->drawPixmap(QPointF(x, iconTop), tinted);
    }
}

QRect PreviewItemPrivate::drawButtonGroup(
    QPainter *painter, int top, const QString &title, const QString &first, const QString &second, QStyle::ControlElement element) const
{
    const FreshPainterState state(painter);
    QStyle *style = widgetStyle();
    const QStyle::ContentsType contents = element == QStyle::CE_RadioButton ? QStyle::CT_RadioButton : QStyle::CT_CheckBox;
    const int m = int(spacing);

    QStyleOptionButton buttons[2];
    const QString texts[2] = {first, second};
    int nextTop = top + 2 * m;
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton &button = buttons[i];
        prepare(button, QRect(), QPalette::Disabled);
        button.text = texts[i];
        button.state |= i == 0 ? QStyle::State_On : QStyle::State_Off;
        const QSize size = style->sizeFromContents(contents, &button, button.fontMetrics.size(Qt::TextShowMnemonic, button.text));
        button.rect = QRect(QPoint(2 * m, nextTop), size);
        nextTop += size.height();
    }

    QStyleOptionGroupBox box;
    prepare(box, QRect(leftColumnX(), top, columnWidth(), buttons[0].rect.height() + buttons[1].rect.height() + 3 * m), QPalette::Disabled);
    box.text = title;
    box.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    box.features = QStyleOptionFrame::None;
    // Styles place the label as a group box widget sees itself, at its own origin.
    const QRect boxRect = box.rect;
    painter->translate(boxRect.topLeft());
    box.rect.moveTo(0, 0);
    style->drawComplexControl(QStyle::CC_GroupBox, &box, painter);
    painter->translate(-boxRect.topLeft());
    for (const QStyleOptionButton &button : buttons) {
        style->drawControl(element, &button, painter);
    }
    return boxRect;
}

QRect PreviewItemPrivate::drawRadioButtons(QPainter *painter) const
{
    return drawButtonGroup(painter, int(titleHeight + spacing), i18n("Group 1"), i18n("RadioButton 1"), i18n("RadioButton 2"), QStyle::CE_RadioButton);
}

QRect PreviewItemPrivate::drawCheckBoxes(QPainter *painter, const QRect &previous) const
{
    return drawButtonGroup(painter, previous.bottom() + 1 + int(spacing), i18n("Group 2"), i18n("CheckBox 1"), i18n("CheckBox 2"), QStyle::CE_CheckBox);
}

void PreviewItemPrivate::drawProgress(QPainter *painter, const QRect &previous) const
{
    const FreshPainterState state(painter);
    QStyleOptionProgressBar option;
    prepare(option, QRect(leftColumnX(), previous.bottom() + 1 + int(spacing), columnWidth(), 16), QPalette::Inactive);
    option.state |= QStyle::State_Horizontal;
    option.orientation = Qt::Horizontal;
    option.minimum = 0;
    option.maximum = 100;
    option.progress = 50;
    widgetStyle()->drawControl(QStyle::CE_ProgressBar, &option, painter);
}

QRect PreviewItemPrivate::drawComboBox(QPainter *painter) const
{
    const FreshPainterState state(painter);
    QStyleOptionComboBox option;
    prepare(option, QRect(rightColumnX(), int(titleHeight + spacing), columnWidth(), 32), QPalette::Inactive);
    option.currentText = i18n("ComboBox");
    option.editable = false;
    option.frame = true;
    QStyle *style = widgetStyle();
    style->drawComplexControl(QStyle::CC_ComboBox, &option, painter);
    style->drawControl(QStyle::CE_ComboBoxLabel, &option, painter);
    return option.rect;
}

QRect PreviewItemPrivate::drawTextField(QPainter *painter, const QRect &previous) const
{
    const FreshPainterState state(painter);
    QStyleOptionFrame option;
    prepare(option, QRect(rightColumnX(), previous.bottom() + 1 + int(spacing) + 1, columnWidth(), 32), QPalette::Inactive);
    option.lineWidth = 1;
    widgetStyle()->drawPrimitive(QStyle::PE_FrameLineEdit, &option, painter);
    drawControlText(painter, option.rect, option.palette, i18n("TextField"));
    return option.rect;
}

QRect PreviewItemPrivate::drawSpinBox(QPainter *painter, const QRect &previous) const
{
    const FreshPainterState state(painter);
    QStyleOptionSpinBox option;
    prepare(option, QRect(rightColumnX(), previous.bottom() + 1 + int(spacing) + 1, columnWidth(), 32), QPalette::Inactive);
    option.subControls = QStyle::SC_All;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = true;
    widgetStyle()->drawComplexControl(QStyle::CC_SpinBox, &option, painter);
    drawControlText(painter, option.rect, option.palette, QStringLiteral("0"));
    return option.rect;
}

QRect PreviewItemPrivate::drawButton(QPainter *painter, const QRect &previous) const
{
    const FreshPainterState state(painter);
    QStyleOptionButton option;
    prepare(option, QRect(rightColumnX(), previous.bottom() + 1 + int(spacing), columnWidth(), 32), QPalette::Disabled);
    option.text = i18n("Button");
    widgetStyle()->drawControl(QStyle::CE_PushButton, &option, painter);
    return option.rect;
}

QRect PreviewItemPrivate::drawSlider(QPainter *painter, const QRect &previous) const
{
    const FreshPainterState state(painter);
    QStyleOptionSlider option;
    prepare(option, QRect(rightColumnX(), previous.bottom() + 1 + int(spacing), columnWidth(), 16), QPalette::Inactive);
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Horizontal;
    option.minimum = 0;
    option.maximum = 100;
    option.sliderPosition = 50;
    option.sliderValue = 50;
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    option.activeSubControls = QStyle::SC_SliderHandle;
    widgetStyle()->drawComplexControl(QStyle::CC_Slider, &option, painter);
    return option.rect;
}

void PreviewItemPrivate::drawTextArea(QPainter *painter, const QRect &previous) const
{
    // Room for a text area below the slider; nothing is drawn there yet.
    Q_UNUSED(painter)
    Q_UNUSED(previous)
}
