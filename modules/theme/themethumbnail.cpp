#include "themethumbnail.h"

#include "colorutils.h"
#include "configfiles.h"
#include "decodeslot.h"
#include "localfile.h"
#include "localimage.h"
#include "svgdrawing.h"

#include <pexowallpaper.h>

#include <KColorUtils>
#include <KConfigGroup>

#include <QColor>
#include <QFile>
#include <QFutureWatcher>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QVector>
#include <QtConcurrent>

#include <algorithm>
#include <utility>

namespace {
const QString templatePath = QStringLiteral(":/themepreview.svg");
const QString defaultWallpaperName = QStringLiteral("pexo-default");
const char fallbackWallpaperColor[] = "#039be5";
const int lookupWidth = 1920;
const int lookupHeight = 1080;
const qreal frameRadius = 8.0;

bool isColor(const QString &wallpaper)
{
    return wallpaper.startsWith(QLatin1Char('#')) && QColor::isValidColor(wallpaper);
}

// Only regular files are decoded: reading a FIFO or a device could block a
// pool thread for good.
bool isImageFile(const QString &path)
{
    return LocalFile::isUsable(path, LocalFile::Kind::Image);
}

// The image is drawn stretched over the area: it is read scaled to cover the
// area, and no larger. Only a JPEG is scaled while decoding; another format
// is decoded whole first.
QImage decode(const QString &path, const QSize &area)
{
    return DecodeSlot::run([&path, &area] {
        const QSize natural = LocalImage::size(path);
        if (natural.isEmpty()) {
            return QImage();
        }
        return LocalImage::read(path, natural.scaled(area, Qt::KeepAspectRatioByExpanding), true);
    });
}

// "#rrggbb" of a colour-scheme entry, or "" when it is no colour.
QString entryColor(const KConfigGroup &group, const char *key, const QString &defaultText = QString())
{
    const QColor color = ColorUtils::getColor(group.readEntry(key, defaultText));
    return color.isValid() ? color.name() : QString();
}

// The scheme names every window-manager colour of the desktop.
bool hasFullWmColors(const KConfigGroup &wm)
{
    static const char *const keys[] = {"activeWindowHeader",
                                       "activeWindowFrame",
                                       "inactiveWindowHeader",
                                       "inactiveWindowFrame",
                                       "taskbarBackground",
                                       "taskbarBackgroundHover",
                                       "buttonOutlineHover",
                                       "lineSeparator"};
    return std::all_of(std::begin(keys), std::end(keys), [&wm](const char *key) {
        return !wm.readEntry(key, QString()).isEmpty();
    });
}
} // namespace

class ThemeThumbnailPrivate
{
public:
    QString wallpaperPath;
    QString colorScheme;
    QString borderColor;
    QPixmap wallpaper;
    QFutureWatcher<QImage> *pending = nullptr;
    // The area the wallpaper image held or being decoded is meant for.
    QSize decodedFor;
    QMap<QString, QString> colors;
    QString svgTemplate;
    QString primaryColor;
    QString backgroundColor;

    void dropPending(ThemeThumbnail *item)
    {
        if (pending) {
            QObject::disconnect(pending, nullptr, item, nullptr);
            pending->deleteLater();
            pending = nullptr;
        }
    }
};

ThemeThumbnail::ThemeThumbnail(QQuickItem *parent)
    : QQuickPaintedItem(parent)
    , d(new ThemeThumbnailPrivate)
{
    setAntialiasing(true);
    setSmooth(true);
    QFile file(templatePath);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray text = file.readAll();
        const int nul = text.indexOf('\0');
        if (nul >= 0) {
            text.truncate(nul);
        }
        d->svgTemplate = QString::fromUtf8(text);
    }
}

ThemeThumbnail::~ThemeThumbnail() = default;

QString ThemeThumbnail::wallpaperPath() const
{
    return d->wallpaperPath;
}

void ThemeThumbnail::setWallpaperPath(const QString &path)
{
    if (path == d->wallpaperPath) {
        return;
    }
    d->dropPending(this);

    if (isColor(path)) {
        d->wallpaperPath = path;
        Q_EMIT wallpaperPathChanged();
        d->wallpaper = QPixmap();
        update();
        return;
    }

    QString resolved = path;
    if (resolved == defaultWallpaperName || !isImageFile(resolved)) {
        resolved = QString::fromStdString(FindWallPaperByName(resolved.toLocal8Bit().constData(), lookupWidth, lookupHeight, nullptr, fallbackWallpaperColor));
        if (!isImageFile(resolved)) {
            return;
        }
    }

    d->wallpaperPath = resolved;
    Q_EMIT wallpaperPathChanged();
    d->wallpaper = QPixmap();
    d->decodedFor = QSize();
    update();
    decodeWallpaper();
}

void ThemeThumbnail::geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickPaintedItem::geometryChanged(newGeometry, oldGeometry);
    decodeWallpaper();
}

void ThemeThumbnail::decodeWallpaper()
{
    const QSize area(std::max(0, int(width())), std::max(0, int(height())));
    if (d->wallpaperPath.isEmpty() || isColor(d->wallpaperPath) || area.isEmpty() ||
        (d->decodedFor.width() >= area.width() && d->decodedFor.height() >= area.height())) {
        return;
    }
    d->dropPending(this);
    d->decodedFor = area;
    d->pending = new QFutureWatcher<QImage>(this);
    connect(d->pending, &QFutureWatcher<QImage>::finished, this, &ThemeThumbnail::onWallpaperLoaded);
    d->pending->setFuture(QtConcurrent::run(decode, d->wallpaperPath, area));
}

QString ThemeThumbnail::colorScheme() const
{
    return d->colorScheme;
}

void ThemeThumbnail::setColorScheme(const QString &path)
{
    setColorSource(d->colorScheme, path, &ThemeThumbnail::colorSchemeChanged);
}

QString ThemeThumbnail::borderColor() const
{
    return d->borderColor;
}

void ThemeThumbnail::setBorderColor(const QString &color)
{
    if (color == d->borderColor) {
        return;
    }
    d->borderColor = color;
    Q_EMIT borderColorChanged();
    update();
}

QString ThemeThumbnail::primaryColor() const
{
    return d->primaryColor;
}

void ThemeThumbnail::setPrimaryColor(const QString &color)
{
    setColorSource(d->primaryColor, color, &ThemeThumbnail::primaryColorChanged);
}

QString ThemeThumbnail::backgroundColor() const
{
    return d->backgroundColor;
}

void ThemeThumbnail::setBackgroundColor(const QString &color)
{
    setColorSource(d->backgroundColor, color, &ThemeThumbnail::backgroundColorChanged);
}

void ThemeThumbnail::setColorSource(QString &field, const QString &value, void (ThemeThumbnail::*changed)())
{
    if (value == field) {
        return;
    }
    field = value;
    Q_EMIT(this->*changed)();
    resetColors();
    update();
}

void ThemeThumbnail::onWallpaperLoaded()
{
    if (!d->pending) {
        return;
    }
    const QImage image = d->pending->result();
    if (!image.isNull()) {
        d->wallpaper = QPixmap::fromImage(image);
        update();
    }
    d->pending->deleteLater();
    d->pending = nullptr;
}

void ThemeThumbnail::paint(QPainter *painter)
{
    if (!painter) {
        return;
    }
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    drawWallpaper(painter);
    drawUi(painter);
}

void ThemeThumbnail::drawWallpaper(QPainter *painter)
{
    const int w = std::max(0, int(width()));
    const int h = std::max(0, int(height()));
    const QRect area(0, 0, w, h);
    if (d->wallpaperPath.isEmpty()) {
        painter->fillRect(area, Qt::transparent);
        return;
    }

    QPainterPath frame;
    frame.addRoundedRect(area, frameRadius, frameRadius, Qt::AbsoluteSize);
    painter->setClipPath(frame, Qt::ReplaceClip);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(QColor(d->borderColor), 1));

    if (isColor(d->wallpaperPath)) {
        painter->fillRect(area, QColor(d->wallpaperPath));
    } else if (!d->wallpaper.isNull()) {
        painter->drawPixmap(0, 0, d->wallpaper.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    painter->drawPath(frame);
}

void ThemeThumbnail::drawUi(QPainter *painter)
{
    if (d->svgTemplate.isEmpty()) {
        return;
    }
    static const QRegularExpression variable(QStringLiteral("var\\(--([A-Za-z0-9_-]+)\\)"));
    QVector<std::pair<QString, QString>> replacements;
    auto matches = variable.globalMatch(d->svgTemplate);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        replacements.append({match.captured(0), d->colors.value(match.captured(1))});
    }
    // A colour text stays text: markup in it would be parsed as the drawing's.
    QString svg = d->svgTemplate;
    for (const auto &replacement : std::as_const(replacements)) {
        svg.replace(replacement.first, replacement.second.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;")));
    }
    if (const std::unique_ptr<QSvgRenderer> renderer = SvgDrawing::load(svg.toUtf8())) {
        renderer->render(painter, QRectF(0, 0, width(), height()));
    }
}

void ThemeThumbnail::resetColors()
{
    d->colors.clear();
    if (d->colorScheme.isEmpty()) {
        return;
    }

    // A scheme that is no usable file reads as a missing one.
    const KSharedConfigPtr scheme = ConfigFiles::openScheme(d->colorScheme);
    const KConfigGroup window = scheme->group("Colors:Window");
    const KConfigGroup view = scheme->group("Colors:View");
    const KConfigGroup wm = scheme->group("WM");

    d->colors.insert(QStringLiteral("windowbackground"), entryColor(window, "BackgroundNormal", QStringLiteral("#262626")));
    d->colors.insert(QStringLiteral("alternativebackground"), entryColor(view, "BackgroundNormal", QStringLiteral("#404040")));
    d->colors.insert(QStringLiteral("brand"), QStringLiteral("#0079C0"));
    d->colors.insert(QStringLiteral("textinactive"), entryColor(view, "ForegroundNormal", QStringLiteral("#B3B3B3")));
    const QColor background = ColorUtils::getColor(view.readEntry("BackgroundNormal", QString()));
    const QColor foreground = ColorUtils::getColor(view.readEntry("ForegroundNormal", QString()));
    d->colors.insert(QStringLiteral("stroke"), KColorUtils::tint(background, foreground, 0.55).name());
    d->colors.insert(QStringLiteral("text"), KColorUtils::tint(background, foreground, 0.85).name());

    if (!hasFullWmColors(wm)) {
        d->colors.insert(QStringLiteral("activeWindowHeader"), d->primaryColor);
        d->colors.insert(QStringLiteral("taskbarbackground"), d->primaryColor);
        d->colors.insert(QStringLiteral("inactiveWindowHeader"), d->backgroundColor);
        return;
    }
    const QString activeHeader = entryColor(wm, "activeWindowHeader");
    if (!activeHeader.isEmpty()) {
        d->colors.insert(QStringLiteral("activeWindowHeader"), activeHeader);
        d->colors.insert(QStringLiteral("taskbarbackground"), entryColor(view, "BackgroundNormal", QStringLiteral("#262626")));
    }
    const QString inactiveHeader = entryColor(wm, "inactiveWindowHeader");
    if (!inactiveHeader.isEmpty()) {
        d->colors.insert(QStringLiteral("inactiveWindowHeader"), inactiveHeader);
    }
}
