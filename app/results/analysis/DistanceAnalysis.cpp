#include "DistanceAnalysis.h"

#include "AnalysisMeasurement.h"
#include "ColumnSmoothing.h"
#include "CsvCells.h"
#include "NumberText.h"
#include "Prompter.h"
#include "TableText.h"
#include "TextLines.h"

#include <algorithm>
#include <cmath>

DistanceAnalysis::DistanceAnalysis(const AnalysisMeasurement& measurement,
                                   DistanceSettings settings)
    : measurement_(measurement), settings_(std::move(settings)) {}

DistanceSettings DistanceAnalysis::Initial(const AnalysisMeasurement& measurement) {
    return DistanceSettings{AnalysisRange::Initial(measurement), {}};
}

bool DistanceAnalysis::Validate(kova::Prompter& prompter) const {
    const bool targetsExist =
        std::all_of(settings_.pairs.begin(), settings_.pairs.end(), [this](const DistancePair& p) {
            return measurement_.HasTarget(p.first) && measurement_.HasTarget(p.second);
        });
    return measurement_.CheckFrames(Range(), prompter) &&
           AnalysisMeasurement::Require(targetsExist, "没有指定的目标。", prompter) &&
           AnalysisMeasurement::Require(Range().SmoothingValid(), "平滑异常。", prompter) &&
           AnalysisMeasurement::Require(!settings_.pairs.empty(), "请追加项目。", prompter) &&
           measurement_.CheckTimeBase(prompter);
}

bool DistanceAnalysis::Compute() {
    distances_.clear();
    sums_.clear();
    for (const DistancePair& pair : settings_.pairs) {
        if (!ComputePair(pair)) {
            distances_.clear();
            sums_.clear();
            return false;
        }
    }
    return true;
}

bool DistanceAnalysis::ComputePair(const DistancePair& pair) {
    const int n = Range().Length();
    const int unit = Range().lengthUnit;
    std::vector<double> series;
    for (int k = 0; k < n; ++k) {
        const int frame = Range().Frame(k);
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!measurement_.RealPoint(pair.first, frame, unit, &x1, &y1) ||
            !measurement_.RealPoint(pair.second, frame, unit, &x2, &y2))
            return false;
        series.push_back(std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1)));
    }
    ColumnSmoothing::SmoothFrom(&series, 0, Range().smoothing);
    double sum = 0.0;
    for (double d : series)
        sum += d;
    sums_.push_back(sum);
    distances_.insert(distances_.end(), series.begin(), series.end());
    return true;
}

double DistanceAnalysis::At(std::size_t pairPos, int k) const {
    return distances_[pairPos * static_cast<std::size_t>(Range().Length()) +
                      static_cast<std::size_t>(k)];
}

std::vector<std::string> DistanceAnalysis::TableLines() const {
    if (sums_.empty()) return {};
    TextLines text;
    const int pairs = static_cast<int>(settings_.pairs.size());
    const std::string rule = TableText::Rule(21 * pairs + 15);
    text.AddString(std::string(Title()) + "\n");
    text.AddString(rule);
    measurement_.AddSummary(&text);
    text.AddString("平滑次数, " + TableText::PrintfWhole(Range().smoothing, 8) + "\n");
    text.AddString("\n");
    text.AddString(rule);
    text.AddString("距离单位(" + AnalysisMeasurement::LengthName(Range().lengthUnit) + ")\n");
    std::string numbers = " 帧, " + std::string("   时间");
    std::string names = "    , " + TableText::Cell(measurement_.TimeUnitName(), 9);
    std::string average = " 平均, " + std::string(9, ' ');
    const int n = Range().Length();
    for (std::size_t p = 0; p < settings_.pairs.size(); ++p) {
        const DistancePair& pair = settings_.pairs[p];
        numbers += ", " + TableText::Cell(kova::FormatInt(pair.first + 1) + " - " +
                                              kova::FormatInt(pair.second + 1),
                                          19);
        names +=
            ", " + TableText::Cell(
                       measurement_.Name(pair.first) + " - " + measurement_.Name(pair.second), 19);
        average += ", " + TableText::Fixed3(sums_[p] / n, 19);
    }
    text.AddString(numbers + "\n");
    text.AddString(names + "\n");
    text.AddString(rule);
    for (int k = 0; k < n; ++k)
        text.AddString(RowText(k));
    text.AddString(rule);
    text.AddString(average + "\n");
    return text.Lines();
}

std::string DistanceAnalysis::RowText(int k) const {
    const int frame = Range().Frame(k);
    std::string row = TableText::Mark(measurement_.IsEvent(frame)) +
                      TableText::PrintfWhole(frame + 1, 4) + ", " +
                      TableText::PrintfFixed3(measurement_.FrameTime(frame), 9);
    for (std::size_t p = 0; p < settings_.pairs.size(); ++p)
        row += ", " + TableText::Fixed3(At(p, k), 19);
    return row + "\n";
}

kova::CsvTable DistanceAnalysis::Csv() const {
    kova::CsvTable csv;
    if (sums_.empty()) return csv;
    csv.header = {
        "frame",
        "target 1",
        "target 2",
        "name",
        CsvCells::Heading("time", measurement_.TimeUnitName()),
        CsvCells::Heading("distance", AnalysisMeasurement::LengthName(Range().lengthUnit))};
    for (int k = 0; k < Range().Length(); ++k) {
        const int frame = Range().Frame(k);
        for (std::size_t p = 0; p < settings_.pairs.size(); ++p) {
            const DistancePair& pair = settings_.pairs[p];
            csv.rows.push_back(
                {CsvCells::Whole(frame + 1), CsvCells::Whole(pair.first + 1),
                 CsvCells::Whole(pair.second + 1),
                 measurement_.Name(pair.first) + " - " + measurement_.Name(pair.second),
                 CsvCells::Number(measurement_.FrameTime(frame)), CsvCells::Number(At(p, k))});
        }
    }
    return csv;
}

ChartSet DistanceAnalysis::Charts() const {
    const int n = Range().Length();
    ChartSet set = measurement_.ChartFrame(Title(), Range().Frame(0), n);
    if (sums_.empty()) return set;
    set.csv = Csv();
    ChartPanel panel;
    panel.title = Title();
    panel.unit = AnalysisMeasurement::LengthName(Range().lengthUnit);
    for (std::size_t p = 0; p < settings_.pairs.size(); ++p) {
        ChartSeries series;
        series.colour = settings_.pairs[p].colour;
        series.style = settings_.pairs[p].style;
        for (int k = 0; k < n; ++k) {
            series.values.push_back(At(p, k));
            series.defined.push_back(true);
        }
        panel.series.push_back(std::move(series));
    }
    set.panels.push_back(std::move(panel));
    return set;
}
