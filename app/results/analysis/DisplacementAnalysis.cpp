#include "DisplacementAnalysis.h"

#include "AnalysisMeasurement.h"
#include "CEasyUtils.h"
#include "ColumnSmoothing.h"
#include "NumberText.h"
#include "Prompter.h"
#include "TableText.h"
#include "TextLines.h"

#include <cmath>

namespace {

const char* const kItemNames[] = {"X", "Y", "绝对值"};
const char* const kHeadings[] = {"           X", "           Y", "      绝对值"};

double Value(const DisplacementRecord& r, int item) {
    return item == 0 ? r.dx : item == 1 ? r.dy : r.absolute;
}

} // namespace

DisplacementAnalysis::DisplacementAnalysis(const AnalysisMeasurement& measurement,
                                           DisplacementSettings settings)
    : measurement_(measurement), settings_(std::move(settings)) {}

const char* DisplacementAnalysis::ItemName(int item) {
    return item >= 0 && item < kItemCount ? kItemNames[item] : "";
}

DisplacementSettings DisplacementAnalysis::Initial(const AnalysisMeasurement& measurement) {
    DisplacementSettings s;
    s.lower = measurement.Frames() > 0 ? 1 : 0;
    s.upper = measurement.Frames();
    for (int t = 0; t < measurement.Targets(); ++t)
        s.targets.push_back(t);
    s.items = {0, 1, 2};
    s.lengthUnit = measurement.Calibration().LengthUnit();
    s.referenceFrame = s.lower;
    return s;
}

bool DisplacementAnalysis::Validate(kova::Prompter& prompter) const {
    if (!measurement_.CheckOpen(prompter)) return false;
    if (!measurement_.CheckRange(settings_.lower, settings_.upper, prompter)) return false;
    if (settings_.targets.empty() || settings_.items.empty()) {
        AnalysisMeasurement::Refuse(prompter, "请选择项目。");
        return false;
    }
    if (settings_.referenceMode == 0 && (settings_.referenceFrame < settings_.lower ||
                                         settings_.referenceFrame > settings_.upper)) {
        AnalysisMeasurement::Refuse(prompter, "基准帧异常。");
        return false;
    }
    if (settings_.smoothing < 0) {
        AnalysisMeasurement::Refuse(prompter, "平滑异常。");
        return false;
    }
    // A reference target the measurement does not have (none chosen, or
    // removed by a correction) would make every row meaningless.
    if (settings_.referenceMode == 2 && !measurement_.HasTarget(settings_.referenceTarget)) {
        AnalysisMeasurement::Refuse(prompter, "没有指定的目标。");
        return false;
    }
    return measurement_.CheckTimeBase(prompter);
}

bool DisplacementAnalysis::Reference(int target, int frame, double* x, double* y) const {
    const int unit = settings_.lengthUnit;
    switch (settings_.referenceMode) {
    case 0:
        return measurement_.RealPoint(target, settings_.referenceFrame - 1, unit, x, y);
    case 1:
        measurement_.Calibration().ToReal(settings_.referenceX, settings_.referenceY, unit, x, y);
        return true;
    case 2:
        return measurement_.RealPoint(settings_.referenceTarget, frame, unit, x, y);
    default:
        return false;
    }
}

bool DisplacementAnalysis::Compute() {
    records_.clear();
    for (int item : settings_.items)
        if (item < 0 || item >= kItemCount) return false;
    for (int target : settings_.targets) {
        if (!ComputeTarget(target)) {
            records_.clear();
            return false;
        }
    }
    return true;
}

bool DisplacementAnalysis::ComputeTarget(int target) {
    const int n = RangeLength();
    std::vector<double> columns[3];
    for (int k = 0; k < n; ++k) {
        const int frame = settings_.lower - 1 + k;
        double x = 0, y = 0, rx = 0, ry = 0;
        if (!Reference(target, frame, &rx, &ry)) return false;
        if (!measurement_.RealPoint(target, frame, settings_.lengthUnit, &x, &y)) return false;
        const double dx = x - rx;
        const double dy = y - ry;
        columns[0].push_back(dx);
        columns[1].push_back(dy);
        columns[2].push_back(std::sqrt(dx * dx + dy * dy));
    }
    // The absolute value is smoothed as its own series.
    for (std::vector<double>& column : columns)
        ColumnSmoothing::SmoothFrom(&column, 0, settings_.smoothing);
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        records_.push_back({columns[0][i], columns[1][i], columns[2][i]});
    }
    return true;
}

const DisplacementRecord& DisplacementAnalysis::At(std::size_t targetPos, int k) const {
    return records_[targetPos * static_cast<std::size_t>(RangeLength()) +
                    static_cast<std::size_t>(k)];
}

std::string DisplacementAnalysis::TitleLine() const {
    const std::string title = Title();
    if (settings_.referenceMode == 0)
        return title + " (基准帧 " + kova::FormatInt(settings_.referenceFrame) + ")\n";
    if (settings_.referenceMode == 2)
        return title + " (基准目标 " + kova::FormatInt(settings_.referenceTarget + 1) + ")\n";
    return title + " (基准位置 " + kova::FormatInt(settings_.referenceX) + ", " +
           kova::FormatInt(settings_.referenceY) + ")\n";
}

std::vector<std::string> DisplacementAnalysis::TableLines() const {
    if (records_.empty()) return {};
    TextLines text;
    const int items = static_cast<int>(settings_.items.size());
    text.AddString(TitleLine());
    text.AddString(TableText::Rule(14 * items + 31));
    measurement_.AddSummary(&text);
    text.AddString("平滑次数        , " + TableText::PrintfWhole(settings_.smoothing, 8) + "\n");
    text.AddString("\n");
    std::vector<std::string> lines = text.Lines();
    const std::size_t targets = settings_.targets.size();
    const int n = RangeLength();
    if (settings_.grouping == 0) {
        for (int k = 0; k < n; ++k)
            AddBlock(&lines, 0, targets, k, k + 1);
    } else {
        for (std::size_t t = 0; t < targets; ++t)
            AddBlock(&lines, t, t + 1, 0, n);
    }
    return lines;
}

void DisplacementAnalysis::AddBlock(std::vector<std::string>* lines, std::size_t firstTarget,
                                    std::size_t endTarget, int firstK, int endK) const {
    const std::string rule = TableText::Rule(14 * static_cast<int>(settings_.items.size()) + 31);
    std::string heading =
        "   帧, " + std::string("  ID") + ", " + "     时间" + ", " + TableText::Cell("名称", 8);
    std::string units = "     , " + std::string("    ") + ", " +
                        TableText::Cell(measurement_.TimeUnitName(), 9) + ", " +
                        std::string(8, ' ');
    const std::string length =
        TableText::Cell(AnalysisMeasurement::LengthName(settings_.lengthUnit), 12);
    for (int item : settings_.items) {
        heading += std::string(", ") + kHeadings[item];
        units += ", " + length;
    }
    lines->push_back(rule);
    lines->push_back(heading + "\n");
    lines->push_back(units + "\n");
    lines->push_back(rule);
    // By frame: the targets of one frame; by target: the frames of one target.
    for (int k = firstK; k < endK; ++k)
        for (std::size_t t = firstTarget; t < endTarget; ++t)
            lines->push_back(RowText(t, k));
}

std::string DisplacementAnalysis::RowText(std::size_t targetPos, int k) const {
    const int target = settings_.targets[targetPos];
    const int frame = settings_.lower - 1 + k;
    std::string row = TableText::Mark(measurement_.IsEvent(frame)) +
                      TableText::PrintfWhole(frame + 1, 4) + ", " +
                      TableText::PrintfWhole(target + 1, 4) + ", " +
                      TableText::PrintfFixed3(measurement_.FrameTime(frame), 9) + ", " +
                      TableText::Cell(measurement_.Name(target), 8);
    for (int item : settings_.items)
        row += ", " + TableText::Fixed3(Value(At(targetPos, k), item), 12);
    return row + "\n";
}

ChartSet DisplacementAnalysis::Charts() const {
    const int n = RangeLength();
    ChartSet set = measurement_.ChartFrame(Title(), settings_.lower - 1, n);
    if (records_.empty()) return set;
    for (int item : settings_.items) {
        ChartPanel panel;
        panel.title = kItemNames[item];
        panel.unit = AnalysisMeasurement::LengthName(settings_.lengthUnit);
        for (std::size_t t = 0; t < settings_.targets.size(); ++t) {
            ChartSeries series;
            series.colour = measurement_.Colour(settings_.targets[t]);
            series.style = measurement_.Style(settings_.targets[t]);
            for (int k = 0; k < n; ++k) {
                series.values.push_back(Value(At(t, k), item));
                series.defined.push_back(true);
            }
            panel.series.push_back(std::move(series));
        }
        set.panels.push_back(std::move(panel));
    }
    return set;
}
