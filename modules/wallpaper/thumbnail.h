#ifndef THUMBNAIL_H
#define THUMBNAIL_H

#include <QColor>
#include <QPixmap>
#include <QQuickPaintedItem>
#include <QString>
#include <QUrl>

#include <memory>

class QMimeData;
class ThumbnailPrivate;

// Shows a picture in a rounded frame and takes image files and image data
// dropped on it. A dropped file is reported by its path; dropped image data
// is saved as a new PNG wallpaper file first.
class Thumbnail : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QPixmap pixmap READ pixmap WRITE setPixmap NOTIFY pixmapChanged)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth NOTIFY borderWidthChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(int radius READ radius WRITE setRadius NOTIFY radiusChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY textColorChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)

public:
    explicit Thumbnail(QQuickItem *parent = nullptr);
    ~Thumbnail() override;

    QPixmap pixmap() const;
    void setPixmap(const QPixmap &pixmap);
    int borderWidth() const;
    void setBorderWidth(int width);
    QColor borderColor() const;
    void setBorderColor(const QColor &color);
    int radius() const;
    void setRadius(int radius);
    QColor textColor() const;
    void setTextColor(const QColor &color);
    QColor color() const;
    void setColor(const QColor &color);

    void paint(QPainter *painter) override;

    // The image the drop carries as a file path: a readable local file, or
    // the image data saved as a new PNG. A null string when there is none.
    QString downloadImage(const QMimeData *data) const;
    // A "file" URL whose file the image reader can read.
    bool canReadImage(const QUrl &url) const;

Q_SIGNALS:
    void pixmapChanged();
    void borderWidthChanged();
    void borderColorChanged();
    void radiusChanged();
    void textColorChanged();
    void colorChanged();
    void fileDropped(const QString &path);
    void errorOccured(const QString &message);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setDragOver(bool dragOver);

    std::unique_ptr<ThumbnailPrivate> const d;
};

#endif
