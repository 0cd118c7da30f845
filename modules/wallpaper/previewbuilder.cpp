#include "previewbuilder.h"

#include "colorutils.h"
#include "localfile.h"
#include "localimage.h"
#include "moduleutils.h"
#include "wallpaperpaths.h"

#include <pexocolors.h>
#include <pexologo.h>
#include <pexowallpaper.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
const QString brandedLogoMarker = QStringLiteral("ulvar_logo");
const QString largeLogoMarker = QStringLiteral("red");
const QString whiteText = QStringLiteral("#FFFFFF");

qreal primaryScreenRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

// The logo file of a logo name, in the tone that reads on the primary colour.
QString logoPathForName(const QString &name, const QString &primaryColor, const QSize &screen)
{
    const auto shades = CreateShadeColors(primaryColor.toUtf8().constData());
    const auto shade = shades.find("600");
    const std::string text = textColorFor(shade == shades.end() ? "" : shade->second.c_str());
    const char *tone = QString::fromUtf8(text.c_str()) == whiteText ? "white" : "black";
    return QString::fromUtf8(FindDefaultLogoPath(QFile::encodeName(name).constData(), screen.width(), screen.height(), tone).c_str());
}

// Paints with the source replacing the destination.
void replaceWith(QImage &canvas, const std::function<void(QPainter &)> &draw)
{
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(painter);
}
} // namespace

class PreviewBuilderPrivate
{
public:
    QString wallpaper;
    WallpaperStyle::Value style = WallpaperStyle::Crop;
    QString logo;
    LogoPosition::Value logoPosition = LogoPosition::BottomRight;
    bool useCurrentScreen = false;
    QString primaryColor;

    QImage render() const;
    QImage placeWallpaper(QImage canvas, const QString &source, const QRect &screen, qreal ratio) const;
    void drawLogo(QImage &result, const QRect &screen, qreal ratio) const;
};

PreviewBuilder::PreviewBuilder(QObject *parent)
    : QObject(parent)
    , d(new PreviewBuilderPrivate)
{
}

PreviewBuilder::~PreviewBuilder() = default;

QString PreviewBuilder::getBackgroundColorString(const QString &text)
{
    if (text.startsWith(QLatin1Char('#'))) {
        return QColor(text).name();
    }
    return QColor(Qt::gray).name();
}

QString PreviewBuilder::fixWallpaperColor(const QString &color)
{
    return ColorUtils::fixWallpaperColor(color);
}

void PreviewBuilder::setWallpaper(const QString &wallpaper)
{
    if (d->wallpaper != wallpaper) {
        d->wallpaper = wallpaper;
        redraw();
    }
}

void PreviewBuilder::setWallpaperStyle(WallpaperStyle::Value style)
{
    if (d->style != style) {
        d->style = style;
        redraw();
    }
}

void PreviewBuilder::setLogo(const QString &logo)
{
    if (d->logo != logo) {
        d->logo = logo;
        redraw();
    }
}

void PreviewBuilder::setLogoPosition(LogoPosition::Value position)
{
    if (d->logoPosition != position) {
        d->logoPosition = position;
        redraw();
    }
}

void PreviewBuilder::setUseCurrentScreen(bool useCurrentScreen)
{
    if (d->useCurrentScreen != useCurrentScreen) {
        d->useCurrentScreen = useCurrentScreen;
        redraw();
    }
}

void PreviewBuilder::setPrimaryColor(const QString &color)
{
    if (d->primaryColor != color) {
        d->primaryColor = color;
        redraw();
    }
}

void PreviewBuilder::redraw()
{
    Q_EMIT pixmapChanged(QPixmap::fromImage(d->render()));
}

QImage PreviewBuilderPrivate::render() const
{
    const QRect screen = Kcm::Utils::screenGeometry(useCurrentScreen);
    if (screen.isEmpty()) {
        return QImage();
    }

    QString source = wallpaper;
    bool plain = !WallpaperPaths::namesFile(wallpaper) || !LocalFile::isUsable(wallpaper, LocalFile::Kind::Image);
    if (plain) {
        const std::string found =
            FindWallPaperByName(wallpaper.toLocal8Bit().constData(), screen.width(), screen.height(), nullptr, primaryColor.toUtf8().constData());
        const QString path = QString::fromUtf8(found.c_str());
        if (LocalFile::isUsable(path, LocalFile::Kind::Image)) {
            source = path;
            plain = false;
        }
    }

    const qreal ratio = primaryScreenRatio();
    QImage canvas(screen.size(), QImage::Format_ARGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(QColor(PreviewBuilder::getBackgroundColorString(wallpaper)));

    QImage result = canvas;
    if (!plain) {
        result = placeWallpaper(canvas, source, screen, ratio);
    }
    if (!logo.isEmpty() && logoPosition != LogoPosition::NotShow) {
        drawLogo(result, screen, ratio);
    }
    return result;
}

// The wallpaper placed by the style, decoded no larger than it is shown. An
// image that cannot be read, or is too small to crop, leaves the plain canvas.
QImage PreviewBuilderPrivate::placeWallpaper(QImage canvas, const QString &source, const QRect &screen, qreal ratio) const
{
    const int width = screen.width();
    const int height = screen.height();
    const QSize natural = LocalImage::size(source);
    if (natural.isEmpty()) {
        return canvas;
    }
    // Where the image's top-left pixel goes when it is drawn at its own size.
    const QPoint origin(int((width - natural.width()) / ratio * 0.5), int((height - natural.height()) / ratio * 0.5));
    // The part of the image that is read, in its own pixels.
    QRect part(QPoint(0, 0), natural);
    QImage image;
    switch (style) {
    case WallpaperStyle::Stretch: {
        const QSize stretched(int(natural.width() * (double(width) / natural.width())), int(natural.height() * (double(height) / natural.height())));
        image = LocalImage::read(source, natural.scaled(stretched, Qt::KeepAspectRatioByExpanding));
        if (!image.isNull() && image.size() != stretched) {
            image = image.scaled(stretched, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        break;
    }
    case WallpaperStyle::Tile:
        // Tiles larger than the screen show their top-left part only.
        part &= QRect(0, 0, width, height);
        image = LocalImage::readPart(source, part);
        break;
    case WallpaperStyle::Center:
        // One pixel more on each side, for an origin between device pixels.
        part &= QRect(QPoint(-int(origin.x() * ratio) - 1, -int(origin.y() * ratio) - 1), QSize(width + 2, height + 2));
        image = LocalImage::readPart(source, part);
        break;
    case WallpaperStyle::Fit:
        image = LocalImage::read(source, QSize(width, height));
        break;
    case WallpaperStyle::Crop:
        image = LocalImage::read(source, natural.scaled(QSize(width, height), Qt::KeepAspectRatioByExpanding));
        break;
    }
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        return canvas;
    }
    image.setDevicePixelRatio(ratio);
    const int iw = image.width();
    const int ih = image.height();

    switch (style) {
    case WallpaperStyle::Stretch:
        // Converted, so that the logo can be painted over any image format.
        return image.convertToFormat(QImage::Format_ARGB32);
    case WallpaperStyle::Tile: {
        // A step below one logical pixel would never advance.
        const int stepX = std::max(1, int(natural.width() / ratio));
        const int stepY = std::max(1, int(natural.height() / ratio));
        replaceWith(canvas, [&](QPainter &painter) {
            for (int x = 0; x < width; x += stepX) {
                for (int y = 0; y < height; y += stepY) {
                    painter.drawImage(QPoint(x, y), image);
                }
            }
        });
        break;
    }
    case WallpaperStyle::Center:
    case WallpaperStyle::Fit:
    case WallpaperStyle::Crop: {
        if (style == WallpaperStyle::Center || (iw < width && ih < height)) {
            replaceWith(canvas, [&](QPainter &painter) {
                if (part.topLeft().isNull()) {
                    painter.drawImage(origin, image);
                } else {
                    painter.drawImage(QPointF(origin) + QPointF(part.topLeft()) / ratio, image);
                }
            });
        } else if (style == WallpaperStyle::Fit) {
            // In the painter's logical pixels, as the canvas has the ratio.
            const QSize room(int(width / ratio), int(height / ratio));
            const QSize fitted = QSize(iw, ih).scaled(room, Qt::KeepAspectRatio);
            replaceWith(canvas, [&](QPainter &painter) {
                painter.drawImage(QRect(QPoint((room.width() - fitted.width()) / 2, (room.height() - fitted.height()) / 2), fitted), image);
            });
        } else {
            double factor = double(iw) / width;
            double cropHeight = factor * height;
            if (ih < cropHeight) {
                factor = double(ih) / height;
                cropHeight = height * factor;
            }
            const int cw = int(width * factor);
            const int ch = int(cropHeight);
            if (cw <= 0 || ch <= 0) {
                return canvas;
            }
            replaceWith(canvas, [&](QPainter &painter) {
                painter.drawImage(QRect(0, 0, int(width / ratio), int(height / ratio)), image, QRect((iw - cw) / 2, (ih - ch) / 2, cw, ch));
            });
        }
        break;
    }
    }
    return canvas;
}

// Draws the logo over result. A logo that cannot be read is left out.
void PreviewBuilderPrivate::drawLogo(QImage &result, const QRect &screen, qreal ratio) const
{
    const int width = screen.width();
    const int height = screen.height();
    // A file by its absolute path, else a bare name without a suffix.
    const bool isName = !WallpaperPaths::namesNoFile(logo) && !logo.contains(QLatin1Char('/')) && QFileInfo(logo).completeSuffix().isEmpty();
    const QString path = WallpaperPaths::namesFile(logo) ? logo : isName ? logoPathForName(logo, primaryColor, screen.size()) : QString();
    if (path.isEmpty()) {
        return;
    }

    const QSize natural = LocalImage::size(path);
    if (natural.isEmpty()) {
        return;
    }
    double logoWidth = natural.width();
    double logoHeight = natural.height();
    if (path.contains(brandedLogoMarker) && path.endsWith(QLatin1String(".svg"))) {
        logoWidth = path.contains(largeLogoMarker) ? width / 5 : width / 10;
        logoHeight = double(natural.height()) / natural.width() * logoWidth;
    }
    const QSize size(static_cast<int>(logoWidth), static_cast<int>(logoHeight));
    if (size.isEmpty()) {
        return;
    }

    int x = 0;
    int y = 0;
    CalcLogoPosition(size.width(), size.height(), screen.x(), screen.y(), width, height, LogoPosition::toString(logoPosition).toLatin1().constData(), &x, &y);

    const QPoint at(int(std::lround(x / ratio)), int(std::lround(y / ratio)));
    // Drawn at its own size, a logo may be larger than the screen: only the
    // part of it that lands on the preview is read.
    QRect part(QPoint(0, 0), size);
    QImage image;
    if (size == natural) {
        part &= QRect(-(QPointF(at) * ratio).toPoint(), result.size());
        image = part.isEmpty() ? QImage() : LocalImage::readPart(path, part);
    } else {
        image = LocalImage::read(path, size);
    }
    if (image.isNull()) {
        return;
    }
    if (image.size() != part.size()) {
        image = image.scaled(part.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(ratio);
    QPainter painter(&result);
    painter.drawImage(QPointF(at) + QPointF(part.topLeft()) / ratio, image);
}
