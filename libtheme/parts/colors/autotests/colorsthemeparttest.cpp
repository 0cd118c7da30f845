#include "colorsthemepart.h"
#include "basecolorsapplyhelper.h"
#include "basecolorsreadhelper.h"
#include "kconfigstorage.h"
#include "themesettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
// Records the calls of apply(); every call fails.
class RecordingApplyHelper : public AbstractColorsApplyHelper
{
public:
    QStringList calls;

    bool applyColorSchemeType(const QString &value) override
    {
        return record("type", value);
    }
    bool applyColorSchemePath(const QString &value) override
    {
        return record("path", value);
    }
    bool applyWallpaperColorSchemeType(const QString &value) override
    {
        return record("wallpaper", value);
    }
    bool applyPrimaryColor(const QString &value) override
    {
        return record("primary", value);
    }
    bool applyBackgroundColor(const QString &value) override
    {
        return record("background", value);
    }
    bool applyIsCustomColorSchemeDark(bool value) override
    {
        return record("dark", QVariant(value).toString());
    }

private:
    bool record(const char *name, const QString &value)
    {
        calls << QLatin1String(name) + QLatin1Char('=') + value;
        return false;
    }
};

// A stored theme's settings on a themerc with the given contents.
struct StoredTheme
{
    StoredTheme(const QString &path, const QByteArray &contents)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(contents);
        }
        file.close();
        storage.reset(new KConfigStorage(path));
        settings.reset(new ThemeSettings(nullptr, storage.get()));
    }
    std::unique_ptr<KConfigStorage> storage;
    std::unique_ptr<ThemeSettings> settings;
};
} // namespace

class ColorsThemePartTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString nextPath()
    {
        return m_dir.filePath(QStringLiteral("themerc%1").arg(++m_files));
    }

private Q_SLOTS:
    void signalsOnlyOnChange()
    {
        ColorsThemePart part;
        QSignalSpy changed(&part, &IThemePart::changed);
        QSignalSpy primary(&part, &ColorsThemePart::primaryColorChanged);
        part.setPrimaryColor(QStringLiteral("#118bcc"));
        QCOMPARE(primary.count(), 1);
        QCOMPARE(changed.count(), 1);

        // Equal values (an empty string against the unset one included) emit nothing.
        part.setPrimaryColor(QStringLiteral("#118bcc"));
        part.setColorSchemeType(QStringLiteral(""));
        part.setIsCustomColorSchemeDark(false);
        part.copyFrom(nullptr);
        QCOMPARE(changed.count(), 1);

        part.defaults();
        QCOMPARE(changed.count(), 5); // all but the primary colour and the flag
        ColorsThemePart same;
        same.defaults();
        part.copyFrom(&same);
        part.defaults();
        QCOMPARE(changed.count(), 5);

        // Letter case counts.
        part.setPrimaryColor(QStringLiteral("#118BCC"));
        QCOMPARE(primary.count(), 2);
        QCOMPARE(changed.count(), 6);
    }

    void readStoredTheme_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("values"); // type, path, wallpaper, primary, background
        QTest::addColumn<bool>("dark");

        const QStringList defaults{QStringLiteral("System"),
                                   QStringLiteral("/usr/share/color-schemes/UlvarLight.colors"),
                                   QStringLiteral("none"),
                                   QStringLiteral("#118bcc"),
                                   QStringLiteral("#ffffff")};
        QTest::newRow("no keys") << QByteArray("[Variables]\nIconTheme=x\n") << defaults << false;
        QTest::newRow("all keys")
            << QByteArray("[Variables]\nSchemeType=Custom\nColorScheme=/x/User.colors\nWallPaperColorScheme=dark\n"
                          "PrimaryColor=#AA0000\nBackgroundColor=red\nCustomSchemeDark=true\n")
            << QStringList(
                   {QStringLiteral("Custom"), QStringLiteral("/x/User.colors"), QStringLiteral("dark"), QStringLiteral("#AA0000"), QStringLiteral("red")})
            << true;
        QTest::newRow("dark FALSE") << QByteArray("[Variables]\nCustomSchemeDark=FALSE\n") << defaults << false;
        QTest::newRow("dark 0") << QByteArray("[Variables]\nCustomSchemeDark=0\n") << defaults << false;
        QTest::newRow("dark yes") << QByteArray("[Variables]\nCustomSchemeDark=yes\n") << defaults << true;
        QTest::newRow("dark 1") << QByteArray("[Variables]\nCustomSchemeDark=1\n") << defaults << true;
    }

    void readStoredTheme()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, values);
        QFETCH(bool, dark);

        StoredTheme theme(nextPath(), contents);
        BaseColorsReadHelper helper(theme.settings.get());
        ColorsThemePart part;
        part.read(&helper);
        QCOMPARE(QStringList({part.colorSchemeType(), part.colorSchemePath(), part.wallpaperColorSchemeType(), part.primaryColor(), part.backgroundColor()}),
                 values);
        QCOMPARE(part.isCustomColorSchemeDark(), dark);

        QVERIFY(!part.hasChanges(&helper));
        part.setPrimaryColor(part.primaryColor().toUpper() + QLatin1Char(' '));
        QVERIFY(part.hasChanges(&helper));
    }

    void equality()
    {
        ColorsThemePart a;
        ColorsThemePart b;
        a.defaults();
        b.defaults();
        // The two type words are not compared.
        b.setColorSchemeType(QStringLiteral("Wallpaper"));
        b.setWallpaperColorSchemeType(QStringLiteral("dark"));
        QVERIFY(a == b);
        b.setIsCustomColorSchemeDark(true);
        QVERIFY(!(a == b));
        a.copyFrom(&b);
        QVERIFY(a == b);
        QCOMPARE(a.colorSchemeType(), QStringLiteral("Wallpaper"));
        b.setBackgroundColor(QStringLiteral("#FFFFFF"));
        QVERIFY(!(a == b));
    }

    void applyOrder()
    {
        ColorsThemePart part;
        part.setColorSchemeType(QStringLiteral("Custom"));
        part.setColorSchemePath(QStringLiteral("/x/User.colors"));
        part.setWallpaperColorSchemeType(QStringLiteral("light"));
        part.setPrimaryColor(QStringLiteral("#123456"));
        part.setBackgroundColor(QStringLiteral("#abcdef"));
        part.setIsCustomColorSchemeDark(true);

        // Every value goes out though every call fails; the scheme path last.
        RecordingApplyHelper helper;
        part.apply(&helper);
        QCOMPARE(helper.calls,
                 QStringList({QStringLiteral("type=Custom"),
                              QStringLiteral("wallpaper=light"),
                              QStringLiteral("dark=true"),
                              QStringLiteral("primary=#123456"),
                              QStringLiteral("background=#abcdef"),
                              QStringLiteral("path=/x/User.colors")}));
    }

    void applyToStoredTheme()
    {
        const QString path = nextPath();
        {
            StoredTheme theme(path, "[Variables]\nIconTheme=kept\n");
            BaseColorsApplyHelper helper(theme.settings.get());
            ColorsThemePart part;
            part.defaults();
            part.setPrimaryColor(QStringLiteral("not a colour"));
            part.setIsCustomColorSchemeDark(true);
            part.apply(&helper);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        for (const char *line : {"SchemeType=System\n",
                                 "ColorScheme=/usr/share/color-schemes/UlvarLight.colors\n",
                                 "WallPaperColorScheme=none\n",
                                 "PrimaryColor=not a colour\n",
                                 "BackgroundColor=#ffffff\n",
                                 "CustomSchemeDark=true\n",
                                 "IconTheme=kept\n"}) {
            QVERIFY2(written.contains(line), line);
        }
    }

    void applyToReadOnlyTheme()
    {
        const QByteArray contents = "[$i]\n[Variables]\nSchemeType=System\n";
        const QString path = nextPath();
        StoredTheme theme(path, contents);
        BaseColorsApplyHelper helper(theme.settings.get());
        QVERIFY(!helper.applyColorSchemeType(QStringLiteral("Custom")));
        QVERIFY(!helper.applyColorSchemePath(QStringLiteral("/a.colors")));
        QVERIFY(!helper.applyWallpaperColorSchemeType(QStringLiteral("dark")));
        QVERIFY(!helper.applyPrimaryColor(QStringLiteral("#000000")));
        QVERIFY(!helper.applyBackgroundColor(QStringLiteral("#000000")));
        QVERIFY(!helper.applyIsCustomColorSchemeDark(true));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    }
};

QTEST_GUILESS_MAIN(ColorsThemePartTest)

#include "colorsthemeparttest.moc"
