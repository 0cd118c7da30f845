// The offered icon themes and the thumbnail item, over generated themes.

#include "iconthemefixture.h"
#include "iconthemethumbnail.h"
#include "proxymodel.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTest>

namespace {
const QStringList thumbnailIcons{
    QStringLiteral("devices/computer"),
    QStringLiteral("places/user-home"),
    QStringLiteral("places/user-desktop"),
    QStringLiteral("mimetypes/inode-directory"),
    QStringLiteral("apps/help-browser"),
    QStringLiteral("places/user-trash"),
};
const QStringList alphaColours{
    QStringLiteral("red"), QStringLiteral("lime"), QStringLiteral("blue"), QStringLiteral("yellow"), QStringLiteral("magenta"), QStringLiteral("cyan")};
const QStringList betaColours{
    QStringLiteral("maroon"), QStringLiteral("green"), QStringLiteral("navy"), QStringLiteral("olive"), QStringLiteral("purple"), QStringLiteral("teal")};

QMap<QString, QString> coloured(const QStringList &colours)
{
    QMap<QString, QString> icons = IconTest::completeIcons();
    for (int i = 0; i < thumbnailIcons.size(); ++i) {
        icons[thumbnailIcons.at(i)] = colours.at(i);
    }
    return icons;
}

// The colour at the centre of each of the six cells of a 300x200 item.
QStringList cellColours(IconThemeThumbnail &item)
{
    QImage canvas(300, 200, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    item.paint(&painter);
    painter.end();
    QStringList colours;
    for (int i = 0; i < 6; ++i) {
        const QColor pixel = canvas.pixelColor(100 * (i % 3) + 50, 100 * (i / 3) + 50);
        colours.append(pixel.alpha() == 0 ? QString() : pixel.name());
    }
    return colours;
}

QStringList names(const QStringList &colours)
{
    QStringList result;
    for (const QString &colour : colours) {
        result.append(QColor(colour).name());
    }
    return result;
}
} // namespace

class IconThemesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QString system = IconTest::useOwnIconDirs();
        const QString user = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/icons");
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("alpha"), coloured(alphaColours)));
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("Beta"), coloured(betaColours)));
        QVERIFY(IconTest::writeTheme(user, QStringLiteral("Beta"), coloured(betaColours))); // listed twice, offered once
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("default"), IconTest::completeIcons()));

        QMap<QString, QString> noClock = IconTest::completeIcons();
        noClock.remove(QStringLiteral("apps/preferences-system-time"));
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("gamma"), noClock));

        // Its trash icons resolve to the generic "user" icon.
        QMap<QString, QString> genericTrash = IconTest::completeIcons();
        genericTrash.remove(QStringLiteral("status/user-trash-full"));
        genericTrash.remove(QStringLiteral("places/user-trash"));
        genericTrash.insert(QStringLiteral("status/user"), QString());
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("delta"), genericTrash));
    }

    void offersUsableThemesInOrder()
    {
        ProxyModel model;
        QStringList offered;
        for (int row = 0; row < model.rowCount(); ++row) {
            offered.append(model.index(row, 0).data().toString());
        }
        QCOMPARE(offered, (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta")}));
        QCOMPARE(model.sourceModel()->rowCount(), 5);
    }

    void thumbnailShowsTheLatestTheme()
    {
        IconThemeThumbnail item;
        item.setSize(QSizeF(300, 200));
        QCOMPARE(cellColours(item), QVector<QString>(6).toList());

        // Beta is set before alpha's icons arrive: only Beta's are drawn.
        item.setTheme(QStringLiteral("alpha"));
        item.setTheme(QStringLiteral("Beta"));
        QTRY_COMPARE(cellColours(item), names(betaColours));
        QTest::qWait(200);
        QCOMPARE(cellColours(item), names(betaColours));

        item.setTheme(QStringLiteral("missing"));
        QCOMPARE(cellColours(item), QVector<QString>(6).toList());
    }
};

int main(int argc, char **argv)
{
    // Locale order differs from code-unit order: "alpha" before "Beta".
    qputenv("LC_ALL", "en_US.UTF-8");
    QGuiApplication app(argc, argv);
    IconThemesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "iconthemestest.moc"
