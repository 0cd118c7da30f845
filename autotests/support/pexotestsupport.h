/*
    Fixtures for tests that run inside pexo-sandbox: files at any path of the
    sandbox, the window manager's commands, X root-window properties, D-Bus
    signals seen from a second connection and recorded shell commands.
*/
#ifndef PEXOTESTSUPPORT_H
#define PEXOTESTSUPPORT_H

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace PexoTest {
// The sandbox's temporary directory ($PEXO_SANDBOX).
QString sandboxDir();

// Writes a file, creating its parent directories; also at fixed system paths
// such as /usr/share/..., which the sandbox covers with an overlay.
bool writeFile(const QString &path, const QByteArray &content);
QByteArray readFile(const QString &path);
// Removes a file or a directory tree.
bool removePath(const QString &path);

// Lays the data the project ships (sample system themes, colour schemes,
// wallpapers) at their system paths inside the sandbox.
bool installSampleData();

// The window-manager commands received since the previous call, exactly as
// sent (each ends in "\n"). A marker command is sent and waited for first, so
// an empty result reliably means that nothing was sent.
QStringList takeWmCommands();

// Stops and restarts the window-manager listener (restarting appends to the
// same log). While it is stopped, sending a command fails.
void stopWmListener();
void startWmListener();

// A property of the root window of $DISPLAY, read over a connection of its own;
// empty when it is not set.
QByteArray rootWindowProperty(const QByteArray &name, QByteArray *typeName = nullptr, int *format = nullptr);

// Writes an executable script at programPath that appends
// "<programPath> <arguments>" to the sandbox's command log. When the
// environment has PEXO_TEST_RECORDER_OUTPUT_<name> (name: the program's file
// name with every character that is not a letter or digit turned into "_"),
// the script prints it; PEXO_TEST_RECORDER_EXIT_<name> gives its exit code.
bool installCommandRecorder(const QString &programPath);
// The lines logged by every recorder so far.
QStringList recordedCommands();

// Records D-Bus signals on a second, private session-bus connection.
class DBusSignalWatcher : public QObject
{
    Q_OBJECT
public:
    struct Signal
    {
        QString path;
        QString interface;
        QString member;
        QVariantList arguments;
    };

    DBusSignalWatcher();
    ~DBusSignalWatcher() override;

    // Subscribes and waits until the bus has the match rule.
    bool watch(const QString &path, const QString &interface, const QString &member);

    bool waitForCount(int count, int timeoutMs = 5000);
    const QList<Signal> &received() const;
    QStringList members() const;
    void clear();

private Q_SLOTS:
    void onSignal(const QDBusMessage &message);

private:
    QString m_name;
    QDBusConnection m_connection;
    QList<Signal> m_received;
};
} // namespace PexoTest

#endif
