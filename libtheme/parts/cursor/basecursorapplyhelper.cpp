#include "basecursorapplyhelper.h"
#include "ithemesettings.h"
#include "themedefaults.h"

BaseCursorApplyHelper::BaseCursorApplyHelper(IThemeSettings *settings)
    : m_settings(settings)
{
}

BaseCursorApplyHelper::~BaseCursorApplyHelper() = default;

bool BaseCursorApplyHelper::applyCurrentTheme(const QString &theme)
{
    return m_settings->write(ThemeDefaults::CursorTheme.key, theme) == IThemeSettings::Written;
}

bool BaseCursorApplyHelper::applySize(int size)
{
    return m_settings->write(ThemeDefaults::CursorSize.key, size) == IThemeSettings::Written;
}
