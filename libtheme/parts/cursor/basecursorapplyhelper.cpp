#include "basecursorapplyhelper.h"
#include "ithemesettings.h"
#include "partsettings.h"
#include "themedefaults.h"

BaseCursorApplyHelper::BaseCursorApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseCursorApplyHelper::~BaseCursorApplyHelper() = default;

bool BaseCursorApplyHelper::applyCurrentTheme(const QString &theme)
{
    return PartSettings::write(m_settings, ThemeDefaults::CursorTheme.key, theme);
}

bool BaseCursorApplyHelper::applySize(int size)
{
    return PartSettings::write(m_settings, ThemeDefaults::CursorSize.key, size);
}
