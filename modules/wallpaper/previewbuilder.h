#ifndef PREVIEWBUILDER_H
#define PREVIEWBUILDER_H

#include "logoposition.h"
#include "wallpaperstyle.h"

#include <QObject>
#include <QPixmap>
#include <QString>

#include <memory>

class PreviewBuilderPrivate;

// Renders the picture of the desktop: the wallpaper placed on a screen-sized
// canvas by its style, with the logo over it. Every changed input redraws
// the picture and hands it out through pixmapChanged().
class PreviewBuilder : public QObject
{
    Q_OBJECT
public:
    explicit PreviewBuilder(QObject *parent = nullptr);
    ~PreviewBuilder() override;

    // The "#rrggbb" form of a "#" colour text; grey for any other text.
    static QString getBackgroundColorString(const QString &text);
    // A shade of the colour that differs visibly from it.
    static QString fixWallpaperColor(const QString &color);

public Q_SLOTS:
    void setWallpaper(const QString &wallpaper);
    void setWallpaperStyle(WallpaperStyle::Value style);
    void setLogo(const QString &logo);
    void setLogoPosition(LogoPosition::Value position);
    void setUseCurrentScreen(bool useCurrentScreen);
    void setPrimaryColor(const QString &color);

Q_SIGNALS:
    void pixmapChanged(const QPixmap &pixmap);

private:
    void redraw();

    std::unique_ptr<PreviewBuilderPrivate> const d;
};

#endif
