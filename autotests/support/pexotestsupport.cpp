#include "pexotestsupport.h"

#include <pexowm.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QUuid>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <sys/types.h>

namespace {
int takenLines = 0;

QString envPath(const char *name)
{
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty()) {
        qFatal("%s is not set: run the test through pexo-sandbox", name);
    }
    return value;
}

QStringList logLines()
{
    QFile file(envPath("PEXO_TEST_WM_LOG"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines;
    const QList<QByteArray> parts = file.readAll().split('\n');
    for (int i = 0; i + 1 < parts.size(); ++i) { // only complete lines
        lines.append(QString::fromUtf8(parts.at(i)) + QLatin1Char('\n'));
    }
    return lines;
}

void waitShortly(int ms)
{
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    }
    QThread::msleep(ms);
}
} // namespace

QString PexoTest::sandboxDir()
{
    return envPath("PEXO_SANDBOX");
}

bool PexoTest::writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray PexoTest::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool PexoTest::removePath(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink()) {
        return QDir(path).removeRecursively();
    }
    return QFile::remove(path);
}

bool PexoTest::installSampleData()
{
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

QStringList PexoTest::takeWmCommands()
{
    const QString marker = QStringLiteral("PEXOTEST_SYNC %1\n").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!pexoSendCommandToWM(nullptr, marker.toUtf8().constData())) {
        qWarning("takeWmCommands: the window-manager listener does not answer");
        return {};
    }
    const QDeadlineTimer deadline(5000);
    QStringList lines;
    while (!(lines = logLines()).contains(marker)) {
        if (deadline.hasExpired()) {
            qWarning("takeWmCommands: the marker did not arrive");
            return {};
        }
        waitShortly(2);
    }
    const int end = lines.indexOf(marker);
    QStringList taken;
    for (int i = takenLines; i < end; ++i) {
        if (!lines.at(i).startsWith(QLatin1String("PEXOTEST_SYNC "))) {
            taken.append(lines.at(i));
        }
    }
    takenLines = end + 1;
    return taken;
}

void PexoTest::stopWmListener()
{
    const QString pidFile = sandboxDir() + QStringLiteral("/wm.pid");
    const pid_t pid = readFile(pidFile).trimmed().toInt();
    if (pid <= 0) {
        return;
    }
    ::kill(pid, SIGTERM);
    const QString socket = QString::fromStdString(pexoWmSocketPath(nullptr));
    const QDeadlineTimer deadline(5000);
    while ((QFileInfo::exists(socket) || ::kill(pid, 0) == 0) && !deadline.hasExpired()) {
        waitShortly(2);
    }
    QFile::remove(pidFile);
}

void PexoTest::startWmListener()
{
    const QString dir = sandboxDir();
    const QString listener = QString::fromUtf8(readFile(dir + QStringLiteral("/wm.listener")).trimmed());
    // Through the shell so that the listener outlives this call and appends to the log.
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("\"$0\" </dev/null >>\"$1\" 2>>\"$2\" & echo $! >\"$3\""),
                 listener,
                 envPath("PEXO_TEST_WM_LOG"),
                 dir + QStringLiteral("/wm.err"),
                 dir + QStringLiteral("/wm.pid")});
    shell.waitForFinished();
    const QString socket = QString::fromStdString(pexoWmSocketPath(nullptr));
    const QDeadlineTimer deadline(5000);
    while (!QFileInfo::exists(socket) && !deadline.hasExpired()) {
        waitShortly(2);
    }
}

QByteArray PexoTest::rootWindowProperty(const QByteArray &name, QByteArray *typeName, int *format)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        return QByteArray();
    }
    QByteArray value;
    const Atom property = XInternAtom(display, name.constData(), True);
    if (property != None) {
        Atom type = None;
        int actualFormat = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(
                display, DefaultRootWindow(display), property, 0, 1 << 20, False, AnyPropertyType, &type, &actualFormat, &count, &remaining, &data) ==
                Success &&
            data) {
            value = QByteArray(reinterpret_cast<const char *>(data), int(count * (actualFormat == 8 ? 1 : actualFormat == 16 ? 2 : sizeof(long))));
            if (typeName) {
                char *typeText = type != None ? XGetAtomName(display, type) : nullptr;
                *typeName = typeText ? QByteArray(typeText) : QByteArray();
                if (typeText) {
                    XFree(typeText);
                }
            }
            if (format) {
                *format = actualFormat;
            }
        }
        if (data) {
            XFree(data);
        }
    }
    XCloseDisplay(display);
    return value;
}

bool PexoTest::installCommandRecorder(const QString &programPath)
{
    QString name = QFileInfo(programPath).fileName();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
    const QString script = QStringLiteral("#!/bin/sh\n"
                                          "# Test recorder standing in for %1\n"
                                          "printf '%s\\n' \"$0${*:+ $*}\" >>\"$PEXO_TEST_COMMAND_LOG\"\n"
                                          "[ -n \"$PEXO_TEST_RECORDER_OUTPUT_%2\" ] && printf '%s\\n' \"$PEXO_TEST_RECORDER_OUTPUT_%2\"\n"
                                          "exit \"${PEXO_TEST_RECORDER_EXIT_%2:-0}\"\n")
                               .arg(programPath, name);
    removePath(programPath);
    return writeFile(programPath, script.toUtf8()) &&
        QFile::setPermissions(programPath,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther);
}

QStringList PexoTest::recordedCommands()
{
    const QString text = QString::fromUtf8(readFile(envPath("PEXO_TEST_COMMAND_LOG")));
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

PexoTest::DBusSignalWatcher::DBusSignalWatcher()
    : m_name(QStringLiteral("pexotest-watcher-%1").arg(QUuid::createUuid().toString(QUuid::Id128)))
    , m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_name))
{
}

PexoTest::DBusSignalWatcher::~DBusSignalWatcher()
{
    QDBusConnection::disconnectFromBus(m_name);
}

bool PexoTest::DBusSignalWatcher::watch(const QString &path, const QString &interface, const QString &member)
{
    if (!m_connection.connect(QString(), path, interface, member, this, SLOT(onSignal(QDBusMessage)))) {
        return false;
    }
    // The match rule is registered asynchronously: one blocking call on the
    // same connection makes sure the bus has it before anything is sent.
    return m_connection.interface()->call(QStringLiteral("GetId")).type() == QDBusMessage::ReplyMessage;
}

bool PexoTest::DBusSignalWatcher::waitForCount(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_received.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return m_received.size() >= count;
}

const QList<PexoTest::DBusSignalWatcher::Signal> &PexoTest::DBusSignalWatcher::received() const
{
    return m_received;
}

QStringList PexoTest::DBusSignalWatcher::members() const
{
    QStringList names;
    for (const Signal &signal : m_received) {
        names.append(signal.member);
    }
    return names;
}

void PexoTest::DBusSignalWatcher::clear()
{
    m_received.clear();
}

void PexoTest::DBusSignalWatcher::onSignal(const QDBusMessage &message)
{
    m_received.append({message.path(), message.interface(), message.member(), message.arguments()});
}
