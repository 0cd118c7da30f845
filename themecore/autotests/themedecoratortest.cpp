#include "themedecorator.h"
#include "themefixtures.h"

#include "iconthemepart.h"
#include "sessionlock.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace Fixtures;

namespace {
const QString dialogPath = QStringLiteral("/usr/bin/pexo-dialog");

// Records its arguments (NUL separated) and its process id, then acts as
// the file "mode" says.
const QByteArray dialogScript = "#!/bin/sh\n"
                                "dir=$HOME/dialog\n"
                                "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$dir/args\"\n"
                                "echo $$ > \"$dir/pid\"\n"
                                "case $(cat \"$dir/mode\") in\n"
                                "accept) cat \"$dir/answer\" ;;\n"
                                "cancel) exit 1 ;;\n"
                                "crash) kill -SEGV $$ ;;\n"
                                "hang) exec sleep 120 ;;\n"
                                "slow) sleep 1; cat \"$dir/answer\" ;;\n"
                                "esac\n";

const QByteArray integrityScript = "#!/bin/sh\n"
                                   "printf '%s' \"$*\" > \"$HOME/ilevel-args\"\n"
                                   "exec cat \"$HOME/ilevel\"\n";

QString dialogFile(const char *name)
{
    return QDir::homePath() + QStringLiteral("/dialog/") + QLatin1String(name);
}

QString integrityDir()
{
    return QDir::homePath() + QStringLiteral("/bin dir;x");
}

class Decorator : public ThemeDecorator
{
public:
    void updateNeedSave() override
    {
        ++needSaveCalls;
    }
    void apply() override
    {
        ++applyCalls;
        ThemeDecorator::apply();
    }
    ThemeController *registry() const
    {
        return controller;
    }

    int needSaveCalls = 0;
    int applyCalls = 0;
};
} // namespace

class ThemeDecoratorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void applySavesIntoCurrentTheme();
    void applyWritesOnlyInstalledThemes_data();
    void applyWritesOnlyInstalledThemes();
    void dialogArguments();
    void eventsWhileTheDialogIsOpen();
    void acceptedNameBecomesCurrentTheme();
    void refusedNames_data();
    void refusedNames();
    void failedCreationStops();

    void immutableProperties_data();
    void immutableProperties();
    void integrityLevel_data();
    void integrityLevel();
};

void ThemeDecoratorTest::initTestCase()
{
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-vkbd")));
    writeFile(ThemeDefaults::masterThemeConfigPath, "[Variables]\nCursorTheme=admin-cursor\n");
    writeFile(integrityDir() + QStringLiteral("/trelk-id"), integrityScript, true);
    qputenv("PATH", QFile::encodeName(integrityDir()) + ':' + qgetenv("PATH"));
}

void ThemeDecoratorTest::init()
{
    PexoTest::removePath(ThemeDefaults::userThemesDir);
    PexoTest::removePath(QDir::homePath() + QStringLiteral("/dialog"));
    writeFile(dialogPath, dialogScript, true);
    writeFile(dialogFile("mode"), "cancel");

    writeTheme(userTheme(QStringLiteral("Mine")),
               index(QStringLiteral("Mine"), QStringLiteral("Mine Name")),
               themerc(QStringLiteral("mine-icons"), QStringLiteral("#123456")));
    writeTheme(systemTheme(QStringLiteral("SysRO")),
               index(QStringLiteral("SysRO"), QStringLiteral("Read Only"), true),
               themerc(QStringLiteral("ro-icons"), QStringLiteral("#654321")));
    writeTheme(userTheme(QStringLiteral("Other Dir")),
               index(QStringLiteral("OtherId"), QStringLiteral("Other")),
               themerc(QStringLiteral("other-icons"), QStringLiteral("#abcdef")));
    writeRecord(QStringLiteral("Mine"), userTheme(QStringLiteral("Mine/index.theme")));
    writeFile(ThemeDefaults::currentThemeConfigPath, themerc(QStringLiteral("mine-icons"), QStringLiteral("#123456")));
}

void ThemeDecoratorTest::applySavesIntoCurrentTheme()
{
    Decorator decorator;
    const auto live = decorator.registry()->systemTheme();
    live->read();
    live->iconThemePart()->setCurrentTheme(QStringLiteral("live-icons"));

    {
        const SessionLock lock(SessionLock::Wait::Tool);
        decorator.ThemeDecorator::apply();
    }

    const QString mine = userTheme(QStringLiteral("Mine/theme/themerc"));
    QCOMPARE(entry(mine, ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")), QStringLiteral("live-icons"));
    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")), QStringLiteral("live-icons"));

    // Another program switched since the page read its theme: nothing is saved.
    writeRecord(QStringLiteral("OtherId"), userTheme(QStringLiteral("Other Dir/index.theme")));
    QSignalSpy errors(decorator.registry(), &ThemeController::error);
    live->iconThemePart()->setCurrentTheme(QStringLiteral("stale-icons"));
    const auto before = PexoTest::snapshotTree(QDir::homePath());
    {
        const SessionLock lock(SessionLock::Wait::Tool);
        decorator.ThemeDecorator::apply();
    }
    QCOMPARE(errors.count(), 1);
    QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath())), QStringList());
}

void ThemeDecoratorTest::applyWritesOnlyInstalledThemes_data()
{
    QTest::addColumn<QString>("indexPath");

    QTest::newRow("empty path") << QString();
    QTest::newRow("not a theme") << QStringLiteral("/usr/share/stray/notes.txt");
    QTest::newRow("theme outside the theme directories") << QDir::homePath() + QStringLiteral("/Documents/index.theme");
}

void ThemeDecoratorTest::applyWritesOnlyInstalledThemes()
{
    QFETCH(QString, indexPath);
    writeFile(QStringLiteral("/usr/share/stray/notes.txt"), "notes\n");
    writeFile(QDir::homePath() + QStringLiteral("/Documents/index.theme"), index(QStringLiteral("Mine"), QStringLiteral("Stray")));
    writeRecord(QStringLiteral("Mine"), indexPath);
    Decorator decorator;
    QSignalSpy errors(decorator.registry(), &ThemeController::error);
    const auto live = decorator.registry()->systemTheme();
    live->read();
    live->iconThemePart()->setCurrentTheme(QStringLiteral("live-icons"));
    const auto homeBefore = PexoTest::snapshotTree(QDir::homePath());
    const auto systemBefore = PexoTest::snapshotTree(QStringLiteral("/usr/share/stray"));

    {
        const SessionLock lock(SessionLock::Wait::Tool);
        decorator.ThemeDecorator::apply();
    }

    QCOMPARE(errors.count(), 1);
    QVERIFY(errors.front().front().toString().endsWith(indexPath));
    // Only the live settings (and what they push) change.
    const QStringList changed = PexoTest::treeDifferences(homeBefore, PexoTest::snapshotTree(QDir::homePath()));
    QVERIFY2(changed.filter(QStringLiteral("theme/themerc")).isEmpty(), qPrintable(changed.join(QLatin1Char(' '))));
    QCOMPARE(PexoTest::snapshotTree(QStringLiteral("/usr/share/stray")), systemBefore);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/theme/themerc"))); // beside an empty path
    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")), QStringLiteral("live-icons"));
}

void ThemeDecoratorTest::dialogArguments()
{
    Decorator decorator;

    decorator.createNewThemeBasedOnCurrent();

    const QList<QByteArray> arguments = readFile(dialogFile("args")).split('\0');
    QCOMPARE(arguments,
             QList<QByteArray>({"--caption",
                                "Save theme as\xe2\x80\xa6",
                                "--inputbox",
                                "Your changes will be saved in a new theme.\nPlease enter a name for the new topic",
                                "Mine Name (Copy)",
                                ""}));
}

// The page's window keeps repainting behind the dialog: the thread's
// events (but the user's input) are handled while it is open.
void ThemeDecoratorTest::eventsWhileTheDialogIsOpen()
{
    writeFile(dialogFile("mode"), "slow");
    writeFile(dialogFile("answer"), "");
    Decorator decorator;
    bool handled = false;
    QTimer::singleShot(100, this, [&handled] {
        handled = true;
    });

    decorator.createNewThemeBasedOnCurrent();

    QVERIFY(handled);
    QCOMPARE(decorator.needSaveCalls, 1);
}

void ThemeDecoratorTest::acceptedNameBecomesCurrentTheme()
{
    writeFile(dialogFile("mode"), "accept");
    writeFile(dialogFile("answer"), QByteArray("  Fresh Copy \n") + '\0' + "ignored");
    Decorator decorator;
    const auto live = decorator.registry()->systemTheme();
    live->read();
    live->iconThemePart()->setCurrentTheme(QStringLiteral("live-icons"));

    decorator.createNewThemeBasedOnCurrent();

    const QString name = QStringLiteral("Fresh Copy");
    const QString indexPath = userTheme(QStringLiteral("Fresh Copy/index.theme"));
    QCOMPARE(entry(indexPath, QStringLiteral("Pexo Theme"), QStringLiteral("Id")), name);
    QCOMPARE(entry(indexPath, QStringLiteral("Pexo Theme"), QStringLiteral("Comment")),
             QStringLiteral("A custom theme based on the 'Mine Name' theme, with some modifications."));
    QCOMPARE(entry(userTheme(QStringLiteral("Fresh Copy/theme/themerc")), ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")),
             QStringLiteral("live-icons"));
    QCOMPARE(entry(recordPath(), QStringLiteral("Theme"), QStringLiteral("CurrentTheme")), name);
    QCOMPARE(entry(recordPath(), QStringLiteral("Theme"), QStringLiteral("CurrentThemePath")), indexPath);
    QCOMPARE(entry(ThemeDefaults::currentThemeConfigPath, ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")), QStringLiteral("live-icons"));
    QCOMPARE(decorator.registry()->currentThemeId(), name);
    // The base theme keeps its own settings.
    QCOMPARE(entry(userTheme(QStringLiteral("Mine/theme/themerc")), ThemeDefaults::themeVariablesGroup, QStringLiteral("IconTheme")),
             QStringLiteral("mine-icons"));
    QCOMPARE(decorator.needSaveCalls, 0);
    QCOMPARE(decorator.applyCalls, 1);
}

void ThemeDecoratorTest::refusedNames_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("cancelled") << QByteArray("cancel") << QByteArray();
    QTest::newRow("crashed") << QByteArray("crash") << QByteArray();
    QTest::newRow("empty name") << QByteArray("accept") << QByteArray(" \n\t\n");
    QTest::newRow("id of a user theme") << QByteArray("accept") << QByteArray("Mine\n");
    QTest::newRow("id of a system theme") << QByteArray("accept") << QByteArray("SysRO\n");
    QTest::newRow("directory of a theme with another id") << QByteArray("accept") << QByteArray("Other Dir\n");
    QTest::newRow("dialog missing") << QByteArray("missing") << QByteArray();
    QTest::newRow("timed out") << QByteArray("hang") << QByteArray();
}

void ThemeDecoratorTest::refusedNames()
{
    QFETCH(QByteArray, mode);
    QFETCH(QByteArray, answer);
    writeFile(dialogFile("mode"), mode);
    writeFile(dialogFile("answer"), answer);
    if (mode == "missing") {
        QVERIFY(QFile::remove(dialogPath));
    }
    Decorator decorator;
    const auto live = decorator.registry()->systemTheme();
    live->read();
    live->iconThemePart()->setCurrentTheme(QStringLiteral("live-icons"));
    const auto themes = PexoTest::snapshotTree(ThemeDefaults::userThemesDir);
    const auto systemThemes = PexoTest::snapshotTree(ThemeDefaults::systemThemesDir);
    const QByteArray record = readFile(recordPath());
    const QByteArray liveFile = readFile(ThemeDefaults::currentThemeConfigPath);
    if (mode == "hang") {
        QTest::ignoreMessage(QtWarningMsg, "pexo-dialog did not finish in time");
    }
    QElapsedTimer timer;
    timer.start();

    decorator.createNewThemeBasedOnCurrent();

    QCOMPARE(decorator.needSaveCalls, 1);
    QCOMPARE(decorator.applyCalls, 0);
    QCOMPARE(PexoTest::snapshotTree(ThemeDefaults::userThemesDir), themes);
    QCOMPARE(PexoTest::snapshotTree(ThemeDefaults::systemThemesDir), systemThemes);
    QCOMPARE(readFile(recordPath()), record);
    QCOMPARE(readFile(ThemeDefaults::currentThemeConfigPath), liveFile);
    if (mode == "hang") {
        QVERIFY(timer.elapsed() >= 29000);
        const pid_t pid = readFile(dialogFile("pid")).trimmed().toInt();
        QVERIFY(pid > 0);
        QVERIFY2(::kill(pid, 0) != 0, "the dialog is still running");
    }
}

void ThemeDecoratorTest::failedCreationStops()
{
    writeFile(dialogFile("mode"), "accept");
    writeFile(dialogFile("answer"), "../Escape\n");
    Decorator decorator;
    QSignalSpy errors(decorator.registry(), &ThemeController::error);
    const QByteArray record = readFile(recordPath());

    decorator.createNewThemeBasedOnCurrent();

    QCOMPARE(errors.count(), 1);
    QCOMPARE(decorator.applyCalls, 0);
    QCOMPARE(readFile(recordPath()), record);
    QCOMPARE(decorator.registry()->currentThemeId(), QStringLiteral("Mine"));
    QVERIFY(!QFileInfo::exists(QDir::homePath() + QStringLiteral("/.local/share/Escape")));
}

void ThemeDecoratorTest::immutableProperties_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QStringList>("registeredKeys");
    QTest::addColumn<bool>("immutable");

    QTest::newRow("registered to a fixed key") << QStringLiteral("cursorTheme") << QStringList{QStringLiteral("CursorTheme")} << true;
    QTest::newRow("unregistered fixed key") << QStringLiteral("CursorTheme") << QStringList() << true;
    QTest::newRow("registered again") << QStringLiteral("theme") << QStringList{QStringLiteral("CursorTheme"), QStringLiteral("IconTheme")} << false;
}

void ThemeDecoratorTest::immutableProperties()
{
    QFETCH(QString, property);
    QFETCH(QStringList, registeredKeys);
    QFETCH(bool, immutable);
    Decorator decorator;
    for (const QString &key : std::as_const(registeredKeys)) {
        decorator.registerProperty(property, key);
    }

    QCOMPARE(decorator.isPropertyImmutable(property), immutable);
}

void ThemeDecoratorTest::integrityLevel_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("high");

    QTest::newRow("63") << QByteArray("63\n") << true << true;
    QTest::newRow("127") << QByteArray("127\n") << true << true;
    QTest::newRow("within a longer number") << QByteArray("level 1630\n") << true << true;
    QTest::newRow("on a later line") << QByteArray("user\nlevel 127\n") << true << true;
    QTest::newRow("low level") << QByteArray("0\n") << true << false;
    QTest::newRow("split digits") << QByteArray("6 3\n1\n27\n") << true << false;
    QTest::newRow("tool missing") << QByteArray("63\n") << false << false;
    // Its output a fifo that nobody writes: the tool never ends.
    QTest::newRow("tool hangs") << QByteArray() << true << false;
}

void ThemeDecoratorTest::integrityLevel()
{
    QFETCH(QByteArray, output);
    QFETCH(bool, installed);
    QFETCH(bool, high);
    const QString tool = integrityDir() + QStringLiteral("/trelk-id");
    const QString ilevel = QDir::homePath() + QStringLiteral("/ilevel");
    PexoTest::removePath(ilevel);
    if (output.isNull()) {
        QCOMPARE(::mkfifo(QFile::encodeName(ilevel).constData(), 0600), 0);
    } else {
        writeFile(ilevel, output);
    }
    QFile::setPermissions(tool, installed ? QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner : QFileDevice::ReadOwner);
    QFile::remove(QDir::homePath() + QStringLiteral("/ilevel-args"));
    Decorator decorator;

    const PexoTest::Watchdog watchdog(PexoTest::patienceMs / 1000);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(decorator.mandatoryIntegrityControl(), high);
    // The page's window waits no longer than for the session lock.
    QVERIFY2(timer.elapsed() < SessionLock::patience(SessionLock::Wait::Page) + 1000, qPrintable(QString::number(timer.elapsed())));
    if (installed) {
        QCOMPARE(readFile(QDir::homePath() + QStringLiteral("/ilevel-args")), QByteArray("--ilevel"));
    }
}

QTEST_MAIN(ThemeDecoratorTest)

#include "themedecoratortest.moc"
