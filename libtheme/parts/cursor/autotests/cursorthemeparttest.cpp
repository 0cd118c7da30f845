// The cursor part's values and signals, and the helpers of a stored theme.

#include "cursorthemepart.h"
#include "basecursorapplyhelper.h"
#include "basecursorreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <pexoicontheme.h>
#include <pexotestsupport.h>

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
struct Layers
{
    explicit Layers(const QString &userPath)
        : user(userPath)
    {
    }
    KConfigStorage master{ThemeDefaults::masterThemeConfigPath};
    KConfigStorage user;
    ThemeSettings settings{&master, &user};
};

const QString themerc = ThemeDefaults::userThemesDir + QStringLiteral("/Test/theme/themerc");

// Writes the master file and the theme's themerc, then opens both.
std::unique_ptr<Layers> openTheme(const QByteArray &masterBody, const QByteArray &themeBody)
{
    PexoTest::writeFile(ThemeDefaults::masterThemeConfigPath, "[Variables]\n" + masterBody);
    PexoTest::writeFile(themerc, themeBody.startsWith("[$i]") ? themeBody : "[Variables]\n" + themeBody);
    return std::make_unique<Layers>(themerc);
}
} // namespace

class CursorThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalsDefaultsAndCopies()
    {
        CursorThemePart part;
        QCOMPARE(part.currentSize(), -1);
        QSignalSpy size(&part, &CursorThemePart::currentSizeChanged);
        QSignalSpy changed(&part, &IThemePart::changed);

        part.defaults(); // only the empty name moves
        part.defaults();
        QCOMPARE(part.currentTheme(), QStringLiteral("default"));
        QCOMPARE(size.count(), 0);
        QCOMPARE(changed.count(), 1);

        CursorThemePart other;
        other.setCurrentTheme(QStringLiteral("Default"));
        other.setCurrentSize(32);
        part.copyFrom(nullptr);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!(part == other)); // letter case counts
        part.copyFrom(&other);
        part.copyFrom(&other);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(size.count(), 1);
        QVERIFY(part == other);
    }

    void missingSizeReadsTheLiveSize()
    {
        PexoIconTheme::setCurrentCursorThemeSize(32);
        auto layers = openTheme(QByteArray(), "CursorTheme=Adwaita\n");
        BaseCursorReadHelper read(&layers->settings);
        CursorThemePart part;
        part.read(&read);
        QCOMPARE(part.currentTheme(), QStringLiteral("Adwaita"));
        QCOMPARE(part.currentSize(), 32);
        QVERIFY(!part.hasChanges(&read));

        PexoIconTheme::setCurrentCursorThemeSize(48); // asked again on every read
        QVERIFY(part.hasChanges(&read));
        part.setCurrentSize(48);
        part.setCurrentTheme(QStringLiteral("adwaita"));
        QVERIFY(part.hasChanges(&read));
    }

    void storedValues_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("theme");
        QTest::addColumn<int>("size");

        QTest::newRow("no keys") << QByteArray() << QStringLiteral("default") << 24;
        QTest::newRow("number") << QByteArray("CursorSize=64\n") << QStringLiteral("default") << 64;
        QTest::newRow("no number") << QByteArray("CursorSize=big\n") << QStringLiteral("default") << 0;
        QTest::newRow("quoted") << QByteArray("CursorTheme=\"DMZ-White\"\nCursorSize=\"16\"\n") << QStringLiteral("DMZ-White") << 16;
    }

    void storedValues()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, theme);
        QFETCH(int, size);

        PexoIconTheme::setCurrentCursorThemeSize(24);
        auto layers = openTheme(QByteArray(), body);
        BaseCursorReadHelper read(&layers->settings);
        QCOMPARE(read.readCurrentTheme(), theme);
        QCOMPARE(read.readSize(), size);
    }

    void applyToStoredTheme()
    {
        {
            auto layers = openTheme("CursorSize=16\n", QByteArray());
            CursorThemePart part;
            part.setCurrentTheme(QStringLiteral("Breeze_Snow"));
            part.setCurrentSize(40);
            BaseCursorApplyHelper apply(&layers->settings);
            part.apply(&apply);
            QVERIFY(!apply.applySize(40)); // fixed by the master file
        }
        QCOMPARE(PexoTest::readFile(themerc), QByteArray("[Variables]\nCursorTheme=Breeze_Snow\n"));
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeName(nullptr), std::string()); // the session is untouched

        auto layers = openTheme(QByteArray(), QByteArray());
        QVERIFY(BaseCursorApplyHelper(&layers->settings).applySize(40));
        QVERIFY(PexoTest::readFile(themerc).contains("CursorSize=40\n"));

        const QByteArray body = "[$i]\n[Variables]\nCursorTheme=locked\n";
        layers = openTheme(QByteArray(), body);
        BaseCursorApplyHelper readOnly(&layers->settings);
        QVERIFY(!readOnly.applyCurrentTheme(QStringLiteral("other")));
        QVERIFY(!readOnly.applySize(32));
        QCOMPARE(PexoTest::readFile(themerc), body);
    }
};

QTEST_GUILESS_MAIN(CursorThemePartTest)

#include "cursorthemeparttest.moc"
