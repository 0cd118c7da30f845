// The theme thumbnail, made from QML as the page makes it and painted into
// an image.

#include <moduletestsupport.h>
#include <picturetestsupport.h>
#include <watchedfifo.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickPaintedItem>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Points of the 352 x 240 mock desktop.
const QPoint emptyDesktop(50, 50);
const QPoint frontWindowBody(195, 130);
const QPoint leftSidePanel(5, 160);
const QPoint frontTitle(254, 108);
const QPoint rearTitle(150, 19);
const QPoint taskbar(200, 234);

QImage paintItem(QQuickPaintedItem &item)
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

// False when the decoding did not end in time.
bool waitForDecoding()
{
    if (!QThreadPool::globalInstance()->waitForDone(PexoTest::patienceMs)) {
        return false;
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return true;
}
} // namespace

class ThemeThumbnailTest : public QObject
{
    Q_OBJECT

    // The module registers the type and the template it draws.
    std::unique_ptr<QObject> module;
    QQmlEngine engine;
    std::unique_ptr<QQuickPaintedItem> thumbnail(const QVariantMap &properties = {});

private Q_SLOTS:
    void initTestCase();
    void colours();
    void newerWallpaperSupersedesPendingOne();
    void wallpaperNamesAreResolved();
    void hugeWallpaperInBoundedMemory();
};

std::unique_ptr<QQuickPaintedItem> ThemeThumbnailTest::thumbnail(const QVariantMap &properties)
{
    QQmlComponent component(&engine);
    component.setData("import ru.ulvarlinux.kcm.theme.private 1.0\nThemeThumbnail { width: 352; height: 240 }", QUrl());
    std::unique_ptr<QQuickPaintedItem> item(qobject_cast<QQuickPaintedItem *>(component.create()));
    for (auto it = properties.begin(); item && it != properties.end(); ++it) {
        item->setProperty(qPrintable(it.key()), it.value());
    }
    return item;
}

void ThemeThumbnailTest::initTestCase()
{
    QVERIFY(PexoTest::installSampleData());
    module = ModuleTest::create(QStringLiteral("kcm_pexo_theme"));
    QVERIFY(module);
    QVERIFY(thumbnail());
}

void ThemeThumbnailTest::colours()
{
    // A colour wallpaper fills the rounded frame at once; the scheme's
    // window, view and window-manager colours reach the mock desktop.
    const auto full = thumbnail({{QStringLiteral("wallpaperPath"), QStringLiteral("#ff0000")},
                                 {QStringLiteral("primaryColor"), QStringLiteral("#123456")},
                                 {QStringLiteral("colorScheme"), writeScheme(QStringLiteral("Full.colors"), true)}});
    QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
    QImage image = paintItem(*full);
    QCOMPARE(colourAt(image, emptyDesktop), QStringLiteral("#ffff0000"));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(colourAt(image, frontWindowBody), QStringLiteral("#ff0a141e"));
    QCOMPARE(colourAt(image, leftSidePanel), QStringLiteral("#ffc86432"));
    QCOMPARE(colourAt(image, frontTitle), QStringLiteral("#ff00ff00"));
    QCOMPARE(colourAt(image, rearTitle), QStringLiteral("#ff0000ff"));
    QCOMPARE(colourAt(image, taskbar), QStringLiteral("#ffc86432"));

    // Without a full window-manager set the theme's own colours are used.
    const auto partial = thumbnail({{QStringLiteral("colorScheme"), writeScheme(QStringLiteral("Partial.colors"), false)},
                                    {QStringLiteral("primaryColor"), QStringLiteral("#123456")},
                                    {QStringLiteral("backgroundColor"), QStringLiteral("#654321")}});
    image = paintItem(*partial);
    QCOMPARE(colourAt(image, frontTitle), QStringLiteral("#ff123456"));
    QCOMPARE(colourAt(image, taskbar), QStringLiteral("#ff123456"));
    QCOMPARE(colourAt(image, rearTitle), QStringLiteral("#ff654321"));
    QCOMPARE(colourAt(image, frontWindowBody), QStringLiteral("#ff0a141e"));

    // A fifo is no scheme: it reads as a missing one, and nothing waits on it.
    const QString fifoScheme = QDir::homePath() + QStringLiteral("/fifo.colors");
    const PexoTest::WatchedFifo fifo(fifoScheme);
    QVERIFY(fifo.made());
    const auto missing = thumbnail({{QStringLiteral("colorScheme"), fifoScheme}});
    QCOMPARE(colourAt(paintItem(*missing), frontWindowBody), QStringLiteral("#ff262626"));

    // A theme's colour text is no markup: a picture of the fifo in it is no
    // part of the drawing.
    const QString markup = QStringLiteral("#123456\"/><image xmlns:xlink=\"http://www.w3.org/1999/xlink\" xlink:href=\"%1\"/><rect fill=\"").arg(fifoScheme);
    const auto marked =
        thumbnail({{QStringLiteral("colorScheme"), writeScheme(QStringLiteral("Marked.colors"), false)}, {QStringLiteral("primaryColor"), markup}});
    const QImage markedImage = paintItem(*marked);
    QVERIFY(!fifo.wasRead());
    QCOMPARE(colourAt(markedImage, frontWindowBody), QStringLiteral("#ff0a141e"));
}

void ThemeThumbnailTest::newerWallpaperSupersedesPendingOne()
{
    const QString large = writeImage(QStringLiteral("large.png"), 3000, Qt::blue);
    const QString small = writeImage(QStringLiteral("small.png"), 8, Qt::green);
    const auto item = thumbnail();

    // The first image is still decoding when the second one is set; the
    // call itself does not wait for it.
    item->setProperty("wallpaperPath", large);
    QCOMPARE(colourAt(paintItem(*item), emptyDesktop), QStringLiteral("#00000000"));
    item->setProperty("wallpaperPath", small);
    QVERIFY(waitForDecoding());

    QCOMPARE(item->property("wallpaperPath").toString(), small);
    QCOMPARE(colourAt(paintItem(*item), emptyDesktop), QStringLiteral("#ff00ff00"));
}

void ThemeThumbnailTest::wallpaperNamesAreResolved()
{
    const auto item = thumbnail();
    QSignalSpy changed(item.get(), SIGNAL(wallpaperPathChanged()));
    item->setProperty("wallpaperPath", QStringLiteral("pexo-default"));
    QCOMPARE(item->property("wallpaperPath").toString(), QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg"));
    QCOMPARE(changed.count(), 1);

    // A name without a file changes nothing, not even a "#" text that is no colour.
    item->setProperty("wallpaperPath", QStringLiteral("#nocolour"));
    item->setProperty("wallpaperPath", QStringLiteral("no-such-wallpaper"));
    QCOMPARE(item->property("wallpaperPath").toString(), QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(waitForDecoding());

    // A FIFO is no image: it is ignored like a missing one, nothing waits on it.
    const QByteArray fifo = QFile::encodeName(QDir::homePath() + QStringLiteral("/fifo.jpg"));
    QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
    const auto releaseReader = qScopeGuard([&fifo] {
        const int writer = open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            close(writer);
        }
    });
    item->setProperty("wallpaperPath", QFile::decodeName(fifo));
    QVERIFY(QThreadPool::globalInstance()->waitForDone(PexoTest::patienceMs));
    QCOMPARE(item->property("wallpaperPath").toString(), QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg"));
}

void ThemeThumbnailTest::hugeWallpaperInBoundedMemory()
{
    // 20000 x 20000 pixels in a few megabytes: not decoded whole.
    const QString huge = QDir::homePath() + QStringLiteral("/huge.png");
    QVERIFY(PexoTest::writeHugePng(huge, QSize(20000, 20000)));
    const qint64 before = PexoTest::peakMiB();
    const auto item = thumbnail({{QStringLiteral("wallpaperPath"), huge}});
    QVERIFY(waitForDecoding());
    QCOMPARE(item->property("wallpaperPath").toString(), huge);
    qint64 grown = PexoTest::peakMiB() - before;
    QVERIFY2(grown < 64, qPrintable(QString::number(grown)));

    // Images just within the pixel limit, decoded whole, are decoded a few at a time.
    QStringList large;
    for (int i = 0; i < 4; ++i) {
        large.append(QDir::homePath() + QStringLiteral("/large%1.png").arg(i));
        QVERIFY(PexoTest::writeHugePng(large.back(), QSize(5600, 5600)));
    }
    std::vector<std::unique_ptr<QQuickPaintedItem>> items;
    for (const QString &path : std::as_const(large)) {
        items.push_back(thumbnail({{QStringLiteral("wallpaperPath"), path}}));
    }
    QVERIFY(waitForDecoding());
    QCOMPARE(colourAt(paintItem(*items.back()), emptyDesktop), QStringLiteral("#ff000000"));
    grown = PexoTest::peakMiB() - before;
    QVERIFY2(grown < 280, qPrintable(QString::number(grown)));

    // An item without a size yet decodes its image once it has one.
    item->setSize(QSizeF());
    item->setProperty("wallpaperPath", writeImage(QStringLiteral("later.png"), 8, Qt::green));
    QVERIFY(waitForDecoding());
    item->setSize(QSizeF(352, 240));
    QVERIFY(waitForDecoding());
    QCOMPARE(colourAt(paintItem(*item), emptyDesktop), QStringLiteral("#ff00ff00"));
}

QTEST_MAIN(ThemeThumbnailTest)

#include "themethumbnailtest.moc"
