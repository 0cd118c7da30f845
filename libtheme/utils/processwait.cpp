#include "processwait.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

bool waitForFinishedRepainting(QProcess &process, int timeoutMs)
{
    if (process.state() == QProcess::NotRunning) {
        return false;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            loop.quit();
        }
    });
    timer.start(timeoutMs);
    // Finished or failed to start before the loop ran: nothing to wait for.
    if (process.state() != QProcess::NotRunning) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return process.state() == QProcess::NotRunning && process.error() != QProcess::FailedToStart;
}
