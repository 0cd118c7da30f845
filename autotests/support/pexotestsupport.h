/*
    Helpers for tests that run inside pexo-sandbox.

    The sandbox gives each test process a fresh HOME, writable private views of
    /usr/share, /etc/xdg and /usr/bin, an X display, a private session bus and a
    window-manager listener that logs every command it receives.

    The helpers that write refuse to touch anything when the process does not
    run inside the sandbox, so a test binary started by hand cannot damage the
    real system directories.
*/
#ifndef PEXOTESTSUPPORT_H
#define PEXOTESTSUPPORT_H

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

namespace PexoTest {
// How long a test waits for what a child process, another thread, the X
// server or the bus is to do: long enough for a busy machine, so that only a
// fault runs out of it, and well within a test's time-out.
constexpr int patienceMs = 60000;

// The sandbox directory ($PEXO_SANDBOX), or "" outside the sandbox.
QString sandboxDir();

// True when $PEXO_SANDBOX is set and /usr/share, /etc/xdg and /usr/bin are overlays.
bool inSandbox();

// Writes a file, creating its parent directories. Works at system paths such as
// /usr/share/pexothemes/X/index.theme. False on failure or outside the sandbox.
bool writeFile(const QString &path, const QByteArray &content);

// The file's content; a null QByteArray when it cannot be read.
QByteArray readFile(const QString &path);

// "Name[xx]=" and "Comment[xx]=" lines of a theme's description in 150
// languages: a name of 24 letters and a comment of 200 (a third as many in
// Han), in scripts of one to three bytes a letter; about 70 KB.
QByteArray translatedDescriptionLines();

// Removes a file, a symbolic link or a directory tree. True when nothing is left at path.
bool removePath(const QString &path);

// Every file, link and directory below root: relative path -> hash of the
// content, "link:" + target, or "dir". Compare two to prove what changed.
using TreeSnapshot = QMap<QString, QByteArray>;
TreeSnapshot snapshotTree(const QString &root);
// "changed X", "removed X" and "added X" for each path that differs.
QStringList treeDifferences(const TreeSnapshot &before, const TreeSnapshot &after);

// Runs a program from PATH with its working directory in HOME/cwd and
// returns its exit code (-1 when it crashed or timed out) and standard error.
// One still running after the timeout is named in a warning and killed.
struct ProgramRun
{
    int exitCode = -1;
    QString errors;
};
ProgramRun runProgram(const QString &program, const QStringList &arguments = QStringList(), int timeoutMs = patienceMs);

// Waits up to patienceMs for a started process to end. False, with a
// warning naming the program, when it did not run or had to be killed.
bool waitForExit(QProcess &process);

// A window-manager command and the files' content when it arrived (null where
// a file could not be read).
struct WmArrival
{
    QByteArray command;
    QList<QByteArray> files;
};
struct WmSnapshotRun : ProgramRun
{
    QList<WmArrival> arrivals;
};

// Runs a program as runProgram does, but against a window-manager listener of
// its own (in a runtime directory of its own: the sandbox's listener sees
// nothing) that reads the given files as each command arrives. The sender
// does not wait for the listener, so the files are read just after the
// command was sent, as a rule before the program has gone on far.
WmSnapshotRun runProgramWithWmSnapshots(const QString &program, const QStringList &arguments, const QStringList &files, int timeoutMs = patienceMs);

// Lays the data the project ships (sample system themes, colour schemes,
// wallpapers) at their system paths inside the sandbox.
bool installSampleData();

// Window-manager commands received since the previous call (or since the
// sandbox started), oldest first, each exactly as received up to and with its
// trailing "\n". The call sends a marker through the same channel and waits up
// to patienceMs for it, so every command sent before the call is included. The log
// holds no framing: a command containing "\n" shows up as several entries, and
// one lacking its "\n" runs into the next command or, when it is the last one,
// comes back without "\n".
QStringList takeWmCommands();

// Stops the window-manager listener and waits until it has gone; afterwards
// pexoSendCommandToWM fails at once. True when no listener runs any more.
bool stopWmListener();

// Starts the listener again (appending to the same log) and waits until it
// accepts commands. True when it listens.
bool startWmListener();

// A property of the root window of $DISPLAY, read on a connection of its own.
// Null when the property or the display is missing. Items of format 32 are
// given as 32-bit values in host byte order.
QByteArray rootWindowProperty(const QByteArray &name, QByteArray *typeName = nullptr, int *format = nullptr);

// Replaces programPath (e.g. /usr/bin/killall) with a shell script that
// appends "<programPath> <args...>" (arguments joined by single spaces) as one
// line to $PEXO_TEST_COMMAND_LOG, then prints output and exits with exitCode.
bool installCommandRecorder(const QString &programPath, const QByteArray &output = QByteArray(), int exitCode = 0);

// Lines the recorders logged so far, oldest first, without line feeds.
QStringList recordedCommands();

// Forgets the recorded lines.
void clearRecordedCommands();

// While it lives, this process cannot write regular files past the given size:
// such writes fail with EFBIG, as on a full disk (SIGXFSZ is ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(quint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    quint64 m_previousLimit;
    void (*m_previousHandler)(int);
};

// Another program that holds a lock while this lives, in a process of its
// own (the test program "lockholder"): a lock of Qt's (QLockFile, as
// KConfig and Qt's settings class take it) made with mode 0444 as under
// umask 0222, or an flock() on the file, as the session's writers hold
// theirs. Given a name, the process runs under that name.
class HeldLock
{
public:
    enum Kind {
        QtLock,
        Flock,
    };
    HeldLock(const QString &path, Kind kind, const QString &name = QString());
    ~HeldLock();
    HeldLock(const HeldLock &) = delete;
    HeldLock &operator=(const HeldLock &) = delete;

    // True once the lock is held.
    bool isHeld() const;
    qint64 pid() const;
    // Lets the lock go. True when the file at the path was still the one
    // locked: no other process replaced or removed it meanwhile.
    bool release();

private:
    std::unique_ptr<QProcess> m_process;
    bool m_held = false;
};

// While it lives, the process ends with a message and exit code 124 when it
// is still there after the given seconds: a call that hangs fails at once.
class Watchdog
{
public:
    explicit Watchdog(unsigned seconds);
    ~Watchdog();
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

private:
    void (*m_previousHandler)(int);
};

// While it lives, the directory is a small file system of its own holding a
// copy of what the directory held, with no room left: files can be created
// there but take no byte, as on a full disk. Given room (a multiple of 4 KiB)
// is left free, as on a nearly full disk. makeRoom() gives room back.
// What is written there goes with it: the directory then shows what it held
// before. Needs the sandbox (root in a mount namespace of its own).
class FullDisk
{
public:
    explicit FullDisk(const QString &directory, qint64 room = 0);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // True when the directory was mounted and filled, up to the room left.
    bool isFull() const;
    void makeRoom();

private:
    QString m_directory;
    bool m_mounted = false;
    bool m_full = false;
};

// While it lives, counts the messages this process logs in the
// configuration reader's category ("kf.config.core"), and prints no others.
class ReaderWarnings
{
public:
    ReaderWarnings();
    ~ReaderWarnings();
    ReaderWarnings(const ReaderWarnings &) = delete;
    ReaderWarnings &operator=(const ReaderWarnings &) = delete;

    int count() const;

private:
    QtMessageHandler m_previous;
};

// While it lives, counts the times each file of one directory is replaced
// (renamed into place) or closed after being opened for writing.
class FileWriteCounter
{
public:
    explicit FileWriteCounter(const QString &directory);
    ~FileWriteCounter();
    FileWriteCounter(const FileWriteCounter &) = delete;
    FileWriteCounter &operator=(const FileWriteCounter &) = delete;

    // Writes of the file with that name so far.
    int count(const QString &fileName);

private:
    int m_fd;
    QHash<QString, int> m_counts;
};

// Records D-Bus signals, on a session-bus connection of its own.
class DBusSignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit DBusSignalWatcher(QObject *parent = nullptr);
    ~DBusSignalWatcher() override;

    // Subscribes to a signal from any sender. Returns once the bus routes the
    // signal to this watcher, so signals sent after the call are not missed.
    bool watch(const QString &path, const QString &interface, const QString &member);

    // The signals received so far, in order of arrival.
    QList<QDBusMessage> arrivals() const;
    // Their member names.
    QStringList members() const;
    int count() const;
    void clear();

    // Processes events until count() >= n. False on timeout.
    bool waitForCount(int n, int timeoutMs = patienceMs);

    // Waits until every signal sent so far through QDBusConnection::sessionBus()
    // has arrived, which makes "nothing was emitted" checks reliable.
    bool sync(int timeoutMs = patienceMs);

private Q_SLOTS:
    void onSignal(const QDBusMessage &message);

private:
    QDBusConnection m_connection;
    QList<QDBusMessage> m_arrivals;
    int m_syncsSent = 0;
    int m_syncsSeen = 0;
};
} // namespace PexoTest

#endif
