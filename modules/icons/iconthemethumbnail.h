#ifndef ICONTHEMETHUMBNAIL_H
#define ICONTHEMETHUMBNAIL_H

#include <QQuickPaintedItem>
#include <QString>

#include <memory>

class IconThemeThumbnailPrivate;

// Six sample icons of an icon theme in three columns and two rows. The
// icons are decoded on Qt's thread pool, no larger than a cell, once the item
// has a size and again when it grows; a newer theme supersedes a pending load.
class IconThemeThumbnail : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QString theme READ theme WRITE setTheme NOTIFY themeChanged)

public:
    explicit IconThemeThumbnail(QQuickItem *parent = nullptr);
    ~IconThemeThumbnail() override;

    QString theme() const;
    void setTheme(const QString &theme);

    void paint(QPainter *painter) override;

protected:
    void geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry) override;

Q_SIGNALS:
    void themeChanged();

private:
    std::unique_ptr<IconThemeThumbnailPrivate> const d;
    QString m_theme;
};

#endif
