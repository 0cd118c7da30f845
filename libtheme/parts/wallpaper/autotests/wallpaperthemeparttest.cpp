#include "wallpaperthemepart.h"
#include "basewallpaperapplyhelper.h"
#include "basewallpaperreadhelper.h"
#include "currentwallpaperreadhelper.h"
#include "kconfigstorage.h"
#include "pexotestsupport.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QFile>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

namespace {
// A stored theme's settings file with the Base helpers over it.
struct StoredTheme
{
    explicit StoredTheme(const QString &path)
        : user(path)
        , settings(nullptr, &user)
        , applyHelper(&settings)
        , readHelper(&settings)
    {
    }

    KConfigStorage user;
    ThemeSettings settings;
    BaseWallpaperApplyHelper applyHelper;
    BaseWallpaperReadHelper readHelper;
};

// Records the names of the part's value signals in emission order.
class SignalLog : public QObject
{
    Q_OBJECT
public:
    explicit SignalLog(WallpaperThemePart *part)
    {
        const QMetaObject &meta = WallpaperThemePart::staticMetaObject;
        const QMetaMethod slot = staticMetaObject.method(staticMetaObject.indexOfSlot("record()"));
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).methodType() == QMetaMethod::Signal) {
                connect(part, meta.method(i), this, slot);
            }
        }
    }

    QStringList names;

public Q_SLOTS:
    void record()
    {
        names << QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name()).remove(QLatin1String("Changed"));
    }
};

QStringList names(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

QString pictures()
{
    return QDir::homePath() + QStringLiteral("/pictures");
}

void setAll(WallpaperThemePart &part, const QString &wallpaper, int period)
{
    part.setWallpaper(wallpaper);
    part.setLogo(pictures() + QStringLiteral("/real.jpg")); // exists: reads back as written
    part.setWallpaperStyle(QStringLiteral("Tile"));
    part.setLogoPosition(QStringLiteral("TopLeft"));
    part.setForCurrentScreen(false);
    part.setForCurrentDesktop(false);
    part.setSlideShowPeriod(period);
}
} // namespace

class WallpaperThemePartTest : public QObject
{
    Q_OBJECT

private:
    QString m_themerc;
    int m_count = 0;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoTest::writeFile(pictures() + QStringLiteral("/real.jpg"), QByteArray("jpeg")));
        QVERIFY(QFile::link(pictures() + QStringLiteral("/real.jpg"), pictures() + QStringLiteral("/link.jpg")));
        QVERIFY(QDir().mkpath(pictures() + QStringLiteral("/sub")));
    }

    void init()
    {
        m_themerc = QDir::homePath() + QStringLiteral("/themes/t%1/theme/themerc").arg(++m_count);
    }

    void signalOrders()
    {
        const QByteArray real = QFile::encodeName(pictures() + QStringLiteral("/real.jpg"));
        QVERIFY(PexoTest::writeFile(m_themerc,
                                    "[Variables]\nLogoPixmap=" + real +
                                        "\nLogoPosition=Top\nWallPaper=/missing.jpg\nWallPaperPos=Fit\n"
                                        "WallPaperForCurrentScreen=true\nWallPaperForCurrentDesktop=true\nWallPaperPeriod=7\n"));
        StoredTheme theme(m_themerc);
        const QStringList copyOrder = names("logo logoPosition wallpaper wallpaperStyle forCurrentScreen forCurrentDesktop slideShowPeriod");

        WallpaperThemePart stored;
        SignalLog readLog(&stored);
        stored.read(&theme.readHelper);
        QCOMPARE(readLog.names, copyOrder);

        WallpaperThemePart copy;
        SignalLog copyLog(&copy);
        QSignalSpy changed(&copy, &IThemePart::changed);
        copy.copyFrom(&stored);
        QCOMPARE(copyLog.names, copyOrder);
        QVERIFY(copy == stored);
        copy.copyFrom(nullptr);
        copy.copyFrom(&stored);
        QCOMPARE(changed.count(), 7);

        // The desktop flag before the screen flag; the period stays.
        copyLog.names.clear();
        copy.defaults();
        QCOMPARE(copyLog.names, names("logo logoPosition wallpaper wallpaperStyle forCurrentDesktop forCurrentScreen"));
        QCOMPARE(copy.slideShowPeriod(), 7);
        QCOMPARE(copy.logo(), ThemeDefaults::LogoPixmap.defaultValue);
        QCOMPARE(copy.wallpaper(), ThemeDefaults::WallPaper.defaultValue);
        QCOMPARE(copy.wallpaperStyle(), QStringLiteral("Crop"));
        QCOMPARE(copy.logoPosition(), QStringLiteral("BottomRight"));
        copyLog.names.clear();
        copy.defaults();
        QVERIFY(copyLog.names.isEmpty());
    }

    void applyWritesStoredTheme_data()
    {
        QTest::addColumn<bool>("forCurrentDesktop");
        QTest::addColumn<bool>("forCurrentScreen");
        QTest::newRow("no flag") << false << false;
        QTest::newRow("per desktop") << true << false;
        QTest::newRow("per screen") << false << true;
    }

    void applyWritesStoredTheme()
    {
        QFETCH(bool, forCurrentDesktop);
        QFETCH(bool, forCurrentScreen);
        WallpaperThemePart part;
        setAll(part, QStringLiteral("#118bcc"), 9);
        part.setForCurrentDesktop(forCurrentDesktop);
        part.setForCurrentScreen(forCurrentScreen);
        {
            StoredTheme theme(m_themerc);
            part.apply(&theme.applyHelper);
        }
        const KConfig config(m_themerc, KConfig::SimpleConfig);
        QMap<QString, QString> expected{{QStringLiteral("WallPaperForCurrentDesktop"), QVariant(forCurrentDesktop).toString()},
                                        {QStringLiteral("WallPaperForCurrentScreen"), QVariant(forCurrentScreen).toString()},
                                        {QStringLiteral("LogoPixmap"), part.logo()},
                                        {QStringLiteral("LogoPosition"), QStringLiteral("TopLeft")}};
        if (!forCurrentDesktop && !forCurrentScreen) {
            expected.insert(QStringLiteral("WallPaper"), QStringLiteral("#118bcc"));
            expected.insert(QStringLiteral("WallPaperPos"), QStringLiteral("Tile"));
            expected.insert(QStringLiteral("WallPaperPeriod"), QStringLiteral("9"));
        }
        QCOMPARE(config.group("Variables").entryMap(), expected);

        if (!forCurrentDesktop && !forCurrentScreen) {
            // A colour wallpaper survives the round trip; the period alone is a change.
            StoredTheme theme(m_themerc);
            WallpaperThemePart readBack;
            readBack.read(&theme.readHelper);
            QVERIFY(readBack == part);
            QVERIFY(!part.hasChanges(&theme.readHelper));
            part.setSlideShowPeriod(10);
            QVERIFY(part.hasChanges(&theme.readHelper));
        }
    }

    void pathRules_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value"); // null: the key is absent
        QTest::addColumn<QString>("stored"); // Base read helper
        QTest::addColumn<QString>("live"); // Current read helper

        const QString real = pictures() + QStringLiteral("/real.jpg");
        const QByteArray link = QFile::encodeName(pictures() + QStringLiteral("/link.jpg"));
        const QByteArray dotted = QFile::encodeName(pictures() + QStringLiteral("/sub/../real.jpg"));
        const QByteArray missing = QFile::encodeName(pictures() + QStringLiteral("/missing.jpg"));
        const QString logo = ThemeDefaults::LogoPixmap.defaultValue;
        const QString wallpaper = ThemeDefaults::WallPaper.defaultValue;
        const QString logoKey = QStringLiteral("LogoPixmap");
        const QString wallpaperKey = QStringLiteral("WallPaper");

        QTest::newRow("logo absent") << logoKey << QByteArray() << logo << logo;
        QTest::newRow("logo default") << logoKey << logo.toUtf8() << logo << logo;
        QTest::newRow("logo undefined") << logoKey << QByteArray("undefined") << QString() << QString();
        QTest::newRow("logo empty") << logoKey << QByteArray("") << QString() << QString();
        QTest::newRow("logo symlink") << logoKey << link << real << real;
        QTest::newRow("logo missing") << logoKey << missing << QString() << QString();
        QTest::newRow("wallpaper absent") << wallpaperKey << QByteArray() << wallpaper << wallpaper;
        QTest::newRow("wallpaper undefined") << wallpaperKey << QByteArray("undefined") << QString() << QString();
        QTest::newRow("wallpaper symlink") << wallpaperKey << link << real << real;
        QTest::newRow("wallpaper dotted") << wallpaperKey << dotted << real << real;
        QTest::newRow("wallpaper missing") << wallpaperKey << missing << QString::fromUtf8(missing) << QString();
        QTest::newRow("colour") << wallpaperKey << QByteArray("#118bcc") << QStringLiteral("#118bcc") << QStringLiteral("#118bcc");
        QTest::newRow("short colour") << wallpaperKey << QByteArray("#fff") << QStringLiteral("#fff") << QStringLiteral("#fff");
        QTest::newRow("bad colour") << wallpaperKey << QByteArray("#11zz") << QStringLiteral("#11zz") << QString();
    }

    void pathRules()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(QString, stored);
        QFETCH(QString, live);
        QByteArray text("[Variables]\nLogoPosition=Top\n");
        if (!value.isNull()) {
            text += key.toUtf8() + '=' + value + '\n';
        }
        QVERIFY(PexoTest::writeFile(m_themerc, text));

        KConfigStorage user(m_themerc);
        ThemeSettings settings(nullptr, &user);
        BaseWallpaperReadHelper base(&settings);
        CurrentWallpaperReadHelper current(&settings);
        const bool isLogo = key == QLatin1String("LogoPixmap");
        QCOMPARE(isLogo ? base.readLogo() : base.readWallpaper(), stored);
        QCOMPARE(isLogo ? current.readLogo() : current.readWallpaper(), live);
    }
};

QTEST_GUILESS_MAIN(WallpaperThemePartTest)

#include "wallpaperthemeparttest.moc"
