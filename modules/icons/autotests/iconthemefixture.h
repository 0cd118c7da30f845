// Small generated icon themes for the icon module's tests.
#ifndef ICONTHEMEFIXTURE_H
#define ICONTHEMEFIXTURE_H

#include <pexotestsupport.h>

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QMap>

namespace IconTest {
// The icons a page asks for: the seven of the usability test and the six of a thumbnail.
inline QMap<QString, QString> completeIcons()
{
    return {
        {QStringLiteral("status/user-trash-full"), QString()},
        {QStringLiteral("places/user-home"), QString()},
        {QStringLiteral("places/user-desktop"), QString()},
        {QStringLiteral("apps/preferences-system-time"), QString()},
        {QStringLiteral("devices/computer"), QString()},
        {QStringLiteral("mimetypes/inode-directory"), QString()},
        {QStringLiteral("apps/help-browser"), QString()},
        {QStringLiteral("places/user-trash"), QString()},
    };
}

inline QByteArray png(const QColor &colour)
{
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// A theme below base (an "icons" directory) with one 48-pixel directory per
// context; icons maps "context/name" to a colour name ("" for grey).
inline bool writeTheme(const QString &base, const QString &name, const QMap<QString, QString> &icons, const QString &inherits = QString())
{
    const QString root = base + QLatin1Char('/') + name + QLatin1Char('/');
    const QByteArray index = "[Icon Theme]\nName=" + name.toUtf8() + "\nInherits=" + inherits.toUtf8() +
        "\nDirectories=48/apps,48/devices,48/mimetypes,48/places,48/status\n"
        "[48/apps]\nSize=48\nContext=Applications\nType=Threshold\n"
        "[48/devices]\nSize=48\nContext=Devices\nType=Threshold\n"
        "[48/mimetypes]\nSize=48\nContext=MimeTypes\nType=Threshold\n"
        "[48/places]\nSize=48\nContext=Places\nType=Threshold\n"
        "[48/status]\nSize=48\nContext=Status\nType=Threshold\n";
    bool ok = PexoTest::writeFile(root + QStringLiteral("index.theme"), index);
    for (auto it = icons.constBegin(); it != icons.constEnd(); ++it) {
        const QColor colour(it.value().isEmpty() ? QStringLiteral("grey") : it.value());
        ok = PexoTest::writeFile(root + QStringLiteral("48/") + it.key() + QStringLiteral(".png"), png(colour)) && ok;
    }
    return ok;
}

// Icon themes come only from below the home directory from now on.
inline QString useOwnIconDirs()
{
    const QString system = QDir::homePath() + QStringLiteral("/system");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(system));
    return system + QStringLiteral("/icons");
}
} // namespace IconTest

#endif
