#include "integritylevel.h"

#include <pexodirs.h>

#include "themecorelog.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>

#include <algorithm>

// An answer takes a moment; a tool that hangs counts as one that failed.
bool isHighIntegrityLevel(int patienceMs)
{
    const QString tool = QString::fromLocal8Bit(FindFileInPATH("trelk-id").c_str());
    if (tool.isEmpty()) {
        return false;
    }
    // Started directly: the path found is one argument, never split.
    QProcess process;
    process.start(tool, {QStringLiteral("--ilevel")}, QIODevice::ReadOnly);
    const QDeadlineTimer deadline(patienceMs);
    if (!process.waitForStarted(patienceMs)) {
        return false;
    }
    if (!process.waitForFinished(int(std::max<qint64>(deadline.remainingTime(), 0)))) {
        if (process.state() != QProcess::NotRunning) {
            qCWarning(THEME_CORE_LOG) << tool << "did not finish in time";
            process.kill();
            process.waitForFinished();
        }
        return false;
    }
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (line.contains("63") || line.contains("127")) {
            return true;
        }
    }
    return false;
}
