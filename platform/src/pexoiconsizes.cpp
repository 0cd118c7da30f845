#include "pexoicontheme.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int BaseDpi = 96;

int scaled(int size, int dpi)
{
    const double value = std::round(double(size) * std::max(dpi, BaseDpi) / BaseDpi);
    return static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}
} // namespace

int PexoIconTheme::GetIconSizeForDPI(int dpi, int kind)
{
    switch (kind) {
    case 0:
        return scaled(24, dpi);
    case 1:
        return scaled(32, dpi);
    default:
        return 0;
    }
}

int PexoIconTheme::GetFrameTitleSizeForDPI(int dpi, int base)
{
    return scaled(base, dpi);
}

int PexoIconTheme::GetFrameBorderSizeForDPI(int dpi, int base)
{
    return scaled(base, dpi);
}
