#pragma once

#include <cstddef>
#include <optional>

struct ChartPanel;
struct ChartSeries;

// The value range of a chart panel, lower ≤ upper.
struct ValueRange {
    double lower = 0;
    double upper = 1;

    bool operator==(const ValueRange& other) const {
        return lower == other.lower && upper == other.upper;
    }
};

// Whether value `i` of a series is drawn: flagged defined and a finite
// number (infinities and NaN count as undefined).
bool ValueDefined(const ChartSeries& series, std::size_t i);

// A bound above zero rounded up to one significant digit (37 → 40,
// 0.37 → 0.4, 100 stays); a bound that would overflow stays.
double RoundUpOneDigit(double bound);

// The automatic range of a panel: the smallest and largest defined finite
// value of all its series, widened to include 0 and rounded outwards to one
// significant digit (-37 → -40). No defined value gives [0, 1]; equal bounds
// are widened.
ValueRange AutomaticRange(const ChartPanel& panel);

// A range fixed by the user: the two values in order, equal ones widened;
// nothing when either is not a finite number.
std::optional<ValueRange> FixedRange(double first, double second);

// Whether the range spans zero, so that a line is drawn at 0.
bool SpansZero(const ValueRange& range);
