// The rules the appearance pages share: saving and the colour scheme of the
// settings application.

#include <appearanceframe.h>

#include <pexotestsupport.h>
#include <themecontroller.h>
#include <themedecorator.h>
#include <themedefaults.h>

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QStandardPaths>
#include <QTest>

namespace {
const QString schemes = QStringLiteral("/usr/share/color-schemes/");

// Counts what the save rule calls through the virtual table.
class Decorated : public ThemeDecorator
{
public:
    void updateNeedSave() override
    {
        ++needSaveUpdates;
    }
    void apply() override
    {
        ++applies;
    }
    ThemeController *themes() const
    {
        return controller;
    }
    int needSaveUpdates = 0;
    int applies = 0;
};

// A user theme recorded as the current one.
void makeCurrent(const QString &id, bool readOnly)
{
    const QString dir = ThemeDefaults::userThemesDir + QLatin1Char('/') + id;
    QByteArray index = "[Pexo Theme]\nId=" + id.toUtf8() + "\nName=" + id.toUtf8() + "\n";
    if (readOnly) {
        index += "X-Ulvar-System-Theme=true\n";
    }
    QVERIFY(PexoTest::writeFile(dir + QStringLiteral("/index.theme"), index));
    QVERIFY(PexoTest::writeFile(dir + QStringLiteral("/theme/themerc"), "[Variables]\n"));
    const QString record = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/pexo-admin-themerc");
    QVERIFY(PexoTest::writeFile(record, "[Theme]\nCurrentTheme=" + id.toUtf8() + "\nCurrentThemePath=" + dir.toUtf8() + "/index.theme\n"));
}

QColor windowColour()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Window);
}
} // namespace

class AppearanceFrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoTest::installSampleData());
        // A second scheme named like the dark one, with a window colour of its own.
        QByteArray twin = PexoTest::readFile(schemes + QStringLiteral("UlvarDark.colors"));
        QVERIFY(twin.contains("\n[Colors:Window]\nBackgroundAlternate=36,40,44\nBackgroundNormal=42,46,50\n"));
        twin.replace("\n[Colors:Window]\nBackgroundAlternate=36,40,44\nBackgroundNormal=42,46,50\n",
                     "\n[Colors:Window]\nBackgroundAlternate=36,40,44\nBackgroundNormal=10,200,30\n");
        QVERIFY(PexoTest::writeFile(schemes + QStringLiteral("AUlvarDarkTwin.colors"), twin));
    }

    void saveRule()
    {
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/bin/pexo-dialog"), "#!/bin/sh\nexit 1\n"));
        QVERIFY(QFile::setPermissions(QStringLiteral("/usr/bin/pexo-dialog"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));

        makeCurrent(QStringLiteral("Locked"), true);
        {
            Decorated module;
            AppearanceFrame::save(&module, module.themes());
            QCOMPARE(module.applies, 0);
            QCOMPARE(module.needSaveUpdates, 1);
        }
        makeCurrent(QStringLiteral("Open"), false);
        Decorated module;
        AppearanceFrame::save(&module, module.themes());
        QCOMPARE(module.applies, 1);
        QCOMPARE(module.needSaveUpdates, 0);
    }

    void activateColorScheme()
    {
        QPalette red = QApplication::palette();
        red.setColor(QPalette::Window, Qt::red);
        QApplication::setPalette(red);

        // A path that no scheme has changes nothing, not even to the default scheme.
        AppearanceFrame::activateColorScheme(schemes + QStringLiteral("Missing.colors"));
        QCOMPARE(windowColour(), QColor(Qt::red));
        QVERIFY(!qApp->property("KDE_COLOR_SCHEME_PATH").isValid());

        // Each of two schemes of one name is activated by its own row.
        AppearanceFrame::activateColorScheme(schemes + QStringLiteral("AUlvarDarkTwin.colors"));
        QCOMPARE(windowColour(), QColor(10, 200, 30));
        AppearanceFrame::activateColorScheme(schemes + QStringLiteral("UlvarDark.colors"));
        QCOMPARE(windowColour(), QColor(42, 46, 50));
        AppearanceFrame::activateColorScheme(QStringLiteral("/nowhere.colors"));
        QCOMPARE(windowColour(), QColor(42, 46, 50));
        QCOMPARE(qApp->property("KDE_COLOR_SCHEME_PATH").toString(), schemes + QStringLiteral("UlvarDark.colors"));

        // The application's own configuration file is not written.
        const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + QCoreApplication::applicationName() +
            QStringLiteral("rc");
        QVERIFY2(!PexoTest::readFile(own).contains("ColorScheme"), qPrintable(own));
    }
};

QTEST_MAIN(AppearanceFrameTest)

#include "appearanceframetest.moc"
