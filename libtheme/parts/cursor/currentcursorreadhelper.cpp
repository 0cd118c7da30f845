#include "currentcursorreadhelper.h"
#include "themedefaults.h"
#include "x11support.h"

#include <pexoicontheme.h>

CurrentCursorReadHelper::CurrentCursorReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

CurrentCursorReadHelper::~CurrentCursorReadHelper() = default;

QString CurrentCursorReadHelper::readCurrentTheme()
{
    const QString name = QString::fromUtf8(PexoIconTheme::getCurrentCursorThemeName(PexoX11::display()).c_str());
    return name.isEmpty() ? ThemeDefaults::CursorTheme.defaultValue : name;
}

int CurrentCursorReadHelper::readSize()
{
    return PexoIconTheme::getCurrentCursorThemeSize(nullptr);
}
