#include "paletteguard.h"

#include <QApplication>

namespace {
const char schemePathProperty[] = "KDE_COLOR_SCHEME_PATH";
} // namespace

PaletteGuard::PaletteGuard()
    : m_palette(QApplication::palette())
    , m_schemePath(qApp->property(schemePathProperty))
{
}

PaletteGuard::~PaletteGuard()
{
    if (m_released) {
        return;
    }
    qApp->setProperty(schemePathProperty, m_schemePath);
    if (QApplication::palette() != m_palette) {
        QApplication::setPalette(m_palette);
    }
}

void PaletteGuard::release()
{
    m_released = true;
}
