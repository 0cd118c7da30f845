#include "thememodel.h"
#include "themeproxymodel.h"

#include "themecontroller.h"
#include "themefixtures.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Fixtures;

namespace {
QByteArray settingsOf(const QString &colour)
{
    return "[Variables]\nWallPaper=/w/" + colour.toUtf8() + ".jpg\nColorScheme=/c/" + colour.toUtf8() + ".colors\nPrimaryColor=#" + colour.toUtf8() +
        "\nBackgroundColor=#0000" + colour.left(2).toUtf8() + "\n";
}

QStringList ids(const QAbstractItemModel &model)
{
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row) {
        result << model.index(row, 0).data(ThemeModel::IdRole).toString();
    }
    return result;
}

// The page's view: every theme of a new registry, sorted.
struct Page
{
    ThemeController controller;
    ThemeModel model{&controller, nullptr};
    ThemeProxyModel proxy{&model, nullptr};
    QAbstractItemModelTester tester{&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest};

    Page()
    {
        model.readThemes();
        proxy.sort(0, Qt::AscendingOrder);
    }
};
} // namespace

class ThemeModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void rolesAndExtraRow();
    void filterAndOrder();
    void addAndRemove();
};

void ThemeModelTest::init()
{
    PexoTest::removePath(ThemeDefaults::userThemesDir);
    PexoTest::removePath(ThemeDefaults::systemThemesDir);
    writeTheme(systemTheme(QStringLiteral("SysZ")), index(QStringLiteral("SysZ"), QStringLiteral("Zeta system"), true), settingsOf(QStringLiteral("aa1111")));
    writeTheme(systemTheme(QStringLiteral("SysA")), index(QStringLiteral("SysA"), QStringLiteral("Alpha system"), true), settingsOf(QStringLiteral("bb2222")));
    writeTheme(systemTheme(QStringLiteral("Admin")), index(QStringLiteral("UlvarTornelAdmin"), QStringLiteral("Admin"), true));
    writeTheme(userTheme(QStringLiteral("alpha")), index(QStringLiteral("alpha"), QStringLiteral("alpha")), settingsOf(QStringLiteral("cc3333")));
    writeTheme(userTheme(QStringLiteral("Beta")), index(QStringLiteral("Beta"), QStringLiteral("Beta")));
    writeTheme(userTheme(QStringLiteral("gamma")), index(QStringLiteral("gamma"), QStringLiteral("gamma")));
    writeTheme(userTheme(QStringLiteral("AdminCopy")), index(QStringLiteral("MyUlvarTornelAdminCopy"), QStringLiteral("Admin copy")));
    writeTheme(userTheme(QStringLiteral("lower")), index(QStringLiteral("ulvartorneladmin"), QStringLiteral("lower admin")));
    writeRecord(QStringLiteral("alpha"), userTheme(QStringLiteral("alpha/index.theme")));
}

void ThemeModelTest::rolesAndExtraRow()
{
    ThemeController controller;
    ThemeModel model(&controller, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 1);
    model.readThemes();
    QCOMPARE(model.rowCount(), 9);

    const QHash<int, QByteArray> names = model.roleNames();
    const QByteArrayList expected{
        "name", "id", "isSystem", "desktopPath", "comment", "isCurrentTheme", "wallpaper", "colorScheme", "primaryColor", "backgroundColor"};
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(names.value(Qt::UserRole + 1 + i), expected.at(i));
    }
    QCOMPARE(names.value(Qt::DisplayRole), QByteArray("display"));

    // Values come from the theme's files: the model reads each theme it adds.
    const QModelIndex alpha = model.findIndex(QStringLiteral("alpha"));
    QVERIFY(alpha.isValid());
    QCOMPARE(alpha.data(Qt::DisplayRole).toString(), QStringLiteral("alpha"));
    QCOMPARE(alpha.data(ThemeModel::NameRole).toString(), QStringLiteral("alpha"));
    QCOMPARE(alpha.data(ThemeModel::IsSystemRole).toBool(), false);
    QCOMPARE(alpha.data(ThemeModel::DesktopPathRole).toString(), userTheme(QStringLiteral("alpha/index.theme")));
    QCOMPARE(alpha.data(ThemeModel::IsCurrentThemeRole).toBool(), true);
    QCOMPARE(alpha.data(ThemeModel::WallpaperRole).toString(), QStringLiteral("/w/cc3333.jpg"));
    QCOMPARE(alpha.data(ThemeModel::ColorSchemeRole).toString(), QStringLiteral("/c/cc3333.colors"));
    QCOMPARE(alpha.data(ThemeModel::PrimaryColorRole).toString(), QStringLiteral("#cc3333"));
    QCOMPARE(alpha.data(ThemeModel::BackgroundColorRole).toString(), QStringLiteral("#0000cc"));
    const QModelIndex system = model.findIndex(QStringLiteral("SysA"));
    QCOMPARE(system.data(ThemeModel::IsSystemRole).toBool(), true);
    QCOMPARE(system.data(ThemeModel::IsCurrentThemeRole).toBool(), false);
    QVERIFY(!model.findIndex(QStringLiteral("Alpha")).isValid());

    // The extra row and invalid indexes hold nothing.
    const int extra = model.rowCount() - 1;
    for (int role = 0; role <= ThemeModel::BackgroundColorRole; ++role) {
        QVERIFY(!model.index(extra, 0).data(role).isValid());
        QVERIFY(!model.data(QModelIndex(), role).isValid());
    }
}

void ThemeModelTest::filterAndOrder()
{
    const Page page;

    // System themes first, names descending, the extra row last; every id
    // holding the administrator theme's id is hidden.
    QCOMPARE(ids(page.proxy),
             QStringList({QStringLiteral("SysZ"),
                          QStringLiteral("SysA"),
                          QStringLiteral("ulvartorneladmin"),
                          QStringLiteral("gamma"),
                          QStringLiteral("Beta"),
                          QStringLiteral("alpha"),
                          QString()}));
    QVERIFY(page.model.findIndex(QStringLiteral("UlvarTornelAdmin")).isValid());
    QVERIFY(!page.proxy.findIndex(QStringLiteral("UlvarTornelAdmin")).isValid());
    QCOMPARE(page.proxy.findIndex(QStringLiteral("gamma")).row(), 3);
}

void ThemeModelTest::addAndRemove()
{
    Page page;
    ThemeModel &model = page.model;

    // A created theme is read and takes its place in the sorted list.
    const auto created = page.controller.createTheme(QStringLiteral("delta"), QStringLiteral("SysZ"));
    QVERIFY(created);
    model.addTheme(created);
    QCOMPARE(model.rowCount(), 10);
    QCOMPARE(model.index(8, 0).data(ThemeModel::PrimaryColorRole).toString(), QStringLiteral("#aa1111"));
    QCOMPARE(ids(page.proxy).indexOf(QStringLiteral("delta")), 4);

    // A listed id is neither read again nor added twice.
    writeTheme(userTheme(QStringLiteral("delta")), index(QStringLiteral("delta"), QStringLiteral("delta")), settingsOf(QStringLiteral("dd4444")));
    model.addTheme(page.controller.theme(QStringLiteral("delta")));
    QCOMPARE(model.rowCount(), 10);
    QCOMPARE(model.index(8, 0).data(ThemeModel::PrimaryColorRole).toString(), QStringLiteral("#aa1111"));

    model.removeTheme(QStringLiteral("nobody"));
    QCOMPARE(model.rowCount(), 10);
    model.removeTheme(QStringLiteral("delta"));
    QCOMPARE(ids(page.proxy).indexOf(QStringLiteral("delta")), -1);
    model.resetThemes();
    QCOMPARE(ids(page.proxy), QStringList(QString()));
}

QTEST_GUILESS_MAIN(ThemeModelTest)

#include "thememodeltest.moc"
