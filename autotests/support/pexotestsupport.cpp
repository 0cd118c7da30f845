#include "pexotestsupport.h"

#include "pexowm.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace PexoTest {
namespace {
const QString SyncPath = QStringLiteral("/PexoTest");
const QString SyncInterface = QStringLiteral("org.pexo.Test");
const QString SyncMember = QStringLiteral("Sync");
const QByteArray WmMarker = QByteArrayLiteral("PEXOTEST_SYNC ");

qint64 wmLogOffset = 0;
int wmMarkers = 0;

QString sandboxFile(const QString &name)
{
    const QString dir = sandboxDir();
    return dir.isEmpty() ? QString() : dir + QLatin1Char('/') + name;
}

bool checkSandbox(const char *what)
{
    if (inSandbox()) {
        return true;
    }
    qWarning("PexoTest::%s: refused, not running inside pexo-sandbox", what);
    return false;
}

bool processGone(qint64 pid)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)) {
        return true;
    }
    // An exited child of the sandbox script stays a zombie until it is reaped.
    const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const int paren = stat.lastIndexOf(')');
    return paren > 0 && stat.mid(paren + 2, 1) == "Z";
}

QString wmSocketPath()
{
    return QString::fromStdString(pexoWmSocketPath(nullptr));
}

// The socket file appears at bind(), before listen(): only a connection shows
// that the listener accepts. It sees an empty command, which it ignores.
bool wmListening()
{
    const std::string path = pexoWmSocketPath(nullptr);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

// Splits log bytes into commands, dropping the sync markers.
QStringList wmCommands(const QByteArray &log)
{
    QStringList commands;
    int start = 0;
    while (start < log.size()) {
        int end = log.indexOf('\n', start);
        end = end < 0 ? log.size() : end + 1;
        const QByteArray line = log.mid(start, end - start);
        if (!line.startsWith(WmMarker)) {
            commands.append(QString::fromLocal8Bit(line));
        }
        start = end;
    }
    return commands;
}
} // namespace

QString sandboxDir()
{
    return qEnvironmentVariable("PEXO_SANDBOX");
}

bool inSandbox()
{
    static const bool mounted = [] {
        QList<QByteArray> missing = {"/usr/share", "/etc/xdg", "/usr/bin"};
        const QList<QByteArray> lines = readFile(QStringLiteral("/proc/self/mountinfo")).split('\n');
        for (const QByteArray &line : lines) {
            // "<id> <parent> <dev> <root> <mount point> <options...> - <type> ..."
            const QList<QByteArray> fields = line.split(' ');
            const int dash = fields.indexOf("-");
            if (fields.size() > 4 && dash > 4 && dash + 1 < fields.size() && fields.at(dash + 1) == "overlay") {
                missing.removeAll(fields.at(4));
            }
        }
        return missing.isEmpty();
    }();
    return mounted && !sandboxDir().isEmpty() && QFileInfo(sandboxDir()).isDir();
}

TreeSnapshot snapshotTree(const QString &root)
{
    TreeSnapshot result;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = base.relativeFilePath(path);
        if (info.isSymLink()) {
            result.insert(relative, "link:" + info.symLinkTarget().toUtf8());
        } else if (info.isDir()) {
            result.insert(relative, "dir");
        } else if (!info.isFile()) {
            // A fifo or a device is never read.
            result.insert(relative, "special:" + QByteArray::number(qulonglong(info.lastModified().toMSecsSinceEpoch())));
        } else {
            result.insert(relative, QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha1).toHex());
        }
    }
    return result;
}

QStringList treeDifferences(const TreeSnapshot &before, const TreeSnapshot &after)
{
    QStringList result;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key())) {
            result.append(QStringLiteral("removed ") + it.key());
        } else if (after.value(it.key()) != it.value()) {
            result.append(QStringLiteral("changed ") + it.key());
        }
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key())) {
            result.append(QStringLiteral("added ") + it.key());
        }
    }
    return result;
}

namespace {
void startProgram(QProcess &process, const QString &program, const QStringList &arguments)
{
    const QString cwd = QDir::homePath() + QStringLiteral("/cwd");
    QDir().mkpath(cwd);
    process.setWorkingDirectory(cwd);
    process.start(program, arguments);
}

// Stops a program still running after the given time, and says so.
void stopProgram(QProcess &process, int waitedMs)
{
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    qWarning("PexoTest: %s still running after %d ms: killed", qPrintable(process.program()), waitedMs);
    process.kill();
    process.waitForFinished(patienceMs);
}

// Fills in the run of a program that has finished, or stops one that has not.
void finishRun(QProcess &process, bool finished, int timeoutMs, ProgramRun &run)
{
    if (!finished || process.exitStatus() != QProcess::NormalExit) {
        stopProgram(process, timeoutMs);
        return;
    }
    run.exitCode = process.exitCode();
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
}
} // namespace

ProgramRun runProgram(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    startProgram(process, program, arguments);
    ProgramRun run;
    finishRun(process, process.waitForFinished(timeoutMs), timeoutMs, run);
    return run;
}

bool waitForExit(QProcess &process)
{
    if (process.waitForFinished(patienceMs)) {
        return true;
    }
    if (process.state() == QProcess::NotRunning) {
        qWarning("PexoTest: %s did not run: %s", qPrintable(process.program()), qPrintable(process.errorString()));
    }
    stopProgram(process, patienceMs);
    return false;
}

WmSnapshotRun runProgramWithWmSnapshots(const QString &program, const QStringList &arguments, const QStringList &files, int timeoutMs)
{
    WmSnapshotRun run;
    if (!checkSandbox("runProgramWithWmSnapshots")) {
        return run;
    }
    const QTemporaryDir runtime(sandboxFile(QStringLiteral("wm-XXXXXX")));
    // The socket's name as senders derive it, in the other runtime directory.
    const QByteArray path = QFile::encodeName(runtime.path() + QLatin1Char('/') + QFileInfo(wmSocketPath()).fileName());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (!runtime.isValid() || size_t(path.size()) >= sizeof(address.sun_path)) {
        return run;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()) + 1);
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (server < 0 || ::bind(server, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 || ::listen(server, 64) != 0) {
        qWarning("PexoTest::runProgramWithWmSnapshots: cannot listen on %s: %s", path.constData(), std::strerror(errno));
        if (server >= 0) {
            ::close(server);
        }
        return run;
    }

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    startProgram(process, program, arguments);
    const QDeadlineTimer deadline(timeoutMs);
    bool finished = false;
    while (!deadline.hasExpired()) {
        // Once the program has ended, every command it sent is queued.
        const bool ended = finished;
        pollfd ready{server, POLLIN, 0};
        if (::poll(&ready, 1, 10) != 1) {
            if (ended) {
                break;
            }
            finished = process.state() == QProcess::NotRunning || process.waitForFinished(0);
            continue;
        }
        const int client = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        WmArrival arrival;
        for (const QString &file : files) {
            arrival.files.append(readFile(file));
        }
        const timeval limit{patienceMs / 1000, 0};
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(client, buffer, sizeof(buffer))) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0) {
                arrival.command.append(buffer, int(n));
            }
        }
        ::close(client);
        if (!arrival.command.isEmpty()) {
            run.arrivals.append(arrival);
        }
    }
    ::close(server);
    finishRun(process, finished, timeoutMs, run);
    return run;
}

bool installSampleData()
{
    if (!checkSandbox("installSampleData")) {
        return false;
    }
    const QString root = QStringLiteral(PEXO_SAMPLE_ROOT);
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    bool ok = it.hasNext();
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = source.mid(root.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        ok = QFile::copy(source, target) && ok;
    }
    return ok;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    if (!checkSandbox("writeFile")) {
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size() && file.flush();
}

QByteArray translatedDescriptionLines()
{
    // The first letters of the Latin, Cyrillic, Greek, Arabic, Devanagari, Thai and Han scripts.
    const char32_t scripts[] = {0x61, 0x430, 0x3b1, 0x627, 0x915, 0xe01, 0x4e00};
    QByteArray lines;
    for (int i = 0; i < 150; ++i) {
        const char32_t first = scripts[i % 7];
        const int scale = first == 0x4e00 ? 3 : 1;
        const QByteArray locale = QByteArray(1, char('a' + i / 26)) + char('a' + i % 26);
        for (const auto &[key, letters] : {std::pair<QByteArray, int>("Name", 24), std::pair<QByteArray, int>("Comment", 200)}) {
            QString text;
            for (int n = 0; n < letters / scale; ++n) {
                const char32_t letter = scale == 1 && n % 7 == 6 ? U' ' : first + (n * 5 + i) % 20;
                text += QString::fromUcs4(&letter, 1);
            }
            lines += key + '[' + locale + "]=" + text.toUtf8() + '\n';
        }
    }
    return lines;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    QByteArray content = file.readAll();
    if (content.isNull()) {
        content = QByteArray(""); // an empty file still reads as non-null
    }
    return content;
}

bool removePath(const QString &path)
{
    if (!checkSandbox("removePath")) {
        return false;
    }
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink()) {
        QDir(path).removeRecursively();
    } else {
        QFile::remove(path);
    }
    return !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();
}

QStringList takeWmCommands()
{
    const QString logPath = qEnvironmentVariable("PEXO_TEST_WM_LOG");
    QFile log(logPath);
    if (logPath.isEmpty() || !log.open(QIODevice::ReadOnly)) {
        qWarning("PexoTest::takeWmCommands: no window-manager log (not inside pexo-sandbox?)");
        return {};
    }
    const QByteArray marker = WmMarker + QByteArray::number(QCoreApplication::applicationPid()) + ' ' + QByteArray::number(++wmMarkers) + '\n';
    const bool sent = pexoSendCommandToWM(nullptr, marker.constData());

    QByteArray data;
    int end = -1;
    int skipped = 0;
    const QDeadlineTimer deadline(patienceMs);
    while (true) {
        log.seek(wmLogOffset + data.size());
        data += log.readAll();
        if (!sent) {
            // No listener: what the log holds is all there is.
            end = data.size();
            break;
        }
        // A command sent without its line feed runs into the marker.
        const int at = data.indexOf(marker);
        if (at >= 0) {
            end = at;
            skipped = marker.size();
            break;
        }
        if (deadline.hasExpired()) {
            qWarning("PexoTest::takeWmCommands: the marker did not reach the log within %d ms", patienceMs);
            end = data.lastIndexOf('\n') + 1;
            break;
        }
        QThread::msleep(2);
    }
    wmLogOffset += end + skipped;
    return wmCommands(data.left(end));
}

bool stopWmListener()
{
    const qint64 pid = readFile(sandboxFile(QStringLiteral("wm.pid"))).trimmed().toLongLong();
    if (pid > 0) {
        ::kill(pid_t(pid), SIGTERM);
    }
    const QDeadlineTimer deadline(patienceMs);
    while (!processGone(pid)) {
        if (deadline.hasExpired()) {
            qWarning("PexoTest::stopWmListener: the listener (pid %lld) does not stop", pid);
            return false;
        }
        QThread::msleep(2);
    }
    // The listener removes its socket on exit; one killed hard leaves it behind.
    QFile::remove(wmSocketPath());
    return true;
}

bool startWmListener()
{
    if (!checkSandbox("startWmListener")) {
        return false;
    }
    const QString program = QString::fromLocal8Bit(readFile(sandboxFile(QStringLiteral("wm.listener"))).trimmed());
    QProcess process;
    process.setProgram(program);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(qEnvironmentVariable("PEXO_TEST_WM_LOG"), QIODevice::Append);
    process.setStandardErrorFile(sandboxFile(QStringLiteral("wm.err")), QIODevice::Append);
    qint64 pid = 0;
    if (program.isEmpty() || !process.startDetached(&pid)) {
        qWarning("PexoTest::startWmListener: cannot start '%s'", qPrintable(program));
        return false;
    }
    writeFile(sandboxFile(QStringLiteral("wm.pid")), QByteArray::number(pid) + '\n');
    const QDeadlineTimer deadline(patienceMs);
    while (!wmListening()) {
        if (deadline.hasExpired() || processGone(pid)) {
            qWarning("PexoTest::startWmListener: nobody listens on %s", qPrintable(wmSocketPath()));
            return false;
        }
        QThread::msleep(2);
    }
    return true;
}

QByteArray rootWindowProperty(const QByteArray &name, QByteArray *typeName, int *format)
{
    if (typeName) {
        typeName->clear();
    }
    if (format) {
        *format = 0;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        return QByteArray();
    }
    QByteArray value;
    const Atom atom = XInternAtom(display, name.constData(), True);
    Atom type = None;
    int itemFormat = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    if (atom != None &&
        XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 0x7fffffff, False, AnyPropertyType, &type, &itemFormat, &items, &remaining, &data) ==
            Success &&
        type != None) {
        value = QByteArray("");
        if (itemFormat == 8) {
            value.append(reinterpret_cast<const char *>(data), int(items));
        } else if (itemFormat == 16) {
            for (unsigned long i = 0; i < items; ++i) {
                const quint16 item = quint16(reinterpret_cast<const unsigned short *>(data)[i]);
                value.append(reinterpret_cast<const char *>(&item), sizeof(item));
            }
        } else if (itemFormat == 32) {
            // Xlib hands out 32-bit items as longs.
            for (unsigned long i = 0; i < items; ++i) {
                const quint32 item = quint32(reinterpret_cast<const unsigned long *>(data)[i]);
                value.append(reinterpret_cast<const char *>(&item), sizeof(item));
            }
        }
        if (typeName) {
            char *atomName = XGetAtomName(display, type);
            *typeName = atomName;
            XFree(atomName);
        }
        if (format) {
            *format = itemFormat;
        }
    }
    if (data) {
        XFree(data);
    }
    XCloseDisplay(display);
    return value;
}

bool installCommandRecorder(const QString &programPath, const QByteArray &output, int exitCode)
{
    if (!checkSandbox("installCommandRecorder")) {
        return false;
    }
    const auto quoted = [](const QString &text) -> QString {
        QString result = text;
        result.replace(QLatin1Char('\''), QLatin1String("'\\''"));
        return QLatin1Char('\'') + result + QLatin1Char('\'');
    };
    QString outputFile;
    if (!output.isEmpty()) {
        outputFile = sandboxFile(QStringLiteral("recorders")) + programPath + QStringLiteral(".out");
        if (!writeFile(outputFile, output)) {
            return false;
        }
    }
    // One printf per call keeps lines of concurrent calls whole.
    QString script = QStringLiteral("#!/bin/sh\n"
                                    "# Command recorder of the test sandbox.\n"
                                    "line=%1\n"
                                    "for arg in \"$@\"; do line=\"$line $arg\"; done\n"
                                    "printf '%s\\n' \"$line\" >>\"${PEXO_TEST_COMMAND_LOG:?}\"\n")
                         .arg(quoted(programPath));
    if (!outputFile.isEmpty()) {
        script += QStringLiteral("cat %1\n").arg(quoted(outputFile));
    }
    script += QStringLiteral("exit %1\n").arg(exitCode);

    // Replace rather than write through: the old file may be a symbolic link or busy.
    QFile::remove(programPath);
    if (!writeFile(programPath, script.toLocal8Bit())) {
        return false;
    }
    return QFile::setPermissions(programPath,
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                     QFileDevice::ReadOther | QFileDevice::ExeOther);
}

QStringList recordedCommands()
{
    const QString text = QString::fromLocal8Bit(readFile(qEnvironmentVariable("PEXO_TEST_COMMAND_LOG")));
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void clearRecordedCommands()
{
    QFile log(qEnvironmentVariable("PEXO_TEST_COMMAND_LOG"));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("PexoTest::clearRecordedCommands: cannot truncate the command log");
    }
}

FileSizeLimit::FileSizeLimit(quint64 bytes)
    : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN))
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previousLimit = limit.rlim_cur;
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        qWarning("PexoTest::FileSizeLimit: cannot set the limit: %s", std::strerror(errno));
    }
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_previousLimit;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

HeldLock::HeldLock(const QString &path, Kind kind, const QString &name)
    : m_process(std::make_unique<QProcess>())
{
    QStringList arguments{path};
    if (kind == Flock) {
        arguments.prepend(QStringLiteral("--flock"));
    }
    if (name.isEmpty()) {
        m_process->start(QStringLiteral("lockholder"), arguments);
    } else {
        // Its first argument is the name it runs under.
        m_process->start(QStringLiteral("bash"), QStringList{QStringLiteral("-c"), QStringLiteral("exec -a \"$0\" lockholder \"$@\""), name} + arguments);
    }
    const QDeadlineTimer deadline(patienceMs);
    while (!m_process->canReadLine() && m_process->state() != QProcess::NotRunning && !deadline.hasExpired()) {
        m_process->waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 0)));
    }
    m_held = m_process->canReadLine() && m_process->readLine() == "locked\n";
    if (!m_held) {
        qWarning("PexoTest::HeldLock: the lock of %s was not taken", qPrintable(path));
    }
}

HeldLock::~HeldLock()
{
    release();
}

bool HeldLock::isHeld() const
{
    return m_held;
}

qint64 HeldLock::pid() const
{
    return m_process->processId();
}

bool HeldLock::release()
{
    if (m_process->state() == QProcess::NotRunning) {
        return false;
    }
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(patienceMs)) {
        stopProgram(*m_process, patienceMs);
        return false;
    }
    return m_process->readAllStandardOutput() == "kept\n";
}

namespace {
void watchdogExpired(int)
{
    static const char message[] = "PexoTest::Watchdog: still running, the test is ended\n";
    if (::write(STDERR_FILENO, message, sizeof(message) - 1) < 0) {
        // Nothing more can be done on the way out.
    }
    ::_exit(124);
}
} // namespace

Watchdog::Watchdog(unsigned seconds)
    : m_previousHandler(std::signal(SIGALRM, watchdogExpired))
{
    ::alarm(seconds);
}

Watchdog::~Watchdog()
{
    ::alarm(0);
    std::signal(SIGALRM, m_previousHandler);
}

namespace {
const char fillerName[] = "/.full";

bool mount(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("mount"), arguments) == 0;
}
} // namespace

FullDisk::FullDisk(const QString &directory, qint64 room)
    : m_directory(QDir(directory).absolutePath())
{
    if (!checkSandbox("FullDisk") || !QDir().mkpath(m_directory)) {
        return;
    }
    qint64 size = 1 << 20;
    QDirIterator it(m_directory, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        size += it.fileInfo().size() + 4096;
    }
    // Copied in beside the directory, then laid over it.
    QTemporaryDir staging(sandboxDir() + QStringLiteral("/full-XXXXXX"));
    const QString stagingPath = staging.path();
    if (!staging.isValid() ||
        !mount(
            {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=%1").arg(size), QStringLiteral("tmpfs"), stagingPath})) {
        qWarning("PexoTest::FullDisk: cannot mount a file system for %s", qPrintable(m_directory));
        return;
    }
    const bool copied = QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), m_directory + QStringLiteral("/."), stagingPath}) == 0;
    m_mounted = copied && mount({QStringLiteral("--bind"), stagingPath, m_directory});
    QProcess::execute(QStringLiteral("umount"), {stagingPath});
    if (!m_mounted) {
        qWarning("PexoTest::FullDisk: cannot lay a file system over %s", qPrintable(m_directory));
        return;
    }
    QFile filler(m_directory + QLatin1String(fillerName));
    if (!filler.open(QIODevice::WriteOnly)) {
        return;
    }
    const QByteArray block(65536, '\0');
    while (::write(filler.handle(), block.constData(), size_t(block.size())) > 0) { }
    while (::write(filler.handle(), "", 1) > 0) { }
    m_full = errno == ENOSPC;
    if (m_full && room > 0) {
        const off_t filled = ::lseek(filler.handle(), 0, SEEK_END);
        m_full = filled >= room && ::ftruncate(filler.handle(), filled - room) == 0;
    }
}

FullDisk::~FullDisk()
{
    if (m_mounted && QProcess::execute(QStringLiteral("umount"), {m_directory}) != 0) {
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_directory});
    }
}

bool FullDisk::isFull() const
{
    return m_full;
}

void FullDisk::makeRoom()
{
    QFile::remove(m_directory + QLatin1String(fillerName));
    m_full = false;
}

FileWriteCounter::FileWriteCounter(const QString &directory)
    : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_fd < 0 || inotify_add_watch(m_fd, QFile::encodeName(directory).constData(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
        qWarning("PexoTest::FileWriteCounter: cannot watch %s: %s", qPrintable(directory), std::strerror(errno));
    }
}

FileWriteCounter::~FileWriteCounter()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

int FileWriteCounter::count(const QString &fileName)
{
    // The kernel queues an event as the write happens: what is queued now is
    // everything written so far.
    alignas(inotify_event) char buffer[4096];
    ssize_t length = 0;
    while (m_fd >= 0 && (length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
        for (char *at = buffer; at < buffer + length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            if (event->len > 0) {
                ++m_counts[QFile::decodeName(event->name)];
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
    return m_counts.value(fileName);
}

DBusSignalWatcher::DBusSignalWatcher(QObject *parent)
    : QObject(parent)
    , m_connection([] {
        static int watchers = 0;
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                             QStringLiteral("pexotest-watcher-%1-%2").arg(QCoreApplication::applicationPid()).arg(++watchers));
    }())
{
    if (!m_connection.isConnected()) {
        qWarning("PexoTest::DBusSignalWatcher: no session bus: %s", qPrintable(m_connection.lastError().message()));
    }
}

DBusSignalWatcher::~DBusSignalWatcher()
{
    QDBusConnection::disconnectFromBus(m_connection.name());
}

bool DBusSignalWatcher::watch(const QString &path, const QString &interface, const QString &member)
{
    if (!m_connection.connect(QString(), path, interface, member, this, SLOT(onSignal(QDBusMessage)))) {
        qWarning("PexoTest::DBusSignalWatcher: cannot watch %s %s.%s", qPrintable(path), qPrintable(interface), qPrintable(member));
        return false;
    }
    // connect() returns before the bus has the match rule; a call answered
    // after it proves the rule is in place.
    const QDBusMessage reply = m_connection.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
    return reply.type() == QDBusMessage::ReplyMessage;
}

QList<QDBusMessage> DBusSignalWatcher::arrivals() const
{
    return m_arrivals;
}

QStringList DBusSignalWatcher::members() const
{
    QStringList names;
    for (const QDBusMessage &message : m_arrivals) {
        names.append(message.member());
    }
    return names;
}

int DBusSignalWatcher::count() const
{
    return m_arrivals.size();
}

void DBusSignalWatcher::clear()
{
    m_arrivals.clear();
}

bool DBusSignalWatcher::waitForCount(int n, int timeoutMs)
{
    return QTest::qWaitFor(
        [&] {
            return m_arrivals.size() >= n;
        },
        timeoutMs);
}

bool DBusSignalWatcher::sync(int timeoutMs)
{
    if (m_syncsSent == 0 && !watch(SyncPath, SyncInterface, SyncMember)) {
        return false;
    }
    const int token = ++m_syncsSent;
    QDBusMessage marker = QDBusMessage::createSignal(SyncPath, SyncInterface, SyncMember);
    marker << m_connection.name() << token;
    if (!QDBusConnection::sessionBus().send(marker)) {
        return false;
    }
    return QTest::qWaitFor(
        [&] {
            return m_syncsSeen >= token;
        },
        timeoutMs);
}

void DBusSignalWatcher::onSignal(const QDBusMessage &message)
{
    if (message.path() == SyncPath && message.interface() == SyncInterface && message.member() == SyncMember) {
        const QVariantList arguments = message.arguments();
        if (arguments.size() == 2 && arguments.at(0).toString() == m_connection.name()) {
            m_syncsSeen = qMax(m_syncsSeen, arguments.at(1).toInt());
        }
        return;
    }
    m_arrivals.append(message);
}
namespace {
std::atomic<int> readerWarnings{0};
} // namespace

ReaderWarnings::ReaderWarnings()
{
    readerWarnings = 0;
    m_previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &) {
        readerWarnings += qstrcmp(context.category, "kf.config.core") == 0;
    });
}

ReaderWarnings::~ReaderWarnings()
{
    qInstallMessageHandler(m_previous);
}

int ReaderWarnings::count() const
{
    return readerWarnings;
}
} // namespace PexoTest
