// Checks, from inside, what pexo-sandbox promises every test.

#include "pexotestsupport.h"
#include "pexowm.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class SandboxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void environment();
    void systemDirectories();
    void xServer();
    void sessionBus();
    void wmCommands();
    void commandRecorder();
};

void SandboxTest::initTestCase()
{
    QVERIFY2(PexoTest::inSandbox(), "run this test through pexo-sandbox");
}

void SandboxTest::environment()
{
    const QString sandbox = PexoTest::sandboxDir();
    QVERIFY(sandbox.startsWith(QLatin1String("/tmp/")));

    const QString home = QDir::homePath();
    QCOMPARE(home, sandbox + QStringLiteral("/home"));
    QCOMPARE(qEnvironmentVariable("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    QCOMPARE(qEnvironmentVariable("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    QCOMPARE(qEnvironmentVariable("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        QVERIFY2(QFileInfo(qEnvironmentVariable(name)).isDir(), name);
    }
    // Fresh: nothing but the XDG directories.
    QCOMPARE(QDir(home).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral(".cache"), QStringLiteral(".config"), QStringLiteral(".local")}));

    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QCOMPARE(runtime, sandbox + QStringLiteral("/run"));
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(runtime).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0700));

    QCOMPARE(qEnvironmentVariable("PEXO_TEST_WM_LOG"), sandbox + QStringLiteral("/wm.log"));
    QCOMPARE(qEnvironmentVariable("PEXO_TEST_COMMAND_LOG"), sandbox + QStringLiteral("/commands.log"));
    QVERIFY(QFileInfo::exists(qEnvironmentVariable("PEXO_TEST_COMMAND_LOG")));

    // CTest hands this test leftovers of a session and of a shell; the
    // sandbox drops them, and keeps the plug-in path.
    for (const char *name : {"PEXO_SESSION_SUFFIX",
                             "QT_QPA_PLATFORM",
                             "QT_SCALE_FACTOR",
                             "QT_STYLE_OVERRIDE",
                             "QSG_RENDER_LOOP",
                             "LC_ALL",
                             "LC_NUMERIC",
                             "LANGUAGE",
                             "KDE_FULL_SESSION",
                             "KDEHOME",
                             "QT_LOGGING_RULES",
                             "QT_MESSAGE_PATTERN",
                             "QT_FATAL_CRITICALS",
                             "KDE_DEBUG",
                             "GST_PLUGIN_SYSTEM_PATH",
                             "FONTCONFIG_FILE",
                             "XCURSOR_SIZE",
                             "XMODIFIERS",
                             "GTK_IM_MODULE",
                             "QV4_FORCE_INTERPRETER",
                             "PULSE_SERVER",
                             "GDK_SCALE",
                             "KF5_DEBUG",
                             "BASH_ENV",
                             "ENV",
                             "SHELLOPTS",
                             "BASHOPTS"}) {
        QVERIFY2(!qEnvironmentVariableIsSet(name), name);
    }
    QCOMPARE(qgetenv("LANG"), QByteArray("C.UTF-8"));
    QVERIFY(qEnvironmentVariable("QT_PLUGIN_PATH").startsWith(QCoreApplication::applicationDirPath()));

    // Signals behave as usual: none ignored, the stopping ones not blocked.
    const QByteArray status = PexoTest::readFile(QStringLiteral("/proc/self/status"));
    const auto mask = [&status](const QByteArray &name) {
        const int at = status.indexOf('\n' + name + ":\t");
        return at < 0 ? ~0ULL : status.mid(at + name.size() + 3, 16).toULongLong(nullptr, 16);
    };
    QCOMPARE(mask("SigIgn"), 0ULL);
    const unsigned long long stopping = (1ULL << (SIGINT - 1)) | (1ULL << (SIGQUIT - 1)) | (1ULL << (SIGTERM - 1)) | (1ULL << (SIGHUP - 1));
    QCOMPARE(mask("SigBlk") & stopping, 0ULL);

    // The build's programs come first in PATH.
    const QString firstInPath = qEnvironmentVariable("PATH").section(QLatin1Char(':'), 0, 0);
    QVERIFY(QFileInfo::exists(firstInPath + QStringLiteral("/pexo-wm-listen")));
}

void SandboxTest::systemDirectories()
{
    const QStringList paths = {QStringLiteral("/usr/share/pexo-sandbox-probe"),
                               QStringLiteral("/usr/share/pexothemes/Probe/index.theme"),
                               QStringLiteral("/etc/xdg/pexo-sandbox-probe"),
                               QStringLiteral("/usr/bin/pexo-sandbox-probe")};
    for (const QString &path : paths) {
        QVERIFY2(PexoTest::writeFile(path, path.toUtf8()), qPrintable(path));
        QCOMPARE(PexoTest::readFile(path), path.toUtf8());
    }
    QVERIFY(PexoTest::removePath(QStringLiteral("/usr/share/pexothemes")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/usr/share/pexothemes/Probe/index.theme")));

    // The real content stays visible below the overlay, and can be hidden.
    QVERIFY(QFileInfo::exists(QStringLiteral("/usr/bin/sh")));
    QVERIFY(QFileInfo::exists(QStringLiteral("/usr/share/X11/xkb")));
    QVERIFY(PexoTest::writeFile(QStringLiteral("/usr/share/X11/pexo-sandbox-probe"), "x"));
    QVERIFY(PexoTest::removePath(QStringLiteral("/usr/share/X11/pexo-sandbox-probe")));

    // The rest of the machine is read-only; the build tree and shared memory are not.
    for (const char *path : {"/pexo-sandbox-probe", "/etc/pexo-sandbox-probe", "/tmp/pexo-sandbox-probe"}) {
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL, 0644);
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
            ::unlink(path);
        }
        QVERIFY2(fd == -1 && error == EROFS, path);
    }
    for (const QString &dir : {QCoreApplication::applicationDirPath(), QStringLiteral("/dev/shm")}) {
        QVERIFY2(PexoTest::writeFile(dir + QStringLiteral("/pexo-sandbox-probe"), "x"), qPrintable(dir));
        QVERIFY(PexoTest::removePath(dir + QStringLiteral("/pexo-sandbox-probe")));
    }

    QCOMPARE(PexoTest::readFile(QStringLiteral("/nonexistent/file")), QByteArray());
    QVERIFY(PexoTest::readFile(QStringLiteral("/usr/share/pexo-sandbox-probe")).size() > 0);

    // The process list is the sandbox's own: process 1 is the sandbox script.
    QVERIFY(PexoTest::readFile(QStringLiteral("/proc/1/cmdline")).contains("pexo-sandbox"));
}

void SandboxTest::xServer()
{
    Display *display = XOpenDisplay(nullptr);
    QVERIFY(display);
    QCOMPARE(DisplayWidth(display, DefaultScreen(display)), 1280);
    QCOMPARE(DisplayHeight(display, DefaultScreen(display)), 800);
    QCOMPARE(DefaultDepth(display, DefaultScreen(display)), 24);

    const Atom text = XInternAtom(display, "PEXO_SANDBOX_TEXT", False);
    const Atom numbers = XInternAtom(display, "PEXO_SANDBOX_NUMBERS", False);
    const unsigned char textValue[] = "12345";
    XChangeProperty(display, DefaultRootWindow(display), text, XA_STRING, 8, PropModeReplace, textValue, 5);
    const long numberValues[] = {7, 0x7fffffff};
    XChangeProperty(display, DefaultRootWindow(display), numbers, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char *>(numberValues), 2);
    XSync(display, False);
    // The server keeps root-window properties after its last client has gone.
    XCloseDisplay(display);

    QByteArray type;
    int format = 0;
    QCOMPARE(PexoTest::rootWindowProperty("PEXO_SANDBOX_TEXT", &type, &format), QByteArray("12345"));
    QCOMPARE(type, QByteArray("STRING"));
    QCOMPARE(format, 8);

    const QByteArray cardinals = PexoTest::rootWindowProperty("PEXO_SANDBOX_NUMBERS", &type, &format);
    QCOMPARE(type, QByteArray("CARDINAL"));
    QCOMPARE(format, 32);
    QCOMPARE(cardinals.size(), 8);
    const auto *items = reinterpret_cast<const quint32 *>(cardinals.constData());
    QCOMPARE(items[0], quint32(7));
    QCOMPARE(items[1], quint32(0x7fffffff));

    QVERIFY(PexoTest::rootWindowProperty("PEXO_SANDBOX_NEVER_SET", &type, &format).isNull());
    QVERIFY(type.isEmpty());
    QCOMPARE(format, 0);
}

void SandboxTest::sessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.isConnected());
    QVERIFY(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").contains(qEnvironmentVariable("XDG_RUNTIME_DIR")));

    PexoTest::DBusSignalWatcher watcher;
    QVERIFY(watcher.watch(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged")));
    QVERIFY(watcher.watch(QStringLiteral("/BreezeStyle"), QStringLiteral("org.kde.Breeze.Style"), QStringLiteral("reparseConfiguration")));

    // Nothing sent yet: sync() returns with nothing recorded.
    QVERIFY(watcher.sync());
    QCOMPARE(watcher.count(), 0);

    QDBusMessage icons = QDBusMessage::createSignal(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged"));
    icons << 0;
    const QDBusMessage style =
        QDBusMessage::createSignal(QStringLiteral("/BreezeStyle"), QStringLiteral("org.kde.Breeze.Style"), QStringLiteral("reparseConfiguration"));
    // QDBusMessage copies share their arguments: build each one anew.
    QDBusMessage otherIcons = QDBusMessage::createSignal(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged"));
    otherIcons << 5;
    const QDBusMessage unwatched = QDBusMessage::createSignal(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("other"));
    QVERIFY(bus.send(icons));
    QVERIFY(bus.send(unwatched));
    QVERIFY(bus.send(style));
    QVERIFY(bus.send(otherIcons));

    QVERIFY(watcher.waitForCount(3));
    QVERIFY(watcher.sync());
    QCOMPARE(watcher.members(), QStringList({QStringLiteral("iconChanged"), QStringLiteral("reparseConfiguration"), QStringLiteral("iconChanged")}));
    QCOMPARE(watcher.arrivals().at(0).arguments(), QVariantList({0}));
    QCOMPARE(watcher.arrivals().at(1).path(), QStringLiteral("/BreezeStyle"));
    QCOMPARE(watcher.arrivals().at(2).arguments(), QVariantList({5}));

    watcher.clear();
    QVERIFY(bus.send(unwatched));
    QVERIFY(watcher.sync());
    QCOMPARE(watcher.count(), 0);
    QVERIFY(!watcher.waitForCount(1, 50));
}

void SandboxTest::wmCommands()
{
    PexoTest::takeWmCommands();

    const QByteArray commands[] = {
        "PEXOWM_UPDATE_VAL UseComposite false\n", "PEXOWM_UPDATE_SHORTCUT\n", "PEXOWM_UPDATE_VAL WallPaperLocal \"/a b/\xc3\xa9.png\"\n"};
    for (const QByteArray &command : commands) {
        QVERIFY(pexoSendCommandToWM(nullptr, command.constData()));
    }
    const QStringList taken = PexoTest::takeWmCommands();
    QCOMPARE(taken.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(taken.at(i).toLocal8Bit(), commands[i]);
    }
    QCOMPARE(PexoTest::takeWmCommands(), QStringList());

    // A missing line feed is not made up.
    QVERIFY(pexoSendCommandToWM(nullptr, "PEXOWM_UPDATE_VAL Key unterminated"));
    QCOMPARE(PexoTest::takeWmCommands(), QStringList({QStringLiteral("PEXOWM_UPDATE_VAL Key unterminated")}));

    // Without a listener the send fails at once, and nothing is logged: a
    // hundred sends take less than a busy machine may need, a hundred waits
    // for the listener (a second each) more.
    QVERIFY(PexoTest::stopWmListener());
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 100; ++i) {
        QVERIFY(!pexoSendCommandToWM(nullptr, "PEXOWM_UPDATE_SHORTCUT\n"));
    }
    QVERIFY2(timer.elapsed() < PexoTest::patienceMs, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(PexoTest::takeWmCommands(), QStringList());

    QVERIFY(PexoTest::startWmListener());
    QVERIFY(pexoSendCommandToWM(nullptr, "PEXOWM_UPDATE_VAL Key again\n"));
    QCOMPARE(PexoTest::takeWmCommands(), QStringList({QStringLiteral("PEXOWM_UPDATE_VAL Key again\n")}));
}

void SandboxTest::commandRecorder()
{
    PexoTest::clearRecordedCommands();
    // Over a real program and at a new path.
    QVERIFY(QFileInfo::exists(QStringLiteral("/usr/bin/xdpyinfo")));
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/xdpyinfo")));
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-probe-tool"), "line one\nit's two\n", 3));

    QProcess process;
    process.start(QStringLiteral("xdpyinfo"), {QStringLiteral("-display"), QStringLiteral(":99")});
    QVERIFY(PexoTest::waitForExit(process));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray());

    process.start(QStringLiteral("pexo-probe-tool"), {QStringLiteral("two words"), QStringLiteral("-x")});
    QVERIFY(PexoTest::waitForExit(process));
    QCOMPARE(process.exitCode(), 3);
    QCOMPARE(process.readAllStandardOutput(), QByteArray("line one\nit's two\n"));

    process.start(QStringLiteral("/usr/bin/pexo-probe-tool"), QStringList());
    QVERIFY(PexoTest::waitForExit(process));

    QCOMPARE(PexoTest::recordedCommands(),
             QStringList({QStringLiteral("/usr/bin/xdpyinfo -display :99"),
                          QStringLiteral("/usr/bin/pexo-probe-tool two words -x"),
                          QStringLiteral("/usr/bin/pexo-probe-tool")}));
    PexoTest::clearRecordedCommands();
    QCOMPARE(PexoTest::recordedCommands(), QStringList());
}

QTEST_GUILESS_MAIN(SandboxTest)

#include "sandboxtest.moc"
