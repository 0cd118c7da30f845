// The layered settings over real master and user files.

#include "themesettings.h"
#include "kconfigstorage.h"

#include <pexotestsupport.h>

#include <QDir>
#include <QTest>

#include <memory>

class ThemeSettingsTest : public QObject
{
    Q_OBJECT

private:
    struct Layers
    {
        std::unique_ptr<KConfigStorage> master;
        std::unique_ptr<KConfigStorage> user;
        std::unique_ptr<ThemeSettings> settings;
    };

    // A fresh pair of files per case; an empty body means "no storage".
    Layers make(const QByteArray &masterBody, const QByteArray &userBody, bool withMaster = true, bool withUser = true)
    {
        static int n = 0;
        const QString dir = QDir::homePath() + QStringLiteral("/layers%1/").arg(++n);
        Layers layers;
        if (withMaster) {
            PexoTest::writeFile(dir + QStringLiteral("master"), "[Variables]\n" + masterBody);
            layers.master.reset(new KConfigStorage(dir + QStringLiteral("master")));
        }
        if (withUser) {
            PexoTest::writeFile(dir + QStringLiteral("user"), userBody.startsWith("[$i]") ? userBody : "[Variables]\n" + userBody);
            layers.user.reset(new KConfigStorage(dir + QStringLiteral("user")));
        }
        layers.settings.reset(new ThemeSettings(layers.master.get(), layers.user.get()));
        return layers;
    }

private Q_SLOTS:
    void readPrecedence()
    {
        auto l = make("Fixed=master\n", "Fixed=user\nOwn=user\nEmpty=\n");
        QCOMPARE(l.settings->read(QStringLiteral("Fixed"), QStringLiteral("d")).toString(), QStringLiteral("master"));
        QCOMPARE(l.settings->read(QStringLiteral("Own"), QStringLiteral("d")).toString(), QStringLiteral("user"));
        QCOMPARE(l.settings->read(QStringLiteral("Empty"), QStringLiteral("d")).toString(), QString());
        const QVariant fallback = l.settings->read(QStringLiteral("Nowhere"), 42);
        QCOMPARE(fallback.userType(), int(QMetaType::Int)); // the default keeps its type
        QCOMPARE(fallback.toInt(), 42);

        QCOMPARE(l.settings->resolveLayerForRead(QStringLiteral("Fixed")), int(IThemeSettings::MasterLayer));
        QCOMPARE(l.settings->resolveLayerForRead(QStringLiteral("Own")), int(IThemeSettings::UserLayer));
        QCOMPARE(l.settings->resolveLayerForRead(QStringLiteral("Nowhere")), int(IThemeSettings::DefaultLayer));
        QVERIFY(l.settings->isOverriddenByMaster(QStringLiteral("Fixed")));
        QVERIFY(!l.settings->isOverriddenByMaster(QStringLiteral("Own")));
    }

    void writeCodes_data()
    {
        QTest::addColumn<QByteArray>("master");
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<bool>("withMaster");
        QTest::addColumn<bool>("withUser");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("writeLayer");

        const QVariant text(QStringLiteral("new"));
        QTest::newRow("written") << QByteArray() << QByteArray("K=old\n") << true << true << text << 0 << 1;
        QTest::newRow("fixed by master") << QByteArray("K=m\n") << QByteArray("K=old\n") << true << true << text << 2 << 0;
        QTest::newRow("fixed by master over read-only user")
            << QByteArray("K=m\n") << QByteArray("[$i]\n[Variables]\nK=old\n") << true << true << text << 2 << 0;
        QTest::newRow("read-only user") << QByteArray() << QByteArray("[$i]\n[Variables]\nK=old\n") << true << true << text << 1 << 2;
        QTest::newRow("read-only before invalid value") << QByteArray() << QByteArray("[$i]\n[Variables]\nK=old\n") << true << true << QVariant() << 1 << 2;
        QTest::newRow("invalid value") << QByteArray() << QByteArray("K=old\n") << true << true << QVariant() << 5 << 1;
        QTest::newRow("no user storage") << QByteArray() << QByteArray() << true << false << text << 5 << 2;
        QTest::newRow("no master storage") << QByteArray() << QByteArray("K=old\n") << false << true << text << 0 << 1;
    }

    void writeCodes()
    {
        QFETCH(QByteArray, master);
        QFETCH(QByteArray, user);
        QFETCH(bool, withMaster);
        QFETCH(bool, withUser);
        QFETCH(QVariant, value);
        QFETCH(int, code);
        QFETCH(int, writeLayer);

        auto l = make(master, user, withMaster, withUser);
        QCOMPARE(l.settings->resolveLayerForWrite(QStringLiteral("K")), writeLayer);
        QCOMPARE(l.settings->write(QStringLiteral("K"), value), code);
        if (withUser) {
            const QByteArray file = PexoTest::readFile(l.user->filePath());
            QCOMPARE(file.contains("K=new"), code == 0);
        }
    }

    void syncAndMissingLayers()
    {
        auto noUser = make("K=m\n", QByteArray(), true, false);
        QVERIFY(!noUser.settings->sync());
        QCOMPARE(noUser.settings->read(QStringLiteral("K"), QStringLiteral("d")).toString(), QStringLiteral("m"));

        auto noMaster = make(QByteArray(), "K=u\n", false, true);
        QVERIFY(!noMaster.settings->isOverriddenByMaster(QStringLiteral("K")));
        QVERIFY(noMaster.settings->sync());
    }
};

QTEST_GUILESS_MAIN(ThemeSettingsTest)

#include "themesettingstest.moc"
