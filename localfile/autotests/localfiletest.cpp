// The reader of local files and images named by settings, themes and pages.

#include "localfile.h"
#include "localimage.h"
#include "svgdrawing.h"

#include <pexotestsupport.h>
#include <picturetestsupport.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTest>
#include <QtEndian>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>

class LocalFileTest : public QObject
{
    Q_OBJECT

private:
    // The bytes the process has read through system calls so far.
    static qint64 bytesRead()
    {
        QFile io(QStringLiteral("/proc/self/io"));
        const QByteArray counts = io.open(QIODevice::ReadOnly) ? io.readAll() : QByteArray();
        const int at = counts.indexOf("rchar:");
        return at < 0 ? -1 : counts.mid(at + 6, counts.indexOf('\n', at) - at - 6).trimmed().toLongLong();
    }

    // A WebP of the chunks.
    static QByteArray riff(const QByteArray &chunks)
    {
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(quint32(4 + chunks.size()), size.data());
        return "RIFF" + size + "WEBP" + chunks;
    }

    static QString write(const QString &name, const QByteArray &content)
    {
        const QString file = QDir::homePath() + QStringLiteral("/local/") + name;
        PexoTest::writeFile(file, content);
        return file;
    }

    // An icon whose one entry says 16 x 16 and holds a picture of 8000 x 8000.
    static QByteArray lyingIcon()
    {
        const QString png = QDir::homePath() + QStringLiteral("/large.png");
        const QByteArray inner = PexoTest::writeHugePng(png, QSize(8000, 8000)) ? LocalFile::read(png, LocalFile::Kind::Image).value_or("") : "";
        QByteArray icon = QByteArray("\0\0\1\0\1\0", 6) + QByteArray(16, '\0') + inner;
        icon[6] = icon[7] = 16;
        qToLittleEndian<quint16>(1, icon.data() + 10);
        qToLittleEndian<quint16>(32, icon.data() + 12);
        qToLittleEndian<quint32>(quint32(inner.size()), icon.data() + 14);
        qToLittleEndian<quint32>(22, icon.data() + 18);
        return icon;
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
        // A file of /proc that says 0 bytes but holds gigabytes is refused.
        const QString pagemap = QStringLiteral("/proc/self/pagemap");
        for (const QString &refused : {fifo, QStringLiteral("/dev/zero"), dir, big, dangling, QString(), pagemap}) {
            QVERIFY2(!LocalFile::isUsable(refused, Kind::Settings), qPrintable(refused));
            QVERIFY(!LocalFile::read(refused, Kind::Settings));
            QVERIFY(!LocalFile::open(refused, Kind::Settings));
        }
        QVERIFY(LocalFile::isUsable(big, Kind::Image));
        const QString empty = write(QStringLiteral("empty"), QByteArray());
        QVERIFY(LocalFile::isUsable(empty, Kind::Settings) && LocalFile::read(empty, Kind::Settings) == QByteArray());
        QVERIFY(LocalFile::exists(fifo) && !LocalFile::exists(dangling));
        QCOMPARE(LocalFile::canonicalPath(link), QFileInfo(plain).canonicalFilePath());
        QVERIFY(LocalFile::canonicalPath(dangling).isEmpty());
        // One look at the status: only what may be handed on unopened looks usable.
        const QString loop = dir + QStringLiteral("/loop");
        QVERIFY(QFile::link(loop, loop));
        const QMap<LocalFile::Status, QStringList> seen{
            {LocalFile::Status::LooksUsable, {plain, link}},
            {LocalFile::Status::Missing, {dangling, QString()}},
            {LocalFile::Status::Directory, {dir}},
            {LocalFile::Status::Other, {fifo, QStringLiteral("/dev/zero"), big, pagemap, empty, loop}},
        };
        for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
            for (const QString &path : it.value()) {
                QVERIFY2(LocalFile::status(path, Kind::Settings) == it.key(), qPrintable(path));
            }
        }
        // A file of /proc says 0 bytes yet has more; it is read to its end,
        // but no further than the limit.
        QVERIFY(!LocalFile::read(QStringLiteral("/proc/self/status"), Kind::Settings).value_or(QByteArray()).isEmpty());
        QProcess waiting;
        QStringList arguments{QStringLiteral("-c"), QStringLiteral("read line"), QStringLiteral("sh")};
        for (int i = 0; i < 12; ++i) {
            arguments.append(QString(100000, QLatin1Char('x')));
        }
        waiting.start(QStringLiteral("sh"), arguments);
        QVERIFY(waiting.waitForStarted(PexoTest::patienceMs));
        const QString commandLine = QStringLiteral("/proc/%1/cmdline").arg(waiting.processId());
        QVERIFY(!LocalFile::read(commandLine, Kind::Settings));
        QVERIFY(LocalFile::read(commandLine, Kind::Image).value_or(QByteArray()).size() > LocalFile::sizeLimit(Kind::Settings));
        waiting.closeWriteChannel();
        QVERIFY(waiting.waitForFinished(PexoTest::patienceMs));

        // An open that waits, here for another holder's lease to end, is not made.
        QFile leased(write(QStringLiteral("leased"), "abc"));
        QVERIFY(leased.open(QIODevice::WriteOnly | QIODevice::Append));
        const auto breakSignal = ::signal(SIGIO, SIG_IGN);
        QCOMPARE(::fcntl(leased.handle(), F_SETLEASE, F_WRLCK), 0);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!LocalFile::read(leased.fileName(), Kind::Settings) && !LocalFile::open(leased.fileName(), Kind::Settings));
        QVERIFY(timer.elapsed() < PexoTest::patienceMs / 2);
        ::fcntl(leased.handle(), F_SETLEASE, F_UNLCK);
        ::signal(SIGIO, breakSignal);
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
        // Each format decoded here is told by its content, whatever the name.
        const QString misnamed = QDir::homePath() + QStringLiteral("/wide.ico");
        for (const char *format : {"BMP", "PBM", "PGM", "PPM", "XPM", "JPEG", "WEBP"}) {
            QVERIFY(wide.save(misnamed, format));
            QVERIFY2(LocalImage::read(misnamed, QSize(100, 100)).size() == QSize(100, 25), format);
        }

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

        // Dropped data is told by its bytes too; an icon's header does not
        // give the size its reader decodes.
        QVERIFY(LocalImage::fromData(lyingIcon()).isNull());

        const QString text = write(QStringLiteral("text.png"), "no image");
        QVERIFY(!LocalImage::size(text).isValid() && LocalImage::read(text).isNull());
        QVERIFY(LocalImage::read(QStringLiteral("/dev/zero")).isNull());
    }

    // A 1 x 1 BMP whose first bytes also make the header of an 8192 x 4096 TGA.
    static QByteArray bmpAlsoTga()
    {
        char bytes[26] = {};
        bytes[0] = 'B';
        bytes[1] = 'M';
        // The BMP's size, the TGA's type: true colour.
        bytes[2] = 2;
        // The BMP's pixel offset and header size, the TGA's width, height and depth.
        qToLittleEndian<quint32>(quint32(8192) << 16 | 26, bytes + 10);
        qToLittleEndian<quint32>(quint32(24) << 16 | 4096, bytes + 14);
        // An old BMP header: width, height, planes and depth.
        qToLittleEndian<quint16>(1, bytes + 18);
        qToLittleEndian<quint16>(1, bytes + 20);
        qToLittleEndian<quint16>(1, bytes + 22);
        qToLittleEndian<quint16>(24, bytes + 24);
        return QByteArray(bytes, sizeof(bytes)) + QByteArray("\0\0\xff\0", 4) + QByteArray(8, '\0') + "TRUEVISION-XFILE." + QByteArray(1, '\0');
    }

    // Pictures that name other files or take more memory than they show.
    void picturesAreDecodedAtOnceInBoundedMemory_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("decodes");

        const QString fifo = QDir::homePath() + QStringLiteral("/pictures.fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString hugePng = QDir::homePath() + QStringLiteral("/huge.png");
        QVERIFY(PexoTest::writeHugePng(hugePng, QSize(20000, 20000)));
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        QBuffer redPng;
        QVERIFY(redPng.open(QIODevice::WriteOnly) && red.save(&redPng, "PNG"));
        const auto drawing = [](const QByteArray &content) -> QByteArray {
            return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='40' height='30'>" + content + "</svg>";
        };
        const auto image = [](const QByteArray &reference) -> QByteArray {
            return "<image width='40' height='30' xlink:href='" + reference + "'/>";
        };
        const auto embedded = [&](const QByteArray &type, const QByteArray &bytes) -> QByteArray {
            return drawing(image("data:" + type + ";base64," + bytes.toBase64()));
        };
        const auto jpeg = [](const QString &name, const QSize &size, PexoTest::JpegScans scans) {
            const QString path = QDir::homePath() + QLatin1Char('/') + name;
            return PexoTest::writeHugeJpeg(path, size, scans) ? path : QString();
        };
        using Scans = PexoTest::JpegScans;
        const QByteArray icon = lyingIcon();
        const auto saved = [](const QString &name, const QImage &image, const char *format, int quality) {
            const QString path = QDir::homePath() + QLatin1Char('/') + name;
            return image.save(path, format, quality) ? path : QString();
        };
        QImage translucent(400, 300, QImage::Format_ARGB32);
        translucent.fill(QColor(0, 0, 255, 128));
        QBuffer redWebp;
        QVERIFY(redWebp.open(QIODevice::WriteOnly) && red.save(&redWebp, "WEBP"));
        // A 1 x 1 XPM whose lines also make the header of a 30000 x 30000 XBM.
        const QByteArray xpmAlsoXbm =
            "/* XPM */\n#define a_width 30000\n#define a_height 30000\nstatic char *a[] = {\n\"1 1 1 1\",\n\"a c #ff0000\",\n\"a\"\n};\n/* 0x00 */\n";
        // A progressive JPEG of its first scan over and over.
        QByteArray repeated = LocalFile::read(jpeg(QStringLiteral("scan.jpg"), QSize(512, 512), Scans::Progressive), LocalFile::Kind::Image).value();
        const int scanStart = repeated.lastIndexOf("\xff\xda");
        repeated = repeated.left(scanStart) + repeated.mid(scanStart, repeated.size() - 2 - scanStart).repeated(1000) + "\xff\xd9";

        QTest::newRow("drawing naming a fifo") << write(QStringLiteral("fifo.svg"), drawing(image(QFile::encodeName(fifo)))) << false;
        QTest::newRow("drawing naming a huge picture") << write(QStringLiteral("named.svg"), drawing(image(QFile::encodeName(hugePng)))) << false;
        QTest::newRow("prefixed element naming a file")
            << write(QStringLiteral("relative.svg"), drawing("<s:image xmlns:s='urn:s' xlink:href='red.png'/>")) << false;
        QTest::newRow("style sheet naming a fifo") << write(QStringLiteral("styled.svg"),
                                                            "<?xml-stylesheet type=\"text/css\" href=\"" + QFile::encodeName(fifo) + "\"?>" + drawing(""))
                                                   << false;
        QTest::newRow("embedded huge picture") << write(QStringLiteral("huge.svg"),
                                                        embedded("image/png", LocalFile::read(hugePng, LocalFile::Kind::Image).value()))
                                               << false;
        QTest::newRow("embedded drawing") << write(QStringLiteral("nested.svg"), embedded("image/svg+xml", drawing(""))) << false;
        QTest::newRow("embedded picture") << write(QStringLiteral("embedded.svg"), embedded("image/png", redPng.data())) << true;
        QTest::newRow("huge progressive jpeg") << jpeg(QStringLiteral("progressive.jpg"), QSize(20000, 20000), Scans::Progressive) << false;
        QTest::newRow("huge jpeg of a scan per component") << jpeg(QStringLiteral("scans.jpg"), QSize(20000, 20000), Scans::PerComponent) << false;
        QTest::newRow("huge jpeg of one scan") << jpeg(QStringLiteral("baseline.jpg"), QSize(20000, 20000), Scans::Baseline) << true;
        QTest::newRow("progressive jpeg") << jpeg(QStringLiteral("small.jpg"), QSize(2000, 1500), Scans::Progressive) << true;
        QTest::newRow("huge jpeg of one scan, over the limit at an eighth")
            << jpeg(QStringLiteral("eighth.jpg"), QSize(50000, 50000), Scans::Baseline) << false;
        QTest::newRow("jpeg of many scans") << write(QStringLiteral("repeated.jpg"), repeated) << false;
        QTest::newRow("icon holding a larger picture") << write(QStringLiteral("lying.ico"), icon) << false;
        QTest::newRow("drawing embedding such an icon") << write(QStringLiteral("icon.svg"), embedded("image/x-icon", icon)) << false;
        QTest::newRow("bitmap of text") << write(QStringLiteral("huge.xbm"),
                                                 "#define b_width 30000\n#define b_height 30000\nstatic char b_bits[] = {\n0x00};\n")
                                        << false;
        // Qt's reader of the format told from the bytes decodes these; a
        // drawing's renderer decodes with the first reader that takes them.
        QTest::newRow("drawing embedding a pixmap that is also a bitmap of text")
            << write(QStringLiteral("xbm.svg"), embedded("image/x-xpixmap", xpmAlsoXbm)) << false;
        QTest::newRow("drawing embedding a bmp that is also a tga") << write(QStringLiteral("tga.svg"), embedded("image/bmp", bmpAlsoTga())) << false;
        QTest::newRow("tiff") << saved(QStringLiteral("picture.tiff"), translucent, "TIFF", -1) << false;
        QTest::newRow("lossless webp") << saved(QStringLiteral("lossless.webp"), translucent, "WEBP", 100) << true;
        QTest::newRow("extended webp") << saved(QStringLiteral("extended.webp"), translucent, "WEBP", 80) << true;
        QTest::newRow("drawing embedding a webp") << write(QStringLiteral("webp.svg"), embedded("image/webp", redWebp.data())) << true;
        // Its renderer gives the bytes to the reader as they are.
        QTest::newRow("drawing embedding a webp animation")
            << write(QStringLiteral("animated.svg"), embedded("image/webp", PexoTest::webpAnimation(QSize(40, 30)))) << false;
        QTest::newRow("webp animation over the limit") << write(QStringLiteral("huge-animation.webp"), PexoTest::webpAnimation(QSize(8000, 6000))) << false;
    }

    void picturesAreDecodedAtOnceInBoundedMemory()
    {
        QFETCH(QString, path);
        QFETCH(bool, decodes);
        const PexoTest::Watchdog watchdog(PexoTest::patienceMs / 1000);
        QVERIFY(PexoTest::resetPeak());
        const qint64 before = PexoTest::peakMiB();
        const bool read = !LocalImage::read(path, QSize(300, 200)).isNull();
        const bool readPart = !LocalImage::readPart(path, QRect(0, 0, 40, 30)).isNull();
        const qint64 grown = PexoTest::peakMiB() - before;
        qInfo() << "peak memory grew by" << grown << "MiB";
        QCOMPARE(read, decodes);
        QCOMPARE(readPart, decodes);
        QVERIFY2(grown < 100, qPrintable(QString::number(grown)));
    }

    // Of a WebP only the first frame is read and decoded, however many
    // frames or other chunks follow, and drawn at its place on a canvas no
    // larger than shown, however large the animation's canvas.
    void webpCostsItsFirstFrame_data()
    {
        QTest::addColumn<QByteArray>("animation");
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QRect>("frame");
        QImage translucent(40, 20, QImage::Format_ARGB32);
        translucent.fill(QColor(255, 0, 0, 200));
        QImage blue(400, 300, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        const int frames = (16 << 20) / PexoTest::webpAnimation(QSize(64, 64)).size();
        QTest::newRow("many frames") << PexoTest::webpAnimation(QSize(64, 64), {}, 100, frames) << QSize(64, 64) << QRect(0, 0, 1, 1);
        QTest::newRow("a canvas of many pixels") << PexoTest::webpAnimation(QSize(4096, 4096)) << QSize(4096, 4096) << QRect(0, 0, 1, 1);
        QTest::newRow("lossy, with alpha, at a place") << PexoTest::webpAnimation(QSize(400, 300), {{translucent, QPoint(200, 100)}, {blue, QPoint(0, 0)}}, 80)
                                                       << QSize(400, 300) << QRect(200, 100, 40, 20);
        QImage red(64, 64, QImage::Format_RGB32);
        red.fill(Qt::red);
        QBuffer still;
        QVERIFY(still.open(QIODevice::WriteOnly) && red.save(&still, "WEBP", 100));
        QByteArray chunks = still.data() + QByteArray("JUNK\0\0\0\0", 8).repeated(2 << 20);
        qToLittleEndian<quint32>(quint32(chunks.size() - 8), chunks.data() + 4);
        QTest::newRow("a still picture, many chunks after it") << chunks << QSize(64, 64) << QRect(0, 0, 64, 64);
        QByteArray canvas(10, '\0');
        canvas[0] = 0x20; // a colour profile
        PexoTest::Webp::put24(canvas, 4, 63);
        PexoTest::Webp::put24(canvas, 7, 63);
        QTest::newRow("a still picture, a large colour profile before it")
            << riff(PexoTest::Webp::chunk("VP8X", canvas) + PexoTest::Webp::chunk("ICCP", QByteArray(4 << 20, '\0')) + still.data().mid(12)) << QSize(64, 64)
            << QRect(0, 0, 64, 64);
        // Refused: read no further than a real file holds before its frame.
        const QByteArray animation = PexoTest::webpAnimation(QSize(64, 64));
        const int frame = animation.indexOf("ANMF");
        QTest::newRow("many chunks before the first frame")
            << riff(animation.mid(12, frame - 12) + QByteArray("JUNK\0\0\0\0", 8).repeated(2 << 20) + animation.mid(frame)) << QSize() << QRect();
        QByteArray claims = animation;
        qToLittleEndian<quint32>(0xffffffff, claims.data() + 4);
        QTest::newRow("a container claiming more than the file holds") << claims << QSize() << QRect();
        QByteArray lies = animation;
        PexoTest::Webp::put24(lies, frame + 8 + 6, 1);
        QTest::newRow("a frame whose size is not its header's") << lies << QSize() << QRect();
    }

    void webpCostsItsFirstFrame()
    {
        QFETCH(QByteArray, animation);
        QFETCH(QSize, canvas);
        QFETCH(QRect, frame);
        const QString path = write(QStringLiteral("animation.webp"), animation);
        QVERIFY(PexoTest::resetPeak());
        const qint64 memory = PexoTest::peakMiB();
        const qint64 bytes = bytesRead();
        QCOMPARE(LocalImage::size(path), canvas);
        const QImage shown = LocalImage::read(path, QSize(200, 200));
        if (!canvas.isValid()) {
            QVERIFY(shown.isNull());
            const qint64 read = bytesRead() - bytes;
            QVERIFY2(read < (1 << 20), qPrintable(QString::number(read)));
            return;
        }
        const QRect around = frame.adjusted(-2, -2, 2, 2) & QRect(QPoint(0, 0), canvas);
        const QImage part = LocalImage::readPart(path, around);
        const qint64 grown = PexoTest::peakMiB() - memory;
        const qint64 read = bytesRead() - bytes;
        QVERIFY2(grown < 16, qPrintable(QString::number(grown)));
        QVERIFY2(read < (1 << 20), qPrintable(QString::number(read)));

        QCOMPARE(shown.size(), canvas.width() <= 200 && canvas.height() <= 200 ? canvas : canvas.scaled(QSize(200, 200), Qt::KeepAspectRatio));
        QCOMPARE(part.size(), around.size());
        const QColor inside = part.pixelColor(frame.center() - around.topLeft());
        QVERIFY2(inside.red() > 200 && inside.green() < 30 && inside.blue() < 30 && inside.alpha() > 150, qPrintable(inside.name(QColor::HexArgb)));
        const bool covered = frame == QRect(QPoint(0, 0), canvas);
        QVERIFY(covered || part.pixelColor(around.width() - 1, around.height() - 1).alpha() == 0);
        const qreal scale = qreal(shown.width()) / canvas.width();
        if (frame.width() * scale >= 4) {
            QVERIFY(shown.pixelColor((QPointF(frame.center()) * scale).toPoint()).red() > 200);
            QVERIFY(covered || shown.pixelColor(0, 0).alpha() == 0);
        }
    }
};

QTEST_GUILESS_MAIN(LocalFileTest)
#include "localfiletest.moc"
