#include "thumbnail.h"

#include <picturetestsupport.h>

#include <pexotestsupport.h>

#include <QBuffer>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace {
QString wallpapersDir()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/pexo/Wallpapers");
}

QByteArray pngData(const QColor &colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

bool dragEnter(Thumbnail &item, QMimeData *data)
{
    QDragEnterEvent event(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    event.setAccepted(false);
    QCoreApplication::sendEvent(&item, &event);
    return event.isAccepted();
}

bool drop(Thumbnail &item, QMimeData *data)
{
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    event.setAccepted(false);
    QCoreApplication::sendEvent(&item, &event);
    return event.isAccepted();
}

QImage painted(Thumbnail &item)
{
    QImage image(item.size().toSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    item.paint(&painter);
    return image;
}
} // namespace

class ThumbnailTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoTest::inSandbox());
    }

    void dragAndDrop()
    {
        Thumbnail item;
        item.setSize(QSizeF(100, 50));
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(Qt::red);
        item.setPixmap(QPixmap::fromImage(picture));
        item.setColor(Qt::blue);
        QSignalSpy dropped(&item, &Thumbnail::fileDropped);
        QSignalSpy failed(&item, &Thumbnail::errorOccured);

        // Plain text offers no picture: refused, and the look stays.
        QMimeData text;
        text.setText(QStringLiteral("hello"));
        QVERIFY(!dragEnter(item, &text));
        QCOMPARE(painted(item).pixelColor(50, 25), QColor(Qt::red));

        // A readable local file: accepted with the drop look, reported as it is.
        const QString file = QDir::homePath() + QStringLiteral("/red.png");
        QVERIFY(picture.save(file));
        QMimeData local;
        local.setUrls({QUrl::fromLocalFile(file)});
        QVERIFY(dragEnter(item, &local));
        QCOMPARE(painted(item).pixelColor(28, 3), QColor(Qt::blue));
        QVERIFY(drop(item, &local));
        QCOMPARE(dropped.takeFirst().at(0).toString(), file);
        QCOMPARE(painted(item).pixelColor(50, 25), QColor(Qt::red));
        QVERIFY(!QDir(wallpapersDir()).exists() || QDir(wallpapersDir()).isEmpty());

        // A remote URL with a PNG payload: the payload becomes a new wallpaper file.
        QMimeData remote;
        remote.setUrls({QUrl(QStringLiteral("https://example.org/picture.png"))});
        remote.setData(QStringLiteral("image/png"), pngData(Qt::green));
        QVERIFY(drop(item, &remote));
        const QString saved = dropped.takeFirst().at(0).toString();
        QCOMPARE(QFileInfo(saved).absolutePath(), wallpapersDir());
        QVERIFY(saved.endsWith(QLatin1String(".png")));
        QCOMPARE(QImage(saved).pixelColor(1, 1), QColor(Qt::green));

        // Image data of the application.
        QMimeData imageData;
        imageData.setImageData(picture);
        QVERIFY(drop(item, &imageData));
        QCOMPARE(QImage(dropped.takeFirst().at(0).toString()).pixelColor(1, 1), QColor(Qt::red));

        // A text file: the error names each format decoded once, and no other
        // that Qt's readers know.
        const QString notes = QDir::homePath() + QStringLiteral("/notes.txt");
        QVERIFY(PexoTest::writeFile(notes, "just text"));
        QMimeData textFile;
        textFile.setUrls({QUrl::fromLocalFile(notes)});
        QVERIFY(!drop(item, &textFile));
        QVERIFY(dropped.isEmpty());
        QCOMPARE(failed.count(), 1);
        const QString message = failed.takeFirst().at(0).toString();
        QVERIFY(message.startsWith(QLatin1String("This does not appear to be an image file. Please use files of these formats:\n")));
        QCOMPARE(message.section(QLatin1Char('\n'), 1), QStringLiteral("png, jpeg, gif, bmp, webp, pbm, pgm, ppm, xpm, svg, svgz"));

        // A fifo is not waited on; image data of more pixels than may be
        // decoded (20000 x 20000) is not decoded.
        const QString fifo = QDir::homePath() + QStringLiteral("/fifo.png");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QMimeData fifoFile;
        fifoFile.setUrls({QUrl::fromLocalFile(fifo)});
        QVERIFY(!drop(item, &fifoFile));
        const QString huge = QDir::homePath() + QStringLiteral("/huge.png");
        QVERIFY(PexoTest::writeHugePng(huge, QSize(20000, 20000)));
        QMimeData hugeData;
        hugeData.setData(QStringLiteral("image/png"), PexoTest::readFile(huge));
        QVERIFY(!drop(item, &hugeData));
        // Nor is a compressed drawing that inflates beyond the drawing limit.
        QMimeData inflating;
        const QByteArray drawing = "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'><!--" + QByteArray(17 << 20, ' ') + "--></svg>";
        inflating.setData(QStringLiteral("image/svg+xml"), PexoTest::gzipped(drawing));
        QVERIFY(!drop(item, &inflating));
        // Nor, for long, one too slow to paint; a small one is painted.
        QMimeData slow;
        slow.setData(QStringLiteral("image/svg+xml"), PexoTest::slowDrawing());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!drop(item, &slow));
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(dropped.isEmpty());
        QCOMPARE(failed.count(), 4);
        QMimeData small;
        small.setData(QStringLiteral("image/svg+xml"),
                      PexoTest::gzipped("<svg xmlns='http://www.w3.org/2000/svg' width='8' height='4'><rect width='8' height='4' fill='#f00'/></svg>"));
        QVERIFY(drop(item, &small));
        const QImage smallImage(dropped.takeFirst().at(0).toString());
        QVERIFY(smallImage.size() == QSize(8, 4) && smallImage.pixelColor(1, 1) == Qt::red);
        QVERIFY2(PexoTest::peakMiB() < 300, qPrintable(QString::number(PexoTest::peakMiB())));
    }

    void properties()
    {
        Thumbnail item;
        QSignalSpy radius(&item, &Thumbnail::radiusChanged);
        QSignalSpy pixmap(&item, &Thumbnail::pixmapChanged);
        item.setRadius(0);
        QCOMPARE(radius.count(), 0);
        item.setRadius(6);
        QCOMPARE(radius.count(), 1);
        item.setPixmap(QPixmap());
        item.setPixmap(QPixmap());
        QCOMPARE(pixmap.count(), 2);

        // Nothing painted without a picture, during a drag too.
        item.setSize(QSizeF(40, 40));
        QMimeData local;
        local.setUrls({QUrl::fromLocalFile(QStringLiteral("/nowhere.png"))});
        QVERIFY(dragEnter(item, &local));
        const QImage image = painted(item);
        QCOMPARE(image.pixelColor(20, 20), QColor(Qt::transparent));
    }
};

QTEST_MAIN(ThumbnailTest)

#include "thumbnailtest.moc"
