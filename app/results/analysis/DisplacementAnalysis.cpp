#include "DisplacementAnalysis.h"

#include "AnalysisMeasurement.h"
#include "ColumnSmoothing.h"
#include "CsvCells.h"
#include "NumberText.h"
#include "Prompter.h"
#include "TableText.h"
#include "TextLines.h"

#include <cmath>

namespace {

const char* const kItemNames[] = {"X", "Y", "绝对值"};
const char* const kHeadings[] = {"           X", "           Y", "      绝对值"};
const char* const kCsvNames[] = {"dx", "dy", "magnitude"};

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
    DisplacementSettings s{AnalysisRange::Initial(measurement)};
    s.range.items = {0, 1, 2};
    s.referenceFrame = s.range.lower;
    return s;
}

bool DisplacementAnalysis::Validate(kova::Prompter& prompter) const {
    const AnalysisRange& r = Range();
    const bool frameMode = settings_.reference == ReferenceMode::Frame;
    const bool frameInRange =
        settings_.referenceFrame >= r.lower && settings_.referenceFrame <= r.upper;
    // A reference target the measurement does not have (none chosen, or
    // removed by a correction) is an item not chosen.
    const bool targetMissing = settings_.reference == ReferenceMode::Target &&
                               !measurement_.HasTarget(settings_.referenceTarget);
    return measurement_.CheckFrames(r, prompter) &&
           AnalysisMeasurement::Require(!r.targets.empty() && !r.items.empty() && !targetMissing,
                                        "请选择项目。", prompter) &&
           AnalysisMeasurement::Require(!frameMode || frameInRange, "基准帧异常。", prompter) &&
           AnalysisMeasurement::Require(r.SmoothingValid(), "平滑异常。", prompter) &&
           measurement_.CheckTimeBase(prompter);
}

bool DisplacementAnalysis::Reference(int target, int frame, double* x, double* y) const {
    const int unit = Range().lengthUnit;
    switch (settings_.reference) {
    case ReferenceMode::Frame:
        return measurement_.RealPoint(target, settings_.referenceFrame - 1, unit, x, y);
    case ReferenceMode::Position:
        measurement_.Calibration().ToReal(settings_.referenceX, settings_.referenceY, unit, x, y);
        return true;
    case ReferenceMode::Target:
        return measurement_.RealPoint(settings_.referenceTarget, frame, unit, x, y);
    }
    return false;
}

bool DisplacementAnalysis::Compute() {
    records_.clear();
    if (!Range().HasItemsBelow(kItemCount)) return false;
    for (int target : Range().targets) {
        if (!ComputeTarget(target)) {
            records_.clear();
            return false;
        }
    }
    return true;
}

bool DisplacementAnalysis::ComputeTarget(int target) {
    const int n = Range().Length();
    std::vector<double> columns[3];
    for (int k = 0; k < n; ++k) {
        const int frame = Range().Frame(k);
        double x = 0, y = 0, rx = 0, ry = 0;
        if (!Reference(target, frame, &rx, &ry)) return false;
        if (!measurement_.RealPoint(target, frame, Range().lengthUnit, &x, &y)) return false;
        const double dx = x - rx;
        const double dy = y - ry;
        columns[0].push_back(dx);
        columns[1].push_back(dy);
        columns[2].push_back(std::sqrt(dx * dx + dy * dy));
    }
    // The absolute value is smoothed as its own series.
    for (std::vector<double>& column : columns)
        ColumnSmoothing::SmoothFrom(&column, 0, Range().smoothing);
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        records_.push_back({columns[0][i], columns[1][i], columns[2][i]});
    }
    return true;
}

const DisplacementRecord& DisplacementAnalysis::At(std::size_t targetPos, int k) const {
    return records_[targetPos * static_cast<std::size_t>(Range().Length()) +
                    static_cast<std::size_t>(k)];
}

std::string DisplacementAnalysis::TitleLine() const {
    const std::string title = Title();
    if (settings_.reference == ReferenceMode::Frame)
        return title + " (基准帧 " + kova::FormatInt(settings_.referenceFrame) + ")\n";
    if (settings_.reference == ReferenceMode::Target)
        return title + " (基准目标 " + kova::FormatInt(settings_.referenceTarget + 1) + ")\n";
    return title + " (基准位置 " + kova::FormatInt(settings_.referenceX) + ", " +
           kova::FormatInt(settings_.referenceY) + ")\n";
}

std::vector<std::string> DisplacementAnalysis::TableLines() const {
    if (records_.empty()) return {};
    TextLines text;
    const int items = static_cast<int>(Range().items.size());
    text.AddString(TitleLine());
    text.AddString(TableText::Rule(14 * items + 31));
    measurement_.AddSummary(&text);
    text.AddString("平滑次数        , " + TableText::PrintfWhole(Range().smoothing, 8) + "\n");
    text.AddString("\n");
    std::vector<std::string> lines = text.Lines();
    const std::size_t targets = Range().targets.size();
    const int n = Range().Length();
    if (Range().grouping == Grouping::ByFrame) {
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
    const std::string rule = TableText::Rule(14 * static_cast<int>(Range().items.size()) + 31);
    std::string heading =
        "   帧, " + std::string("  ID") + ", " + "     时间" + ", " + TableText::Cell("名称", 8);
    std::string units = "     , " + std::string("    ") + ", " +
                        TableText::Cell(measurement_.TimeUnitName(), 9) + ", " +
                        std::string(8, ' ');
    const std::string length =
        TableText::Cell(AnalysisMeasurement::LengthName(Range().lengthUnit), 12);
    for (int item : Range().items) {
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
    const int target = Range().targets[targetPos];
    const int frame = Range().Frame(k);
    std::string row = TableText::Mark(measurement_.IsEvent(frame)) +
                      TableText::PrintfWhole(frame + 1, 4) + ", " +
                      TableText::PrintfWhole(target + 1, 4) + ", " +
                      TableText::PrintfFixed3(measurement_.FrameTime(frame), 9) + ", " +
                      TableText::Cell(measurement_.Name(target), 8);
    for (int item : Range().items)
        row += ", " + TableText::Fixed3(Value(At(targetPos, k), item), 12);
    return row + "\n";
}

kova::CsvTable DisplacementAnalysis::Csv() const {
    kova::CsvTable csv;
    if (records_.empty()) return csv;
    csv.header = {"frame", "target", "name",
                  CsvCells::Heading("time", measurement_.TimeUnitName())};
    const std::string length = AnalysisMeasurement::LengthName(Range().lengthUnit);
    for (int item : Range().items)
        csv.header.push_back(CsvCells::Heading(kCsvNames[item], length));
    for (const auto& [t, k] : Range().RowOrder())
        csv.rows.push_back(CsvRow(t, k));
    return csv;
}

std::vector<std::string> DisplacementAnalysis::CsvRow(std::size_t targetPos, int k) const {
    const int target = Range().targets[targetPos];
    const int frame = Range().Frame(k);
    std::vector<std::string> row = {CsvCells::Whole(frame + 1), CsvCells::Whole(target + 1),
                                    measurement_.Name(target),
                                    CsvCells::Number(measurement_.FrameTime(frame))};
    for (int item : Range().items)
        row.push_back(CsvCells::Number(Value(At(targetPos, k), item)));
    return row;
}

ChartSet DisplacementAnalysis::Charts() const {
    const int n = Range().Length();
    ChartSet set = measurement_.ChartFrame(Title(), Range().Frame(0), n);
    if (records_.empty()) return set;
    set.csv = Csv();
    for (int item : Range().items) {
        ChartPanel panel;
        panel.title = kItemNames[item];
        panel.unit = AnalysisMeasurement::LengthName(Range().lengthUnit);
        for (std::size_t t = 0; t < Range().targets.size(); ++t) {
            ChartSeries series;
            series.colour = measurement_.Colour(Range().targets[t]);
            series.style = measurement_.Style(Range().targets[t]);
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
