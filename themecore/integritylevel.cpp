#include "integritylevel.h"

#include <pexodirs.h>

#include <QProcess>
#include <QString>

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
    process.waitForFinished(-1);
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (line.contains("63") || line.contains("127")) {
            return true;
        }
    }
    return false;
}
