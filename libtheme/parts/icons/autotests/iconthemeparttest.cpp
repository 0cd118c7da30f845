// The icon part's values and signals, and the helpers of a stored theme.

#include "iconthemepart.h"
#include "baseiconapplyhelper.h"
#include "baseiconreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <pexotestsupport.h>

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
// Records the order of the calls.
class RecordingReadHelper : public AbstractIconReadHelper
{
public:
    QString readCurrentTheme() override
    {
        calls << QStringLiteral("theme");
        return theme;
    }
    bool readMonochromeToolbar() override
    {
        calls << QStringLiteral("toolbar");
        return true;
    }
    bool readMonochromeTaskbar() override
    {
        calls << QStringLiteral("taskbar");
        return true;
    }

    QStringList calls;
    QString theme;
};

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

class IconThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalsAndDefaults()
    {
        IconThemePart part;
        QCOMPARE(part.currentTheme(), QString());
        QVERIFY(part.isToolbarMonochrome()); // the flags start at their defaults
        QVERIFY(part.isTaskbarMonochrome());

        QStringList emitted;
        connect(&part, &IconThemePart::currentThemeChanged, this, [&emitted] {
            emitted << QStringLiteral("theme");
        });
        connect(&part, &IconThemePart::isToolbarMonochromeChanged, this, [&emitted] {
            emitted << QStringLiteral("toolbar");
        });
        connect(&part, &IconThemePart::isTaskbarMonochromeChanged, this, [&emitted] {
            emitted << QStringLiteral("taskbar");
        });
        QSignalSpy changed(&part, &IThemePart::changed);

        for (int i = 0; i < 2; ++i) { // the second round changes nothing
            part.setCurrentTheme(QStringLiteral("other"));
            part.setIsToolbarMonochrome(false);
            part.setIsTaskbarMonochrome(false);
        }
        QCOMPARE(emitted, QStringList({QStringLiteral("theme"), QStringLiteral("toolbar"), QStringLiteral("taskbar")}));
        QCOMPARE(changed.count(), 3);

        emitted.clear();
        part.defaults(); // the taskbar flag is reset before the toolbar flag
        part.defaults();
        QCOMPARE(emitted, QStringList({QStringLiteral("theme"), QStringLiteral("taskbar"), QStringLiteral("toolbar")}));
        QCOMPARE(changed.count(), 6);
        QCOMPARE(part.currentTheme(), QStringLiteral("ulvar-tornel"));
        QVERIFY(part.isToolbarMonochrome() && part.isTaskbarMonochrome());
    }

    void copyAndCompare()
    {
        IconThemePart part;
        part.defaults();
        IconThemePart equal;
        equal.defaults();
        QSignalSpy changed(&part, &IThemePart::changed);
        part.copyFrom(nullptr);
        part.copyFrom(&equal);
        QCOMPARE(changed.count(), 0);
        QVERIFY(part == equal);

        IconThemePart other;
        other.setCurrentTheme(QStringLiteral("Ulvar-Tornel"));
        other.setIsTaskbarMonochrome(false);
        QVERIFY(!(part == other)); // letter case counts
        part.copyFrom(&other);
        QCOMPARE(changed.count(), 2);
        QVERIFY(part == other);
    }

    void readOrders()
    {
        IconThemePart part;
        RecordingReadHelper read;
        read.theme = QStringLiteral("T");
        QVERIFY(part.hasChanges(&read)); // all read, though the first differs
        QCOMPARE(read.calls, QStringList({QStringLiteral("theme"), QStringLiteral("taskbar"), QStringLiteral("toolbar")}));
        read.calls.clear();
        part.read(&read);
        QCOMPARE(read.calls, QStringList({QStringLiteral("theme"), QStringLiteral("toolbar"), QStringLiteral("taskbar")}));
        QVERIFY(!part.hasChanges(&read));
    }

    void storedTheme()
    {
        {
            auto layers = openTheme(QByteArray(), QByteArray());
            BaseIconReadHelper read(&layers->settings);
            IconThemePart part;
            part.setCurrentTheme(QStringLiteral("x"));
            part.setIsToolbarMonochrome(false);
            part.read(&read); // missing keys read as their defaults
            QCOMPARE(part.currentTheme(), QStringLiteral("ulvar-tornel"));
            QVERIFY(part.isToolbarMonochrome() && part.isTaskbarMonochrome());

            part.setCurrentTheme(QStringLiteral("breeze-dark"));
            part.setIsToolbarMonochrome(false);
            part.setIsTaskbarMonochrome(false);
            BaseIconApplyHelper apply(&layers->settings);
            part.apply(&apply);
            QVERIFY(!part.hasChanges(&read));
        }
        const QByteArray file = PexoTest::readFile(themerc);
        QVERIFY(file.contains("IconTheme=breeze-dark\n"));
        QVERIFY(file.contains("useSymbolicIconsForToolBar=false\n"));
        QVERIFY(file.contains("UseTrayIconTheme=false\n"));
    }

    void masterKeyRefusesTheWrite()
    {
        auto layers = openTheme("UseTrayIconTheme=false\n", "UseTrayIconTheme=true\n");
        QVERIFY(!BaseIconReadHelper(&layers->settings).readMonochromeTaskbar());
        BaseIconApplyHelper apply(&layers->settings);
        QCOMPARE(layers->settings.write(ThemeDefaults::UseTrayIconTheme.key, true), int(IThemeSettings::FixedByMaster));
        QVERIFY(!apply.applyMonochromeTaskbar(true));
        QVERIFY(apply.applyCurrentTheme(QStringLiteral("free")));
        QCOMPARE(PexoTest::readFile(themerc), QByteArray("[Variables]\nIconTheme=free\nUseTrayIconTheme=true\n"));
    }

    void readOnlyThemeRefusesEveryWrite()
    {
        const QByteArray body = "[$i]\n[Variables]\nIconTheme=locked\n";
        auto layers = openTheme(QByteArray(), body);
        BaseIconApplyHelper apply(&layers->settings);
        QVERIFY(!apply.applyCurrentTheme(QStringLiteral("other")));
        QVERIFY(!apply.applyMonochromeToolbar(false));
        QVERIFY(!apply.applyMonochromeTaskbar(false));
        QCOMPARE(PexoTest::readFile(themerc), body);
    }
};

QTEST_GUILESS_MAIN(IconThemePartTest)

#include "iconthemeparttest.moc"
