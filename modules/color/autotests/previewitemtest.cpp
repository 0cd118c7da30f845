#include "previewitem.h"

#include <pexotestsupport.h>
#include <watchedfifo.h>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QSGNode>
#include <QSignalSpy>
#include <QTest>

namespace {
const QColor titleColor(20, 90, 160);
const QColor titleTextColor(250, 240, 0);
const QColor borderColor(255, 0, 255);
const QColor windowColor(230, 230, 230);

// Window buttons of a small icon theme; "window-close" is missing.
QString iconFifo()
{
    return QDir::homePath() + QStringLiteral("/icon.fifo");
}

void writeIconTheme()
{
    const QString root = QDir::homePath() + QStringLiteral("/.local/share/icons/previewtest/");
    QVERIFY(PexoTest::writeFile(root + QStringLiteral("index.theme"),
                                "[Icon Theme]\nName=previewtest\nDirectories=16x16/actions\n\n"
                                "[16x16/actions]\nSize=16\nType=Fixed\n"));
    QImage square(16, 16, QImage::Format_ARGB32);
    square.fill(Qt::black);
    QVERIFY(QDir().mkpath(root + QStringLiteral("16x16/actions")));
    for (const char *name : {"window-minimize", "window-maximize"}) {
        QVERIFY(square.save(root + QStringLiteral("16x16/actions/") + QLatin1String(name) + QStringLiteral(".png")));
    }
    // An icon that names another file is no icon.
    QVERIFY(PexoTest::writeFile(root + QStringLiteral("16x16/actions/window-close.svg"),
                                "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='16' height='16'>"
                                "<image width='16' height='16' xlink:href='" +
                                    QFile::encodeName(iconFifo()) + "'/></svg>"));
}

QPalette samplePalette()
{
    QPalette palette;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, windowColor);
    }
    palette.setColor(QPalette::Active, QPalette::Button, QColor(220, 60, 60));
    palette.setColor(QPalette::Inactive, QPalette::Button, QColor(60, 60, 220));
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(60, 200, 60));
    return palette;
}

void setUp(PreviewItem &item)
{
    item.setSize(QSizeF(400, 300));
    item.setPalette(samplePalette());
    item.setWindowTitleColor(titleColor);
    item.setWindowTitleTextColor(titleTextColor);
    item.setBorderColor(borderColor);
}

// Styles shade a button's colour; its strongest channel stays.
char strongest(const QColor &color)
{
    if (color.red() > color.green() && color.red() > color.blue()) {
        return 'r';
    }
    return color.green() > color.blue() ? 'g' : 'b';
}

class ExposedItem : public PreviewItem
{
public:
    using PreviewItem::updatePaintNode;
    using PreviewItem::updatePolish;
};
} // namespace

class PreviewItemTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void activeAndInactive();
    void shownInWindow();
    void emptyItem();
};

void PreviewItemTest::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    writeIconTheme();
    QIcon::setThemeName(QStringLiteral("previewtest"));
}

// Layout: title bar 32 high, the right column starts at 206 (combo box at 44,
// push button at 178, both 32 high), a gap between the columns at 200..205.
void PreviewItemTest::activeAndInactive()
{
    const PexoTest::WatchedFifo fifo(iconFifo());
    QVERIFY(fifo.made());
    PreviewItem item;
    setUp(item);
    const QImage activeImage = item.paintImage();
    QCOMPARE(activeImage.size(), QSize(400, 300));

    QCOMPARE(activeImage.pixelColor(200, 3), titleColor);
    QCOMPARE(activeImage.pixelColor(203, 150), windowColor);
    QCOMPARE(activeImage.pixelColor(0, 150), borderColor);
    // Minimize and maximize tinted with the caption colour; no close button.
    QVERIFY(!fifo.wasRead());
    QCOMPARE(activeImage.pixelColor(400 - 84 + 8, 16), titleTextColor);
    QCOMPARE(activeImage.pixelColor(400 - 56 + 8, 16), titleTextColor);
    QCOMPARE(activeImage.pixelColor(400 - 28 + 8, 16), titleColor);
    QCOMPARE(strongest(activeImage.pixelColor(212, 194)), 'r');
    QCOMPARE(strongest(activeImage.pixelColor(212, 60)), 'r');

    QSignalSpy activeChanged(&item, &PreviewItem::activeChanged);
    item.setActive(false);
    item.setActive(false);
    QCOMPARE(activeChanged.count(), 1);
    const QImage inactiveImage = item.paintImage();
    // The push button takes the Disabled group, the combo box the Inactive one.
    QCOMPARE(strongest(inactiveImage.pixelColor(212, 194)), 'g');
    QCOMPARE(strongest(inactiveImage.pixelColor(212, 60)), 'b');
    // The caption changes; the bar around it does not.
    QCOMPARE(inactiveImage.pixelColor(200, 3), titleColor);
    QVERIFY(inactiveImage.copy(40, 0, 150, 32) != activeImage.copy(40, 0, 150, 32));
}

// In a scene the picture is painted on polish and reaches the screen as a texture.
void PreviewItemTest::shownInWindow()
{
    QQuickWindow window;
    window.resize(420, 320);
    PreviewItem item(window.contentItem());
    setUp(item);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, PexoTest::patienceMs));

    const QSharedPointer<QQuickItemGrabResult> grab = item.grabToImage();
    QVERIFY(grab);
    QSignalSpy ready(grab.data(), &QQuickItemGrabResult::ready);
    QVERIFY(ready.wait(PexoTest::patienceMs));
    const QImage shown = grab->image().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown.size(), QSize(400, 300));
    QCOMPARE(shown.pixelColor(200, 3), titleColor);
    QCOMPARE(shown.pixelColor(203, 150), windowColor);
}

void PreviewItemTest::emptyItem()
{
    QQuickWindow window;
    ExposedItem item;
    item.setParentItem(window.contentItem());
    item.setSize(QSizeF(0, 300));
    QVERIFY(item.paintImage().isNull());
    item.updatePolish();
    QSGNode *node = item.updatePaintNode(nullptr, nullptr);
    QVERIFY(!node);
}

int main(int argc, char **argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    PreviewItemTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "previewitemtest.moc"
