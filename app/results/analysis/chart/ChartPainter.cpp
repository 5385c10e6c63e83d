#include "ChartPainter.h"

#include "ChartLayout.h"
#include "ChartSet.h"
#include "ChartStyle.h"
#include "ChartViewState.h"
#include "PanelPainter.h"
#include "TimeAxis.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstdint>

namespace {

// The charted frame of a 0-based frame of the measurement, or -1.
int SampleOf(std::int64_t frame, const ChartSet& charts, const TimeAxis& time) {
    const std::int64_t sample = frame - charts.firstFrame;
    return sample >= 0 && sample < time.Count() ? static_cast<int>(sample) : -1;
}

std::vector<int> EventSamples(const ChartSet& charts, const TimeAxis& time) {
    std::vector<int> samples;
    for (const int frame : charts.events) {
        const int sample = SampleOf(frame, charts, time);
        if (sample >= 0) samples.push_back(sample);
    }
    return samples;
}

} // namespace

void PaintCharts(QPainter& painter, QSize size, const ChartSet& charts,
                 const ChartViewState& state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ChartFont());
    painter.fillRect(QRect(QPoint(0, 0), size), ChartBackground());
    const int count = static_cast<int>(charts.panels.size());
    const std::vector<QRect> rects = PanelRects(size, count);
    const TimeAxis time(charts);
    const QFontMetrics metrics(painter.font());
    std::vector<ValueRange> ranges;
    std::vector<PlotMargins> margins;
    for (int i = 0; i < count; ++i) {
        ranges.push_back(PanelRange(charts, state, i));
        margins.push_back(PanelMargins(charts.panels[static_cast<std::size_t>(i)], ranges.back(),
                                       time, rects[static_cast<std::size_t>(i)].height(), metrics));
    }
    const PlotMargins aligned = AlignedMargins(margins);
    const std::vector<int> events = EventSamples(charts, time);
    const int current = state.currentFrame >= 0 ? SampleOf(state.currentFrame, charts, time) : -1;
    for (int i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        PaintPanel(painter, PanelScene{charts.panels[at], time, ranges[at], rects[at], aligned,
                                       i == state.selectedPanel, current, events});
    }
    painter.restore();
}
