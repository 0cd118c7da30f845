#include "previewbuilder.h"

#include <picturetestsupport.h>

#include <pexologo.h>
#include <pexotestsupport.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {
const QColor grey = QColor(Qt::gray);

// An image of the size, its left part red, its middle green, its right part blue.
QString writeImage(const QString &name, const QSize &size, int redWidth = 0, int blueWidth = 0)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    painter.fillRect(0, 0, redWidth, size.height(), Qt::red);
    painter.fillRect(size.width() - blueWidth, 0, blueWidth, size.height(), Qt::blue);
    painter.end();
    const QString path = QDir::homePath() + QLatin1Char('/') + name;
    return image.save(path) ? path : QString();
}

QString writeSvg(const QString &path, const QByteArray &fill)
{
    PexoTest::writeFile(path, "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'><rect width='200' height='100' fill='" + fill + "'/></svg>");
    return path;
}

// The picture the builder hands out after the inputs change.
QImage render(PreviewBuilder &builder, const std::function<void()> &change)
{
    QSignalSpy spy(&builder, &PreviewBuilder::pixmapChanged);
    change();
    return spy.isEmpty() ? QImage() : spy.last().at(0).value<QPixmap>().toImage();
}

// The smallest rectangle holding every pixel that differs from the background.
QRect foreground(const QImage &image, const QColor &background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != background) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}
} // namespace

class PreviewBuilderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoTest::inSandbox());
        m_screen = QGuiApplication::primaryScreen()->geometry().size();
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 1.0);
    }

    void styles_data()
    {
        const int w = m_screen.width();
        const int h = m_screen.height();
        QTest::addColumn<WallpaperStyle::Value>("style");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("redWidth");
        QTest::addColumn<int>("blueWidth");
        // Points and the colours expected there.
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<QList<QColor>>("colours");

        const QPoint topLeft(1, 1);
        const QPoint bottomRight(w - 2, h - 2);
        const QPoint centre(w / 2, h / 2);
        QTest::newRow("center, smaller") << WallpaperStyle::Center << QSize(w / 2, h / 2) << 0 << 0
                                         << QList<QPoint>{topLeft, centre, {w / 4 + 2, h / 4 + 2}, {w / 4 - 2, h / 4 - 2}}
                                         << QList<QColor>{grey, Qt::green, Qt::green, grey};
        // Larger: not scaled, cut at the edges.
        QTest::newRow("center, larger") << WallpaperStyle::Center << QSize(2 * w, 2 * h) << w / 2 + 10 << w / 2 + 10
                                        << QList<QPoint>{topLeft, {9, 1}, {10, 1}, bottomRight, {w - 10, 1}}
                                        << QList<QColor>{Qt::red, Qt::red, Qt::green, Qt::blue, Qt::blue};
        QTest::newRow("tile") << WallpaperStyle::Tile << QSize(w / 3 + 1, h / 3 + 1) << 4 << 0
                              << QList<QPoint>{topLeft, {w / 3 + 2, 1}, {w / 3 + 6, h / 3 + 6}, {2 * (w / 3 + 1) + 1, 2 * (h / 3 + 1) + 1}}
                              << QList<QColor>{Qt::red, Qt::red, Qt::green, Qt::red};
        // A 20 x 10 picture over the whole screen: no background left.
        QTest::newRow("stretch") << WallpaperStyle::Stretch << QSize(20, 10) << 10 << 10 << QList<QPoint>{topLeft, bottomRight, {w / 4, h / 2}}
                                 << QList<QColor>{Qt::red, Qt::blue, Qt::red};
        // Twice as wide as the screen: full width, half height, centred.
        QTest::newRow("fit") << WallpaperStyle::Fit << QSize(2 * w, h) << w << 0 << QList<QPoint>{topLeft, {1, h / 4 + 2}, {w - 2, h * 3 / 4 - 2}, bottomRight}
                             << QList<QColor>{grey, Qt::red, Qt::green, grey};
        // Four screens wide: the middle screen-sized part fills the screen.
        QTest::newRow("crop") << WallpaperStyle::Crop << QSize(4 * w, h) << w + w / 2 - 2 << w + w / 2 - 2
                              << QList<QPoint>{topLeft, bottomRight, {2, h - 2}, {w - 3, 1}} << QList<QColor>{Qt::green, Qt::green, Qt::green, Qt::green};
        // Narrower than the screen: full width, cut above and below.
        QTest::newRow("crop, narrow") << WallpaperStyle::Crop << QSize(w / 2, h) << w / 4 << 0 << QList<QPoint>{{w / 2 - 4, 1}, {w / 2 + 4, h - 2}}
                                      << QList<QColor>{Qt::red, Qt::green};
        QTest::newRow("crop, smaller") << WallpaperStyle::Crop << QSize(w / 2, h / 2) << 0 << 0 << QList<QPoint>{topLeft, centre}
                                       << QList<QColor>{grey, Qt::green};
    }

    void styles()
    {
        QFETCH(WallpaperStyle::Value, style);
        QFETCH(QSize, size);
        QFETCH(int, redWidth);
        QFETCH(int, blueWidth);
        QFETCH(QList<QPoint>, points);
        QFETCH(QList<QColor>, colours);

        const QString path = writeImage(
            QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral(".png"), size, redWidth, blueWidth);
        QVERIFY(!path.isEmpty());
        PreviewBuilder builder;
        builder.setWallpaperStyle(style);
        const QImage image = render(builder, [&] {
            builder.setWallpaper(path);
        });
        QCOMPARE(image.size(), m_screen);
        for (int i = 0; i < points.size(); ++i) {
            QCOMPARE(image.pixelColor(points.at(i)), colours.at(i));
        }
    }

    void plainWallpapers()
    {
        PreviewBuilder builder;
        QCOMPARE(render(builder,
                        [&] {
                            builder.setWallpaper(QStringLiteral("#118BCC"));
                        })
                     .pixelColor(5, 5),
                 QColor(0x11, 0x8b, 0xcc));
        QCOMPARE(render(builder,
                        [&] {
                            builder.setWallpaper(QDir::homePath() + QStringLiteral("/missing.png"));
                        })
                     .pixelColor(5, 5),
                 grey);
        QCOMPARE(PreviewBuilder::getBackgroundColorString(QStringLiteral("#ABCDEF")), QStringLiteral("#abcdef"));
        QCOMPARE(PreviewBuilder::getBackgroundColorString(QStringLiteral("red")), grey.name());

        // An equal value draws nothing.
        QVERIFY(render(builder, [&] {
                    builder.setWallpaper(QDir::homePath() + QStringLiteral("/missing.png"));
                    builder.setWallpaperStyle(WallpaperStyle::Crop);
                    builder.setLogoPosition(LogoPosition::BottomRight);
                }).isNull());
    }

    void logo()
    {
        const int w = m_screen.width();
        const int h = m_screen.height();
        const QString logoDir = QStringLiteral("/usr/share/wallpapers/logo/");
        PreviewBuilder builder;
        builder.setWallpaper(QStringLiteral("#000000"));
        builder.setLogoPosition(LogoPosition::TopLeft);
        const auto logoBox = [&](const QString &logo) {
            return foreground(render(builder,
                                     [&] {
                                         builder.setLogo(logo);
                                     }),
                              Qt::black);
        };
        int x = 0;
        int y = 0;
        CalcLogoPosition(w / 5, w / 10, 0, 0, w, h, "TopLeft", &x, &y);
        // The branded logo at a fifth ("red") or a tenth of the screen's width.
        QCOMPARE(logoBox(writeSvg(logoDir + QStringLiteral("ulvar_logo_red.svg"), "#ff0000")), QRect(x, y, w / 5, w / 10));
        QCOMPARE(logoBox(writeSvg(logoDir + QStringLiteral("ulvar_logo_dark.svg"), "#ff0000")).size(), QSize(w / 10, w / 20));
        // Any other logo at its own size; one larger than the screen is read
        // only where it lands on the screen, an animation of it only its
        // first frame, drawn at its place.
        QImage red(40, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString canvas = QDir::homePath() + QStringLiteral("/canvas.webp");
        QVERIFY(PexoTest::writeFile(canvas, PexoTest::webpAnimation(QSize(8192, 4096), {{red, QPoint(100, 60)}})));
        CalcLogoPosition(8192, 4096, 0, 0, w, h, "TopLeft", &x, &y);
        QVERIFY(PexoTest::resetPeak());
        const qint64 memory = PexoTest::peakMiB();
        QCOMPARE(logoBox(canvas), QRect(x + 100, y + 60, 40, 20));
        QVERIFY2(PexoTest::peakMiB() - memory < 64, qPrintable(QString::number(PexoTest::peakMiB() - memory)));
        QCOMPARE(logoBox(writeSvg(logoDir + QStringLiteral("other.svg"), "#ff0000")).size(), QSize(200, 100));

        const QImage bottomRight = render(builder, [&] {
            builder.setLogoPosition(LogoPosition::BottomRight);
        });
        CalcLogoPosition(200, 100, 0, 0, w, h, "BottomRight", &x, &y);
        QCOMPARE(foreground(bottomRight, Qt::black), QRect(x, y, 200, 100));
        QVERIFY(foreground(render(builder,
                                  [&] {
                                      builder.setLogoPosition(LogoPosition::NotShow);
                                  }),
                           Qt::black)
                    .isNull());

        // A name: the tone follows the primary colour's shade "600".
        builder.setLogoPosition(LogoPosition::Center);
        writeSvg(logoDir + QStringLiteral("brand_dark.svg"), "#ff0000");
        writeSvg(logoDir + QStringLiteral("brand_light.svg"), "#00ff00");
        builder.setPrimaryColor(QStringLiteral("#ffffff"));
        QCOMPARE(render(builder,
                        [&] {
                            builder.setLogo(QStringLiteral("brand"));
                        })
                     .pixelColor(w / 2, h / 2),
                 QColor(Qt::red));
        QCOMPARE(render(builder,
                        [&] {
                            builder.setPrimaryColor(QStringLiteral("#202020"));
                        })
                     .pixelColor(w / 2, h / 2),
                 QColor(Qt::green));
        // A relative path names no file, whatever the working directory holds.
        QDir::setCurrent(logoDir);
        QVERIFY(logoBox(QStringLiteral("other.svg")).isNull());
        QVERIFY(logoBox(QStringLiteral("../logo/other.svg")).isNull());
        QVERIFY(logoBox(QStringLiteral("ulvar_logo_red")).isValid());
    }

    void unreadableInputs()
    {
        // Files that exist but hold no picture leave the plain canvas.
        const QString broken = QDir::homePath() + QStringLiteral("/broken.png");
        QVERIFY(PexoTest::writeFile(broken, "not a picture"));
        const QString brokenSvg = QDir::homePath() + QStringLiteral("/ulvar_logo.svg");
        QVERIFY(PexoTest::writeFile(brokenSvg, "<svg"));
        for (auto style : {WallpaperStyle::Center, WallpaperStyle::Tile, WallpaperStyle::Stretch, WallpaperStyle::Fit, WallpaperStyle::Crop}) {
            PreviewBuilder builder;
            builder.setWallpaperStyle(style);
            builder.setLogo(brokenSvg);
            const QImage image = render(builder, [&] {
                builder.setWallpaper(broken);
            });
            QCOMPARE(image.size(), m_screen);
            QVERIFY2(foreground(image, grey).isNull(), qPrintable(WallpaperStyle::toString(style)));
        }
        // A drawing too slow to paint leaves it too, after a few seconds.
        const QString slow = QDir::homePath() + QStringLiteral("/slow.svg");
        QVERIFY(PexoTest::writeFile(slow, PexoTest::slowDrawing()));
        QElapsedTimer timer;
        timer.start();
        PreviewBuilder slowBuilder;
        QVERIFY(foreground(render(slowBuilder,
                                  [&] {
                                      slowBuilder.setWallpaper(slow);
                                  }),
                           grey)
                    .isNull());
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));

        // One pixel wide and four screens high: a crop zero pixels high.
        PreviewBuilder builder;
        const QString thin = writeImage(QStringLiteral("thin.png"), QSize(1, 4 * m_screen.height()), 1);
        QVERIFY(foreground(render(builder,
                                  [&] {
                                      builder.setWallpaper(thin);
                                  }),
                           grey)
                    .isNull());
    }

    // 20000 x 20000 pixels in a few megabytes: as much as the screen of it is
    // decoded, or nothing, whatever the style; the logo likewise.
    void hugeImage()
    {
        const QString huge = QDir::homePath() + QStringLiteral("/huge.png");
        QVERIFY(PexoTest::writeHugePng(huge, QSize(20000, 20000)));
        QElapsedTimer timer;
        timer.start();
        for (auto style : {WallpaperStyle::Center, WallpaperStyle::Tile, WallpaperStyle::Stretch, WallpaperStyle::Fit, WallpaperStyle::Crop}) {
            PreviewBuilder builder;
            builder.setWallpaperStyle(style);
            builder.setLogoPosition(LogoPosition::Center);
            builder.setLogo(huge);
            const QImage image = render(builder, [&] {
                builder.setWallpaper(huge);
            });
            QCOMPARE(image.size(), m_screen);
        }
        qInfo() << "peak memory" << PexoTest::peakMiB() << "MiB," << timer.elapsed() << "ms";
        QVERIFY2(PexoTest::peakMiB() < 300, qPrintable(QString::number(PexoTest::peakMiB())));
    }

private:
    QSize m_screen;
};

QTEST_MAIN(PreviewBuilderTest)

#include "previewbuildertest.moc"
