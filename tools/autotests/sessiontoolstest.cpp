// pexo-set-theme, pexo-sync-user-theme and pexo-admin-theme run as real
// processes in the sandbox: exit codes, messages, and what reached the
// record file, the live settings, paletterc and the theme directories.

#include <pexotestsupport.h>

#include <KConfigGroup>
#include <KSharedConfig>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace {
// An absolute path stays as it is.
QString home(const QString &path)
{
    return QDir(QDir::homePath()).filePath(path);
}

const QString record = QStringLiteral(".config/pexo-admin-themerc");
const QString live = QStringLiteral(".config/pexo/session/current.themerc");
const QString palette = QStringLiteral(".config/pexo/paletterc");
const QString marker = QStringLiteral(".config/pexo/session/.admin-session-applied");
const QString userThemes = QStringLiteral(".local/share/pexothemes");
const QString darkScheme = QStringLiteral("/usr/share/color-schemes/UlvarDark.colors");
const QString otherSession = QStringLiteral("PEXO_SESSION_SUFFIX=.other");

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}
} // namespace

class SessionToolsTest : public QObject
{
    Q_OBJECT

private:
    static PexoTest::ProgramRun run(const QString &program, const QStringList &arguments = {})
    {
        return PexoTest::runProgram(program, arguments);
    }

    QString recorded(const QString &key)
    {
        return KConfigGroup(KSharedConfig::openConfig(home(record), KConfig::SimpleConfig), QStringLiteral("Theme")).readEntry(key, QString());
    }

    void setRecord(const QString &id, const QString &indexPath)
    {
        PexoTest::writeFile(home(record), QStringLiteral("[Theme]\nCurrentTheme=%1\nCurrentThemePath=%2\n").arg(id, indexPath).toUtf8());
    }

    QString userTheme(const QString &dir, const QByteArray &index, const QByteArray &themerc = "[Variables]\n")
    {
        PexoTest::writeFile(home(userThemes + QLatin1Char('/') + dir + QStringLiteral("/index.theme")), index);
        PexoTest::writeFile(home(userThemes + QLatin1Char('/') + dir + QStringLiteral("/theme/themerc")), themerc);
        return home(userThemes + QLatin1Char('/') + dir + QStringLiteral("/index.theme"));
    }

    static bool touch(const QString &path, int seconds)
    {
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.setFileTime(QDateTime::currentDateTime().addSecs(seconds), QFileDevice::FileModificationTime);
    }

    // Runs a page's save (setpriv and its arguments) beside a lock that
    // another program holds, and gives it 8 s from its first look at the
    // lock's file to end: a page gives up within its 2 s, on a busy machine
    // in a few more.
    static PexoTest::ProgramRun runPageBeside(const QString &lock, const QStringList &arguments)
    {
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        auto closeWatch = qScopeGuard([watch] {
            ::close(watch);
        });
        ::inotify_add_watch(watch, QFile::encodeName(lock).constData(), IN_OPEN | IN_ATTRIB);
        QProcess page;
        page.start(QStringLiteral("setpriv"), arguments);
        pollfd looked{watch, POLLIN, 0};
        const QDeadlineTimer started(PexoTest::patienceMs);
        while (::poll(&looked, 1, 100) == 0 && !started.hasExpired() && !page.waitForFinished(0)) { }
        PexoTest::ProgramRun result;
        if (page.state() != QProcess::NotRunning && !page.waitForFinished(8000)) {
            page.kill();
            page.waitForFinished();
            result.errors = QStringLiteral("the page waited more than 8 s for the lock");
            return result;
        }
        result.exitCode = page.exitStatus() == QProcess::NormalExit ? page.exitCode() : -1;
        result.errors = QString::fromLocal8Bit(page.readAllStandardError());
        return result;
    }

    void administratorSession(bool on)
    {
        if (on) {
            QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/trelk-id"), "Integrity level: 63"));
        } else {
            QFile::remove(QStringLiteral("/usr/bin/trelk-id"));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoTest::installSampleData());
        for (const char *program : {"/usr/bin/killall", "/usr/bin/pexo-vkbd"}) {
            QVERIFY(PexoTest::installCommandRecorder(QString::fromLatin1(program)));
        }
    }

    // Every case starts from an empty home directory and an ordinary session.
    void init()
    {
        for (const char *dir : {".config", ".local", ".cache", "Desktops"}) {
            PexoTest::removePath(home(QString::fromLatin1(dir)));
        }
        PexoTest::removePath(QFile::decodeName(qgetenv("XDG_RUNTIME_DIR")) + QStringLiteral("/pexo-theme-settings.lock"));
        administratorSession(false);
    }

    void firstPaletteFile()
    {
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelLight")}).exitCode, 0);
        QCOMPARE(PexoTest::readFile(home(palette)),
                 QByteArray("[Variables]\nPrimaryColor=#118bcc\nBackgroundColor=#ffffff\nColorScheme=/usr/share/color-schemes/UlvarLight.colors\n"));

        init();
        administratorSession(true);
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        const QByteArray admin = PexoTest::readFile(home(palette));
        QVERIFY(admin.contains("ColorScheme=/usr/share/color-schemes/UlvarTornelAdmin.colors"));

        // An existing file, even an empty one, is left alone by the start-up.
        init();
        PexoTest::writeFile(home(palette), QByteArray());
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("no-such-theme")}).exitCode, 1);
        QCOMPARE(PexoTest::readFile(home(palette)), QByteArray());
    }

    void setTheme()
    {
        QCOMPARE(run(QStringLiteral("pexo-set-theme")).exitCode, 2);
        QVERIFY(!QFile::exists(home(palette))); // no start-up without an argument

        PexoTest::ProgramRun r = run(QStringLiteral("pexo-set-theme"), {QStringLiteral("ulvartorneldark")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QLatin1String("Unable to find theme \"ulvartorneldark\"")), qPrintable(r.errors));

        userTheme(QStringLiteral("nameless"), "[Pexo Theme]\nId=nameless\n");
        r = run(QStringLiteral("pexo-set-theme"), {QStringLiteral("nameless")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QLatin1String("Cam't select \"nameless\" theme, it is not valid")), qPrintable(r.errors));
        QVERIFY(!QFile::exists(home(record)));

        // There, but no theme: its description is larger than a theme's may be.
        userTheme(QStringLiteral("Wordy"), "[Pexo Theme]\nId=wordy\nName=Wordy\nComment=" + QByteArray(128 * 1024, 'x') + '\n');
        r = run(QStringLiteral("pexo-set-theme"), {QStringLiteral("wordy")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QStringLiteral("Unable to select theme \"wordy\" in \"%1/Wordy\": its index.theme is larger than 128 KiB, "
                                                  "the most a theme's description may hold")
                                       .arg(home(userThemes))),
                 qPrintable(r.errors));
        QVERIFY(!QFile::exists(home(record)));

        PexoTest::takeWmCommands();
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelDark"));
        QCOMPARE(recorded(QStringLiteral("CurrentThemePath")), QStringLiteral("/usr/share/pexothemes/UlvarTornelDark/index.theme"));
        QVERIFY(PexoTest::readFile(home(palette)).contains("ColorScheme=" + darkScheme.toUtf8()));
        QVERIFY(PexoTest::readFile(home(live)).contains("WallPaper=/usr/share/wallpapers/pexo-default-dark.jpg"));
        QVERIFY(PexoTest::takeWmCommands().contains(QStringLiteral("PEXOWM_UPDATE_VAL ColorScheme %1\n").arg(darkScheme)));

        // An administrator session gets the administrator theme, whatever was asked.
        administratorSession(true);
        r = run(QStringLiteral("pexo-set-theme"), {QStringLiteral("no-such-theme")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.errors.contains(QLatin1String("You can use only administrator theme")), qPrintable(r.errors));
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelAdmin"));

        // Ids are never translated: a localised one is no administrator theme.
        QFile::remove(home(record));
        userTheme(QStringLiteral("Sly"), "[Pexo Theme]\nId=Harmless\nId[ru]=UlvarTornelAdmin\nName=Sly\n");
        QCOMPARE(run(QStringLiteral("env"), {QStringLiteral("LANG=ru_RU.UTF-8"), QStringLiteral("pexo-set-theme"), QStringLiteral("Harmless")}).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentThemePath")), QStringLiteral("/usr/share/pexothemes/UlvarTornelAdmin/index.theme"));
    }

    void syncKeepsEqualSettings()
    {
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QVERIFY(!QFile::exists(home(record))); // the live settings equal the default theme
        QVERIFY(PexoTest::readFile(home(palette)).contains("UlvarLight.colors"));
        QVERIFY(!QDir(home(userThemes)).exists());

        // A first session has no settings of the user's to save, also where
        // the master file fixes a colour that the scheme replaces live.
        init();
        {
            const QString master = QStringLiteral("/usr/share/pexo/theme.master/themerc");
            QVERIFY(PexoTest::writeFile(master, "[Variables]\nPrimaryColor=#ff0000\n"));
            auto removeMaster = qScopeGuard([&master] {
                QFile::remove(master);
            });
            for (int run = 0; run < 2; ++run) {
                QCOMPARE(this->run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
                QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelLight"));
                QVERIFY(!QDir(home(userThemes)).exists());
            }
        }

        // The scheme file of the current theme changed since it was applied:
        // the sync applies it as it is now, and the next one keeps the theme.
        const QString scheme = home(QStringLiteral(".local/share/color-schemes/Mine.colors"));
        QVERIFY(PexoTest::writeFile(scheme, PexoTest::readFile(QStringLiteral("/usr/share/color-schemes/UlvarLight.colors"))));
        const QByteArray light = PexoTest::readFile(QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/theme/themerc"));
        userTheme(QStringLiteral("Mine"),
                  "[Pexo Theme]\nId=Mine\nName=Mine\n",
                  QByteArray(light).replace("/usr/share/color-schemes/UlvarLight.colors", scheme.toUtf8()));
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
        QVERIFY(PexoTest::writeFile(scheme, PexoTest::readFile(darkScheme)));
        for (int run = 0; run < 2; ++run) {
            QCOMPARE(this->run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        }
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Mine"));
        QCOMPARE(QDir(home(userThemes)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Mine")});
        QVERIFY(PexoTest::readFile(home(palette)).contains("PrimaryColor=#2884be"));
    }

    // Each window-manager command finds its value already stored. The cursor
    // is held by the core library, and the icon theme is announced first.
    void syncStoresEachValueBeforeItsCommand()
    {
        const QStringList unstored = {QStringLiteral("CursorTheme"), QStringLiteral("CursorSize"), QStringLiteral("IconTheme")};
        const QStringList paletteKeys = {QStringLiteral("PrimaryColor"), QStringLiteral("BackgroundColor"), QStringLiteral("ColorScheme")};
        const PexoTest::WmSnapshotRun r = PexoTest::runProgramWithWmSnapshots(QStringLiteral("pexo-sync-user-theme"), {}, {home(live), home(palette)});
        QCOMPARE(r.exitCode, 0);
        const QByteArray update = "PEXOWM_UPDATE_VAL ";
        int checked = 0;
        for (const PexoTest::WmArrival &arrival : r.arrivals) {
            const QByteArray command = arrival.command;
            const int space = command.indexOf(' ', update.size());
            const QString key = QString::fromUtf8(command.mid(update.size(), space - update.size()));
            if (!command.startsWith(update) || space < 0 || unstored.contains(key)) {
                continue;
            }
            // "key value\n" is stored as "key=value\n".
            const QByteArray entry = '\n' + key.toUtf8() + '=' + command.mid(space + 1);
            QVERIFY2(arrival.files.at(paletteKeys.contains(key) ? 1 : 0).contains(entry), command.constData());
            ++checked;
        }
        QCOMPARE(checked, r.arrivals.size() - unstored.size());
    }

    // Qt's settings reach the user's own file, whatever the system-wide one holds.
    void qtSettingsBesideSystemWideOnes()
    {
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        const QString qtSettings = home(QStringLiteral(".config/Trolltech.conf"));
        const QByteArray written = PexoTest::readFile(qtSettings);
        QVERIFY(written.contains("Palette\\active=") && written.contains("useSymbolicIconsForToolBar="));
        const QString systemWide = QStringLiteral("/etc/xdg/Trolltech.conf");
        QVERIFY(PexoTest::writeFile(systemWide, written));
        QVERIFY(QFile::remove(qtSettings));
        const int exitCode = run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelLight")}).exitCode;
        QVERIFY(PexoTest::removePath(systemWide));
        QCOMPARE(exitCode, 0);
        QCOMPARE(PexoTest::readFile(qtSettings), written);
    }

    void syncInvalidCurrentTheme()
    {
        setRecord(QStringLiteral("Gone"), home(QStringLiteral("gone/index.theme")));
        PexoTest::writeFile(home(live), "[Variables]\nIconTheme=elsewhere\n");
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelLight"));
        QVERIFY(PexoTest::readFile(home(live)).contains("IconTheme=ulvar-tornel"));
    }

    void syncAfterAdministratorSession()
    {
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode, 0);
        administratorSession(true);
        // A link in the marker's place is replaced, its target left alone.
        PexoTest::writeFile(home(QStringLiteral("precious")), "keep\n");
        QVERIFY(QFile::link(home(QStringLiteral("precious")), home(marker)));
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QVERIFY(QFileInfo(home(marker)).isFile() && !QFileInfo(home(marker)).isSymLink());
        QCOMPARE(PexoTest::readFile(home(QStringLiteral("precious"))), QByteArray("keep\n"));
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelDark")); // the record is kept
        QVERIFY(PexoTest::readFile(home(palette)).contains("UlvarTornelAdmin.colors"));

        administratorSession(false);
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QVERIFY(!QFile::exists(home(marker)));
        QVERIFY(PexoTest::readFile(home(palette)).contains("ColorScheme=" + darkScheme.toUtf8()));

        // No administrator session leaves a folder in the marker's place:
        // the live settings are the user's own.
        QVERIFY(QDir().mkpath(home(marker + QStringLiteral("/held"))));
        QVERIFY(PexoTest::writeFile(home(live), PexoTest::readFile(home(live)) + "IconTheme=by-hand\n"));
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom"));
        QVERIFY(QFileInfo(home(marker + QStringLiteral("/held"))).isDir());
    }

    void syncUnreadableLiveSettings()
    {
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode, 0);
        QVERIFY(PexoTest::removePath(home(live)));
        QVERIFY(QDir().mkpath(home(live))); // there, but not readable as a file
        const auto before = PexoTest::snapshotTree(QDir::homePath());
        const PexoTest::ProgramRun r = run(QStringLiteral("pexo-sync-user-theme"));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QStringLiteral("Cannot read the live settings \"%1\"").arg(home(live))), qPrintable(r.errors));
        QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath())), QStringList());

        // Nor is a fifo, which must not hold up the login.
        QVERIFY(PexoTest::removePath(home(live)));
        QCOMPARE(::mkfifo(QFile::encodeName(home(live)).constData(), 0600), 0);
        QCOMPARE(PexoTest::runProgram(QStringLiteral("pexo-sync-user-theme")).exitCode, 1);
    }

    void syncFindsAnEqualInstalledTheme()
    {
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode, 0);
        // Live settings that no change noted: the user's own.
        QVERIFY(QFile::remove(home(QStringLiteral(".config/pexo/session/.theme-applied"))));
        setRecord(QStringLiteral("UlvarTornelLight"), QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/index.theme"));
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelDark"));
        QVERIFY(!QDir(home(userThemes)).exists());
    }

    void syncSavesANewUserTheme()
    {
        // Live settings of no installed theme, partly outside current.themerc:
        // the scheme and colours in paletterc, the cursor in the core library.
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode, 0);
        // Another session has taken the theme since: what is changed here is still the user's own.
        QCOMPARE(run(QStringLiteral("env"), {otherSession, QStringLiteral("pexo-sync-user-theme")}).exitCode, 0);
        PexoTest::writeFile(home(live), PexoTest::readFile(home(live)) + "IconTheme=my-icons\n");
        PexoTest::writeFile(home(QStringLiteral(".config/pexo/session/cursor")), "name=big-cursors\nsize=48\n");

        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom"));
        const QString dir = home(userThemes + QStringLiteral("/Custom"));
        const QByteArray index = PexoTest::readFile(dir + QStringLiteral("/index.theme"));
        QVERIFY(index.contains("Id=Custom") && index.contains("Name=Custom") && index.contains("Comment=User theme"));
        const QByteArray stored = PexoTest::readFile(dir + QStringLiteral("/theme/themerc"));
        QVERIFY(stored.contains("IconTheme=my-icons"));
        QVERIFY(stored.contains("ColorScheme=" + darkScheme.toUtf8()));
        QVERIFY(stored.contains("PrimaryColor=#2884be"));
        QVERIFY(stored.contains("CursorTheme=big-cursors"));
        QVERIFY(stored.contains("CursorSize=48"));
        // ... and the live settings still hold them.
        QVERIFY(PexoTest::readFile(home(palette)).contains("ColorScheme=" + darkScheme.toUtf8()));
        QVERIFY(PexoTest::readFile(home(QStringLiteral(".config/pexo/session/cursor"))).contains("name=big-cursors"));

        // A second run finds the theme it made.
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QVERIFY(!QDir(home(userThemes + QStringLiteral("/Custom1"))).exists());

        // Live settings larger than a theme may hold: the theme takes only
        // its own values.
        init();
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode, 0);
        QByteArray padding;
        for (int i = 0; i < 2000; ++i) {
            padding += "Stray" + QByteArray::number(i) + "=x\n";
        }
        PexoTest::writeFile(home(live), PexoTest::readFile(home(live)) + "IconTheme=my-icons\n" + padding);
        QVERIFY(padding.size() > 16 * 1024);
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom"));
        const QByteArray own = PexoTest::readFile(dir + QStringLiteral("/theme/themerc"));
        QVERIFY(own.contains("IconTheme=my-icons") && own.contains("PrimaryColor=#2884be") && !own.contains("Stray"));
    }

    void syncPicksAFreeId()
    {
        userTheme(QStringLiteral("Custom"), "[Pexo Theme]\nId=Custom\nName=Custom\n", "[Variables]\nIconTheme=a\n");
        userTheme(QStringLiteral("Custom1"), "[Pexo Theme]\nId=Custom1\nName=Custom1\n", "[Variables]\nIconTheme=b\n");
        PexoTest::writeFile(home(live), "[Variables]\nIconTheme=c\n");
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom2"));

        // A directory of that name holding another theme is not overwritten.
        init();
        const QString other = userTheme(QStringLiteral("Custom"), "[Pexo Theme]\nId=Other\nName=Other\n", "[Variables]\nIconTheme=a\n");
        const QByteArray before = PexoTest::readFile(other);
        PexoTest::writeFile(home(live), "[Variables]\nIconTheme=c\n");
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom1"));
        QCOMPARE(PexoTest::readFile(other), before);

        // Nor is a theme that the record names by a free-looking id.
        init();
        const QString mine = userTheme(QStringLiteral("Mine"), "[Pexo Theme]\nId=Other\nName=Other\n", "[Variables]\nIconTheme=a\n");
        setRecord(QStringLiteral("Custom"), mine);
        PexoTest::writeFile(home(live), "[Variables]\nIconTheme=c\n");
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom1"));
        QCOMPARE(PexoTest::readFile(home(userThemes + QStringLiteral("/Mine/theme/themerc"))), QByteArray("[Variables]\nIconTheme=a\n"));

        // A theme whose settings file is a fifo does not hold up the login.
        init();
        const QString fifo = QFileInfo(userTheme(QStringLiteral("Fifo"), "[Pexo Theme]\nId=Fifo\nName=Fifo\n")).path() + QStringLiteral("/theme/themerc");
        QVERIFY(QFile::remove(fifo));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        PexoTest::writeFile(home(live), "[Variables]\nIconTheme=c\n");
        QCOMPARE(PexoTest::runProgram(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom"));

        // A name is taken by anything in the folder, a dangling link too.
        init();
        QVERIFY(QDir().mkpath(home(userThemes)));
        QVERIFY(QFile::link(home(QStringLiteral("nowhere")), home(userThemes + QStringLiteral("/Custom"))));
        PexoTest::writeFile(home(live), "[Variables]\nIconTheme=c\n");
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Custom1"));

        // A themes folder that is no folder takes no theme, at once.
        init();
        QVERIFY(PexoTest::writeFile(home(userThemes), "a file\n"));
        PexoTest::writeFile(home(live), "[Variables]\nIconTheme=c\n");
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 1);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QString());
    }

    // A fifo, a device or an oversized file where a setting, a theme or a
    // desktop folder names a file reads as missing: the tools end in time
    // and leave it in place.
    void specialFilesReadAsMissing_data()
    {
        QTest::addColumn<QString>("path"); // below the home directory, or absolute
        // "fifo", "zero" (a link to /dev/zero), "loop" (a link to itself),
        // "large", or "read-only" (a file on a read-only mount, as one the
        // user may not write)
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("recordedIndex");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString setTheme = QStringLiteral("pexo-set-theme");
        const QStringList mine{QStringLiteral("Mine")};
        const QString scheme = QStringLiteral(".local/share/color-schemes/Mine.colors");
        const QString userScheme = QStringLiteral(".local/share/color-schemes/User.colors");
        const QString noMessage;
        QTest::newRow("current desktop folder") << QStringLiteral("Desktops/Desktop1/.directory") << QByteArray("fifo") << QString() << setTheme << mine << 0
                                                << noMessage;
        QTest::newRow("other desktop folder") << QStringLiteral("Desktops/Desktop2/.directory") << QByteArray("fifo") << QString()
                                              << QStringLiteral("pexo-sync-user-theme") << QStringList() << 0 << noMessage;
        QTest::newRow("scheme fifo") << scheme << QByteArray("fifo") << QString() << setTheme << mine << 0 << noMessage;
        QTest::newRow("scheme device") << scheme << QByteArray("zero") << QString() << setTheme << mine << 0 << noMessage;
        QTest::newRow("own scheme fifo") << userScheme << QByteArray("fifo") << QString() << setTheme << QStringList{QStringLiteral("MineUser")} << 0
                                         << noMessage;
        for (const QByteArray kind : {"fifo", "zero"}) {
            QTest::addRow("applied scheme %s", kind.constData())
                << scheme << kind << QString() << QStringLiteral("pexo-admin-theme") << QStringList{QStringLiteral("-"), home(scheme)} << 2
                << QStringLiteral("pexo-admin-theme: no color scheme file %1\n").arg(home(scheme));
        }
        QTest::newRow("applied scheme large") << scheme << QByteArray("large") << QString() << QStringLiteral("pexo-admin-theme")
                                              << QStringList{QStringLiteral("-"), home(scheme)} << 2
                                              << QStringLiteral("pexo-admin-theme: color scheme file %1 is too large (over 1 MiB)\n").arg(home(scheme));
        // A theme that cannot be recorded is not selected.
        QTest::newRow("record") << record << QByteArray("fifo") << QString() << setTheme << mine << 1 << QStringLiteral("Could not write");
        const QString systemRecord = QStringLiteral("/etc/xdg/pexo-admin-themerc");
        QTest::newRow("system record") << systemRecord << QByteArray("fifo") << QString() << setTheme << mine << 1
                                       << QStringLiteral("Could not read ") + systemRecord;
        QTest::newRow("recorded description") << QStringLiteral(".local/Stray/index.theme") << QByteArray("fifo")
                                              << home(QStringLiteral(".local/Stray/index.theme")) << QStringLiteral("pexo-sync-user-theme") << QStringList()
                                              << 0 << noMessage;
        // Too large to be read at all: named by its folder.
        QTest::newRow("large description")
            << userThemes + QStringLiteral("/Large/index.theme") << QByteArray("large") << QString() << setTheme << QStringList{QStringLiteral("Large")} << 1
            << QStringLiteral("Unable to select theme \"Large\" in \"%1/Large\": its index.theme is larger than 128 KiB").arg(home(userThemes));
        // A file that a save must write and cannot is a failed write.
        const QString qtSettings = QStringLiteral(".config/Trolltech.conf");
        const QString decoration = QStringLiteral(".config/breezerc");
        const QString notWritten = QStringLiteral("Could not write ");
        QTest::newRow("Qt settings") << qtSettings << QByteArray("fifo") << QString() << setTheme << mine << 1 << notWritten + home(qtSettings);
        QTest::newRow("large Qt settings") << qtSettings << QByteArray("large") << QString() << QStringLiteral("pexo-sync-user-theme") << QStringList() << 1
                                           << notWritten + home(qtSettings);
        QTest::newRow("Qt settings link loop") << qtSettings << QByteArray("loop") << QString() << setTheme << mine << 1 << notWritten + home(qtSettings);
        QTest::newRow("read-only Qt settings") << qtSettings << QByteArray("read-only") << QString() << setTheme << mine << 1 << notWritten + home(qtSettings);
        QTest::newRow("decoration colours") << decoration << QByteArray("fifo") << QString() << setTheme << mine << 1 << notWritten + home(decoration);
        QTest::newRow("cursor") << QStringLiteral(".config/pexo/session/cursor") << QByteArray("fifo") << QString() << setTheme << mine << 1
                                << notWritten + home(QStringLiteral(".config/pexo/session/cursor"));
    }

    void specialFilesReadAsMissing()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, kind);
        QFETCH(QString, recordedIndex);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        userTheme(QStringLiteral("Mine"),
                  "[Pexo Theme]\nId=Mine\nName=Mine\n",
                  "[Variables]\nColorScheme=" + home(QStringLiteral(".local/share/color-schemes/Mine.colors")).toUtf8() + '\n');
        userTheme(QStringLiteral("MineUser"),
                  "[Pexo Theme]\nId=MineUser\nName=MineUser\n",
                  "[Variables]\nColorScheme=" + home(QStringLiteral(".local/share/color-schemes/User.colors")).toUtf8() + '\n');
        for (const char *folder : {"Desktops/Desktop1", "Desktops/Desktop2"}) {
            QVERIFY(QDir().mkpath(home(QLatin1String(folder))));
        }
        if (!recordedIndex.isEmpty()) {
            setRecord(QStringLiteral("Stray"), recordedIndex);
        }
        const QString file = home(path);
        PexoTest::removePath(file);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (kind == "zero") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
        } else if (kind == "loop") {
            QVERIFY(QFile::link(file, file));
        } else if (kind == "large") {
            PexoTest::writeFile(file, "[Pexo Theme]\nId=Large\nName=Large\n[Variables]\n");
            QVERIFY(QFile(file).resize(2 * 1024 * 1024));
        } else {
            PexoTest::writeFile(file, "[Qt]\n");
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), file, file}), 0);
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), file}), 0);
        }
        auto unmount = qScopeGuard([&] {
            if (kind == "read-only") {
                QProcess::execute(QStringLiteral("umount"), {file});
            }
            // Outside the home directory, which each test makes anew.
            if (QDir::isAbsolutePath(path)) {
                PexoTest::removePath(file);
            }
        });
        const auto identity = [&file] {
            struct stat status = {};
            ::lstat(QFile::encodeName(file).constData(), &status);
            return std::make_tuple(status.st_ino, status.st_mode, status.st_size);
        };
        const auto before = identity();

        const PexoTest::ProgramRun r = PexoTest::runProgram(program, arguments, PexoTest::patienceMs);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.errors.contains(message), qPrintable(r.errors));
        QVERIFY(identity() == before);
    }

    void adminThemeArguments()
    {
        PexoTest::ProgramRun r = run(QStringLiteral("pexo-admin-theme"), {darkScheme});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.errors.isEmpty());
        r = run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("x"), QStringLiteral("/nowhere.colors")});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.errors, QStringLiteral("pexo-admin-theme: no color scheme file /nowhere.colors\n"));
    }

    void adminThemeSavesIntoTheCurrentTheme()
    {
        // The configuration reader's warnings about the theme's lines are not printed.
        QByteArray invalid = "[Variables]\n";
        for (int i = 0; i < 500; ++i) {
            invalid += "Odd" + QByteArray::number(i) + "=\\q\n";
        }
        const QString index = userTheme(QStringLiteral("Mine"), "[Pexo Theme]\nId=Mine\nName=Mine\n", invalid);
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
        // Given by a relative path, kept as the path that every reader finds.
        const PexoTest::ProgramRun r = run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), QDir::current().relativeFilePath(darkScheme)});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors));
        const QString themerc = QFileInfo(index).absolutePath() + QStringLiteral("/theme/themerc");
        QVERIFY2(PexoTest::readFile(themerc).contains("ColorScheme=" + darkScheme.toUtf8()), PexoTest::readFile(themerc).constData());
        QVERIFY(PexoTest::readFile(home(palette)).contains("ColorScheme=" + darkScheme.toUtf8()));

        // The same scheme again changes nothing.
        const QByteArray before = PexoTest::readFile(themerc);
        QCOMPARE(run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), darkScheme}).exitCode, 0);
        QCOMPARE(PexoTest::readFile(themerc), before);

        // A palette file that is a fifo reads as missing (the default light
        // scheme) and takes nothing, and the tool says so.
        QVERIFY(QFile::remove(home(palette)));
        QCOMPARE(::mkfifo(QFile::encodeName(home(palette)).constData(), 0600), 0);
        const PexoTest::ProgramRun fifo = run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), darkScheme});
        QCOMPARE(fifo.exitCode, 1);
        QVERIFY2(fifo.errors.contains(QLatin1String("Could not write ")) && fifo.errors.contains(home(palette)), qPrintable(fifo.errors));
    }

    void adminThemeWritesOnlyInstalledThemes()
    {
        // A record naming a theme outside the theme directories, or nothing.
        const QString stray = home(QStringLiteral("Documents/index.theme"));
        PexoTest::writeFile(stray, "[Pexo Theme]\nId=Stray\nName=Stray\n");
        for (const QString &path : {stray, QString()}) {
            init();
            setRecord(QStringLiteral("Stray"), path);
            const auto before = PexoTest::snapshotTree(QDir::homePath());
            const PexoTest::ProgramRun r = run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), darkScheme});
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.errors.startsWith(QLatin1String("pexo-admin-theme: ")) && r.errors.contains(path), qPrintable(r.errors));
            const QStringList changed = PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath()));
            QVERIFY2(changed.filter(QStringLiteral("theme/themerc")).isEmpty(), qPrintable(changed.join(QLatin1Char(' '))));
            QVERIFY(!QFileInfo::exists(QStringLiteral("/theme/themerc"))); // beside an empty path
        }
    }

    // Every shipped sample theme is a read-only system theme.
    void adminThemeReadOnlyCurrentTheme()
    {
        for (const char *id : {"UlvarTornelAdmin", "UlvarTornelDark", "UlvarTornelLight"}) {
            QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QLatin1String(id)}).exitCode, 0);
            const QByteArray palettes = PexoTest::readFile(home(palette));
            const QString scheme = palettes.contains(darkScheme.toUtf8()) ? QStringLiteral("/usr/share/color-schemes/UlvarLight.colors") : darkScheme;
            const PexoTest::ProgramRun r = run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), scheme});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.errors,
                     QStringLiteral("pexo-admin-theme: you can't select new color scheme while current theme is readonly.\n"
                                    "pexo-admin-theme: Create new theme first.\n"));
            QCOMPARE(PexoTest::readFile(home(palette)), palettes);
        }
    }

    void adminThemeGeneratedSchemes()
    {
        userTheme(QStringLiteral("Mine"), "[Pexo Theme]\nId=Mine\nName=Mine\n");
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
        const QString generated = home(QStringLiteral(".local/share/color-schemes/00-generated-dark.colors"));
        PexoTest::writeFile(generated, PexoTest::readFile(darkScheme));
        QVERIFY(touch(generated, -60));

        QCOMPARE(run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), generated}).exitCode, 0);
        const QString themerc = home(userThemes + QStringLiteral("/Mine/theme/themerc"));
        QVERIFY(PexoTest::readFile(themerc).contains("SchemeType=Wallpaper"));
        QVERIFY(PexoTest::readFile(themerc).contains("ColorScheme=" + generated.toUtf8()));

        // Already live and older than the live settings: nothing to do.
        PexoTest::ProgramRun r = run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), generated});
        QCOMPARE(r.errors, QStringLiteral("pexo-admin-theme: the same color scheme %1, do nothing\n").arg(generated));

        // Newer: said so, then the usual change test (nothing differs).
        QVERIFY(touch(generated, 60));
        const QByteArray before = PexoTest::readFile(themerc);
        r = run(QStringLiteral("pexo-admin-theme"), {QStringLiteral("-"), generated});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.errors, QStringLiteral("pexo-admin-theme: the same color scheme %1, but newer than users themerc\n").arg(generated));
        QCOMPARE(PexoTest::readFile(themerc), before);
    }

    // Nothing fits on the disk: a tool fails at once with its message and
    // leaves every file as it was.
    void fullHome_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<bool>("afterAdministrator");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");

        const QString light = QStringLiteral("UlvarTornelLight");
        const QString setTheme = QStringLiteral("pexo-set-theme");
        const QString sync = QStringLiteral("pexo-sync-user-theme");
        QTest::newRow("set-theme") << light << false << false << setTheme << QStringList{QStringLiteral("UlvarTornelDark")};
        QTest::newRow("set-theme, administrator") << light << true << false << setTheme << QStringList{light};
        QTest::newRow("admin-theme") << QStringLiteral("Mine") << false << false << QStringLiteral("pexo-admin-theme")
                                     << QStringList{QStringLiteral("-"), darkScheme};
        QTest::newRow("sync-user-theme, administrator") << light << true << false << sync << QStringList();
        QTest::newRow("sync-user-theme after an administrator session") << light << false << true << sync << QStringList();
    }

    void fullHome()
    {
        QFETCH(QString, current);
        QFETCH(bool, administrator);
        QFETCH(bool, afterAdministrator);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);

        userTheme(QStringLiteral("Mine"), "[Pexo Theme]\nId=Mine\nName=Mine\n");
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {current}).exitCode, 0);
        if (afterAdministrator) {
            QVERIFY(PexoTest::writeFile(home(marker), QByteArray()));
            QVERIFY(PexoTest::writeFile(home(live), PexoTest::readFile(home(live)) + "IconTheme=elsewhere\n"));
        }
        administratorSession(administrator);

        const PexoTest::FullDisk disk(QDir::homePath());
        QVERIFY(disk.isFull());
        const auto before = PexoTest::snapshotTree(QDir::homePath());
        const PexoTest::ProgramRun r = PexoTest::runProgram(program, arguments, PexoTest::patienceMs);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QLatin1String("Could not write ")), qPrintable(r.errors));
        QStringList changed = PexoTest::treeDifferences(before, PexoTest::snapshotTree(QDir::homePath()));
        changed.removeAll(QStringLiteral("removed ") + marker);
        QCOMPARE(changed, QStringList());
    }

    // Live settings that no save could write were read as defaults: a save
    // or a switch refuses before it writes anything, the current theme's own
    // values included. So it does when another file that every change
    // writes cannot be written, or a record file cannot be read.
    void unusableLiveSettings_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QStringList iconsPage{
            QStringLiteral("kcm_pexo_icons"), QStringLiteral("--set"), QStringLiteral("isToolbarMonochrome=false"), QStringLiteral("--save")};
        const QStringList admin{QStringLiteral("x"), darkScheme};
        const QStringList dark{QStringLiteral("UlvarTornelDark")};
        for (const QByteArray kind : {"directory", "fifo", "device", "loop", "large", "full"}) {
            QTest::addRow("%s, admin-theme", kind.constData()) << kind << home(live) << QStringLiteral("pexo-admin-theme") << admin;
        }
        QTest::newRow("fifo, set-theme") << QByteArray("fifo") << home(live) << QStringLiteral("pexo-set-theme") << dark;
        QTest::newRow("large, icons page") << QByteArray("large") << home(live) << QStringLiteral("ulvar-systemsettings") << iconsPage;
        QTest::newRow("full, icons page") << QByteArray("full") << home(live) << QStringLiteral("ulvar-systemsettings") << iconsPage;
        QTest::newRow("nearly full, admin-theme") << QByteArray("nearly full") << home(live) << QStringLiteral("pexo-admin-theme") << admin;
        const QString qt = home(QStringLiteral(".config/Trolltech.conf"));
        QTest::newRow("Qt's settings a fifo, set-theme") << QByteArray("fifo") << qt << QStringLiteral("pexo-set-theme") << dark;
        QTest::newRow("Qt's settings large, icons page") << QByteArray("large") << qt << QStringLiteral("ulvar-systemsettings") << iconsPage;
        QTest::newRow("decoration colours a fifo, set-theme")
            << QByteArray("fifo") << home(QStringLiteral(".config/breezerc")) << QStringLiteral("pexo-set-theme") << dark;
        QTest::newRow("record a directory, admin-theme") << QByteArray("directory") << home(record) << QStringLiteral("pexo-admin-theme") << admin;
        QTest::newRow("record a link loop, admin-theme") << QByteArray("loop") << home(record) << QStringLiteral("pexo-admin-theme") << admin;
        QTest::newRow("record's lock a folder holding files, set-theme")
            << QByteArray("full folder") << home(record + QStringLiteral(".lock")) << QStringLiteral("pexo-set-theme") << dark;
        // The files may be written, but not replaced in their folder.
        // As a user, whom the folder's permissions hold.
        const QStringList asUser{
            QStringLiteral("--bounding-set=-dac_override,-dac_read_search"), QStringLiteral("pexo-set-theme"), QStringLiteral("UlvarTornelDark")};
        QTest::newRow("palette's folder read-only, set-theme") << QByteArray("read-only folder") << home(palette) << QStringLiteral("setpriv") << asUser;
        QTest::newRow("desktop folder read-only, set-theme")
            << QByteArray("read-only folder") << home(QStringLiteral("Desktops/Desktop1/.directory")) << QStringLiteral("setpriv") << asUser;
        // A save writes the current theme's settings too.
        const QString themerc = home(userThemes + QStringLiteral("/Mine/theme/themerc"));
        const QStringList iconsPageAsUser = QStringList{asUser.first(), QStringLiteral("ulvar-systemsettings")} + iconsPage;
        QTest::newRow("theme's folder read-only, icons page") << QByteArray("read-only folder") << themerc << QStringLiteral("setpriv") << iconsPageAsUser;
        QTest::newRow("theme's settings read-only, icons page") << QByteArray("read-only") << themerc << QStringLiteral("setpriv") << iconsPageAsUser;
    }

    void unusableLiveSettings()
    {
        QFETCH(QByteArray, kind);
        QFETCH(QString, file);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        userTheme(QStringLiteral("Mine"), "[Pexo Theme]\nId=Mine\nName=Mine\n", "[Variables]\nIconTheme=mine-icons\nLogoPosition=TopLeft\n");
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
        std::optional<PexoTest::FullDisk> disk;
        if (!kind.endsWith("full") && !kind.startsWith("read-only")) {
            PexoTest::removePath(file);
        }
        const QString folder = QFileInfo(file).path();
        auto unmount = qScopeGuard([&] {
            if (kind == "read-only folder") {
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            } else if (kind == "read-only") {
                QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
            }
        });
        if (kind == "nearly full") {
            // Room for each file the change writes, not for all of them.
            disk.emplace(home(QStringLiteral(".config")), 8192);
            QVERIFY(disk->isFull());
        } else if (kind == "full") {
            disk.emplace(QFileInfo(file).path());
            QVERIFY(disk->isFull());
        } else if (kind == "read-only folder") {
            // The files in it may be written, the folder takes no new ones.
            if (!QFileInfo::exists(file)) {
                QVERIFY(PexoTest::writeFile(file, "[Desktop Entry]\nX-PEXO-WallPaper=/nowhere.jpg\n"));
            }
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        } else if (kind == "read-only") {
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        } else if (kind == "directory") {
            QVERIFY(QDir().mkpath(file));
        } else if (kind == "full folder") {
            QVERIFY(PexoTest::writeFile(file + QStringLiteral("/held"), "kept\n"));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (kind == "device") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
        } else if (kind == "loop") {
            QVERIFY(QFile::link(file, file));
        } else {
            QVERIFY(PexoTest::writeFile(file, "[Variables]\n") && QFile(file).resize(2 * 1024 * 1024));
        }
        const auto themes = PexoTest::snapshotTree(home(QStringLiteral(".local")));
        const auto settings = PexoTest::snapshotTree(home(QStringLiteral(".config")));

        const PexoTest::ProgramRun r = PexoTest::runProgram(program, arguments, PexoTest::patienceMs);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QStringLiteral("Could not ")) && r.errors.contains(file), qPrintable(r.errors));
        QCOMPARE(PexoTest::treeDifferences(themes, PexoTest::snapshotTree(home(QStringLiteral(".local")))), QStringList());
        QCOMPARE(PexoTest::treeDifferences(settings, PexoTest::snapshotTree(home(QStringLiteral(".config")))), QStringList());
    }

    // After a switch or a save the next session sync keeps the current
    // theme, whatever the live settings took of it: a scheme of the
    // system's own brings its colours, a page's accent that the scheme
    // replaces. A save stores what the live settings hold; a switch
    // rewrites no theme.
    void changesKeepTheTheme_data()
    {
        QTest::addColumn<QByteArray>("primary");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("master");
        QTest::addColumn<bool>("noteBlocked");
        const QString page = QStringLiteral("ulvar-systemsettings");
        QTest::newRow("switch to a theme whose scheme sets another primary colour")
            << QByteArray("#123456") << QString() << QStringList() << QByteArray("PrimaryColor=#123456") << QByteArray() << false;
        // The switch fails, naming it; the theme stays all the same.
        QTest::newRow("switch, a folder holding files in the place of its note")
            << QByteArray("#123456") << QString() << QStringList() << QByteArray("PrimaryColor=#123456") << QByteArray() << true;
        QTest::newRow("admin-theme, a scheme of the system's own")
            << QByteArray("#118bcc") << QStringLiteral("pexo-admin-theme") << QStringList{QStringLiteral("x"), darkScheme} << QByteArray("PrimaryColor=#2884be")
            << QByteArray() << false;
        QTest::newRow("colour page, an accent the scheme replaces")
            << QByteArray("#118bcc") << page
            << QStringList{QStringLiteral("kcm_pexo_color"), QStringLiteral("--set"), QStringLiteral("accentColor=#a0b0c0"), QStringLiteral("--save")}
            << QByteArray("PrimaryColor=#118bcc") << QByteArray() << false;
        // The theme reads the master's colour, the scheme replaces it live.
        QTest::newRow("icons page, a primary colour the master file fixes")
            << QByteArray("#123456") << page
            << QStringList{QStringLiteral("kcm_pexo_icons"), QStringLiteral("--set"), QStringLiteral("isToolbarMonochrome=false"), QStringLiteral("--save")}
            << QByteArray("useSymbolicIconsForToolBar=false") << QByteArray("[Variables]\nPrimaryColor=#ff0000\n") << false;
        // Each session has live settings of its own; the record is shared.
        QTest::newRow("switch, then the sync of another session started before it")
            << QByteArray("#123456") << QStringLiteral("env") << QStringList() << QByteArray("PrimaryColor=#123456") << QByteArray() << false;
        QTest::newRow("icons page, then the sync of another session started before it")
            << QByteArray("#118bcc") << QStringLiteral("env")
            << QStringList{QStringLiteral("ulvar-systemsettings"),
                           QStringLiteral("kcm_pexo_icons"),
                           QStringLiteral("--set"),
                           QStringLiteral("isToolbarMonochrome=false"),
                           QStringLiteral("--save")}
            << QByteArray("useSymbolicIconsForToolBar=false") << QByteArray() << false;
    }

    void changesKeepTheTheme()
    {
        QFETCH(QByteArray, primary);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, master);
        QFETCH(bool, noteBlocked);
        const QString masterFile = QStringLiteral("/usr/share/pexo/theme.master/themerc");
        if (!master.isEmpty()) {
            QVERIFY(PexoTest::writeFile(masterFile, master));
        }
        auto removeMaster = qScopeGuard([&masterFile] {
            QFile::remove(masterFile);
        });
        const QByteArray light = PexoTest::readFile(QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/theme/themerc"));
        const QString themerc = home(userThemes + QStringLiteral("/Mine/theme/themerc"));
        userTheme(QStringLiteral("Mine"), "[Pexo Theme]\nId=Mine\nName=Mine\n", QByteArray(light).replace("PrimaryColor=#118bcc", "PrimaryColor=" + primary));
        const QByteArray before = PexoTest::readFile(themerc);
        const QString note = home(QStringLiteral(".config/pexo/session/.theme-applied"));
        if (noteBlocked) {
            QVERIFY(PexoTest::writeFile(note + QStringLiteral("/held"), "kept\n"));
        }
        const PexoTest::ProgramRun r = run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")});
        QCOMPARE(r.exitCode, noteBlocked ? 1 : 0);
        QCOMPARE(r.errors.contains(QStringLiteral("a folder holding files stands at ") + note), noteBlocked);
        QCOMPARE(PexoTest::readFile(themerc), before);
        // The other session's sync ran when the theme was another one; the
        // next one, there, sees the change made here.
        const bool inOtherSession = program == QLatin1String("env");
        if (inOtherSession) {
            QCOMPARE(run(QStringLiteral("env"), {otherSession, QStringLiteral("pexo-set-theme"), QStringLiteral("UlvarTornelDark")}).exitCode, 0);
            QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
            program = arguments.isEmpty() ? QString() : arguments.takeFirst();
        }
        if (!program.isEmpty()) {
            // The colour page reports that the scheme did not keep its accent.
            run(program, arguments);
            QVERIFY2(PexoTest::readFile(themerc).contains(stored), PexoTest::readFile(themerc).constData());
        }
        const QByteArray saved = PexoTest::readFile(themerc);
        const QByteArray liveBefore = PexoTest::readFile(home(live)) + PexoTest::readFile(home(palette));

        if (inOtherSession) {
            QCOMPARE(run(QStringLiteral("env"), {otherSession, QStringLiteral("pexo-sync-user-theme")}).exitCode, 0);
            QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Mine"));
            // That session took the theme as this one did.
            QCOMPARE(PexoTest::readFile(home(live) + QStringLiteral(".other")), PexoTest::readFile(home(live)));
        }
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, noteBlocked ? 1 : 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("Mine"));
        QCOMPARE(QDir(home(userThemes)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{QStringLiteral("Mine")});
        QCOMPARE(PexoTest::readFile(themerc), saved);
        QCOMPARE(PexoTest::readFile(home(live)) + PexoTest::readFile(home(palette)), liveBefore);
        QVERIFY(saved.contains(stored));
        QCOMPARE(PexoTest::readFile(note + QStringLiteral("/held")), noteBlocked ? QByteArray("kept\n") : QByteArray());
    }

    // Two sessions of one user: each has live settings of its own, the
    // record and the palette are shared. A session's own change of its live
    // settings is never thrown away; another session's change is taken
    // only where this one changed nothing of its own since.
    void twoSessions_data()
    {
        QTest::addColumn<QStringList>("steps");
        // The theme the sync of session A ends on: "Custom" holds A's change.
        QTest::addColumn<QString>("result");
        // What A's live settings and palette, and that theme, hold then.
        QTest::addColumn<QByteArray>("kept");
        // Whether B's live settings end as A's.
        QTest::addColumn<bool>("alike");
        const QString custom = QStringLiteral("Custom");
        const QByteArray edit = "WallPaper=#333333";
        QTest::newRow("A changes after B's switch") << words("A:light B:dark A:edit") << custom << edit << false;
        QTest::newRow("A changes before B's switch") << words("A:light A:edit B:dark") << custom << edit << false;
        QTest::newRow("A has no note") << words("A:light A:unnote B:dark A:edit") << custom << edit << false;
        QTest::newRow("both on one theme, B saves a page into it") << words("A:mine B:mine B:page A:edit") << custom << edit << false;
        QTest::newRow("B's switch cut off") << words("A:light B:cut A:edit") << custom << edit << false;
        // Another program of A's changed what the sessions share.
        QTest::newRow("A's scheme changed by hand") << words("A:light A:scheme") << custom << QByteArray("ColorScheme=" + darkScheme.toUtf8()) << false;
        // B's administrator session set B's live settings and what the sessions share.
        QTest::newRow("A changes, B in an administrator session") << words("A:light A:edit B:admin") << custom << edit << false;
        QTest::newRow("A saves a page, B in an administrator session")
            << words("A:mine A:edit B:admin A:page") << QStringLiteral("Mine") << QByteArray("WallPaper=#444444") << false;
        QTest::newRow("A unchanged, B in an administrator session")
            << words("A:light B:admin A:sync B:sync") << QStringLiteral("UlvarTornelLight") << QByteArray() << true;
        QTest::newRow("A unchanged, an ended session's note dated ahead")
            << words("A:light C:ahead B:dark") << QStringLiteral("UlvarTornelDark") << QByteArray() << true;
        QTest::newRow("A unchanged, B saves a page into their theme") << words("A:mine B:mine B:page") << QStringLiteral("Mine") << QByteArray() << true;
        // A's page saves A's own change and its edit into the theme as B saved it.
        QTest::newRow("A changes, B saves a page, A saves a page")
            << words("A:mine B:mine A:icons B:page A:colors") << QStringLiteral("Mine") << QByteArray("IconTheme=my-icons") << false;
        // B's switch that could not write a file recorded its theme; A recorded another since.
        QTest::newRow("B's switch unfinished, A switches since")
            << words("A:light B:fail A:light B:sync") << QStringLiteral("UlvarTornelLight") << QByteArray() << true;
    }

    void twoSessions()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, result);
        QFETCH(QByteArray, kept);
        QFETCH(bool, alike);
        const QByteArray lightWallpaper = "WallPaper=/usr/share/wallpapers/pexo-default-light.jpg";
        const QString mine = home(userThemes + QStringLiteral("/Mine/theme/themerc"));
        userTheme(QStringLiteral("Mine"),
                  "[Pexo Theme]\nId=Mine\nName=Mine\n",
                  PexoTest::readFile(QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/theme/themerc")));
        const QString sessionDir = home(QStringLiteral(".config/pexo/session/"));
        const QMap<QString, QString> themes{{QStringLiteral("light"), QStringLiteral("UlvarTornelLight")},
                                            {QStringLiteral("dark"), QStringLiteral("UlvarTornelDark")},
                                            {QStringLiteral("mine"), QStringLiteral("Mine")}};
        for (const QString &step : std::as_const(steps)) {
            const QString what = step.mid(2);
            const QStringList session = step.startsWith(QLatin1Char('B')) ? QStringList{otherSession} : QStringList();
            if (themes.contains(what)) {
                QCOMPARE(run(QStringLiteral("env"), session + QStringList{QStringLiteral("pexo-set-theme"), themes.value(what)}).exitCode, 0);
            } else if (what == QLatin1String("edit")) {
                const QByteArray own = PexoTest::readFile(home(live));
                QVERIFY(own.contains(lightWallpaper));
                QVERIFY(PexoTest::writeFile(home(live), QByteArray(own).replace(lightWallpaper, "WallPaper=#333333")));
            } else if (what == QLatin1String("icons")) {
                QVERIFY(PexoTest::writeFile(home(live), PexoTest::readFile(home(live)).replace("\nIconTheme=", "\nIconTheme=my-icons\nOld=")));
            } else if (what == QLatin1String("colors")) {
                const QStringList page{QStringLiteral("ulvar-systemsettings"),
                                       QStringLiteral("kcm_pexo_color"),
                                       QStringLiteral("--set"),
                                       QStringLiteral("currentColorScheme=") + darkScheme,
                                       QStringLiteral("--save")};
                QCOMPARE(run(QStringLiteral("env"), session + page).exitCode, 0);
            } else if (what == QLatin1String("scheme")) {
                QVERIFY(PexoTest::writeFile(home(palette), PexoTest::readFile(home(palette)).replace("UlvarLight.colors", "UlvarDark.colors")));
            } else if (what == QLatin1String("unnote")) {
                QVERIFY(QFile::remove(sessionDir + QStringLiteral(".theme-applied")));
            } else if (what == QLatin1String("page")) {
                const QStringList page{QStringLiteral("ulvar-systemsettings"),
                                       QStringLiteral("kcm_pexo_wallpaper"),
                                       QStringLiteral("--set"),
                                       QStringLiteral("wallpaper=#444444"),
                                       QStringLiteral("--save")};
                QCOMPARE(run(QStringLiteral("env"), session + page).exitCode, 0);
            } else if (what == QLatin1String("cut")) {
                // Killed by the first program it starts, half way.
                QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/bin/killall"), "#!/bin/sh\nkill -9 $PPID\n"));
                QVERIFY(QFile::setPermissions(QStringLiteral("/usr/bin/killall"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
                const int killed =
                    run(QStringLiteral("env"), session + QStringList{QStringLiteral("pexo-set-theme"), themes.value(QStringLiteral("dark"))}).exitCode;
                QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
                QCOMPARE(killed, -1);
            } else if (what == QLatin1String("fail")) {
                // The shared cursor file is a fifo: the switch writes all but it, and fails.
                const QString cursor = sessionDir + QStringLiteral("cursor");
                PexoTest::removePath(cursor);
                QCOMPARE(::mkfifo(QFile::encodeName(cursor).constData(), 0600), 0);
                const int failed =
                    run(QStringLiteral("env"), session + QStringList{QStringLiteral("pexo-set-theme"), themes.value(QStringLiteral("dark"))}).exitCode;
                QVERIFY(PexoTest::removePath(cursor));
                QCOMPARE(failed, 1);
            } else if (what == QLatin1String("sync") || what == QLatin1String("admin")) {
                administratorSession(what == QLatin1String("admin"));
                QCOMPARE(run(QStringLiteral("env"), session + QStringList{QStringLiteral("pexo-sync-user-theme")}).exitCode, 0);
                administratorSession(false);
            } else if (what == QLatin1String("ahead")) {
                const QString gone = sessionDir + QStringLiteral(".theme-applied.gone");
                QVERIFY(QFile::copy(sessionDir + QStringLiteral(".theme-applied"), gone));
                QVERIFY(touch(gone, 86400));
            }
        }
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), result);
        QCOMPARE(QFileInfo::exists(home(userThemes + QStringLiteral("/Custom"))), result == QLatin1String("Custom"));
        const QByteArray stored = PexoTest::readFile(home(userThemes + QLatin1Char('/') + result + QStringLiteral("/theme/themerc")));
        QVERIFY2(stored.contains(kept) && QByteArray(PexoTest::readFile(home(live)) + PexoTest::readFile(home(palette))).contains(kept), stored.constData());
        if (alike) {
            QCOMPARE(PexoTest::readFile(home(live)), PexoTest::readFile(home(live) + QStringLiteral(".other")));
        }
        // No user theme took what an administrator session set.
        for (const QString &theme : QDir(home(userThemes)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QVERIFY(!PexoTest::readFile(home(userThemes + QLatin1Char('/') + theme + QStringLiteral("/theme/themerc"))).contains("Admin"));
        }
        if (steps.contains(QStringLiteral("B:page"))) {
            QVERIFY(PexoTest::readFile(mine).contains("WallPaper=#444444"));
        }
    }

    // A save whose live settings could not be written all the same puts
    // the theme's stored settings back, or says that it could not; the
    // mark naming the theme stays for the next session sync.
    void failedLiveWrite_data()
    {
        QTest::addColumn<bool>("putBackFails");
        QTest::addColumn<bool>("hadNone");
        QTest::newRow("put back") << false << false;
        QTest::newRow("put back fails too") << true << false;
        QTest::newRow("the theme had no settings file") << false << true;
    }

    void failedLiveWrite()
    {
        QFETCH(bool, putBackFails);
        QFETCH(bool, hadNone);
        const QString themerc = home(userThemes + QStringLiteral("/Mine/theme/themerc"));
        userTheme(QStringLiteral("Mine"),
                  "[Pexo Theme]\nId=Mine\nName=Mine\n",
                  PexoTest::readFile(QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/theme/themerc")));
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
        if (hadNone) {
            QVERIFY(QFile::remove(themerc));
        }
        const QByteArray stored = PexoTest::readFile(themerc);
        // The session's cursor is not looked at before the first write.
        const QString cursor = home(QStringLiteral(".config/pexo/session/cursor"));
        PexoTest::removePath(cursor);
        QCOMPARE(::mkfifo(QFile::encodeName(cursor).constData(), 0600), 0);
        const QString vkbd = QStringLiteral("/usr/bin/pexo-vkbd");
        if (putBackFails) {
            // Run while the live settings are written: the theme's folder takes no new file.
            QVERIFY(PexoTest::writeFile(vkbd, "#!/bin/sh\nchmod 555 '" + QFileInfo(themerc).path().toUtf8() + "'\n"));
            QVERIFY(QFile::setPermissions(vkbd, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        auto restore = qScopeGuard([&] {
            QFile::setPermissions(QFileInfo(themerc).path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            PexoTest::installCommandRecorder(vkbd);
        });

        // As a user, whom the folder's permissions hold.
        const PexoTest::ProgramRun r = run(QStringLiteral("setpriv"),
                                           {QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                                            QStringLiteral("ulvar-systemsettings"),
                                            QStringLiteral("kcm_pexo_icons"),
                                            QStringLiteral("--set"),
                                            QStringLiteral("isToolbarMonochrome=false"),
                                            QStringLiteral("--save")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QStringLiteral("Could not write ") + cursor), qPrintable(r.errors));
        QCOMPARE(r.errors.contains(QStringLiteral("Could not put back the settings of the current theme ") + themerc), putBackFails);
        QCOMPARE(PexoTest::readFile(themerc) == stored, !putBackFails);
        QCOMPARE(QFileInfo::exists(themerc), !hadNone);
        QCOMPARE(PexoTest::readFile(home(QStringLiteral(".config/pexo/session/.theme-change-unfinished"))), QByteArray("Mine"));
    }

    // A session sync that cannot save the live settings as a new theme
    // keeps them, and the record, as they are.
    void syncCannotSaveANewTheme()
    {
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode, 0);
        QVERIFY(PexoTest::writeFile(home(live), PexoTest::readFile(home(live)).replace("pexo-default-dark.jpg", "by-hand.jpg")));
        const QByteArray before = PexoTest::readFile(home(live)) + PexoTest::readFile(home(record)) + PexoTest::readFile(home(palette));
        const PexoTest::FullDisk disk(home(userThemes));
        QVERIFY(disk.isFull());
        const PexoTest::ProgramRun r = run(QStringLiteral("pexo-sync-user-theme"));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.errors.contains(QStringLiteral("Failed to copy current.themerc to")), qPrintable(r.errors));
        QCOMPARE(PexoTest::readFile(home(live)) + PexoTest::readFile(home(record)) + PexoTest::readFile(home(palette)), before);
        QVERIFY(!QFileInfo::exists(home(userThemes + QStringLiteral("/Custom"))));
    }

    // Switches that run at once, or one cut off half way, leave the live
    // settings, the palette and the record naming one theme whole.
    void switchesStayWhole()
    {
        const auto wholeTheme = [this]() -> QString {
            const QString id = recorded(QStringLiteral("CurrentTheme"));
            const QByteArray word = id == QLatin1String("UlvarTornelDark") ? "dark" : "light";
            const QByteArray scheme = id == QLatin1String("UlvarTornelDark") ? "UlvarDark" : "UlvarLight";
            const bool whole = PexoTest::readFile(home(live)).contains("WallPaper=/usr/share/wallpapers/pexo-default-" + word + ".jpg") &&
                PexoTest::readFile(home(palette)).contains("ColorScheme=/usr/share/color-schemes/" + scheme + ".colors");
            return whole ? id : QStringLiteral("mixed, recorded ") + id;
        };
        const QStringList ids{QStringLiteral("UlvarTornelDark"), QStringLiteral("UlvarTornelLight")};
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {ids.at(1)}).exitCode, 0);
        for (int round = 0; round < 5; ++round) {
            std::vector<std::unique_ptr<QProcess>> runs;
            for (int i = 0; i < 11; ++i) {
                runs.push_back(std::make_unique<QProcess>());
                if (i == 10) {
                    runs.back()->start(QStringLiteral("pexo-sync-user-theme"), QStringList());
                } else {
                    runs.back()->start(QStringLiteral("pexo-set-theme"), {ids.at(i % 2)});
                }
            }
            for (const auto &process : runs) {
                QVERIFY(process->waitForFinished(PexoTest::patienceMs));
                QCOMPARE(process->exitCode(), 0);
            }
            QVERIFY(ids.contains(wholeTheme()));
        }

        // Killed by the first program it starts, after the record and the
        // first colours were written.
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {ids.at(1)}).exitCode, 0);
        QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/bin/killall"), "#!/bin/sh\nkill -9 $PPID\n"));
        QVERIFY(QFile::setPermissions(QStringLiteral("/usr/bin/killall"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const int killed = run(QStringLiteral("pexo-set-theme"), {ids.at(0)}).exitCode;
        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
        QCOMPARE(killed, -1);
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(wholeTheme(), ids.at(0));
        QVERIFY(!QDir(home(userThemes)).exists());

        // A change that did not end is finished with the theme it led to,
        // which it recorded; whatever stands in the mark's place does not
        // stop the next one.
        const QString mark = home(QStringLiteral(".config/pexo/session/.theme-change-unfinished"));
        QVERIFY(PexoTest::writeFile(mark, ids.at(1).toUtf8()));
        setRecord(ids.at(1), QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/index.theme"));
        QVERIFY(PexoTest::writeFile(home(live), PexoTest::readFile(home(live)).replace("pexo-default-dark.jpg", "pexo-default-light.jpg")));
        QCOMPARE(run(QStringLiteral("pexo-sync-user-theme")).exitCode, 0);
        QCOMPARE(wholeTheme(), ids.at(1));
        QCOMPARE(::mkfifo(QFile::encodeName(mark).constData(), 0600), 0);
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {ids.at(0)}).exitCode, 0);
        QCOMPARE(wholeTheme(), ids.at(0));
        QVERIFY(!QFileInfo::exists(mark));
    }

    // Whatever stands in the place of the lock, the mark of a change or the
    // administrator-session marker is replaced, never followed or written
    // through; only a folder holding files stops the change, naming it.
    void sessionFilesReplaceWhatStandsThere_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<int>("exitCode");
        const QString lock = QStringLiteral("pexo-theme-settings.lock");
        const QString mark = QStringLiteral(".config/pexo/session/.theme-change-unfinished");
        QTest::newRow("lock, a socket") << lock << QByteArray("socket") << false << 0;
        QTest::newRow("lock, a link to a file of the user's") << lock << QByteArray("link") << false << 0;
        QTest::newRow("lock, a hard link to a file of the user's") << lock << QByteArray("hard link") << false << 0;
        QTest::newRow("lock, a folder holding files") << lock << QByteArray("folder") << false << 1;
        QTest::newRow("mark, a hard link to a file of the user's") << mark << QByteArray("hard link") << false << 0;
        QTest::newRow("mark, a socket") << mark << QByteArray("socket") << false << 0;
        QTest::newRow("mark, a folder holding files") << mark << QByteArray("folder") << false << 1;
        QTest::newRow("mark, beside it the new one of a writer killed") << mark << QByteArray("left new") << false << 0;
        QTest::newRow("record's lock, a fifo") << record + QStringLiteral(".lock") << QByteArray("fifo") << false << 0;
        QTest::newRow("marker, a hard link to a file of the user's") << marker << QByteArray("hard link") << true << 0;
        QTest::newRow("marker, a dangling link") << marker << QByteArray("dangling") << true << 0;
    }

    void sessionFilesReplaceWhatStandsThere()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, kind);
        QFETCH(bool, administrator);
        QFETCH(int, exitCode);
        const QString path = file.startsWith(QLatin1Char('.')) ? home(file) : QFile::decodeName(qgetenv("XDG_RUNTIME_DIR")) + QLatin1Char('/') + file;
        const QString mine = home(QStringLiteral("notes.txt"));
        QVERIFY(PexoTest::writeFile(mine, "my own notes\n"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        PexoTest::removePath(path);
        if (kind == "socket") {
            // A short name: a socket's path is limited.
            const QString cwd = QDir::currentPath();
            QVERIFY(QDir::setCurrent(QFileInfo(path).path()));
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            struct sockaddr_un address = {};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, QFile::encodeName(QFileInfo(path).fileName()).constData(), sizeof(address.sun_path));
            QCOMPARE(::bind(fd, reinterpret_cast<struct sockaddr *>(&address), sizeof(address)), 0);
            ::close(fd);
            QVERIFY(QDir::setCurrent(cwd));
        } else if (kind == "link") {
            QVERIFY(QFile::link(mine, path));
        } else if (kind == "dangling") {
            QVERIFY(QFile::link(home(QStringLiteral("nothing")), path));
        } else if (kind == "hard link") {
            QCOMPARE(::link(QFile::encodeName(mine).constData(), QFile::encodeName(path).constData()), 0);
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "left new") {
            QVERIFY(PexoTest::writeFile(QFileInfo(path).path() + QStringLiteral("/.%1.new-0000abcd").arg(QFileInfo(path).fileName()), "Half"));
        } else {
            QVERIFY(PexoTest::writeFile(path + QStringLiteral("/held"), "kept\n"));
        }
        administratorSession(administrator);

        // As a user, whom a file's permissions hold.
        const PexoTest::ProgramRun r = administrator
            ? run(QStringLiteral("pexo-sync-user-theme"))
            : run(QStringLiteral("setpriv"),
                  {QStringLiteral("--bounding-set=-dac_override,-dac_read_search"), QStringLiteral("pexo-set-theme"), QStringLiteral("UlvarTornelDark")});
        QVERIFY2(r.exitCode == exitCode, qPrintable(r.errors));
        QCOMPARE(PexoTest::readFile(mine), QByteArray("my own notes\n"));
        struct stat status = {};
        if (exitCode != 0) {
            QVERIFY2(r.errors.contains(QStringLiteral("a folder holding files stands at ") + path), qPrintable(r.errors));
            QCOMPARE(PexoTest::readFile(path + QStringLiteral("/held")), QByteArray("kept\n"));
            QVERIFY(recorded(QStringLiteral("CurrentTheme")).isEmpty());
        } else if (file == marker) {
            QVERIFY(::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1);
        } else {
            QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelDark"));
            // The lock is a file of its own; the mark went when the change ended.
            QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1,
                     file == QLatin1String("pexo-theme-settings.lock"));
            QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".new-")), QStringList());
        }
    }

    // A lock that another program holds is never taken from it, whatever
    // its mode: a page gives up within a couple of seconds, writing
    // nothing and naming the holder; a tool waits for it.
    void heldLock_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("unreadable");
        // Made more than Qt's 30 s ago, while the machine holds so many
        // other locks that the kernel's list of them is over 1 MiB.
        QTest::addColumn<bool>("crowded");
        QTest::addColumn<QString>("refusal");
        const QString breezerc =
            QStringLiteral("Could not write %1 (its lock is held by lockholder, process %2)").arg(home(QStringLiteral(".config/breezerc")));
        QTest::newRow("session lock, made unreadable while held")
            << QStringLiteral("pexo-theme-settings.lock") << true << false
            << QStringLiteral("Another change of the session settings is under way (lockholder, process %1)");
        QTest::newRow("breezerc's lock, another program's of mode 0444") << QStringLiteral(".config/breezerc.lock") << false << false << breezerc;
        QTest::newRow("breezerc's lock, unreadable and old, among many locks") << QStringLiteral(".config/breezerc.lock") << true << true << breezerc;
    }

    void heldLock()
    {
        QFETCH(QString, file);
        QFETCH(bool, unreadable);
        QFETCH(bool, crowded);
        QFETCH(QString, refusal);
        userTheme(QStringLiteral("Mine"), "[Pexo Theme]\nId=Mine\nName=Mine\n");
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
        const auto written = []() -> QByteArray {
            return PexoTest::readFile(home(live)) + PexoTest::readFile(home(record)) + PexoTest::readFile(home(QStringLiteral(".config/breezerc"))) +
                PexoTest::readFile(home(QStringLiteral(".config/Trolltech.conf")));
        };
        const QByteArray before = written();
        const bool session = !file.startsWith(QLatin1Char('.'));
        const QString path = session ? QFile::decodeName(qgetenv("XDG_RUNTIME_DIR")) + QLatin1Char('/') + file : home(file);
        PexoTest::HeldLock holder(path, session ? PexoTest::HeldLock::Flock : PexoTest::HeldLock::QtLock);
        QVERIFY(holder.isHeld());
        if (unreadable) {
            QVERIFY(QFile::setPermissions(path, QFile::Permissions()));
        }
        QProcess crowd;
        if (crowded) {
            QVERIFY(touch(path, -60));
            crowd.start(QStringLiteral("python3"),
                        {QStringLiteral("-c"),
                         QStringLiteral("import fcntl, os, sys\n"
                                        "fd = os.open(sys.argv[1], os.O_RDWR | os.O_CREAT)\n"
                                        "for i in range(30000):\n"
                                        "    fcntl.lockf(fd, fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 2 * i)\n"
                                        "print('held', flush=True)\n"
                                        "sys.stdin.read()\n"),
                         home(QStringLiteral("crowd"))});
            QVERIFY(crowd.waitForReadyRead(PexoTest::patienceMs));
            QVERIFY(PexoTest::readFile(QStringLiteral("/proc/locks")).size() > (1 << 20));
        }
        auto endCrowd = qScopeGuard([&crowd] {
            crowd.closeWriteChannel();
            PexoTest::waitForExit(crowd);
        });
        // As a user, whom a file's permissions hold.
        const QStringList asUser{QStringLiteral("--bounding-set=-dac_override,-dac_read_search")};
        const PexoTest::ProgramRun page = runPageBeside(path,
                                                        asUser +
                                                            QStringList{QStringLiteral("ulvar-systemsettings"),
                                                                        QStringLiteral("kcm_pexo_icons"),
                                                                        QStringLiteral("--set"),
                                                                        QStringLiteral("isToolbarMonochrome=false"),
                                                                        QStringLiteral("--save")});
        QVERIFY2(page.exitCode == 1, qPrintable(page.errors));
        QVERIFY2(page.errors.contains(refusal.arg(holder.pid())), qPrintable(page.errors));
        QCOMPARE(written(), before);

        QProcess tool;
        tool.start(QStringLiteral("setpriv"), asUser + QStringList{QStringLiteral("pexo-set-theme"), QStringLiteral("UlvarTornelDark")});
        QTest::qWait(1000);
        QCOMPARE(tool.state(), QProcess::Running);
        QCOMPARE(written(), before);
        QVERIFY2(holder.release(), "the lock was taken from its holder");
        QVERIFY(PexoTest::waitForExit(tool));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelDark"));
    }

    // Helper programs that hang hold a page's save up no longer than the
    // lock would: together they get the page's 2 s, each at least a quarter
    // of a second. The page says which did not finish; what a query printed
    // before its time ran out (a child of it keeps its output open) is not
    // loaded back, and a load whose input could not all be given in that
    // time is stopped before it reads the end of it.
    void hungHelpers_data()
    {
        QTest::addColumn<bool>("hang");
        QTest::addColumn<QByteArray>("xrdb");
        QTest::addColumn<QString>("cutOff");
        QTest::newRow("every helper hangs") << true << QByteArray("printf 'Pexo.cut:\\t1\\n'; sleep 20 & exit 0")
                                            << QStringLiteral("killall pexo-start-panel, pexo-vkbd --update, xrdb -q");
        // A load given a resource list longer than a socket holds: a child
        // of it keeps its input open, and it ends by itself.
        QTest::newRow("input of the load cut short") << false << QByteArray("yes 'Pexo.filler:\t1' | head -n 100000; exit 0")
                                                     << QStringLiteral("xrdb -nocpp -load");
    }

    void hungHelpers()
    {
        QFETCH(bool, hang);
        QFETCH(QByteArray, xrdb);
        QFETCH(QString, cutOff);
        userTheme(QStringLiteral("Mine"),
                  "[Pexo Theme]\nId=Mine\nName=Mine\n",
                  PexoTest::readFile(QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/theme/themerc")));
        QCOMPARE(run(QStringLiteral("pexo-set-theme"), {QStringLiteral("Mine")}).exitCode, 0);
        const QString xrdbPath = QStringLiteral("/usr/bin/xrdb");
        const QString realXrdb = PexoTest::sandboxDir() + QStringLiteral("/xrdb.real");
        QVERIFY(QFile::copy(xrdbPath, realXrdb));
        const QStringList helpers{QStringLiteral("/usr/bin/killall"), QStringLiteral("/usr/bin/pexo-vkbd")};
        auto restore = qScopeGuard([&] {
            for (const QString &helper : helpers) {
                PexoTest::installCommandRecorder(helper);
            }
            QFile::remove(xrdbPath);
            QFile::rename(realXrdb, xrdbPath);
        });
        // Each notes when it started.
        const QByteArray started = QFile::encodeName(home(QStringLiteral("started")));
        QFile::remove(QFile::decodeName(started));
        for (const QString &helper : helpers) {
            QVERIFY(!hang || PexoTest::writeFile(helper, "#!/bin/sh\ndate +%s%N >>" + started + "\nexec sleep 60\n"));
        }
        QVERIFY(PexoTest::writeFile(xrdbPath,
                                    "#!/bin/sh\ndate +%s%N >>" + started + "\nif [ \"$1\" = -q ]; then " + xrdb + "; fi\n" +
                                        "echo \"$0 $*\" >>\"$PEXO_TEST_COMMAND_LOG\"\nexec 3<&0\nsleep 20 <&3 &\n"));
        for (const QString &helper : helpers + QStringList{xrdbPath}) {
            QVERIFY(QFile::setPermissions(helper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        PexoTest::clearRecordedCommands();
        const PexoTest::ProgramRun page =
            run(QStringLiteral("ulvar-systemsettings"),
                {QStringLiteral("kcm_pexo_icons"), QStringLiteral("--set"), QStringLiteral("isToolbarMonochrome=false"), QStringLiteral("--save")});
        const qint64 endedMs = QDateTime::currentMSecsSinceEpoch();
        QCOMPARE(page.exitCode, 1);
        QVERIFY2(page.errors.contains(QStringLiteral("The running desktop may not show the change yet: %1 did not finish in time").arg(cutOff)),
                 qPrintable(page.errors));
        QVERIFY(PexoTest::readFile(home(live)).contains("useSymbolicIconsForToolBar=false"));
        // The query's output was not loaded back.
        QCOMPARE(PexoTest::recordedCommands().filter(QStringLiteral("xrdb")), hang ? QStringList() : QStringList{QStringLiteral("/usr/bin/xrdb -nocpp -load")});
        const QList<QByteArray> starts = PexoTest::readFile(QFile::decodeName(started)).trimmed().split('\n');
        QCOMPARE(starts.size(), hang ? 3 : 2);
        // 2 s and a quarter for each later one: 2.5 s, where 2 s each
        // would take 6 s; a busy machine takes a little more.
        const qint64 spentMs = endedMs - starts.first().toLongLong() / 1000000;
        QVERIFY2(spentMs < 5000, qPrintable(QString::number(spentMs)));
    }

    // No X display, or one that cannot be reached: the tools run offscreen
    // and skip what needs X.
    void toolsRunWithoutDisplay()
    {
        const QByteArray display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        const int set = run(QStringLiteral("pexo-set-theme"), {QStringLiteral("UlvarTornelDark")}).exitCode;
        const int sync = run(QStringLiteral("pexo-sync-user-theme")).exitCode;
        const int exported = run(QStringLiteral("pexo-export-theme"), {QStringLiteral("a"), QStringLiteral("b")}).exitCode;
        qputenv("DISPLAY", ":65000");
        const int imported = run(QStringLiteral("pexo-import-theme"), {QStringLiteral("a")}).exitCode;
        qputenv("DISPLAY", display);
        QCOMPARE(set, 0);
        QCOMPARE(recorded(QStringLiteral("CurrentTheme")), QStringLiteral("UlvarTornelDark"));
        QVERIFY(PexoTest::readFile(home(live)).contains("WallPaper=/usr/share/wallpapers/pexo-default-dark.jpg"));
        QCOMPARE(sync, 0);
        QCOMPARE(exported, 64);
        QCOMPARE(imported, 2);
    }
};

QTEST_GUILESS_MAIN(SessionToolsTest)

#include "sessiontoolstest.moc"
