#include "pexocolors.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace {
std::string nameOf(const QColor &color)
{
    return color.name().toStdString();
}

QColor blend(const QColor &from, const QColor &to, double amount)
{
    amount = std::clamp(amount, 0.0, 1.0);
    const auto mix = [amount](int a, int b) {
        return int(std::lround(a + (b - a) * amount));
    };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

std::string CreateShadeColor(const char *color, double factor)
{
    const QColor base(QString::fromUtf8(color ? color : ""));
    if (!base.isValid()) {
        return std::string();
    }
    if (factor > 0) {
        return nameOf(blend(base, Qt::white, factor));
    }
    if (factor < 0) {
        return nameOf(blend(base, Qt::black, -factor));
    }
    return nameOf(base);
}

std::map<std::string, std::string> CreateShadeColors(const char *color)
{
    std::map<std::string, std::string> shades;
    if (!QColor(QString::fromUtf8(color ? color : "")).isValid()) {
        return shades;
    }
    for (int n = 100; n <= 900; n += 100) {
        const std::string shade = CreateShadeColor(color, (500 - n) / 500.0);
        shades["color" + std::to_string(n)] = shade;
        shades[std::to_string(n)] = shade;
    }
    return shades;
}

std::string GetPrimaryDarkColor(const char *color, bool strong)
{
    return CreateShadeColor(color, strong ? -0.3 : -0.15);
}

std::string textColorFor(const char *color)
{
    const QColor c(QString::fromUtf8(color ? color : ""));
    if (!c.isValid()) {
        return "#FFFFFF";
    }
    const double luminance = 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
    return luminance > 0.5 ? "#000000" : "#FFFFFF";
}
