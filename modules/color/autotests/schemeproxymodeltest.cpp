#include "schemeproxymodel.h"

#include <pexotestsupport.h>

#include <QDir>
#include <QImage>
#include <QTest>

namespace {
QString userScheme(const QString &fileName)
{
    return QDir::homePath() + QStringLiteral("/.local/share/color-schemes/") + fileName;
}

void writeScheme(const QString &fileName, const QByteArray &name)
{
    QVERIFY(PexoTest::writeFile(userScheme(fileName),
                                "[General]\nName=" + name + "\n[Colors:Window]\nBackgroundNormal=10,20,30\n[Colors:Selection]\nBackgroundNormal=200,10,10\n"));
}
} // namespace

class SchemeProxyModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void orderAndLookup();
    void iconsAsDataUrls();
};

void SchemeProxyModelTest::initTestCase()
{
    // Only the test's schemes: drop whatever the machine has installed (the sandbox's overlay).
    QDir system(QStringLiteral("/usr/share/color-schemes"));
    for (const QString &name : system.entryList({QStringLiteral("*.colors")}, QDir::Files)) {
        QVERIFY(system.remove(name));
    }
    writeScheme(QStringLiteral("Ocean.colors"), "Ocean");
    writeScheme(QStringLiteral("lower.colors"), "ulvar light");
    writeScheme(QStringLiteral("PexoClassic.colors"), "Pexo Classic");
    writeScheme(QStringLiteral("UlvarLight.colors"), "Ulvar Light");
    writeScheme(QStringLiteral("UlvarDark.colors"), "Ulvar Dark");
}

void SchemeProxyModelTest::orderAndLookup()
{
    SchemeProxyModel model;
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row) {
        names << model.index(row, 0).data().toString();
    }
    QCOMPARE(names.mid(1),
             QStringList({QStringLiteral("Ulvar Dark"),
                          QStringLiteral("Ulvar Light"),
                          QStringLiteral("Pexo Classic"),
                          QStringLiteral("Ocean"),
                          QStringLiteral("ulvar light")}));
    QVERIFY(model.index(0, 0).data(Qt::UserRole).toString().isEmpty());

    const QModelIndex pexo = model.findIndex(userScheme(QStringLiteral("PexoClassic.colors")));
    QCOMPARE(pexo.row(), 3);
    QCOMPARE(pexo.data(Qt::UserRole).toString(), userScheme(QStringLiteral("PexoClassic.colors")));
    QVERIFY(!model.findIndex(userScheme(QStringLiteral("pexoclassic.colors"))).isValid());
    QCOMPARE(model.findIndex(QString()).row(), 0);
}

void SchemeProxyModelTest::iconsAsDataUrls()
{
    SchemeProxyModel model;
    const QString url = model.findIndex(userScheme(QStringLiteral("Ocean.colors"))).data(Qt::DecorationRole).toString();
    const QString prefix = QStringLiteral("data:image/png;base64,");
    QVERIFY2(url.startsWith(prefix), qPrintable(url.left(40)));
    const QImage icon = QImage::fromData(QByteArray::fromBase64(url.mid(prefix.size()).toLatin1()), "PNG");
    QCOMPARE(icon.size(), QSize(16, 16));
    QVERIFY(SchemeProxyModel::iconUrl(QIcon()).isNull());
}

QTEST_MAIN(SchemeProxyModelTest)

#include "schemeproxymodeltest.moc"
