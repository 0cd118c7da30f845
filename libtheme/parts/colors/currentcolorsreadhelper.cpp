#include "currentcolorsreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"

namespace {
QString readEntry(const IThemeStorage &palette, const ThemeDefaults::Entry &entry)
{
    return palette.read(entry.key, entry.defaultValue).toString();
}
} // namespace

CurrentColorsReadHelper::CurrentColorsReadHelper(IThemeSettings *settings)
    : BaseColorsReadHelper(settings)
    , m_palette(new KConfigStorage(ThemeDefaults::paletteConfigPath))
{
}

CurrentColorsReadHelper::~CurrentColorsReadHelper() = default;

QString CurrentColorsReadHelper::readColorSchemePath()
{
    return readEntry(*m_palette, ThemeDefaults::ColorScheme);
}

QString CurrentColorsReadHelper::readPrimaryColor()
{
    return readEntry(*m_palette, ThemeDefaults::PrimaryColor);
}

QString CurrentColorsReadHelper::readBackgroundColor()
{
    return readEntry(*m_palette, ThemeDefaults::BackgroundColor);
}
