#include "currentcursorapplyhelper.h"
#include "themedefaults.h"
#include "utils.h"
#include "x11support.h"

#include <X11/Xcursor/Xcursor.h>

#include <pexoicontheme.h>

#include <cstdlib>

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

    // Without these entries the X cursor library stops taking the theme and size
    // from them. The other entries go back as they were, not through the C
    // preprocessor.
    int status = std::system("xrdb -q | sed '/Xcursor.theme/d' | xrdb -nocpp -load");
    status = std::system("xrdb -q | sed '/Xcursor.size/d'  | xrdb -nocpp -load");
    Q_UNUSED(status)

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
