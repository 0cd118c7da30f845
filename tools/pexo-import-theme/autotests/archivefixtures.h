/*
    Fixtures of the theme archive tests: stored themes on disk, the tools run
    as processes, archives built and listed with Python's tarfile and zipfile,
    and snapshots of directory trees.
*/
#ifndef ARCHIVEFIXTURES_H
#define ARCHIVEFIXTURES_H

#include "pexotestsupport.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStringList>

namespace ArchiveFixtures {
inline QString python()
{
    return QStringLiteral("/usr/bin/python3");
}

inline bool runPython(const QString &script, const QStringList &arguments, const QByteArray &input, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(python(), QStringList{QStringLiteral("-c"), script} + arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!PexoTest::waitForExit(process) || process.exitCode() != 0) {
        qWarning() << process.readAllStandardError();
        return false;
    }
    if (output) {
        *output = process.readAllStandardOutput();
    }
    return true;
}

// One archive entry: 'd' directory, 'f' file, 's' symbolic link, 'h' hard
// link, 'p' fifo, 'c' character device.
struct Entry
{
    char kind;
    QString name;
    QByteArray content; // file bytes, or the link target
};

inline Entry dir(const QString &name)
{
    return {'d', name, {}};
}
inline Entry file(const QString &name, const QByteArray &content = QByteArrayLiteral("x"))
{
    return {'f', name, content};
}
inline Entry symlink(const QString &name, const QString &target)
{
    return {'s', name, target.toUtf8()};
}
inline Entry hardlink(const QString &name, const QString &target)
{
    return {'h', name, target.toUtf8()};
}
inline Entry special(char kind, const QString &name)
{
    return {kind, name, {}};
}

// Writes the entries verbatim (names are not cleaned) as format "zip",
// "tar", "gz", "bz2" or "xz".
inline bool makeArchive(const QString &path, const QString &format, const QList<Entry> &entries)
{
    static const QString script = QStringLiteral(R"(
import base64, io, sys, tarfile, zipfile
out, fmt = sys.argv[1], sys.argv[2]
entries = [l.split('\t') for l in sys.stdin.read().split('\n') if l]
entries = [(k, base64.b64decode(n).decode(), base64.b64decode(c)) for k, n, c in entries]
if fmt == 'zip':
    with zipfile.ZipFile(out, 'w') as z:
        for kind, name, content in entries:
            info = zipfile.ZipInfo(name + '/' if kind == 'd' else name)
            info.create_system = 3
            if kind == 'd':
                info.external_attr = (0o40755 << 16) | 0x10
            elif kind == 'f':
                info.external_attr = 0o100644 << 16
            elif kind in 'pc':
                info.external_attr = (0o010644 if kind == 'p' else 0o020644) << 16
            else:
                info.external_attr = 0o120777 << 16
            z.writestr(info, b'' if kind == 'd' else content)
else:
    with tarfile.open(out, 'w' if fmt == 'tar' else 'w:' + fmt, format=tarfile.GNU_FORMAT) as t:
        for kind, name, content in entries:
            info = tarfile.TarInfo(name)
            if kind == 'd':
                info.type, info.mode = tarfile.DIRTYPE, 0o755
                t.addfile(info)
            elif kind == 'f':
                info.size, info.mode = len(content), 0o644
                t.addfile(info, io.BytesIO(content))
            elif kind in 'pc':
                info.type, info.mode = tarfile.FIFOTYPE if kind == 'p' else tarfile.CHRTYPE, 0o644
                t.addfile(info)
            else:
                info.type = tarfile.SYMTYPE if kind == 's' else tarfile.LNKTYPE
                info.linkname = content.decode()
                t.addfile(info)
)");
    QByteArray input;
    for (const Entry &entry : entries) {
        input += entry.kind + QByteArrayLiteral("\t") + entry.name.toUtf8().toBase64() + '\t' + entry.content.toBase64() + '\n';
    }
    return runPython(script, {path, format}, input);
}

// The members of a tar archive in stored order: "name kind mode" with kind
// d, f or o (other) and the stored mode in octal.
inline QStringList tarMembers(const QString &path)
{
    static const QString script = QStringLiteral(R"(
import sys, tarfile
with tarfile.open(sys.argv[1], 'r:*') as t:
    for m in t.getmembers():
        print('%s %s %o' % (m.name, 'd' if m.isdir() else 'f' if m.isfile() else 'o', m.mode))
)");
    QByteArray output;
    if (!runPython(script, {path}, {}, &output)) {
        return {QStringLiteral("<unreadable archive>")};
    }
    return QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

inline QByteArray tarMember(const QString &path, const QString &name)
{
    static const QString script = QStringLiteral(R"(
import sys, tarfile
with tarfile.open(sys.argv[1], 'r:*') as t:
    sys.stdout.buffer.write(t.extractfile(sys.argv[2]).read())
)");
    QByteArray output;
    runPython(script, {path, name}, {}, &output);
    return output;
}

// Smallest contents that read as a PNG image, an SVG image and a colour scheme.
inline QByteArray pngImage()
{
    return QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108000000003a7e9b55"
                               "0000000a49444154789c636000000002000148afa4710000000049454e44ae426082");
}
inline QByteArray svgImage()
{
    return QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\"/>\n");
}
inline QByteArray colorScheme()
{
    return QByteArrayLiteral("[Colors:View]\nBackgroundNormal=255,255,255\n");
}

// A stored theme: index.theme and theme/themerc with the given variables.
inline QString writeTheme(const QString &dir, const QString &id, const QString &name, const QMap<QString, QString> &variables)
{
    QByteArray themerc = "[Variables]\n";
    for (auto it = variables.cbegin(); it != variables.cend(); ++it) {
        themerc += it.key().toUtf8() + '=' + it.value().toUtf8() + '\n';
    }
    PexoTest::writeFile(dir + QStringLiteral("/theme/themerc"), themerc);
    const QString index = dir + QStringLiteral("/index.theme");
    PexoTest::writeFile(index, "[Pexo Theme]\nId=" + id.toUtf8() + "\nName=" + name.toUtf8() + "\nComment=A test theme\n");
    return index;
}

} // namespace ArchiveFixtures

Q_DECLARE_METATYPE(ArchiveFixtures::Entry)

#endif
