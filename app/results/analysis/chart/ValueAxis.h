#pragma once

#include "ValueRange.h"

#include <string>
#include <vector>

// A labelled tick of an axis.
struct AxisTick {
    double value = 0;
    std::string label;
};

// The value axis of one panel: its range, tick step and the ticks whose
// labels are drawn.
struct ValueAxis {
    ValueRange range;
    double step = 0;
    std::vector<AxisTick> ticks;
};

// The tick step for a plot `plotHeight` pixels high with text `textHeight`
// pixels high: as many intervals as fit one and a half text lines each, each
// 1, 2 or 5 times a power of ten; twice the range when none fits; 0 for
// equal bounds.
double ValueTickStep(const ValueRange& range, int plotHeight, int textHeight);

// The axis of `range` with its ticks labelled with `decimals` digits; ticks
// whose label does not read back close to their value are left out.
ValueAxis MakeValueAxis(const ValueRange& range, int plotHeight, int textHeight, int decimals);
