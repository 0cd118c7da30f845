#include "pexointegration.h"

#include <QGuiApplication>
#include <QScreen>

double pexoDpiScaled(double value)
{
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen || screen->logicalDotsPerInch() <= 0) {
        return value;
    }
    return value * screen->logicalDotsPerInch() / 96.0;
}
