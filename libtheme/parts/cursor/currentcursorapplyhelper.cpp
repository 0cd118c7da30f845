#include "currentcursorapplyhelper.h"
#include "themedefaults.h"
#include "utils.h"
#include "x11support.h"

#include <QProcess>

#include <X11/Xcursor/Xcursor.h>

#include <pexoicontheme.h>

namespace {
bool isCursorEntry(const QByteArray &line)
{
    // What the patterns Xcursor.theme and Xcursor.size match.
    for (int at = line.indexOf("Xcursor"); at >= 0; at = line.indexOf("Xcursor", at + 1)) {
        const QByteArray rest = line.mid(at + 8);
        if (rest.startsWith("theme") || rest.startsWith("size")) {
            return true;
        }
    }
    return false;
}

// Without these entries the X cursor library stops taking the theme and size
// from them. The other entries go back as they were, not through the C
// preprocessor: one query and one load for both entries.
void dropCursorResources()
{
    QProcess query;
    query.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    query.start(QStringLiteral("xrdb"), {QStringLiteral("-q")}, QIODevice::ReadOnly);
    if (!query.waitForStarted()) {
        return;
    }
    query.waitForFinished(-1);
    QByteArrayList kept;
    const QByteArrayList lines = query.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (!isCursorEntry(line)) {
            kept.append(line);
        }
    }

    QProcess load;
    load.setProcessChannelMode(QProcess::ForwardedChannels);
    load.start(QStringLiteral("xrdb"), {QStringLiteral("-nocpp"), QStringLiteral("-load")});
    if (!load.waitForStarted()) {
        return;
    }
    load.write(kept.join('\n'));
    load.closeWriteChannel();
    load.waitForFinished(-1);
}
} // namespace

CurrentCursorApplyHelper::CurrentCursorApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentCursorApplyHelper::~CurrentCursorApplyHelper() = default;

bool CurrentCursorApplyHelper::applyCurrentTheme(const QString &theme)
{
    const QByteArray name = theme.toLocal8Bit();
    PexoIconTheme::setCurrentCursorThemeName(name.constData());
    if (!Utils::updatePexoWmVariable(ThemeDefaults::CursorTheme.key, theme)) {
        return false;
    }

    dropCursorResources();

    if (Display *display = PexoX11::display()) {
        XcursorSetTheme(display, name.constData());
    }
    return true;
}

bool CurrentCursorApplyHelper::applySize(int size)
{
    PexoIconTheme::setCurrentCursorThemeSize(size);
    return Utils::updatePexoWmVariable(ThemeDefaults::CursorSize.key, size);
}
