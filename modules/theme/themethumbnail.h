#ifndef THEMETHUMBNAIL_H
#define THEMETHUMBNAIL_H

#include <QQuickPaintedItem>
#include <QString>

#include <memory>

class ThemeThumbnailPrivate;

// The preview of one theme: its wallpaper (an image or a colour) in a
// rounded frame, under a small desktop drawn in the theme's colours.
// Images are decoded on the global thread pool, no larger than the item,
// once it has a size and again when it grows.
class ThemeThumbnail : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QString wallpaperPath READ wallpaperPath WRITE setWallpaperPath NOTIFY wallpaperPathChanged)
    Q_PROPERTY(QString colorScheme READ colorScheme WRITE setColorScheme NOTIFY colorSchemeChanged)
    Q_PROPERTY(QString borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(QString primaryColor READ primaryColor WRITE setPrimaryColor NOTIFY primaryColorChanged)
    Q_PROPERTY(QString backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY backgroundColorChanged)

public:
    explicit ThemeThumbnail(QQuickItem *parent = nullptr);
    ~ThemeThumbnail() override;

    QString wallpaperPath() const;
    // A "#" colour, or an image path or wallpaper name, which is stored
    // resolved; a name that resolves to no regular file is ignored.
    void setWallpaperPath(const QString &path);
    QString colorScheme() const;
    void setColorScheme(const QString &path);
    QString borderColor() const;
    void setBorderColor(const QString &color);
    QString primaryColor() const;
    void setPrimaryColor(const QString &color);
    QString backgroundColor() const;
    void setBackgroundColor(const QString &color);

    void paint(QPainter *painter) override;

protected:
    void geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry) override;

Q_SIGNALS:
    void themeChanged();
    void wallpaperPathChanged();
    void colorSchemeChanged();
    void borderColorChanged();
    void primaryColorChanged();
    void backgroundColorChanged();

private Q_SLOTS:
    void onWallpaperLoaded();

private:
    // Starts decoding the wallpaper image for the item's size, unless the
    // image held or coming is as large.
    void decodeWallpaper();
    void drawWallpaper(QPainter *painter);
    void drawUi(QPainter *painter);
    void resetColors();
    // Stores one of the values the colours are made from.
    void setColorSource(QString &field, const QString &value, void (ThemeThumbnail::*changed)());

    std::unique_ptr<ThemeThumbnailPrivate> const d;
};

#endif
