#include "themecontroller.h"
#include "themefixtures.h"

#include "iconthemepart.h"
#include "pexotestsupport.h"
#include "picturetestsupport.h"
#include "sessionlock.h"
#include "wallpaperthemepart.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace Fixtures;

namespace {
const QString systemTwoThemerc = QStringLiteral("/usr/share/pexothemes/SysTwo/theme/themerc");

QStringList ids(const std::vector<std::shared_ptr<Theme>> &themes)
{
    QStringList result;
    for (const auto &theme : themes) {
        result << theme->id();
    }
    return result;
}

QString pathOf(const ThemeController &controller, const QString &id)
{
    const auto theme = controller.theme(id);
    return theme ? theme->desktopPath() : QString();
}
} // namespace

class ThemeControllerTest : public QObject
{
    Q_OBJECT

    enum Setup { NoSetup, BlockedDirectory, DanglingLink, GhostRecord, ThemeWithoutThemerc, FullThemesDisk };

private Q_SLOTS:
    void initTestCase();
    void init();

    void scanListsUserThemesFirst();
    void recordedThemeIsAlwaysListed_data();
    void recordedThemeIsAlwaysListed();
    void emptyDirectoriesKeepTheRecordedTheme();
    void scanReadsIdsAsTheConfigurationDoes();
    void themesFarBeyondARealOneAreNotListed_data();
    void themesFarBeyondARealOneAreNotListed();

    void setCurrentThemeRecordsAndApplies();
    void setCurrentThemeIgnoresUnknownIds();
    void equalThemeIsTheFirstInIdOrder();
    void searchHoldsOneThemeAtATime();

    void removeTheme_data();
    void removeTheme();
    void removedUserThemeUncoversSystemThemeOnRescan();

    void createTheme();
    void createThemeFailures_data();
    void createThemeFailures();
    void createSameThemeTwice();
};

void ThemeControllerTest::initTestCase()
{
    // Applying colours restarts the taskbar and the virtual keyboard.
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-vkbd")));
}

void ThemeControllerTest::init()
{
    PexoTest::removePath(ThemeDefaults::userThemesDir);
    PexoTest::removePath(ThemeDefaults::systemThemesDir);
    PexoTest::removePath(recordPath());
    PexoTest::removePath(QDir::homePath() + QStringLiteral("/elsewhere"));
    PexoTest::removePath(QDir::homePath() + QStringLiteral("/.local/share/theme"));

    writeTheme(userTheme(QStringLiteral("Alpha")),
               index(QStringLiteral("Alpha"), QStringLiteral("Alpha Theme")),
               themerc(QStringLiteral("alpha-icons"), QStringLiteral("#123456")));
    writeTheme(userTheme(QStringLiteral("Shadow")),
               index(QStringLiteral("SysOne"), QStringLiteral("User One")),
               themerc(QStringLiteral("shadow-icons"), QStringLiteral("#111111")));
    // Same id twice: the case-insensitive sort puts "a-dup" first.
    writeTheme(
        userTheme(QStringLiteral("B-dup")), index(QStringLiteral("Dup"), QStringLiteral("Dup B")), themerc(QStringLiteral("b"), QStringLiteral("#000000")));
    writeTheme(
        userTheme(QStringLiteral("a-dup")), index(QStringLiteral("Dup"), QStringLiteral("Dup A")), themerc(QStringLiteral("a"), QStringLiteral("#000000")));
    writeFile(userTheme(QStringLiteral("NoIndex/theme/themerc")), themerc(QStringLiteral("x"), QStringLiteral("#000000")));
    writeTheme(userTheme(QStringLiteral("EmptyId")), index(QString(), QStringLiteral("No Id")));

    writeTheme(systemTheme(QStringLiteral("SysOne")),
               index(QStringLiteral("SysOne"), QStringLiteral("System One"), true),
               themerc(QStringLiteral("one-icons"), QStringLiteral("#010101")));
    writeTheme(systemTheme(QStringLiteral("SysTwo")),
               index(QStringLiteral("SysTwo"), QStringLiteral("System Two")),
               themerc(QStringLiteral("two-icons"), QStringLiteral("#222222")));
    writeTheme(systemTheme(QStringLiteral("UlvarTornelLight")),
               index(QStringLiteral("UlvarTornelLight"), QStringLiteral("Light"), true),
               themerc(QStringLiteral("light-icons"), QStringLiteral("#118bcc")));
}

void ThemeControllerTest::scanListsUserThemesFirst()
{
    ThemeController controller;

    QCOMPARE(
        ids(controller.availableThemes()),
        QStringList({QStringLiteral("Alpha"), QStringLiteral("Dup"), QStringLiteral("SysOne"), QStringLiteral("SysTwo"), QStringLiteral("UlvarTornelLight")}));
    QCOMPARE(pathOf(controller, QStringLiteral("SysOne")), userTheme(QStringLiteral("Shadow/index.theme")));
    QCOMPARE(pathOf(controller, QStringLiteral("Dup")), userTheme(QStringLiteral("a-dup/index.theme")));
    QCOMPARE(controller.currentThemeId(), ThemeDefaults::defaultThemeId);
    QCOMPARE(controller.currentTheme()->desktopPath(), ThemeDefaults::defaultThemeIndexPath);
    // Every call hands out a new object over the same files.
    QVERIFY(controller.theme(QStringLiteral("Alpha")) != controller.theme(QStringLiteral("Alpha")));
}

void ThemeControllerTest::recordedThemeIsAlwaysListed_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    const QString elsewhere = QDir::homePath() + QStringLiteral("/elsewhere/index.theme");
    QTest::newRow("outside the theme directories") << QStringLiteral("Elsewhere") << elsewhere << QStringLiteral("Far Away");
    QTest::newRow("path wins over the scan") << QStringLiteral("SysTwo") << systemTheme(QStringLiteral("SysOne/index.theme")) << QStringLiteral("System One");
    QTest::newRow("missing file") << QStringLiteral("Ghost") << QDir::homePath() + QStringLiteral("/nowhere/index.theme") << QString();
}

void ThemeControllerTest::recordedThemeIsAlwaysListed()
{
    QFETCH(QString, id);
    QFETCH(QString, path);
    QFETCH(QString, name);
    writeFile(QDir::homePath() + QStringLiteral("/elsewhere/index.theme"), index(QStringLiteral("Elsewhere"), QStringLiteral("Far Away")));
    writeRecord(id, path);

    ThemeController controller;

    QCOMPARE(controller.currentThemeId(), id);
    QCOMPARE(controller.currentTheme()->name(), name);
    QCOMPARE(pathOf(controller, id), path);
    QVERIFY(ids(controller.availableThemes()).contains(QStringLiteral("Alpha")));
}

void ThemeControllerTest::emptyDirectoriesKeepTheRecordedTheme()
{
    PexoTest::removePath(ThemeDefaults::userThemesDir);
    PexoTest::removePath(ThemeDefaults::systemThemesDir);

    ThemeController controller;

    const auto themes = controller.availableThemes();
    QCOMPARE(int(themes.size()), 1);
    QCOMPARE(themes.front()->desktopPath(), ThemeDefaults::defaultThemeIndexPath);
    QVERIFY(controller.theme(ThemeDefaults::defaultThemeId));
}

void ThemeControllerTest::scanReadsIdsAsTheConfigurationDoes()
{
    // One id read from the plain bytes, one that needs the full reader.
    writeTheme(userTheme(QStringLiteral("Spaced")), "[Pexo Theme]\n  Id =  Spaced Id \nName=Spaced\n");
    writeTheme(userTheme(QStringLiteral("Escaped")), "[Pexo Theme][$i]\nId=Esc\\x41ped\nName=Escaped\n");

    ThemeController controller;

    for (const QString &id : {QStringLiteral("Spaced Id"), QStringLiteral("EscAped")}) {
        const auto theme = controller.theme(id);
        QVERIFY2(theme, qPrintable(id));
        QCOMPARE(theme->id(), id);
    }
}

void ThemeControllerTest::themesFarBeyondARealOneAreNotListed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("listed");
    // The limits as the README gives them.
    const qint64 settingsLimit = 16 * 1024;
    const qint64 descriptionLimit = 128 * 1024;
    QTest::newRow("settings at the limit") << QStringLiteral("theme/themerc") << settingsLimit << true;
    QTest::newRow("settings beyond it") << QStringLiteral("theme/themerc") << settingsLimit + 1 << false;
    QTest::newRow("description at the limit") << QStringLiteral("index.theme") << descriptionLimit << true;
    QTest::newRow("description beyond it") << QStringLiteral("index.theme") << descriptionLimit + 1 << false;
    QTest::newRow("description translated into every language") << QStringLiteral("index.theme[xx]") << qint64(0) << true;
    // Read without a warning for each of its invalid escapes.
    QTest::newRow("settings of invalid escapes") << QStringLiteral("theme/themerc\\q") << settingsLimit - 16 << true;
    QTest::newRow("description of invalid escapes") << QStringLiteral("index.theme\\q") << descriptionLimit - 16 << true;
}

// A system theme, listed and selectable when its files are within the limits.
void ThemeControllerTest::themesFarBeyondARealOneAreNotListed()
{
    QFETCH(QString, file);
    QFETCH(qint64, size);
    QFETCH(bool, listed);
    const QByteArray padding = file.endsWith(QLatin1String("\\q")) ? QByteArrayLiteral("\\q") : QByteArrayLiteral("x");
    file.remove(QLatin1String("\\q"));
    QByteArray text = file.startsWith(QLatin1String("index.theme")) ? index(QStringLiteral("Big"), QStringLiteral("Big"), true)
                                                                    : themerc(QStringLiteral("big"), QStringLiteral("#123456"));
    if (file.endsWith(QLatin1String("[xx]"))) {
        file.chop(4);
        text += PexoTest::translatedDescriptionLines();
    } else {
        text += "Padding=" + padding.repeated((size - text.size() - 9) / padding.size()) + '\n';
    }
    const PexoTest::ReaderWarnings readerWarnings;
    PexoTest::removePath(ThemeDefaults::currentThemeConfigPath);
    writeTheme(systemTheme(QStringLiteral("Big")),
               index(QStringLiteral("Big"), QStringLiteral("Big"), true),
               themerc(QStringLiteral("big"), QStringLiteral("#123456")));
    writeFile(systemTheme(QStringLiteral("Big/")) + file, text);
    writeTheme(
        userTheme(QStringLiteral("Old")), index(QStringLiteral("Old"), QStringLiteral("Old")), themerc(QStringLiteral("old"), QStringLiteral("#654321")));

    {
        ThemeController controller;
        QVERIFY(controller.theme(QStringLiteral("Old")));
        QCOMPARE(bool(controller.theme(QStringLiteral("Big"))), listed);
        QCOMPARE(ids(controller.availableThemes()).contains(QStringLiteral("Big")), listed);
        {
            const SessionLock lock(SessionLock::Wait::Tool);
            controller.setCurrentTheme(QStringLiteral("Big"));
        }
        QCOMPARE(entry(recordPath(), QStringLiteral("Theme"), QStringLiteral("CurrentTheme")), listed ? QStringLiteral("Big") : QStringLiteral("<missing>"));
        QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")) == QLatin1String("big"), listed);
        // Nor is one written meanwhile.
        writeTheme(userTheme(QStringLiteral("New")), index(QStringLiteral("New"), QStringLiteral("New")));
        writeFile(userTheme(QStringLiteral("New/")) + file, text.replace("Big", "New"));
        controller.updateAvailableThemes();
        QCOMPARE(bool(controller.theme(QStringLiteral("New"))), listed);
        // Nor one that grew beyond them since it was listed.
        writeFile(userTheme(QStringLiteral("Old/")) + file, text.replace("New", "Old"));
        QCOMPARE(bool(controller.theme(QStringLiteral("Old"))), listed);
        controller.updateAvailableThemes();
        QCOMPARE(bool(controller.theme(QStringLiteral("Old"))), listed);
    }
    // Nor is it read as the recorded current theme.
    writeRecord(QStringLiteral("Big"), systemTheme(QStringLiteral("Big/index.theme")));
    QCOMPARE(ThemeController().currentTheme()->isValid(), listed);
    // Nor the recorded current theme, nor one just made, grown since.
    writeTheme(
        userTheme(QStringLiteral("Old")), index(QStringLiteral("Old"), QStringLiteral("Old")), themerc(QStringLiteral("old"), QStringLiteral("#654321")));
    writeRecord(QStringLiteral("Old"), userTheme(QStringLiteral("Old/index.theme")));
    {
        ThemeController controller;
        QSignalSpy errors(&controller, &ThemeController::error);
        QVERIFY(controller.createTheme(QStringLiteral("Own"), QStringLiteral("Old")));
        for (const QString &id : {QStringLiteral("Old"), QStringLiteral("Own")}) {
            writeFile(userTheme(id + QLatin1Char('/')) + file, QByteArray(text).replace("Old", id.toUtf8()));
            QCOMPARE(bool(controller.theme(id)), listed);
            QCOMPARE(ids(controller.availableThemes()).contains(id), listed);
        }
        {
            const SessionLock lock(SessionLock::Wait::Tool);
            controller.setCurrentTheme(QStringLiteral("Own"));
        }
        QCOMPARE(controller.currentThemeId(), listed ? QStringLiteral("Own") : QStringLiteral("Old"));
        QCOMPARE(errors.isEmpty(), listed);
        QVERIFY(listed || errors.constLast().constFirst().toString().contains(QLatin1String(" is larger than ")));
    }
    QVERIFY2(readerWarnings.count() < 10, qPrintable(QString::number(readerWarnings.count())));
}

void ThemeControllerTest::setCurrentThemeRecordsAndApplies()
{
    ThemeController controller;
    PexoTest::takeWmCommands();

    {
        const SessionLock lock(SessionLock::Wait::Tool);
        controller.setCurrentTheme(QStringLiteral("SysTwo"));
    }

    const QString indexPath = systemTheme(QStringLiteral("SysTwo/index.theme"));
    QCOMPARE(entry(recordPath(), QStringLiteral("Theme"), QStringLiteral("CurrentTheme")), QStringLiteral("SysTwo"));
    QCOMPARE(entry(recordPath(), QStringLiteral("Theme"), QStringLiteral("CurrentThemePath")), indexPath);
    QCOMPARE(controller.currentThemeId(), QStringLiteral("SysTwo"));
    QCOMPARE(controller.currentTheme()->desktopPath(), indexPath);
    QCOMPARE(controller.currentTheme()->iconThemePart()->currentTheme(), QStringLiteral("two-icons"));

    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")), QStringLiteral("two-icons"));
    QCOMPARE(entry(ThemeDefaults::paletteConfigPath, ThemeDefaults::themeVariablesGroup, QStringLiteral("PrimaryColor")), QStringLiteral("#222222"));
    const QStringList commands = PexoTest::takeWmCommands();
    QVERIFY2(commands.contains(QStringLiteral("PEXOWM_UPDATE_VAL IconTheme two-icons\n")), qPrintable(commands.join(QLatin1Char('|'))));
    QVERIFY2(commands.contains(QStringLiteral("PEXOWM_UPDATE_VAL PrimaryColor #222222\n")), qPrintable(commands.join(QLatin1Char('|'))));

    // The next registry starts from the record.
    ThemeController next;
    QCOMPARE(next.currentThemeId(), QStringLiteral("SysTwo"));
    QCOMPARE(next.currentTheme()->desktopPath(), indexPath);
}

void ThemeControllerTest::setCurrentThemeIgnoresUnknownIds()
{
    writeRecord(QStringLiteral("Alpha"), userTheme(QStringLiteral("Alpha/index.theme")));
    writeFile(ThemeDefaults::currentThemeConfigPath, themerc(QStringLiteral("live-icons"), QStringLiteral("#333333")));
    const QByteArray record = readFile(recordPath());
    const QByteArray live = readFile(ThemeDefaults::currentThemeConfigPath);
    ThemeController controller;
    PexoTest::takeWmCommands();
    QTest::ignoreMessage(QtWarningMsg, "Can't set theme \"Nope\" as current theme");

    {
        const SessionLock lock(SessionLock::Wait::Tool);
        controller.setCurrentTheme(QStringLiteral("Nope"));
    }

    QCOMPARE(controller.currentThemeId(), QStringLiteral("Alpha"));
    QCOMPARE(readFile(recordPath()), record);
    QCOMPARE(readFile(ThemeDefaults::currentThemeConfigPath), live);
    QCOMPARE(PexoTest::takeWmCommands(), QStringList());
}

void ThemeControllerTest::equalThemeIsTheFirstInIdOrder()
{
    // The values of SysTwo, written another way.
    writeTheme(userTheme(QStringLiteral("Another")),
               index(QStringLiteral("Another"), QStringLiteral("Another")),
               "[Variables]\n  IconTheme = \"two-icons\" \nPrimaryColor=#222222\n");
    ThemeController controller;
    const auto reference = controller.theme(QStringLiteral("SysTwo"));
    reference->read();

    const auto equal = controller.equalTheme(reference);
    QVERIFY(equal);
    QCOMPARE(equal->id(), QStringLiteral("Another"));
    QCOMPARE(equal->iconThemePart()->currentTheme(), QStringLiteral("two-icons"));

    reference->iconThemePart()->setCurrentTheme(QStringLiteral("no-such-icons"));
    QVERIFY(!controller.equalTheme(reference));
}

// Descriptions and settings within what a theme may hold, read in full:
// the search keeps none of them.
void ThemeControllerTest::searchHoldsOneThemeAtATime()
{
    QByteArray padding;
    for (int i = 0; i < 3000; ++i) {
        padding += "Key" + QByteArray::number(i) + "=value\n";
    }
    for (int i = 0; i < 200; ++i) {
        const QString id = QStringLiteral("Heavy%1").arg(i);
        writeTheme(userTheme(id), index(id, id) + padding, themerc(QStringLiteral("two-icons"), QStringLiteral("#222222")) + "WallPaperPos=Center\n" + padding);
    }
    ThemeController controller;
    const auto reference = controller.theme(QStringLiteral("SysTwo"));
    reference->read();
    reference->wallpaperThemePart()->setLogoPosition(QStringLiteral("TopLeft"));
    const qint64 before = PexoTest::peakMiB();
    QVERIFY(!controller.equalTheme(reference));
    QVERIFY2(PexoTest::peakMiB() - before < 32, qPrintable(QString::number(PexoTest::peakMiB() - before)));
}

void ThemeControllerTest::removeTheme_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<bool>("removed");

    QTest::newRow("user theme") << QStringLiteral("Alpha") << userTheme(QStringLiteral("Alpha")) << true;
    QTest::newRow("read-only theme") << QStringLiteral("UlvarTornelLight") << systemTheme(QStringLiteral("UlvarTornelLight")) << false;
    QTest::newRow("writable system theme") << QStringLiteral("SysTwo") << systemTheme(QStringLiteral("SysTwo")) << false;
    QTest::newRow("recorded outside the user themes") << QStringLiteral("Elsewhere") << QDir::homePath() + QStringLiteral("/elsewhere") << false;
    QTest::newRow("link out of the user themes") << QStringLiteral("Linked") << QDir::homePath() + QStringLiteral("/elsewhere") << false;
    QTest::newRow("unknown id") << QStringLiteral("Nope") << userTheme(QStringLiteral("Alpha")) << false;
}

void ThemeControllerTest::removeTheme()
{
    QFETCH(QString, id);
    QFETCH(QString, directory);
    QFETCH(bool, removed);
    const QString elsewhere = QDir::homePath() + QStringLiteral("/elsewhere");
    writeTheme(elsewhere, index(id, QStringLiteral("Far Away")), themerc(QStringLiteral("far"), QStringLiteral("#444444")));
    if (id == QLatin1String("Elsewhere")) {
        writeRecord(id, elsewhere + QStringLiteral("/index.theme"));
    } else if (id == QLatin1String("Linked")) {
        QVERIFY(QFile::link(elsewhere, userTheme(QStringLiteral("Linked"))));
    }
    ThemeController controller;
    const bool known = controller.theme(id) != nullptr;
    if (!removed) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Can't remove theme \"%1\"").arg(id)));
    }

    controller.removeTheme(id);

    QCOMPARE(QFileInfo::exists(directory + QStringLiteral("/index.theme")), !removed);
    QCOMPARE(controller.theme(id) != nullptr, known && !removed);
    QVERIFY(QFileInfo::exists(elsewhere + QStringLiteral("/theme/themerc")));
}

void ThemeControllerTest::removedUserThemeUncoversSystemThemeOnRescan()
{
    writeRecord(QStringLiteral("SysOne"), userTheme(QStringLiteral("Shadow/index.theme")));
    ThemeController controller;

    controller.removeTheme(QStringLiteral("SysOne"));
    QVERIFY(!QFileInfo::exists(userTheme(QStringLiteral("Shadow"))));
    QVERIFY(!controller.theme(QStringLiteral("SysOne")));
    QCOMPARE(entry(recordPath(), QStringLiteral("Theme"), QStringLiteral("CurrentTheme")), QStringLiteral("SysOne"));

    controller.updateAvailableThemes();
    QCOMPARE(pathOf(controller, QStringLiteral("SysOne")), systemTheme(QStringLiteral("SysOne/index.theme")));
}

void ThemeControllerTest::createTheme()
{
    ThemeController controller;
    QSignalSpy errors(&controller, &ThemeController::error);

    const auto created = controller.createTheme(QStringLiteral("Fresh"), QStringLiteral("SysTwo"));

    QVERIFY(created);
    QCOMPARE(errors.count(), 0);
    const QString comment = QStringLiteral("A custom theme based on the 'System Two' theme, with some modifications.");
    const QString indexPath = userTheme(QStringLiteral("Fresh/index.theme"));
    QCOMPARE(created->desktopPath(), indexPath);
    QCOMPARE(created->id(), QStringLiteral("Fresh"));
    QCOMPARE(created->comment(), comment);
    QVERIFY(created->isValid());
    QVERIFY(!created->isReadOnly());
    QCOMPARE(entry(indexPath, QStringLiteral("Pexo Theme"), QStringLiteral("Id")), QStringLiteral("Fresh"));
    QCOMPARE(entry(indexPath, QStringLiteral("Pexo Theme"), QStringLiteral("Name")), QStringLiteral("Fresh"));
    QCOMPARE(entry(indexPath, QStringLiteral("Pexo Theme"), QStringLiteral("Comment")), comment);
    QCOMPARE(entry(indexPath, QStringLiteral("Pexo Theme"), QStringLiteral("X-Ulvar-System-Theme")), QStringLiteral("<missing>"));
    QCOMPARE(readFile(userTheme(QStringLiteral("Fresh/theme/themerc"))), readFile(systemTwoThemerc));
    QCOMPARE(pathOf(controller, QStringLiteral("Fresh")), indexPath);
}

void ThemeControllerTest::createThemeFailures_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("baseId");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("untouched");

    const QString sysTwo = QStringLiteral("SysTwo");
    // Whatever is there by the name is left alone: a file, a link, a theme.
    const auto exists = [](const QString &name) -> QString {
        return QStringLiteral("Theme directory already exists: ") + userTheme(name);
    };
    QTest::newRow("directory blocked") << int(BlockedDirectory) << QStringLiteral("Blocked") << sysTwo << exists(QStringLiteral("Blocked")) << true;
    QTest::newRow("dangling link") << int(DanglingLink) << QStringLiteral("Link") << sysTwo << exists(QStringLiteral("Link")) << true;
    QTest::newRow("theme of another id") << int(NoSetup) << QStringLiteral("Shadow") << sysTwo << exists(QStringLiteral("Shadow")) << true;
    QTest::newRow("base onto itself") << int(NoSetup) << QStringLiteral("Alpha") << QStringLiteral("Alpha") << exists(QStringLiteral("Alpha")) << true;
    QTest::newRow("unknown base") << int(NoSetup) << QStringLiteral("Fresh") << QStringLiteral("Nope") << QStringLiteral("Base theme directory does not exist")
                                  << true;
    QTest::newRow("base directory gone") << int(GhostRecord) << QStringLiteral("Fresh") << QStringLiteral("Ghost")
                                         << QStringLiteral("Base theme directory does not exist") << true;
    QTest::newRow("base without themerc") << int(ThemeWithoutThemerc) << QStringLiteral("Fresh") << QStringLiteral("NoRc")
                                          << QStringLiteral("Source themerc file missing: NoRc") << true;
    // What was made before the settings could not be written is removed.
    const QString copyFailed = QStringLiteral("Failed to copy themerc from %1 to %2").arg(systemTwoThemerc, userTheme(QStringLiteral("Fresh/theme/themerc")));
    QTest::newRow("themes disk full") << int(FullThemesDisk) << QStringLiteral("Fresh") << sysTwo << copyFailed << true;

    const QStringList names{QString(),
                            QStringLiteral("."),
                            QStringLiteral(".."),
                            QStringLiteral("a/b"),
                            QStringLiteral("../escaped"),
                            QStringLiteral("x") + QChar(0) + QStringLiteral("y")};
    for (const QString &name : names) {
        QTest::addRow("name \"%s\"", qPrintable(name)) << int(NoSetup) << name << sysTwo << QStringLiteral("Invalid theme name: ") + name << true;
    }
}

void ThemeControllerTest::createThemeFailures()
{
    QFETCH(int, setup);
    QFETCH(QString, name);
    QFETCH(QString, baseId);
    QFETCH(QString, message);
    QFETCH(bool, untouched);

    std::optional<PexoTest::FullDisk> full;
    switch (setup) {
    case FullThemesDisk:
        full.emplace(ThemeDefaults::userThemesDir);
        QVERIFY(full->isFull());
        break;
    case BlockedDirectory:
        writeFile(userTheme(QStringLiteral("Blocked")), "a file");
        break;
    case DanglingLink:
        QVERIFY(QFile::link(QDir::homePath() + QStringLiteral("/nowhere"), userTheme(QStringLiteral("Link"))));
        break;
    case GhostRecord:
        writeRecord(QStringLiteral("Ghost"), QDir::homePath() + QStringLiteral("/nowhere/index.theme"));
        break;
    case ThemeWithoutThemerc:
        writeTheme(userTheme(QStringLiteral("NoRc")), index(QStringLiteral("NoRc"), QStringLiteral("No Rc")));
        break;
    }
    ThemeController controller;
    QSignalSpy errors(&controller, &ThemeController::error);
    const auto before = PexoTest::snapshotTree(QDir::homePath());

    QVERIFY(!controller.createTheme(name, baseId));

    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.front().front().toString(), message);
    if (untouched) {
        QCOMPARE(PexoTest::snapshotTree(QDir::homePath()), before);
    }
    QVERIFY(!QFileInfo::exists(QDir::homePath() + QStringLiteral("/.local/share/theme")));
    QVERIFY(!QFileInfo::exists(QDir::homePath() + QStringLiteral("/.local/share/escaped")));
}

void ThemeControllerTest::createSameThemeTwice()
{
    ThemeController controller;

    // The second call leaves the first theme as it was made.
    QVERIFY(controller.createTheme(QStringLiteral("Twice"), QStringLiteral("SysTwo")));
    const auto before = PexoTest::snapshotTree(userTheme(QStringLiteral("Twice")));
    QVERIFY(!controller.createTheme(QStringLiteral("Twice"), QStringLiteral("UlvarTornelLight")));
    QCOMPARE(PexoTest::snapshotTree(userTheme(QStringLiteral("Twice"))), before);
    QCOMPARE(readFile(userTheme(QStringLiteral("Twice/theme/themerc"))), readFile(systemTwoThemerc));
}

QTEST_MAIN(ThemeControllerTest)

#include "themecontrollertest.moc"
