/*
    Internal: waits for a program run with QProcess on a window's thread.
    While it waits, the thread handles its events but user input: its
    windows keep repainting, and nothing the user does reaches them.
*/
#ifndef PROCESSWAIT_H
#define PROCESSWAIT_H

#include "pexotheme_export.h"

class QProcess;

// True when the process finished within the time, as
// QProcess::waitForFinished() tells it.
PEXOTHEME_EXPORT bool waitForFinishedRepainting(QProcess &process, int timeoutMs);

#endif
