#include "ChartTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxDecimals = 10;

} // namespace

double NiceStep(double raw) {
    if (!(raw > 0) || !std::isfinite(raw)) return 0;
    const int start = static_cast<int>(std::log10(raw)) - 1;
    for (int k = start; k <= start + 3; ++k) {
        const double power = std::pow(10.0, k);
        for (const double factor : {1.0, 2.0, 5.0}) {
            const double step = factor * power;
            if (step >= raw) return std::isfinite(step) ? step : 0;
        }
    }
    return 0;
}

std::vector<double> TickValues(double lower, double upper, double step) {
    std::vector<double> ticks;
    if (!(step > 0) || !std::isfinite(step) || !(lower <= upper)) return ticks;
    const double first = std::ceil(lower / step);
    if (!std::isfinite(first)) return ticks;
    for (int i = 0; i < kMaxTicks; ++i) {
        const double value = (first + i) * step;
        if (!(value <= upper)) break;
        ticks.push_back(value + 0.0); // never a negative zero
    }
    return ticks;
}

std::string FormatValue(double value, int decimals) {
    const int digits = std::clamp(decimals, 0, kMaxDecimals);
    // A double in %f has at most 309 digits before the point.
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

bool LabelReadsBack(double value, int decimals, double step) {
    const double read = std::strtod(FormatValue(value, decimals).c_str(), nullptr);
    return std::fabs(read - value) < step / 10;
}
