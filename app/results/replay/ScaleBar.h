#pragma once

#include <string>

// A scale bar of the result video: a bar of `pixels` image pixels worth
// `value` of length unit `unit` (0 "pm" .. 6 "km"), the value rounded to one
// significant digit and moved to the unit that shows it best.
struct ScaleBar {
    int pixels = 0; // 0: no bar
    double value = 0.0;
    int unit = 0;

    bool Shown() const { return pixels > 0; }
    // "%.0f%s": the value and the unit's name.
    std::string Label() const;

    // The bar for `basePixels` pixels worth `worth` in `unit`: the value is
    // moved to the next larger unit while it reaches that unit's limit (1000;
    // 10 for "mm", 100 for "cm") and to the next smaller one while it is
    // below 1, both stopping at the last unit; rounded to one significant
    // digit (moving up a unit when the rounding reaches the limit); the bar
    // shortened or lengthened by the rounding. No bar for a worth that is
    // not a positive finite number or a unit outside the table.
    static ScaleBar For(double worth, int unit, int basePixels = kBasePixels);

    static constexpr int kBasePixels = 50;
    static constexpr int kLargestUnit = 6;
};
