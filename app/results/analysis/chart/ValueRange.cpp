#include "ValueRange.h"

#include "ChartSet.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// 10 to the power `exponent`, applied by division for negative exponents so
// that 4 × 10^-1 is exactly 0.4.
double ScaleByPowerOfTen(double value, int exponent) {
    return exponent < 0 ? value / std::pow(10.0, -exponent) : value * std::pow(10.0, exponent);
}

// Equal bounds become a range around them: [0, 1] at zero, a tenth of the
// value either side elsewhere (1 either side when that is too small to tell).
ValueRange Widened(double value) {
    if (value == 0) return {0, 1};
    const double margin = std::fabs(value) / 10;
    if (value - margin < value + margin) return {value - margin, value + margin};
    return {value - 1, value + 1};
}

} // namespace

bool ValueDefined(const ChartSeries& series, std::size_t i) {
    return i < series.values.size() && i < series.defined.size() && series.defined[i] &&
           std::isfinite(series.values[i]);
}

double RoundUpOneDigit(double bound) {
    if (!(bound > 0) || !std::isfinite(bound)) return bound;
    const int exponent = static_cast<int>(std::ceil(std::log10(bound))) - 1;
    const double units = ScaleByPowerOfTen(bound, -exponent);
    const double whole = std::round(units);
    if (std::fabs(units - whole) <= 1e-9 * whole) return bound;
    const double rounded = ScaleByPowerOfTen(std::floor(units) + 1, exponent);
    return std::isfinite(rounded) ? rounded : bound;
}

ValueRange AutomaticRange(const ChartPanel& panel) {
    double lower = std::numeric_limits<double>::infinity();
    double upper = -lower;
    for (const ChartSeries& series : panel.series) {
        for (std::size_t i = 0; i < series.values.size(); ++i) {
            if (!ValueDefined(series, i)) continue;
            lower = std::min(lower, series.values[i]);
            upper = std::max(upper, series.values[i]);
        }
    }
    if (lower > upper) return {0, 1};
    lower = -RoundUpOneDigit(-std::min(lower, 0.0));
    upper = RoundUpOneDigit(std::max(upper, 0.0));
    if (lower == upper) return Widened(lower);
    return {lower, upper};
}

std::optional<ValueRange> FixedRange(double first, double second) {
    if (!std::isfinite(first) || !std::isfinite(second)) return std::nullopt;
    if (first == second) return Widened(first);
    return ValueRange{std::min(first, second), std::max(first, second)};
}

bool SpansZero(const ValueRange& range) {
    return range.lower < 0 && range.upper >= 0;
}
