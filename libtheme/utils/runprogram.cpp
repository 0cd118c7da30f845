#include "runprogram.h"

#include "pexothemelog.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMutex>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {
// The process id, or -1 when the program did not start.
pid_t spawn(const char *program, bool searchPath, std::initializer_list<const char *> arguments, const posix_spawn_file_actions_t *actions = nullptr)
{
    std::vector<char *> argv{const_cast<char *>(program)};
    for (const char *argument : arguments) {
        argv.push_back(const_cast<char *>(argument));
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int result =
        searchPath ? posix_spawnp(&pid, program, actions, nullptr, argv.data(), environ) : posix_spawn(&pid, program, actions, nullptr, argv.data(), environ);
    return result == 0 ? pid : -1;
}

// What a helper program may take: they answer in a moment, one that hangs
// must not hang the caller.
constexpr int programTimeoutMs = 10000;

// The deadline of the ProgramPatience that lives, as QDeadlineTimer::deadline().
std::atomic<qint64> sharedDeadline{std::numeric_limits<qint64>::max()};

// What a helper gets after a slow save has spent the shared time: enough
// to end when it does not hang.
constexpr int leastProgramMs = 250;

// A helper's deadline: its own time, or the shared deadline when that is
// sooner (but never less than the least time).
QDeadlineTimer programDeadline()
{
    const QDeadlineTimer own(programTimeoutMs);
    const QDeadlineTimer least(leastProgramMs);
    const qint64 shared = std::max(qint64(sharedDeadline), least.deadline());
    if (shared >= own.deadline()) {
        return own;
    }
    QDeadlineTimer deadline;
    deadline.setDeadline(shared);
    return deadline;
}

// The programs cut off by their deadline while a ProgramPatience lives.
QMutex cutOffMutex;
QStringList cutOffPrograms;
bool patienceLives = false;

// "name arguments", as a message names a program.
QString commandLine(const char *name, std::initializer_list<const char *> arguments)
{
    QStringList words{QFileInfo(QFile::decodeName(name)).fileName()};
    for (const char *argument : arguments) {
        words << QString::fromLocal8Bit(argument);
    }
    return words.join(QLatin1Char(' '));
}

// A program that its deadline stopped, or whose output it cut off.
void noteCutOff(const QString &command)
{
    qCWarning(PEXO_THEME_LOG).noquote() << command << "did not finish in time and was stopped";
    const QMutexLocker locker(&cutOffMutex);
    if (patienceLives && !cutOffPrograms.contains(command)) {
        cutOffPrograms << command;
    }
}

// Waits until the descriptor is ready for the events or the deadline passes.
bool waitReady(int fd, short events, const QDeadlineTimer &deadline)
{
    pollfd entry{fd, events, 0};
    int ready;
    while ((ready = ::poll(&entry, 1, int(std::max<qint64>(deadline.remainingTime(), 0)))) < 0 && errno == EINTR) { }
    return ready > 0;
}

// Runs the program with the given end of a descriptor pair as its standard
// input or output; the other end is returned, -1 when it did not start.
int spawnWithPair(const char *name, std::initializer_list<const char *> arguments, int standardFd, bool socket, pid_t *pid)
{
    int ends[2];
    const int made = socket ? ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) : ::pipe2(ends, O_CLOEXEC);
    if (made != 0) {
        return -1;
    }
    // A pipe's write end and a socket's second end go to the program.
    const int theirs = ends[1];
    const int ours = ends[0];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (standardFd == STDOUT_FILENO) {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, theirs, standardFd);
    *pid = spawn(name, true, arguments, &actions);
    posix_spawn_file_actions_destroy(&actions);
    ::close(theirs);
    if (*pid < 0) {
        ::close(ours);
        return -1;
    }
    return ours;
}

// Waits for the program until the deadline; one still running then is
// killed, and noted as the command. Whether it ended by itself with status 0.
bool waitFor(pid_t pid, const QDeadlineTimer &deadline, const QString &command)
{
    // Its descriptor tells at once when it ends; without one, it is looked at
    // every few milliseconds.
    const int pidFd = int(::syscall(SYS_pidfd_open, pid, 0));
    int status = 0;
    bool succeeded = false;
    for (int pause = 1;; pause = std::min(pause * 2, 20)) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid || (ended < 0 && errno != EINTR)) {
            succeeded = ended == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
            break;
        }
        if (deadline.hasExpired()) {
            ::kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
            noteCutOff(command);
            break;
        }
        if (pidFd >= 0) {
            waitReady(pidFd, POLLIN, deadline);
        } else {
            QThread::msleep(pause);
        }
    }
    if (pidFd >= 0) {
        ::close(pidFd);
    }
    return succeeded;
}

} // namespace

ProgramPatience::ProgramPatience(int patienceMs)
{
    sharedDeadline = QDeadlineTimer(patienceMs).deadline();
    const QMutexLocker locker(&cutOffMutex);
    patienceLives = true;
    cutOffPrograms.clear();
}

ProgramPatience::~ProgramPatience()
{
    sharedDeadline = std::numeric_limits<qint64>::max();
    const QMutexLocker locker(&cutOffMutex);
    patienceLives = false;
    cutOffPrograms.clear();
}

QStringList ProgramPatience::cutOff() const
{
    const QMutexLocker locker(&cutOffMutex);
    return cutOffPrograms;
}

void runProgram(const char *path, std::initializer_list<const char *> arguments)
{
    const pid_t pid = spawn(path, false, arguments);
    if (pid > 0) {
        waitFor(pid, programDeadline(), commandLine(path, arguments));
    }
}

std::optional<QByteArray> readProgramOutput(const char *name, std::initializer_list<const char *> arguments)
{
    pid_t pid = -1;
    const int fd = spawnWithPair(name, arguments, STDOUT_FILENO, false, &pid);
    if (fd < 0) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline = programDeadline();
    QByteArray output;
    char buffer[4096];
    ssize_t n = -1;
    while (waitReady(fd, POLLIN, deadline) && ((n = ::read(fd, buffer, sizeof(buffer))) > 0 || (n < 0 && errno == EINTR))) {
        if (n > 0) {
            output.append(buffer, int(n));
        }
    }
    ::close(fd);
    // Output cut short by the deadline (a child of the program may keep it
    // open), or of a program that failed, is none.
    const bool whole = n == 0;
    const QString command = commandLine(name, arguments);
    const bool succeeded = waitFor(pid, deadline, command);
    if (succeeded && !whole && deadline.hasExpired()) {
        noteCutOff(command);
    }
    if (!succeeded || !whole) {
        return std::nullopt;
    }
    return output;
}

bool writeProgramInput(const char *name, std::initializer_list<const char *> arguments, const QByteArray &input)
{
    // A socket rather than a pipe: a program that stops reading early makes
    // send() fail instead of raising SIGPIPE here.
    pid_t pid = -1;
    const int fd = spawnWithPair(name, arguments, STDIN_FILENO, true, &pid);
    if (fd < 0) {
        return false;
    }
    const QDeadlineTimer deadline = programDeadline();
    const char *data = input.constData();
    size_t remaining = size_t(input.size());
    bool inTime = true;
    while (remaining > 0 && (inTime = waitReady(fd, POLLOUT, deadline))) {
        const ssize_t sent = ::send(fd, data, remaining, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            data += sent;
            remaining -= size_t(sent);
        } else if (sent < 0 && errno != EINTR && errno != EAGAIN) {
            break;
        }
    }
    const QString command = commandLine(name, arguments);
    if (!inTime) {
        // Its input cut short: stopped before it reads an end of it, so
        // that it never takes a part for the whole, and noted whether it
        // had ended or not.
        ::kill(pid, SIGKILL);
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
        ::close(fd);
        noteCutOff(command);
        return true;
    }
    ::close(fd);
    waitFor(pid, deadline, command);
    return true;
}
