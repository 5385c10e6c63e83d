#include "ScaleBar.h"

#include "CEasyUtils.h"

#include <cmath>
#include <cstdio>

namespace {

// The value at which a unit gives way to the next larger one.
double Limit(int unit) {
    if (unit == 3) return 10.0;  // mm
    if (unit == 4) return 100.0; // cm
    return 1000.0;
}

double RoundToOneDigit(double value) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(value)));
    return std::round(value / magnitude) * magnitude;
}

} // namespace

std::string ScaleBar::Label() const {
    std::string name;
    CEasyUtils::GetLongStr(&name, unit);
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text + name;
}

ScaleBar ScaleBar::For(double worth, int unit, int basePixels) {
    if (!std::isfinite(worth) || worth <= 0.0 || unit < 0 || unit > kLargestUnit) return {};
    double value = worth;
    while (unit < kLargestUnit && value >= Limit(unit)) {
        value = CEasyUtils::ConvLong(value, unit, unit + 1);
        ++unit;
    }
    while (unit > 0 && value < 1.0) {
        value = CEasyUtils::ConvLong(value, unit, unit - 1);
        --unit;
    }
    double rounded = RoundToOneDigit(value);
    // Truncated, with room for the unit conversions' rounding (4.0000001 um).
    const double pixels = std::trunc(basePixels * rounded / value * (1.0 + 1e-9));
    if (unit < kLargestUnit && rounded >= Limit(unit)) {
        rounded = CEasyUtils::ConvLong(rounded, unit, unit + 1);
        ++unit;
    }
    if (!(pixels >= 1.0)) return {};
    return ScaleBar{static_cast<int>(pixels), rounded, unit};
}
