#include "archivefixtures.h"

#include <QStandardPaths>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace ArchiveFixtures;

// pexo-import-theme run as a process on archives built by the test.
class ImportThemeTest : public QObject
{
    Q_OBJECT

private:
    QString home() const
    {
        return QDir::homePath();
    }
    QString userThemes() const
    {
        return home() + QStringLiteral("/.local/share/pexothemes");
    }
    QString userIcons() const
    {
        return home() + QStringLiteral("/.local/share/icons");
    }
    QString pictures() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    }
    QString archives() const
    {
        return home() + QStringLiteral("/archives");
    }

    static QByteArray themerc(const QString &wallpaper, const QString &cursor = QString())
    {
        return "[Variables]\nWallPaper=" + wallpaper.toUtf8() + "\nLogoPixmap=undefined\nColorScheme=\nCursorTheme=" + cursor.toUtf8() + "\nIconTheme=\n";
    }

    // The layout of the export tool for one theme T with a wallpaper.
    static QList<Entry> themeEntries(const QString &wallpaper, const QString &cursor = QString())
    {
        QList<Entry> entries{dir(QStringLiteral("T")),
                             dir(QStringLiteral("T/theme")),
                             dir(QStringLiteral("T/color-scheme")),
                             dir(QStringLiteral("T/wallpaper")),
                             dir(QStringLiteral("T/logo")),
                             dir(QStringLiteral("T/cursor")),
                             dir(QStringLiteral("T/icons")),
                             file(QStringLiteral("T/theme/themerc"), themerc(wallpaper, cursor)),
                             file(QStringLiteral("T/index.theme"), "[Pexo Theme]\nId=t\nName=T\n"),
                             file(QStringLiteral("T/wallpaper/") + QFileInfo(wallpaper).fileName(), pngImage())};
        if (!cursor.isEmpty()) {
            entries.append(file(QStringLiteral("T/cursor/") + cursor + QStringLiteral("/index.theme"), "[Icon Theme]\n"));
            entries.append(file(QStringLiteral("T/cursor/") + cursor + QStringLiteral("/cursors/left_ptr"), "cursor"));
        }
        return entries;
    }

    // A theme T whose wallpaper big.png (or colour scheme Big.colors, for
    // part "color-scheme") holds size bytes, a picture's (a scheme's) head
    // and zeros, in a tar.gz or a zip; in a zip whose directory says the
    // file holds stated bytes when stated is given. The tar.gz repeats one
    // compressed MiB of zeros, so that any size is cheap to make.
    static bool makeLargeArchive(
        const QString &path, const QString &format, qint64 size, const QString &dir, qint64 stated = -1, const QString &part = QStringLiteral("wallpaper"))
    {
        static const QString script = QStringLiteral(R"(
import io, shutil, struct, sys, tarfile, zipfile, zlib
out, fmt, size, dir, stated, part, head = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4], int(sys.argv[5]), sys.argv[6], bytes.fromhex(sys.argv[7])
name = 'T/%s/%s' % (part, 'big.png' if part == 'wallpaper' else 'Big.colors')
stored = '%s/%s' % (dir, name.split('/')[-1])
wallpaper, scheme = (stored, '') if part == 'wallpaper' else ('', stored)
files = [('T/theme/themerc', ('[Variables]\nWallPaper=%s\nLogoPixmap=undefined\nColorScheme=%s\n' % (wallpaper, scheme)).encode()),
         ('T/index.theme', b'[Pexo Theme]\nId=t\nName=T\n')]
class Zeros(io.RawIOBase):
    def __init__(self, n): self.n = n
    def readable(self): return True
    def readinto(self, b):
        k = min(len(b), self.n); b[:k] = bytes(k); self.n -= k; return k
if fmt == 'gz':
    tar = b''
    for member, content in files:
        info = tarfile.TarInfo(member); info.size = len(content)
        tar += info.tobuf(tarfile.GNU_FORMAT) + content + bytes(-len(content) % 512)
    info = tarfile.TarInfo(name); info.size = size
    tar += info.tobuf(tarfile.GNU_FORMAT) + head
    # The rest of the content, its padding and the two end blocks are all
    # zeros. After a full flush a MiB of zeros always compresses to the same bytes.
    zeros = size - len(head) + (-size % 512) + 1024
    piece = bytes(1 << 20)
    pieces, rest = divmod(zeros, len(piece))
    deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
    crc = zlib.crc32(tar)
    with open(out, 'wb') as f:
        f.write(b'\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\xff')
        f.write(deflate.compress(tar) + deflate.flush(zlib.Z_FULL_FLUSH))
        block = deflate.compress(piece) + deflate.flush(zlib.Z_FULL_FLUSH) if pieces else b''
        for _ in range(pieces):
            f.write(block)
            crc = zlib.crc32(piece, crc)
        f.write(deflate.compress(bytes(rest)) + deflate.flush())
        crc = zlib.crc32(bytes(rest), crc)
        f.write(struct.pack('<II', crc, (len(tar) + zeros) & 0xffffffff))
else:
    with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED, compresslevel=1) as z:
        for member, content in files:
            z.writestr(member, content)
        with z.open(name, 'w') as f:
            f.write(head)
            shutil.copyfileobj(Zeros(size - len(head)), f, 1 << 20)
if stated >= 0:
    data = bytearray(open(out, 'rb').read())
    at = data.find(b'PK\x03\x04', data.find(name.encode()) - 30)
    data[at + 22:at + 26] = struct.pack('<I', stated)
    at = data.find(b'PK\x01\x02')
    while data[at + 46:at + 46 + len(name)] != name.encode():
        at = data.find(b'PK\x01\x02', at + 4)
    data[at + 24:at + 28] = struct.pack('<I', stated)
    open(out, 'wb').write(data)
)");
        const QByteArray head = part == QLatin1String("wallpaper") ? pngImage() : colorScheme();
        return runPython(script, {path, format, QString::number(size), dir, QString::number(stated), part, QString::fromLatin1(head.toHex())}, {});
    }

    QString storedWallpaper() const
    {
        const QString path = userThemes() + QStringLiteral("/T/theme/themerc");
        const QList<QByteArray> lines = PexoTest::readFile(path).split('\n');
        for (const QByteArray &line : lines) {
            if (line.startsWith("WallPaper=")) {
                return QString::fromUtf8(line.mid(10));
            }
        }
        return QString();
    }

private Q_SLOTS:
    void init()
    {
        for (const QString &dir : QStringList{userThemes(), userIcons(), pictures(), archives(), home() + QStringLiteral("/elsewhere")}) {
            PexoTest::removePath(dir);
        }
        PexoTest::removePath(QStringLiteral("/usr/share/icons/SysCursor"));
        QDir().mkpath(archives());
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no argument") << QStringList() << 1 << QString();
        QTest::newRow("two arguments") << QStringList{QStringLiteral("a.tar"), QStringLiteral("b.tar")} << 1 << QString();
        QTest::newRow("empty path") << QStringList{QString()} << 2 << QString();
        QTest::newRow("missing file") << QStringList{QStringLiteral("/nowhere/a.tar")} << 2 << QString();
        QTest::newRow("fifo") << QStringList{QStringLiteral("FIFO")} << 2 << QStringLiteral("Not an archive file: \"FIFO\"");
        QTest::newRow("text file") << QStringList{QStringLiteral("TEXT")} << 3
                                   << QStringLiteral("Could not open package file, unsupported archive format: \"TEXT\" \"text/plain\"");
        QTest::newRow("broken zip") << QStringList{QStringLiteral("BROKEN")} << 4 << QString();
        QTest::newRow("no theme directory") << QStringList{QStringLiteral("NOTHEME")} << 5 << QString();
    }

    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString text = archives() + QStringLiteral("/notes.txt");
        PexoTest::writeFile(text, "just some words\n");
        const QString broken = archives() + QStringLiteral("/broken.zip");
        PexoTest::writeFile(broken, "PK\x03\x04 this is not really a zip archive at all");
        // "theme" and "index.theme" in different directories: neither qualifies.
        const QString noTheme = archives() + QStringLiteral("/notheme.tar");
        QVERIFY(makeArchive(noTheme,
                            QStringLiteral("tar"),
                            {dir(QStringLiteral("A")),
                             file(QStringLiteral("A/index.theme"), "[Pexo Theme]\nId=a\nName=A\n"),
                             file(QStringLiteral("B/theme/themerc"), "[Variables]\n")}));
        const QString fifo = archives() + QStringLiteral("/pipe.tar");
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {fifo}), 0);
        arguments.replaceInStrings(QStringLiteral("FIFO"), fifo);
        message.replace(QStringLiteral("FIFO"), fifo);
        arguments.replaceInStrings(QStringLiteral("TEXT"), text);
        arguments.replaceInStrings(QStringLiteral("BROKEN"), broken);
        arguments.replaceInStrings(QStringLiteral("NOTHEME"), noTheme);
        message.replace(QStringLiteral("TEXT"), text);

        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), arguments);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.errors.trimmed(), message);
        QVERIFY(!QFileInfo::exists(userThemes() + QStringLiteral("/A")));
    }

    void formats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("zip") << QStringLiteral("zip") << QStringLiteral("t.zip");
        QTest::newRow("tar") << QStringLiteral("tar") << QStringLiteral("t.tar");
        QTest::newRow("tar.gz") << QStringLiteral("gz") << QStringLiteral("t.tar.gz");
        QTest::newRow("tar.bz2") << QStringLiteral("bz2") << QStringLiteral("t.tar.bz2");
        QTest::newRow("tar.xz") << QStringLiteral("xz") << QStringLiteral("t.tar.xz");
        // The format comes from the content, not only the name.
        QTest::newRow("xz named .bin") << QStringLiteral("xz") << QStringLiteral("t.bin");
    }

    void formats()
    {
        QFETCH(QString, format);
        QFETCH(QString, fileName);
        const QString wallpaper = pictures() + QStringLiteral("/wall.jpg");
        const QString path = archives() + QLatin1Char('/') + fileName;
        QVERIFY(makeArchive(path, format, themeEntries(wallpaper, QStringLiteral("Arrows"))));

        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(PexoTest::readFile(userThemes() + QStringLiteral("/T/index.theme")), QByteArray("[Pexo Theme]\nId=t\nName=T\n"));
        QVERIFY(PexoTest::readFile(userThemes() + QStringLiteral("/T/theme/themerc")).contains("CursorTheme=Arrows"));
        QCOMPARE(PexoTest::readFile(wallpaper), pngImage());
        QCOMPARE(storedWallpaper(), wallpaper);
        // The cursor theme's own index.theme lies at the top of its directory.
        QCOMPARE(PexoTest::readFile(userIcons() + QStringLiteral("/Arrows/index.theme")), QByteArray("[Icon Theme]\n"));
        QCOMPARE(PexoTest::readFile(userIcons() + QStringLiteral("/Arrows/cursors/left_ptr")), QByteArray("cursor"));
    }

    void secondImportIsSkipped()
    {
        const QString path = archives() + QStringLiteral("/t.tar.gz");
        QVERIFY(makeArchive(path, QStringLiteral("gz"), themeEntries(pictures() + QStringLiteral("/wall.jpg"))));
        QCOMPARE(PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path}).exitCode, 0);
        PexoTest::writeFile(userThemes() + QStringLiteral("/T/theme/themerc"), "[Variables]\nEdited=true\n");
        const auto before = PexoTest::snapshotTree(home());

        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errors.trimmed(), QStringLiteral("Theme \"T\" is already installed: \"%1/T\"").arg(userThemes()));
        QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(home())), QStringList());
    }

    // Killed half way through a cursor theme by the signal of a file size
    // limit: as with kill -9, nothing is cleaned up.
    void killedImportIsRedone()
    {
        const QString wallpaper = pictures() + QStringLiteral("/wall.jpg");
        QList<Entry> entries = themeEntries(wallpaper, QStringLiteral("Arrows"));
        entries.append(file(QStringLiteral("T/cursor/Arrows/cursors/wait"), QByteArray(256 * 1024, 'w')));
        const QString path = archives() + QStringLiteral("/t.tar");
        QVERIFY(makeArchive(path, QStringLiteral("tar"), entries));
        QByteArray output;
        QVERIFY(runPython(QStringLiteral("import resource, subprocess, sys\n"
                                         "def limit():\n"
                                         "    resource.setrlimit(resource.RLIMIT_FSIZE, (128 * 1024, 128 * 1024))\n"
                                         "    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))\n"
                                         "print(subprocess.run(sys.argv[1:], preexec_fn=limit).returncode)\n"),
                          {QStringLiteral("pexo-import-theme"), path},
                          {},
                          &output));
        QCOMPARE(output.trimmed(), QByteArray("-25")); // SIGXFSZ
        QVERIFY(!QFileInfo::exists(userThemes() + QStringLiteral("/T")));
        QVERIFY(!QFileInfo::exists(userIcons() + QStringLiteral("/Arrows")));
        const auto staging = [this] {
            QStringList found;
            QDirIterator it(home(), {QStringLiteral(".pexo-import-*")}, QDir::Dirs | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                found.append(it.next());
            }
            return found;
        };
        QCOMPARE(staging().size(), 3); // beside the themes, the pictures and the icons
        // Names that only look like those folders' are left.
        QStringList lookalikes;
        for (const char *name : {".pexo-import-Ab1", ".pexo-import-Abc1234", ".pexo-import-Ab_c12"}) {
            lookalikes.append(userThemes() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(QDir().mkpath(lookalikes.last()));
        }
        // The folder of an import still running stays.
        const QString live = userThemes() + QStringLiteral("/.pexo-import-Live01");
        QVERIFY(QDir().mkpath(live));
        const int fd = ::open(QFile::encodeName(live).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(fd >= 0 && ::flock(fd, LOCK_EX) == 0);

        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        ::close(fd);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(PexoTest::readFile(userThemes() + QStringLiteral("/T/theme/themerc")).contains("CursorTheme=Arrows"));
        QCOMPARE(storedWallpaper(), wallpaper);
        QCOMPARE(PexoTest::readFile(wallpaper), pngImage());
        QCOMPARE(PexoTest::readFile(userIcons() + QStringLiteral("/Arrows/cursors/wait")), QByteArray(256 * 1024, 'w'));
        QStringList left = staging();
        QStringList kept = lookalikes << live;
        left.sort();
        kept.sort();
        QCOMPARE(left, kept);
    }

    // The wallpaper and the logo go where the other one goes: the very same
    // picture is placed once for both, another one under a free name.
    void sharedPlace_data()
    {
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("placed");
        QTest::newRow("named where the wallpaper is placed") << QStringLiteral("PICTURES/same.png") << svgImage() << QStringLiteral("PICTURES/same-2.png");
        QTest::newRow("same picture named there") << QStringLiteral("PICTURES/same.png") << pngImage() << QStringLiteral("PICTURES/same.png");
        QTest::newRow("same file name in another folder") << QStringLiteral("HOME/gone/same.png") << svgImage() << QStringLiteral("PICTURES/same-2.png");
        QTest::newRow("same picture in another folder") << QStringLiteral("HOME/gone/same.png") << pngImage() << QStringLiteral("PICTURES/same.png");
    }

    void sharedPlace()
    {
        QFETCH(QString, logo);
        QFETCH(QByteArray, content);
        QFETCH(QString, placed);
        logo.replace(QStringLiteral("PICTURES"), pictures()).replace(QStringLiteral("HOME"), home());
        placed.replace(QStringLiteral("PICTURES"), pictures());
        const QString same = pictures() + QStringLiteral("/same.png");
        QList<Entry> entries = themeEntries(same);
        entries[7].content = "[Variables]\nWallPaper=" + same.toUtf8() + "\nLogoPixmap=" + logo.toUtf8() + "\nColorScheme=\nCursorTheme=\nIconTheme=\n";
        entries.append(file(QStringLiteral("T/logo/same.png"), content));
        const QString path = archives() + QStringLiteral("/t.tar");
        QVERIFY(makeArchive(path, QStringLiteral("tar"), entries));
        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errors, QString());
        QCOMPARE(PexoTest::readFile(same), pngImage());
        QCOMPARE(PexoTest::readFile(placed), content);
        const QByteArray themerc = PexoTest::readFile(userThemes() + QStringLiteral("/T/theme/themerc"));
        QVERIFY2(themerc.contains("LogoPixmap=" + placed.toUtf8() + '\n') && themerc.contains("WallPaper=" + same.toUtf8() + '\n'), themerc.constData());
    }

    void wallpaperPlacement_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("expected");
        // Placed where the theme names it: one of the user's picture locations.
        QTest::newRow("pictures") << QStringLiteral("PICTURES/wall.jpg") << false << QStringLiteral("PICTURES/wall.jpg");
        QTest::newRow("user wallpapers") << QStringLiteral("DATA/wallpapers/wall.jpg") << false << QStringLiteral("DATA/wallpapers/wall.jpg");
        // Anywhere else it goes to the pictures location and the theme follows.
        QTest::newRow("other directory") << QStringLiteral("HOME/elsewhere/wall.jpg") << false << QStringLiteral("PICTURES/wall.jpg");
        QTest::newRow("missing directory") << QStringLiteral("HOME/gone/wall.jpg") << false << QStringLiteral("PICTURES/wall.jpg");
        QTest::newRow("system directory") << QStringLiteral("/usr/share/wallpapers/wall.jpg") << false << QStringLiteral("PICTURES/wall.jpg");
        // An existing file among the user's pictures stays, and so does the path.
        QTest::newRow("file exists") << QStringLiteral("DATA/wallpapers/wall.jpg") << true << QStringLiteral("DATA/wallpapers/wall.jpg");
    }

    void wallpaperPlacement()
    {
        QFETCH(QString, stored);
        QFETCH(bool, exists);
        QFETCH(QString, expected);
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        for (QString *path : {&stored, &expected}) {
            path->replace(QStringLiteral("PICTURES"), pictures());
            path->replace(QStringLiteral("DATA"), data);
            path->replace(QStringLiteral("HOME"), home());
        }
        QDir().mkpath(home() + QStringLiteral("/elsewhere"));
        QDir().mkpath(data + QStringLiteral("/wallpapers"));
        if (exists) {
            PexoTest::writeFile(stored, "already here");
        }
        const QString path = archives() + QStringLiteral("/t.tar");
        QVERIFY(makeArchive(path, QStringLiteral("tar"), themeEntries(stored)));

        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(storedWallpaper(), expected);
        QCOMPARE(PexoTest::readFile(expected), exists ? QByteArray("already here") : pngImage());
        if (expected != stored) {
            QVERIFY(!QFileInfo::exists(stored));
        }
        PexoTest::removePath(data + QStringLiteral("/wallpapers"));
        PexoTest::removePath(QStringLiteral("/usr/share/wallpapers/wall.jpg"));
    }

    // A wallpaper and a colour scheme that the theme keeps in its own
    // folder come with it, where it names them, without a word.
    void filesKeptInTheThemesFolder()
    {
        const QString kept = userThemes() + QStringLiteral("/T/theme");
        const QString path = archives() + QStringLiteral("/t.tar");
        QVERIFY(makeArchive(path,
                            QStringLiteral("tar"),
                            {dir(QStringLiteral("T")),
                             dir(QStringLiteral("T/theme")),
                             file(QStringLiteral("T/theme/themerc"),
                                  "[Variables]\nWallPaper=" + kept.toUtf8() + "/wall.png\nLogoPixmap=undefined\nColorScheme=" + kept.toUtf8() +
                                      "/T.colors\nCursorTheme=\nIconTheme=\n"),
                             file(QStringLiteral("T/theme/wall.png"), pngImage()),
                             file(QStringLiteral("T/theme/T.colors"), colorScheme()),
                             file(QStringLiteral("T/index.theme"), "[Pexo Theme]\nId=t\nName=T\n")}));
        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errors, QString());
        QCOMPARE(storedWallpaper(), kept + QStringLiteral("/wall.png"));
        QCOMPARE(PexoTest::readFile(kept + QStringLiteral("/wall.png")), pngImage());
        QCOMPARE(PexoTest::readFile(kept + QStringLiteral("/T.colors")), colorScheme());
    }

    void oversizedArchiveIsRefused_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("tar.gz") << QStringLiteral("gz") << QStringLiteral("bomb.tar.gz");
        QTest::newRow("zip") << QStringLiteral("zip") << QStringLiteral("bomb.zip");
    }

    void oversizedArchiveIsRefused()
    {
        QFETCH(QString, format);
        QFETCH(QString, fileName);
        const QString path = archives() + QLatin1Char('/') + fileName;
        // A zip is refused by the sizes its directory states.
        const qint64 size = (qint64(1) << 30) + 1;
        QVERIFY(format == QLatin1String("zip") ? makeLargeArchive(path, format, 1 << 20, pictures(), size) : makeLargeArchive(path, format, size, pictures()));
        const auto before = PexoTest::snapshotTree(home());
        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 4);
        QVERIFY2(run.errors.contains(QLatin1String("Refusing archive that unpacks to more than 1 GiB")), qPrintable(run.errors));
        QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(home())), QStringList());
        QCOMPARE(QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // A file its reader would refuse for its size makes the theme skipped
    // before anything is written; one just within is placed, copied in
    // pieces, never held whole in memory.
    void readerSizeLimits_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("picture at the limit") << QStringLiteral("wallpaper") << (qint64(256) << 20) << QString();
        QTest::newRow("picture a byte over") << QStringLiteral("wallpaper") << (qint64(256) << 20) + 1
                                             << QStringLiteral("\"T/wallpaper/big.png\" is larger than 256 MiB");
        QTest::newRow("colour scheme at the limit") << QStringLiteral("color-scheme") << (qint64(1) << 20) << QString();
        QTest::newRow("colour scheme a byte over") << QStringLiteral("color-scheme") << (qint64(1) << 20) + 1
                                                   << QStringLiteral("\"T/color-scheme/Big.colors\" is larger than 1 MiB");
    }

    void readerSizeLimits()
    {
        QFETCH(QString, part);
        QFETCH(qint64, size);
        QFETCH(QString, refusal);
        const bool picture = part == QLatin1String("wallpaper");
        const QString dir = picture ? pictures() : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/color-schemes");
        const QString placed = dir + (picture ? QStringLiteral("/big.png") : QStringLiteral("/Big.colors"));
        const QString path = archives() + QStringLiteral("/large.tar.gz");
        QVERIFY(makeLargeArchive(path, QStringLiteral("gz"), size, dir, -1, part));
        PexoTest::removePath(placed);
        QByteArray output;
        QVERIFY(runPython(QStringLiteral("import resource, subprocess, sys\n"
                                         "run = subprocess.run(sys.argv[1:], stderr=subprocess.PIPE)\n"
                                         "print(run.returncode, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)\n"
                                         "print(run.stderr.decode())\n"),
                          {QStringLiteral("pexo-import-theme"), path},
                          {},
                          &output));
        const QList<QByteArray> results = output.left(output.indexOf('\n')).split(' ');
        QCOMPARE(results.value(0), QByteArray("0"));
        QVERIFY2(results.value(1).toLongLong() < 128 * 1024, output.constData()); // KiB
        if (refusal.isEmpty()) {
            QCOMPARE(QFileInfo(placed).size(), size);
            QVERIFY(QFileInfo::exists(userThemes() + QStringLiteral("/T/index.theme")));
        } else {
            QVERIFY2(output.contains("Skipping theme \"T\" whose file " + refusal.toUtf8()), output.constData());
            QVERIFY(!QFileInfo::exists(placed));
            QVERIFY(!QFileInfo::exists(userThemes() + QStringLiteral("/T")));
        }
        PexoTest::removePath(placed);
    }

    void zipEntryLargerThanStated()
    {
        const QString path = archives() + QStringLiteral("/lying.zip");
        QVERIFY(makeLargeArchive(path, QStringLiteral("zip"), 2 << 20, pictures(), 1000));
        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.errors.contains(QLatin1String("Refusing archive entry whose content does not have its stated size")), qPrintable(run.errors));
        QVERIFY(!QFileInfo::exists(pictures() + QStringLiteral("/big.png")));
    }

    void noRoomForTheArchive()
    {
        QDir().mkpath(userThemes());
        QProcess mount;
        mount.start(
            QStringLiteral("mount"),
            {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=1m"), QStringLiteral("pexo-test"), userThemes()});
        if (!PexoTest::waitForExit(mount) || mount.exitCode() != 0) {
            QSKIP("cannot mount a small file system here");
        }
        const QString path = archives() + QStringLiteral("/t.tar.gz");
        QVERIFY(makeLargeArchive(path, QStringLiteral("gz"), 2 << 20, pictures()));
        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        const QStringList left = QDir(userThemes()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QProcess::execute(QStringLiteral("umount"), {userThemes()});
        QCOMPARE(run.exitCode, 4);
        QVERIFY2(run.errors.contains(QLatin1String("Not enough free space to unpack")), qPrintable(run.errors));
        QCOMPARE(left, QStringList());
        QVERIFY(!QFileInfo::exists(pictures() + QStringLiteral("/big.png")));
    }

    // What is in a place the import moves a theme to stays, a dangling link
    // too: it is neither replaced nor followed.
    void alreadyInstalled_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("link"); // to a missing folder
        QTest::addColumn<QString>("message");
        QTest::newRow("system cursor theme") << QStringLiteral("/usr/share/icons/SysCursor/index.theme") << false
                                             << QStringLiteral("Cursor theme found in system icons; skipping copy: \"/usr/share/icons/SysCursor\"");
        QTest::newRow("user cursor theme") << QStringLiteral("ICONS/SysCursor/index.theme") << false
                                           << QStringLiteral("Cursor theme \"SysCursor\" is already installed: \"ICONS/SysCursor\"");
        QTest::newRow("dangling link at the cursor theme")
            << QStringLiteral("ICONS/SysCursor") << true << QStringLiteral("Cursor theme \"SysCursor\" is already installed: \"ICONS/SysCursor\"");
        QTest::newRow("dangling link at the theme") << QStringLiteral("THEMES/T") << true << QStringLiteral("Theme \"T\" is already installed: \"THEMES/T\"");
    }

    void alreadyInstalled()
    {
        QFETCH(QString, existing);
        QFETCH(bool, link);
        QFETCH(QString, message);
        for (QString *text : {&existing, &message}) {
            text->replace(QStringLiteral("ICONS"), userIcons()).replace(QStringLiteral("THEMES"), userThemes());
        }
        const QString gone = home() + QStringLiteral("/elsewhere/gone");
        if (link) {
            QVERIFY(QDir().mkpath(QFileInfo(existing).path()) && QFile::link(gone, existing));
        } else {
            PexoTest::writeFile(existing, "installed");
        }
        const QString path = archives() + QStringLiteral("/t.tar");
        QVERIFY(makeArchive(path, QStringLiteral("tar"), themeEntries(pictures() + QStringLiteral("/wall.jpg"), QStringLiteral("SysCursor"))));
        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        if (link) {
            QCOMPARE(QFileInfo(existing).symLinkTarget(), gone);
            QVERIFY(!QFileInfo::exists(gone));
        } else {
            QCOMPARE(PexoTest::readFile(existing), QByteArray("installed"));
        }
        QVERIFY(!QFileInfo::exists(userIcons() + QStringLiteral("/SysCursor/cursors/left_ptr")));
    }

    void invalidThemeIsLeftAsExtracted()
    {
        QList<Entry> entries = themeEntries(home() + QStringLiteral("/elsewhere/wall.jpg"));
        entries.replace(8, file(QStringLiteral("T/index.theme"), "[Pexo Theme]\nName=No id\n"));
        const QString path = archives() + QStringLiteral("/t.tar");
        QVERIFY(makeArchive(path, QStringLiteral("tar"), entries));
        const PexoTest::ProgramRun run = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.errors.contains(QStringLiteral("\tInvalid \"%1/T/index.theme\"").arg(userThemes())), qPrintable(run.errors));
        QVERIFY(QFileInfo::exists(userThemes() + QStringLiteral("/T/theme/themerc")));
        QVERIFY(!QFileInfo::exists(pictures() + QStringLiteral("/wall.jpg")));
    }
};

QTEST_GUILESS_MAIN(ImportThemeTest)

#include "importthemetest.moc"
