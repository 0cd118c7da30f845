#include "themethumbnail.h"

#include "pexotestsupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

namespace {
// Points of the 352 x 240 mock desktop.
const QPoint emptyDesktop(50, 50);
const QPoint frontWindowBody(195, 130);
const QPoint leftSidePanel(5, 160);
const QPoint frontTitle(254, 108);
const QPoint rearTitle(150, 19);
const QPoint taskbar(200, 234);

QImage paintItem(ThemeThumbnail &item)
{
    QImage image(352, 240, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    item.paint(&painter);
    return image;
}

QString colourAt(const QImage &image, const QPoint &point)
{
    return QColor::fromRgba(image.pixel(point)).name(QColor::HexArgb);
}

QString writeScheme(const QString &name, bool fullWmSet)
{
    QByteArray text = "[Colors:Window]\nBackgroundNormal=10,20,30\n"
                      "[Colors:View]\nBackgroundNormal=200,100,50\nForegroundNormal=#ffffff\n"
                      "[WM]\nactiveWindowHeader=#00ff00\nactiveWindowFrame=#010101\ninactiveWindowHeader=#0000ff\ninactiveWindowFrame=#010101\n"
                      "taskbarBackground=#010101\ntaskbarBackgroundHover=#010101\nbuttonOutlineHover=#010101\n";
    if (fullWmSet) {
        text += "lineSeparator=#010101\n";
    }
    const QString path = QDir::homePath() + QStringLiteral("/schemes/") + name;
    PexoTest::writeFile(path, text);
    return path;
}

QString writeImage(const QString &name, int size, Qt::GlobalColor colour)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = QDir::homePath() + QLatin1Char('/') + name;
    image.save(path);
    return path;
}

void waitForDecoding()
{
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
} // namespace

class ThemeThumbnailTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void colourWallpaperFillsTheFrame();
    void schemeColoursReachTheDesktop();
    void schemeWithoutWmSetUsesThemeColours();
    void newerWallpaperSupersedesPendingOne();
    void wallpaperNamesAreResolved();
};

void ThemeThumbnailTest::initTestCase()
{
    Q_INIT_RESOURCE(themecore);
    QVERIFY(PexoTest::installSampleData());
}

void ThemeThumbnailTest::colourWallpaperFillsTheFrame()
{
    ThemeThumbnail item;
    item.setSize(QSizeF(352, 240));
    item.setWallpaperPath(QStringLiteral("#ff0000"));
    QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);

    const QImage image = paintItem(item);
    QCOMPARE(colourAt(image, emptyDesktop), QStringLiteral("#ffff0000"));
    // Outside the rounded corner nothing is painted.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void ThemeThumbnailTest::schemeColoursReachTheDesktop()
{
    ThemeThumbnail item;
    item.setSize(QSizeF(352, 240));
    item.setPrimaryColor(QStringLiteral("#123456"));
    item.setColorScheme(writeScheme(QStringLiteral("Full.colors"), true));

    const QImage image = paintItem(item);
    QCOMPARE(colourAt(image, frontWindowBody), QStringLiteral("#ff0a141e"));
    QCOMPARE(colourAt(image, leftSidePanel), QStringLiteral("#ffc86432"));
    QCOMPARE(colourAt(image, frontTitle), QStringLiteral("#ff00ff00"));
    QCOMPARE(colourAt(image, rearTitle), QStringLiteral("#ff0000ff"));
    QCOMPARE(colourAt(image, taskbar), QStringLiteral("#ffc86432"));
}

void ThemeThumbnailTest::schemeWithoutWmSetUsesThemeColours()
{
    ThemeThumbnail item;
    item.setSize(QSizeF(352, 240));
    item.setColorScheme(writeScheme(QStringLiteral("Partial.colors"), false));
    item.setPrimaryColor(QStringLiteral("#123456"));
    item.setBackgroundColor(QStringLiteral("#654321"));

    const QImage image = paintItem(item);
    QCOMPARE(colourAt(image, frontTitle), QStringLiteral("#ff123456"));
    QCOMPARE(colourAt(image, taskbar), QStringLiteral("#ff123456"));
    QCOMPARE(colourAt(image, rearTitle), QStringLiteral("#ff654321"));
    QCOMPARE(colourAt(image, frontWindowBody), QStringLiteral("#ff0a141e"));
}

void ThemeThumbnailTest::newerWallpaperSupersedesPendingOne()
{
    const QString large = writeImage(QStringLiteral("large.png"), 3000, Qt::blue);
    const QString small = writeImage(QStringLiteral("small.png"), 8, Qt::green);
    ThemeThumbnail item;
    item.setSize(QSizeF(352, 240));

    // The first image is still decoding when the second one is set; the
    // call itself does not wait for it.
    item.setWallpaperPath(large);
    QCOMPARE(colourAt(paintItem(item), emptyDesktop), QStringLiteral("#00000000"));
    item.setWallpaperPath(small);
    waitForDecoding();

    QCOMPARE(item.wallpaperPath(), small);
    QCOMPARE(colourAt(paintItem(item), emptyDesktop), QStringLiteral("#ff00ff00"));
}

void ThemeThumbnailTest::wallpaperNamesAreResolved()
{
    ThemeThumbnail item;
    QSignalSpy changed(&item, &ThemeThumbnail::wallpaperPathChanged);
    item.setWallpaperPath(QStringLiteral("pexo-default"));
    QCOMPARE(item.wallpaperPath(), QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg"));
    QCOMPARE(changed.count(), 1);

    // A name without a file changes nothing, not even a "#" text that is no colour.
    item.setWallpaperPath(QStringLiteral("#nocolour"));
    item.setWallpaperPath(QStringLiteral("no-such-wallpaper"));
    QCOMPARE(item.wallpaperPath(), QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg"));
    QCOMPARE(changed.count(), 1);
    waitForDecoding();
}

QTEST_MAIN(ThemeThumbnailTest)

#include "themethumbnailtest.moc"
