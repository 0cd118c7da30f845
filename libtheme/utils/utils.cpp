#include "utils.h"
#include "themedefaults.h"
#include "x11support.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>

#include <X11/Xlib.h>

bool Utils::updatePexoWmVariable(const QString &key, const QVariant &value)
{
    const QString valueText = value.toString();
    if (!PexoWm::isSafeText(key) || !PexoWm::isSafeText(valueText)) {
        return false;
    }
    return PexoWm::send(ThemeDefaults::wmUpdateVariableFormat.arg(key, valueText));
}

void Utils::updateQtSettingsStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    Display *dpy = PexoX11::display();
    if (!dpy) {
        return;
    }
    static Atom atom = 0;
    if (!atom) {
        const QString name = QStringLiteral("_QT_SETTINGS_TIMESTAMP_") + QString::fromLocal8Bit(XDisplayName(nullptr));
        atom = XInternAtom(dpy, name.toLatin1().constData(), False);
    }
    QByteArray stamp;
    QDataStream stream(&stamp, QIODevice::WriteOnly);
    stream << now;
    XChangeProperty(dpy, PexoX11::rootWindow(), atom, atom, 8, PropModeReplace, reinterpret_cast<const unsigned char *>(stamp.constData()), stamp.size());
    XFlush(dpy);
    if (QCoreApplication::instance()) {
        QCoreApplication::sendPostedEvents();
    }
}

QString Utils::stripQuotes(const QString &text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'))) {
        return text.mid(1, text.size() - 2);
    }
    return text;
}
