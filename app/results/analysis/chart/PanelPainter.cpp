#include "PanelPainter.h"

#include "ChartSet.h"
#include "ChartStyle.h"
#include "TimeAxis.h"
#include "ValueAxis.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kTickLength = 4;
constexpr int kGap = 3;
// Points far outside the plot are pulled in so that no coordinate is huge.
constexpr double kFarOutside = 10000;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

int TextWidth(const QFontMetrics& metrics, const std::string& text) {
    return metrics.horizontalAdvance(Text(text));
}

int PlotHeight(int height, const QFontMetrics& metrics) {
    return height - 2 * metrics.height() - kTickLength - 3 * kGap;
}

int WidestTimeLabel(const TimeAxis& time, const QFontMetrics& metrics) {
    return std::max(TextWidth(metrics, time.Label(time.Lower())),
                    TextWidth(metrics, time.Label(time.Upper())));
}

// Maps axis values to pixels of the plot area.
class PlotMapping {
public:
    PlotMapping(const QRect& plot, const TimeAxis& time, const ValueRange& range)
        : plot_(plot), time_(time), range_(range) {}

    double X(double position) const {
        return Fit(plot_.left() +
                       Fraction(position, time_.Lower(), time_.Upper()) * (plot_.width() - 1),
                   plot_.left(), plot_.right());
    }
    double Y(double value) const {
        return Fit(plot_.bottom() -
                       Fraction(value, range_.lower, range_.upper) * (plot_.height() - 1),
                   plot_.top(), plot_.bottom());
    }
    double SampleX(int sample) const { return X(time_.Position(sample)); }

private:
    static double Fraction(double value, double lower, double upper) {
        const double span = upper - lower;
        return span > 0 ? (value - lower) / span : 0;
    }
    static double Fit(double pixel, int low, int high) {
        if (std::isnan(pixel)) return low - kFarOutside;
        return std::clamp(pixel, low - kFarOutside, high + kFarOutside);
    }

    QRect plot_;
    const TimeAxis& time_;
    ValueRange range_;
};

void PaintTitles(QPainter& painter, const PanelScene& scene, int textHeight) {
    painter.setPen(AxisPen());
    const QRect line(scene.rect.left() + kGap, scene.rect.top() + kGap,
                     scene.rect.width() - 2 * kGap, textHeight);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, Text(scene.panel.unit));
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, Text(scene.panel.title));
}

void PaintValueTicks(QPainter& painter, const PanelScene& scene, const QRect& plot,
                     const PlotMapping& map, int textHeight) {
    const ValueAxis axis =
        MakeValueAxis(scene.range, plot.height(), textHeight, scene.panel.decimals);
    for (const AxisTick& tick : axis.ticks) {
        const int y = static_cast<int>(std::lround(map.Y(tick.value)));
        painter.setPen(GridPen());
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(AxisPen());
        painter.drawLine(plot.left() - kTickLength, y, plot.left(), y);
        const QRect label(scene.rect.left(), y - textHeight / 2,
                          plot.left() - kTickLength - kGap - scene.rect.left(), textHeight);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, Text(tick.label));
    }
    if (SpansZero(scene.range)) {
        const int y = static_cast<int>(std::lround(map.Y(0)));
        painter.setPen(ZeroLinePen());
        painter.drawLine(plot.left(), y, plot.right(), y);
    }
}

void PaintTimeTicks(QPainter& painter, const PanelScene& scene, const QRect& plot,
                    const PlotMapping& map, const QFontMetrics& metrics) {
    const int labelWidth = WidestTimeLabel(scene.time, metrics);
    painter.setPen(AxisPen());
    for (const AxisTick& tick : scene.time.Ticks(plot.width(), labelWidth)) {
        const int x = static_cast<int>(std::lround(map.X(tick.value)));
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + kTickLength);
        const QRect label(x - labelWidth, plot.bottom() + kTickLength + 1, 2 * labelWidth,
                          metrics.height());
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, Text(tick.label));
    }
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
}

// Each run of defined values is one line; an undefined value breaks it.
void PaintSeries(QPainter& painter, const ChartSeries& series, int count, const PlotMapping& map) {
    painter.setPen(SeriesPen(series.colour, series.style));
    const int samples = std::min(count, static_cast<int>(series.values.size()));
    QPolygonF run;
    auto flush = [&] {
        if (run.size() == 1) painter.drawPoint(run.front());
        if (run.size() > 1) painter.drawPolyline(run);
        run.clear();
    };
    for (int k = 0; k < samples; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (!ValueDefined(series, i)) {
            flush();
            continue;
        }
        run.append(QPointF(map.SampleX(k), map.Y(series.values[i])));
    }
    flush();
}

void PaintFrameLine(QPainter& painter, const QRect& plot, const PlotMapping& map, int sample) {
    const int x = static_cast<int>(std::lround(map.SampleX(sample)));
    painter.drawLine(x, plot.top(), x, plot.bottom());
}

void PaintPlot(QPainter& painter, const PanelScene& scene, const QRect& plot,
               const PlotMapping& map) {
    painter.save();
    painter.setClipRect(plot);
    for (const ChartSeries& series : scene.panel.series)
        PaintSeries(painter, series, scene.time.Count(), map);
    painter.setPen(EventPen());
    for (const int sample : scene.eventSamples)
        PaintFrameLine(painter, plot, map, sample);
    if (scene.currentSample >= 0) {
        painter.setPen(AxisPen());
        PaintFrameLine(painter, plot, map, scene.currentSample);
    }
    painter.restore();
}

} // namespace

PlotMargins PanelMargins(const ChartPanel& panel, const ValueRange& range, const TimeAxis& time,
                         int height, const QFontMetrics& metrics) {
    const int textHeight = metrics.height();
    const ValueAxis axis =
        MakeValueAxis(range, PlotHeight(height, metrics), textHeight, panel.decimals);
    int widestValue = 0;
    for (const AxisTick& tick : axis.ticks)
        widestValue = std::max(widestValue, TextWidth(metrics, tick.label));
    PlotMargins margins;
    margins.left = widestValue + kTickLength + 2 * kGap;
    margins.top = textHeight + 2 * kGap;
    margins.right = WidestTimeLabel(time, metrics) / 2 + kGap;
    margins.bottom = textHeight + kTickLength + kGap;
    return margins;
}

void PaintPanel(QPainter& painter, const PanelScene& scene) {
    const QFontMetrics metrics(painter.font());
    PaintTitles(painter, scene, metrics.height());
    const QRect plot = PlotArea(scene.rect, scene.margins);
    if (plot.width() > 1 && plot.height() > 1) {
        const PlotMapping map(plot, scene.time, scene.range);
        PaintValueTicks(painter, scene, plot, map, metrics.height());
        PaintTimeTicks(painter, scene, plot, map, metrics);
        PaintPlot(painter, scene, plot, map);
    }
    if (scene.selected) {
        painter.setPen(SelectionPen());
        painter.drawRect(scene.rect.adjusted(0, 0, -1, -1));
    }
}
