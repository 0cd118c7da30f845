#ifndef PALETTEGUARD_H
#define PALETTEGUARD_H

#include <QPalette>
#include <QVariant>

// Keeps this application's palette and the colour-scheme path KDE records on
// it: whatever changes them while the guard lives (creating a
// KColorSchemeManager re-applies a scheme) is undone when it goes, unless
// release() was called.
class PaletteGuard
{
public:
    PaletteGuard();
    ~PaletteGuard();
    PaletteGuard(const PaletteGuard &) = delete;
    PaletteGuard &operator=(const PaletteGuard &) = delete;

    // Keeps the changes made since the guard was created.
    void release();

private:
    const QPalette m_palette;
    const QVariant m_schemePath;
    bool m_released = false;
};

#endif
