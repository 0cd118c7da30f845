// The reader of local files and images named by settings, themes and pages.

#include "localfile.h"
#include "localimage.h"
#include "svgdrawing.h"

#include <pexotestsupport.h>
#include <picturetestsupport.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTest>

#include <sys/stat.h>

class LocalFileTest : public QObject
{
    Q_OBJECT

private:
    static QString write(const QString &name, const QByteArray &content)
    {
        const QString file = QDir::homePath() + QStringLiteral("/local/") + name;
        PexoTest::writeFile(file, content);
        return file;
    }

private Q_SLOTS:
    void localFileTakesOnlyRegularFilesWithinTheLimit()
    {
        using LocalFile::Kind;
        const QString dir = QDir::homePath() + QStringLiteral("/local");
        const QString plain = write(QStringLiteral("plain"), "abc");
        const QString link = dir + QStringLiteral("/link");
        QVERIFY(QFile::link(plain, link));
        const QString fifo = dir + QStringLiteral("/fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString big = dir + QStringLiteral("/big");
        QFile bigFile(big);
        QVERIFY(bigFile.open(QIODevice::WriteOnly) && bigFile.resize(LocalFile::sizeLimit(Kind::Settings) + 1));
        bigFile.close();
        const QString dangling = dir + QStringLiteral("/dangling");
        QVERIFY(QFile::link(dir + QStringLiteral("/none"), dangling));

        for (const QString &usable : {plain, link}) {
            QVERIFY(LocalFile::isUsable(usable, Kind::Settings));
            QCOMPARE(LocalFile::read(usable, Kind::Settings).value_or("-"), QByteArray("abc"));
            const std::unique_ptr<QFile> file = LocalFile::open(usable, Kind::Settings);
            QVERIFY(file && file->readAll() == "abc");
        }
        for (const QString &refused : {fifo, QStringLiteral("/dev/zero"), dir, big, dangling, QString()}) {
            QVERIFY2(!LocalFile::isUsable(refused, Kind::Settings), qPrintable(refused));
            QVERIFY(!LocalFile::read(refused, Kind::Settings));
            QVERIFY(!LocalFile::open(refused, Kind::Settings));
        }
        QVERIFY(LocalFile::isUsable(big, Kind::Image));
        QVERIFY(LocalFile::exists(fifo) && !LocalFile::exists(dangling));
        // A file of /proc says 0 bytes yet has more; it is read to its end.
        QVERIFY(!LocalFile::read(QStringLiteral("/proc/self/status"), Kind::Settings).value_or(QByteArray()).isEmpty());
    }

    void imagesAreDecodedWithinBounds()
    {
        // Larger than the whole-image limit: only a format that decodes scaled is read.
        QImage big(6000, 6000, QImage::Format_Grayscale8);
        big.fill(200);
        const QString jpeg = QDir::homePath() + QStringLiteral("/big.jpg");
        const QString png = QDir::homePath() + QStringLiteral("/big.png");
        QVERIFY(big.save(jpeg) && big.save(png));
        big = QImage();
        QVERIFY(qint64(6000) * 6000 > LocalImage::maxPixels);

        QCOMPARE(LocalImage::size(png), QSize(6000, 6000));
        QCOMPARE(LocalImage::read(jpeg, QSize(300, 200)).size(), QSize(200, 200));
        QVERIFY(LocalImage::read(png, QSize(300, 200)).isNull());
        QVERIFY(LocalImage::read(jpeg).isNull());
        // A part at the image's own scale: the same formats decode it alone.
        QCOMPARE(LocalImage::readPart(jpeg, QRect(5900, 100, 300, 40)).size(), QSize(100, 40));
        QVERIFY(LocalImage::readPart(png, QRect(0, 0, 10, 10)).isNull());

        // Within the limit, a format that cannot scale is decoded whole, then scaled.
        QImage wide(400, 100, QImage::Format_RGB32);
        wide.fill(Qt::red);
        const QString small = QDir::homePath() + QStringLiteral("/wide.png");
        QVERIFY(wide.save(small));
        QCOMPARE(LocalImage::read(small, QSize(100, 100)).size(), QSize(100, 25));
        QCOMPARE(LocalImage::read(small).size(), QSize(400, 100));
        QCOMPARE(LocalImage::readPart(small, QRect(350, -5, 100, 10)), wide.copy(350, 0, 50, 5));

        // A compressed drawing counts at its inflated size.
        const QByteArray drawing = "<svg xmlns='http://www.w3.org/2000/svg' width='30' height='20'><!--" + QByteArray(200, ' ') + "--></svg>";
        QCOMPARE(LocalImage::size(write(QStringLiteral("small.svgz"), PexoTest::gzipped(drawing))), QSize(30, 20));
        const QByteArray padded = QByteArray(drawing).replace(' ', QByteArray(LocalFile::sizeLimit(LocalFile::Kind::Svg) / 200, ' '));
        QVERIFY(!LocalImage::size(write(QStringLiteral("padded.svgz"), PexoTest::gzipped(padded))).isValid());
        QVERIFY(LocalImage::drawingText(PexoTest::gzipped(drawing)) == drawing && !LocalImage::drawingText(PexoTest::gzipped(padded)));

        // A drawing is painted scaled or in part, as its reader would; one too
        // slow to paint is given up.
        const QString halves = write(QStringLiteral("halves.svg"),
                                     "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'><rect width='100' height='100' fill='#f00'/>"
                                     "<rect x='100' width='100' height='100' fill='#00f'/></svg>");
        const QImage scaled = LocalImage::read(halves, QSize(20, 20));
        QVERIFY(scaled.size() == QSize(20, 10) && scaled.pixelColor(4, 5) == Qt::red && scaled.pixelColor(15, 5) == Qt::blue);
        const QImage right = LocalImage::readPart(halves, QRect(90, 50, 200, 10));
        QVERIFY(right.size() == QSize(110, 10) && right.pixelColor(5, 5) == Qt::red && right.pixelColor(15, 5) == Qt::blue);
        const QString slow = write(QStringLiteral("slow.svgz"), PexoTest::gzipped(PexoTest::slowDrawing()));
        QCOMPARE(LocalImage::size(slow), QSize(1920, 1080));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(LocalImage::read(slow, QSize(1920, 1080)).isNull());
        QVERIFY(timer.restart() < 2 * LocalImage::drawingTimeoutMs);
        QVERIFY(LocalImage::readPart(slow, QRect(0, 0, 1920, 1080)).isNull());
        QVERIFY(timer.elapsed() < 2 * LocalImage::drawingTimeoutMs);

        // Nested uses multiply what the renderer walks, even past the deadline:
        // such a drawing is refused, one of the same size whose uses all name
        // one element is not. Uses may come before what they name.
        const auto uses = [](const QByteArray &outer, const QByteArray &middle, const QByteArray &inner) -> QByteArray {
            QByteArray drawing = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='40' height='30'>";
            const QByteArray level[3] = {"<use xlink:href='#" + outer + "'/>", "<use xlink:href='#" + middle + "'/>", "<use href='#" + inner + "'/>"};
            drawing += level[0].repeated(300) + "<defs><g id='c'>" + level[1].repeated(300) + "</g><g id='b'>" + level[2].repeated(300) + "</g>";
            return drawing + "<rect id='a' width='40' height='30'/></defs></svg>";
        };
        const QByteArray flat = uses("a", "a", "a");
        const QByteArray nested = uses("c", "b", "a");
        QCOMPARE(LocalImage::size(write(QStringLiteral("flat.svg"), flat)), QSize(40, 30));
        QVERIFY(!LocalImage::fromData(flat).isNull() && !SvgDrawing::render(flat, QSize(40, 30), LocalImage::drawingTimeoutMs).isNull());
        timer.restart();
        QVERIFY(!LocalImage::size(write(QStringLiteral("nested.svg"), nested)).isValid());
        QVERIFY(LocalImage::fromData(nested).isNull() && SvgDrawing::render(nested, QSize(40, 30), LocalImage::drawingTimeoutMs).isNull());
        QVERIFY(timer.elapsed() < LocalImage::drawingTimeoutMs);

        const QString text = write(QStringLiteral("text.png"), "no image");
        QVERIFY(!LocalImage::size(text).isValid() && LocalImage::read(text).isNull());
        QVERIFY(LocalImage::read(QStringLiteral("/dev/zero")).isNull());
    }
};

QTEST_GUILESS_MAIN(LocalFileTest)
#include "localfiletest.moc"
