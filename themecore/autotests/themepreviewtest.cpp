#include "themedecorator.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <QVector>

#include <iterator>

namespace {
const QString templatePath = QStringLiteral(":/themepreview.svg");

// Each slot and the distinct colour it gets in the renderings.
struct Slot
{
    const char *name;
    QRgb colour;
};
const Slot slotTable[] = {
    {"windowbackground", 0xff102030},
    {"alternativebackground", 0xff203040},
    {"taskbarbackground", 0xff304050},
    {"activeWindowHeader", 0xffe01010},
    {"inactiveWindowHeader", 0xff10e010},
    {"brand", 0xff1010e0},
    {"stroke", 0xffe0e0e0},
    {"textinactive", 0xffa0a000},
    {"text", 0xff00a0a0},
};

QString templateText()
{
    QFile file(templatePath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QImage render(const QHash<QString, QRgb> &overrides = {})
{
    QString text = templateText();
    for (const Slot &slot : slotTable) {
        const QString name = QLatin1String(slot.name);
        const QColor colour(overrides.value(name, slot.colour));
        text.replace(QStringLiteral("var(--%1)").arg(name), colour.name());
    }
    QSvgRenderer renderer(text.toUtf8());
    QImage image(352, 240, QImage::Format_ARGB32);
    image.fill(Qt::black);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    return image;
}
} // namespace

class ThemePreviewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void slotNames();
    void renderedColours_data();
    void renderedColours();
    void activeHeaderSlotPaintsOnlyItsShapes();
};

void ThemePreviewTest::initTestCase()
{
    // Any decorator registers the resource.
    ThemeDecorator decorator;
    QVERIFY(QFile::exists(templatePath));
}

void ThemePreviewTest::slotNames()
{
    QSet<QString> found;
    const QRegularExpression slotPattern(QStringLiteral("var\\(--([A-Za-z0-9_-]+)\\)"));
    auto it = slotPattern.globalMatch(templateText());
    while (it.hasNext()) {
        found.insert(it.next().captured(1));
    }
    QSet<QString> expected;
    for (const Slot &slot : slotTable) {
        expected.insert(QLatin1String(slot.name));
    }
    QCOMPARE(found, expected);
}

void ThemePreviewTest::renderedColours_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("slot");

    QTest::newRow("front title strip") << QPoint(254, 108) << QStringLiteral("activeWindowHeader");
    QTest::newRow("rear title strip") << QPoint(150, 19) << QStringLiteral("inactiveWindowHeader");
    QTest::newRow("taskbar") << QPoint(200, 234) << QStringLiteral("taskbarbackground");
    QTest::newRow("taskbar line") << QPoint(200, 225) << QStringLiteral("stroke");
}

void ThemePreviewTest::renderedColours()
{
    QFETCH(QPoint, point);
    QFETCH(QString, slot);
    QRgb expected = 0;
    for (const Slot &s : slotTable) {
        if (slot == QLatin1String(s.name)) {
            expected = s.colour;
        }
    }

    const QImage image = render();

    QCOMPARE(QColor(image.pixel(point)).name(), QColor(expected).name());
}

void ThemePreviewTest::activeHeaderSlotPaintsOnlyItsShapes()
{
    const QImage before = render();
    const QImage after = render({{QStringLiteral("activeWindowHeader"), 0xffffff00}});

    // Front title strip, the left window's button and the two markers, with
    // a pixel of antialiasing around each.
    const QRect areas[] = {QRect(183, 103, 142, 10), QRect(7, 120, 14, 14), QRect(193, 145, 10, 6), QRect(193, 155, 10, 6)};
    QRegion allowed;
    for (const QRect &area : areas) {
        allowed += area;
    }
    QVector<int> changedPerArea(std::size(areas), 0);
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y)) {
                continue;
            }
            QVERIFY2(allowed.contains(QPoint(x, y)), qPrintable(QStringLiteral("pixel %1,%2 changed").arg(x).arg(y)));
            for (size_t i = 0; i < std::size(areas); ++i) {
                changedPerArea[i] += areas[i].contains(x, y) ? 1 : 0;
            }
        }
    }
    for (int changed : std::as_const(changedPerArea)) {
        QVERIFY(changed > 0);
    }
}

QTEST_MAIN(ThemePreviewTest)

#include "themepreviewtest.moc"
