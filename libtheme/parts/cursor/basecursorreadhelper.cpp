#include "basecursorreadhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

#include <pexoicontheme.h>

BaseCursorReadHelper::BaseCursorReadHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseCursorReadHelper::~BaseCursorReadHelper() = default;

QString BaseCursorReadHelper::readCurrentTheme()
{
    return PartSettings::read(m_settings, ThemeDefaults::CursorTheme).toString();
}

int BaseCursorReadHelper::readSize()
{
    // The default goes in as text, so that a stored text that is no number reads as 0.
    const int liveSize = PexoIconTheme::getCurrentCursorThemeSize(nullptr);
    return m_settings->read(ThemeDefaults::CursorSize.key, QString::number(liveSize)).toInt();
}
