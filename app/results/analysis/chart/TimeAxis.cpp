#include "TimeAxis.h"

#include "ChartSet.h"
#include "ChartTicks.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTimeDecimals = 2;

int SampleCount(const ChartSet& charts) {
    if (!charts.times.empty()) return static_cast<int>(charts.times.size());
    std::size_t count = 0;
    for (const ChartPanel& panel : charts.panels) {
        for (const ChartSeries& series : panel.series)
            count = std::max(count, series.values.size());
    }
    return static_cast<int>(std::min<std::size_t>(count, 1u << 30));
}

} // namespace

TimeAxis::TimeAxis(const ChartSet& charts) : times_(charts.times), count_(SampleCount(charts)) {
    const bool allFinite =
        std::all_of(times_.begin(), times_.end(), [](double t) { return std::isfinite(t); });
    if (count_ >= 2 && allFinite && !times_.empty()) {
        const auto [low, high] = std::minmax_element(times_.begin(), times_.end());
        if (*low < *high && std::isfinite(*high - *low)) {
            offsets_ = false;
            lower_ = *low;
            upper_ = *high;
            return;
        }
    }
    // One frame is widened by one frame time, which is 1 in frame offsets.
    lower_ = 0;
    upper_ = std::max(count_ - 1, 1);
}

double TimeAxis::Position(int sample) const {
    return offsets_ ? sample : times_[static_cast<std::size_t>(sample)];
}

std::string TimeAxis::Label(double value) const {
    return FormatValue(value, offsets_ ? 0 : kTimeDecimals);
}

std::vector<AxisTick> TimeAxis::Ticks(int plotWidth, int labelWidth) const {
    const int spacing = std::max(1, labelWidth + labelWidth / 2);
    const int intervals = std::max(1, plotWidth / spacing);
    double step = NiceStep((upper_ - lower_) / intervals);
    if (offsets_) step = std::max(step, 1.0);
    std::vector<AxisTick> ticks;
    const int decimals = offsets_ ? 0 : kTimeDecimals;
    for (const double value : TickValues(lower_, upper_, step)) {
        if (LabelReadsBack(value, decimals, step)) ticks.push_back({value, Label(value)});
    }
    return ticks;
}
