// The sizes page's density rule: which sizes it shows for stored values at
// densities the sandbox's X server does not have.

#include "densityrule.h"

#include <QTest>

using Sizes = DensityRule::Sizes;

namespace QTest {
template<>
char *toString(const Sizes &sizes)
{
    return qstrdup(QString::asprintf("taskbar %d, header %d, frame %d, icons %d", sizes.taskbar, sizes.windowHeader, sizes.windowFrame, sizes.desktopIcons)
                       .toLatin1()
                       .constData());
}
} // namespace QTest

bool operator==(const Sizes &a, const Sizes &b)
{
    return a.taskbar == b.taskbar && a.windowHeader == b.windowHeader && a.windowFrame == b.windowFrame && a.desktopIcons == b.desktopIcons;
}

class DensityRuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownSizes()
    {
        const Sizes automatic;
        const Sizes zeros{0, 0, 0, 0};
        const Sizes mixed{40, -1, 9, -1};

        // Up to 120 dpi: fixed medium sizes for -1, stored values as they are.
        QCOMPARE(DensityRule::shownSizes(automatic, 96, 0), (Sizes{48, 32, 5, 32}));
        QCOMPARE(DensityRule::shownSizes(zeros, 96, 0), zeros);

        // Above: the screen's density gives the automatic sizes (the taskbar
        // is its icons and 17: 24 + 17 at 96 dpi, 36 + 17 at 144).
        QCOMPARE(DensityRule::shownSizes(automatic, 144, 0), (Sizes{53, 48, 8, 48}));
        QCOMPARE(DensityRule::shownSizes(mixed, 144, 0), (Sizes{40, 48, 9, 48}));

        // The Xft density decides the branch but the sizes follow the screen,
        // and the threshold is strict.
        QCOMPARE(DensityRule::shownSizes(automatic, 96, 144), (Sizes{41, 32, 5, 32}));
        QCOMPARE(DensityRule::shownSizes(automatic, 144, 120), (Sizes{48, 32, 5, 32}));
        QCOMPARE(DensityRule::shownSizes(automatic, 120.5, 0), (Sizes{47, 40, 6, 40}));
    }
};

QTEST_GUILESS_MAIN(DensityRuleTest)

#include "densityruletest.moc"
