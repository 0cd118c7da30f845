#include "integritylevel.h"

#include <pexodirs.h>

#include "themecorelog.h"

#include <QProcess>
#include <QString>

namespace {
// An answer takes a moment; a tool that hangs counts as one that failed.
const int toolTimeoutMs = 10000;
} // namespace

bool isHighIntegrityLevel()
{
    const QString tool = QString::fromLocal8Bit(FindFileInPATH("trelk-id").c_str());
    if (tool.isEmpty()) {
        return false;
    }
    // Started directly: the path found is one argument, never split.
    QProcess process;
    process.start(tool, {QStringLiteral("--ilevel")}, QIODevice::ReadOnly);
    if (!process.waitForStarted()) {
        return false;
    }
    if (!process.waitForFinished(toolTimeoutMs)) {
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
