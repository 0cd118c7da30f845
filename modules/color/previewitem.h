#ifndef PREVIEWITEM_H
#define PREVIEWITEM_H

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QQuickItem>

#include <memory>

class PreviewItemPrivate;

// A mock window drawn with a palette: title bar with icon, caption and window
// buttons, and sample controls drawn by the application's widget style.
// The picture is painted on the GUI thread when the item is polished; the
// scene graph only uploads it.
class PreviewItem : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY radiusChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(QColor windowTitleColor READ windowTitleColor WRITE setWindowTitleColor NOTIFY windowTitleColorChanged)
    Q_PROPERTY(QColor windowTitleTextColor READ windowTitleTextColor WRITE setWindowTitleTextColor NOTIFY windowTitleTextColorChanged)
    Q_PROPERTY(QFont font READ font WRITE setFont NOTIFY fontChanged)
    Q_PROPERTY(QPalette palette READ palette WRITE setPalette NOTIFY paletteChanged)
public:
    explicit PreviewItem(QQuickItem *parent = nullptr);
    ~PreviewItem() override;

    bool active() const;
    void setActive(bool active);
    double radius() const;
    void setRadius(double radius);
    const QColor &borderColor() const;
    void setBorderColor(const QColor &color);
    const QColor &windowTitleColor() const;
    void setWindowTitleColor(const QColor &color);
    const QColor &windowTitleTextColor() const;
    void setWindowTitleTextColor(const QColor &color);
    const QFont &font() const;
    void setFont(const QFont &font);
    const QPalette &palette() const;
    void setPalette(const QPalette &palette);

    // The picture at the item's size and its window's pixel ratio (the
    // application's without a window); a null image for an empty item.
    QImage paintImage() const;

Q_SIGNALS:
    void activeChanged();
    void radiusChanged();
    void borderColorChanged();
    void windowTitleColorChanged();
    void windowTitleTextColorChanged();
    void fontChanged();
    void paletteChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;
    void updatePolish() override;
    void geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    void scheduleRepaint();

    std::unique_ptr<PreviewItemPrivate> const d;
};

#endif
