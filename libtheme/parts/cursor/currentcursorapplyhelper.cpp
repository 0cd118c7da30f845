#include "currentcursorapplyhelper.h"
#include "failedwrites.h"
#include "runprogram.h"
#include "themedefaults.h"
#include "utils.h"
#include "x11support.h"

#include <X11/Xcursor/Xcursor.h>

#include <pexodirs.h>
#include <pexoicontheme.h>

namespace {
// Where the core library keeps the session's cursor: a value it could not
// store there is a failed write of the save.
const QString cursorStateFile = QString::fromStdString(GetPexoDir(PexoSessionConfigDir)) + QStringLiteral("/cursor");

void noteUnless(bool stored)
{
    if (!stored) {
        FailedWrites::note(cursorStateFile);
    }
}

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
    const std::optional<QByteArray> resources = readProgramOutput("xrdb", {"-q"});
    if (!resources) {
        return;
    }
    QByteArrayList kept;
    const QByteArrayList lines = resources->split('\n');
    for (const QByteArray &line : lines) {
        if (!isCursorEntry(line)) {
            kept.append(line);
        }
    }
    writeProgramInput("xrdb", {"-nocpp", "-load"}, kept.join('\n'));
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
    noteUnless(PexoIconTheme::setCurrentCursorThemeName(name.constData()));
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
    noteUnless(PexoIconTheme::setCurrentCursorThemeSize(size));
    return Utils::updatePexoWmVariable(ThemeDefaults::CursorSize.key, size);
}
