#include "archivefixtures.h"

#include "basesettingsprovider.h"
#include "colorsthemepart.h"
#include "cursorthemepart.h"
#include "iconthemepart.h"
#include "theme.h"
#include "themecontroller.h"
#include "wallpaperthemepart.h"

#include <picturetestsupport.h>

#include <KSharedConfig>

#include <QTest>

#include <memory>

using namespace ArchiveFixtures;

// A theme exported, removed with every file it names, and imported again.
class RoundTripTest : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<Theme> loadTheme(const QString &index)
    {
        auto theme = std::make_unique<Theme>(KSharedConfig::openConfig(index, KConfig::SimpleConfig),
                                             std::make_shared<BaseSettingsProvider>(QFileInfo(index).absolutePath() + QStringLiteral("/theme/themerc")));
        theme->read();
        return theme;
    }

    // The ids of the user themes the registry finds.
    static QStringList userThemeIds()
    {
        QStringList ids;
        const ThemeController controller;
        for (const auto &theme : controller.availableThemes()) {
            if (theme->desktopPath().startsWith(QDir::homePath() + QLatin1Char('/'))) {
                ids.append(theme->id());
            }
        }
        return ids;
    }

private Q_SLOTS:
    void exportRemoveImport_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("wallpaper");
        QTest::newRow("tar.xz") << QStringLiteral("trip.tar.xz") << pngImage();
        // The wallpaper page takes a picture of more pixels than the preview
        // decodes (8200 x 4200, as cameras make): so does the import.
        const QString large = PexoTest::sandboxDir() + QStringLiteral("/large.png");
        QVERIFY(PexoTest::writeHugePng(large, QSize(8200, 4200)));
        QTest::newRow("tar, a picture beyond the preview's pixels") << QStringLiteral("trip.tar") << PexoTest::readFile(large);
        PexoTest::removePath(large);
    }

    void exportRemoveImport()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, wallpaper);
        const QString home = QDir::homePath();
        const QString themeDir = home + QStringLiteral("/.local/share/pexothemes/trip");
        const QMap<QString, QByteArray> files{
            {home + QStringLiteral("/Pictures/trip.jpg"), wallpaper},
            {home + QStringLiteral("/.local/share/wallpapers/trip-logo.svg"), svgImage()},
            {home + QStringLiteral("/.local/share/color-schemes/Trip.colors"), colorScheme()},
            {home + QStringLiteral("/.local/share/icons/TripCursor/index.theme"), "[Icon Theme]\nName=TripCursor\n"},
            {home + QStringLiteral("/.local/share/icons/TripCursor/cursors/left_ptr"), "cursor"},
            {home + QStringLiteral("/.local/share/icons/TripIcons/index.theme"), "[Icon Theme]\nName=TripIcons\n"},
            {home + QStringLiteral("/.local/share/icons/TripIcons/32x32/apps/app.png"), "icon"},
        };
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QVERIFY(PexoTest::writeFile(it.key(), it.value()));
        }
        const QString index = writeTheme(themeDir,
                                         QStringLiteral("trip"),
                                         QStringLiteral("Round Trip"),
                                         {{QStringLiteral("WallPaper"), home + QStringLiteral("/Pictures/trip.jpg")},
                                          {QStringLiteral("WallPaperPos"), QStringLiteral("Center")},
                                          {QStringLiteral("LogoPixmap"), home + QStringLiteral("/.local/share/wallpapers/trip-logo.svg")},
                                          {QStringLiteral("ColorScheme"), home + QStringLiteral("/.local/share/color-schemes/Trip.colors")},
                                          {QStringLiteral("PrimaryColor"), QStringLiteral("#336699")},
                                          {QStringLiteral("CursorTheme"), QStringLiteral("TripCursor")},
                                          {QStringLiteral("IconTheme"), QStringLiteral("TripIcons")},
                                          {QStringLiteral("SoundTheme"), QStringLiteral("quiet")}});
        const auto original = loadTheme(index);
        QCOMPARE(original->wallpaperThemePart()->logo(), home + QStringLiteral("/.local/share/wallpapers/trip-logo.svg"));

        const QString archive = PexoTest::sandboxDir() + QLatin1Char('/') + fileName;
        const PexoTest::ProgramRun exported = PexoTest::runProgram(QStringLiteral("pexo-export-theme"), {index, archive});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.errors, QString());

        PexoTest::removePath(home + QStringLiteral("/.local/share/pexothemes"));
        PexoTest::removePath(home + QStringLiteral("/.local/share/icons"));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            PexoTest::removePath(it.key());
        }
        QCOMPARE(userThemeIds(), QStringList());

        const PexoTest::ProgramRun imported = PexoTest::runProgram(QStringLiteral("pexo-import-theme"), {archive});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(imported.errors, QString());

        QCOMPARE(userThemeIds(), QStringList{QStringLiteral("trip")});
        // The archive's top-level name, the display name, names the directory.
        const ThemeController controller;
        const auto back = controller.theme(QStringLiteral("trip"));
        QVERIFY(back);
        QCOMPARE(back->desktopPath(), home + QStringLiteral("/.local/share/pexothemes/Round Trip/index.theme"));
        QCOMPARE(back->name(), QStringLiteral("Round Trip"));
        back->read();
        QVERIFY(*back == *original);
        QCOMPARE(back->wallpaperThemePart()->wallpaperStyle(), QStringLiteral("Center"));
        QCOMPARE(back->colorsThemePart()->primaryColor(), QStringLiteral("#336699"));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QCOMPARE(PexoTest::readFile(it.key()), it.value());
        }
        PexoTest::removePath(home + QStringLiteral("/.local/share/pexothemes"));
        PexoTest::removePath(home + QStringLiteral("/.local/share/icons"));
    }
};

QTEST_GUILESS_MAIN(RoundTripTest)

#include "roundtriptest.moc"
