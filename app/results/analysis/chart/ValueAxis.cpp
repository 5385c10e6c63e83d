#include "ValueAxis.h"

#include "ChartTicks.h"

double ValueTickStep(const ValueRange& range, int plotHeight, int textHeight) {
    const double span = range.upper - range.lower;
    if (!(span > 0)) return 0;
    const int lineHeight = textHeight + textHeight / 2;
    const int intervals = lineHeight > 0 ? plotHeight / lineHeight : 0;
    if (intervals < 1) return 2 * span;
    return NiceStep(span / intervals);
}

ValueAxis MakeValueAxis(const ValueRange& range, int plotHeight, int textHeight, int decimals) {
    ValueAxis axis;
    axis.range = range;
    axis.step = ValueTickStep(range, plotHeight, textHeight);
    for (const double value : TickValues(range.lower, range.upper, axis.step)) {
        if (LabelReadsBack(value, decimals, axis.step))
            axis.ticks.push_back({value, FormatValue(value, decimals)});
    }
    return axis;
}
