#include "PositionAnalysis.h"

#include "AnalysisMeasurement.h"
#include "ColumnSmoothing.h"
#include "CsvCells.h"
#include "NumberText.h"
#include "Prompter.h"
#include "TableText.h"
#include "TextLines.h"

#include <cmath>

namespace {

const char* const kItemNames[] = {"坐标 X", "坐标 Y", "移动距离", "速度", "加速度", "错误序号"};
const char* const kHeadings[] = {"     (坐标X)", "     (坐标Y)", "  (移动距离)",
                                 "      (速度)", "    (加速度)", "   (错误序号)"};
constexpr int kErrorItem = 5;

using Row = std::pair<std::size_t, int>; // (position in the target list, frame of the range)

// Whether an item has a value at range position k: distance and speed from
// the second frame, acceleration from the third.
bool Defined(int item, int k) {
    if (item == 2 || item == 3) return k >= 1;
    if (item == 4) return k >= 2;
    return true;
}

double Value(const PositionRecord& r, int item) {
    switch (item) {
    case 0:
        return r.x;
    case 1:
        return r.y;
    case 2:
        return r.distance;
    case 3:
        return r.speed;
    case 4:
        return r.acceleration;
    default:
        return r.status;
    }
}

std::string UnitOf(int item, const std::string& length, const std::string& time) {
    if (item <= 2) return length;
    if (item == 3) return length + "/" + time;
    if (item == 4) return length + "/" + time + "/" + time;
    return std::string();
}

std::vector<double> Column(const std::vector<PositionRecord>& records, std::size_t first, int count,
                           double PositionRecord::*field) {
    std::vector<double> column;
    for (int k = 0; k < count; ++k)
        column.push_back(records[first + static_cast<std::size_t>(k)].*field);
    return column;
}

void Store(std::vector<PositionRecord>* records, std::size_t first,
           const std::vector<double>& column, double PositionRecord::*field) {
    for (std::size_t k = 0; k < column.size(); ++k)
        (*records)[first + k].*field = column[k];
}

} // namespace

PositionAnalysis::PositionAnalysis(const AnalysisMeasurement& measurement,
                                   PositionSettings settings)
    : measurement_(measurement), settings_(std::move(settings)) {}

const char* PositionAnalysis::ItemName(int item) {
    return item >= 0 && item < kItemCount ? kItemNames[item] : "";
}

PositionSettings PositionAnalysis::Initial(const AnalysisMeasurement& measurement) {
    PositionSettings s{AnalysisRange::Initial(measurement)};
    s.range.items = {0, 1, 2, 3, 4};
    return s;
}

bool PositionAnalysis::Validate(kova::Prompter& prompter) const {
    const AnalysisRange& r = Range();
    return measurement_.CheckFrames(r, prompter) &&
           AnalysisMeasurement::Require(!r.targets.empty() && !r.items.empty(), "请选择项目。",
                                        prompter) &&
           AnalysisMeasurement::Require(r.SmoothingValid(), "平滑异常。", prompter) &&
           measurement_.CheckTimeBase(prompter);
}

bool PositionAnalysis::Compute() {
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

bool PositionAnalysis::ComputeTarget(int target) {
    const int n = Range().Length();
    const double dt = measurement_.Calibration().TimeStep(Range().timeUnit);
    const std::size_t first = records_.size();
    for (int k = 0; k < n; ++k) {
        XY_TRACK p{};
        if (!measurement_.Point(target, Range().Frame(k), &p)) return false;
        PositionRecord r;
        r.status = p.status;
        measurement_.Calibration().ToReal(p.x, p.y, Range().lengthUnit, &r.x, &r.y);
        if (k > 0) {
            const PositionRecord& previous = records_.back();
            r.distance = std::sqrt((r.x - previous.x) * (r.x - previous.x) +
                                   (r.y - previous.y) * (r.y - previous.y));
            r.speed = r.distance / dt;
            r.vx = (r.x - previous.x) / dt;
            r.vy = (r.y - previous.y) / dt;
            if (k > 1) {
                r.acceleration = (r.speed - previous.speed) / dt;
                r.ax = (r.vx - previous.vx) / dt;
                r.ay = (r.vy - previous.vy) / dt;
            }
        }
        records_.push_back(r);
    }
    SmoothTarget(first, n);
    return true;
}

void PositionAnalysis::SmoothTarget(std::size_t first, int count) {
    const int passes = Range().smoothing;
    if (passes < 1) return;
    // Derived columns were computed from unsmoothed positions; each column is
    // smoothed on its own over the frames where it has values.
    struct Part {
        double PositionRecord::*field;
        int from;
    };
    const Part parts[] = {{&PositionRecord::x, 0},
                          {&PositionRecord::y, 0},
                          {&PositionRecord::distance, 1},
                          {&PositionRecord::speed, 1},
                          {&PositionRecord::acceleration, 2},
                          {&PositionRecord::vx, 1},
                          {&PositionRecord::vy, 1},
                          {&PositionRecord::ax, 2},
                          {&PositionRecord::ay, 2}};
    for (const Part& part : parts) {
        std::vector<double> column = Column(records_, first, count, part.field);
        ColumnSmoothing::SmoothFrom(&column, part.from, passes);
        Store(&records_, first, column, part.field);
    }
}

const PositionRecord& PositionAnalysis::At(std::size_t targetPos, int k) const {
    return records_[targetPos * static_cast<std::size_t>(Range().Length()) +
                    static_cast<std::size_t>(k)];
}

std::vector<std::string> PositionAnalysis::TableLines() const {
    TextLines text;
    if (records_.empty()) return {};
    const int items = static_cast<int>(Range().items.size());
    text.AddString(std::string(Title()) + "\n");
    text.AddString(TableText::Rule(14 * items + 31));
    measurement_.AddSummary(&text);
    text.AddString("平滑次数        , " + TableText::PrintfWhole(Range().smoothing, 8) + "\n");
    std::vector<std::string> lines = text.Lines();
    const std::size_t targets = Range().targets.size();
    const int n = Range().Length();
    if (Range().grouping == Grouping::ByFrame) {
        for (int k = 0; k < n; ++k) {
            std::vector<Row> rows;
            for (std::size_t t = 0; t < targets; ++t)
                rows.emplace_back(t, k);
            AddBlock(&lines, rows);
        }
    } else {
        for (std::size_t t = 0; t < targets; ++t) {
            std::vector<Row> rows;
            for (int k = 0; k < n; ++k)
                rows.emplace_back(t, k);
            AddBlock(&lines, rows);
        }
    }
    return lines;
}

void PositionAnalysis::AddBlock(std::vector<std::string>* lines,
                                const std::vector<Row>& rows) const {
    const std::string length = AnalysisMeasurement::LengthName(Range().lengthUnit);
    const std::string time = AnalysisMeasurement::TimeName(Range().timeUnit);
    std::string heading =
        "   帧, " + std::string("  ID") + ", " + "     时间" + ", " + TableText::Cell("名称", 8);
    std::string units = "     , " + std::string("    ") + ", " +
                        TableText::Cell(measurement_.TimeUnitName(), 9) + ", " +
                        std::string(8, ' ');
    std::string average = "     , " + std::string("    ") + ", " + std::string(9, ' ') + ", " +
                          TableText::Cell("平均", 8);
    std::string total = "     , " + std::string("    ") + ", " + std::string(9, ' ') + ", " +
                        TableText::Cell("合计", 8);
    for (int item : Range().items) {
        heading += std::string(", ") + kHeadings[item];
        units += ", " + TableText::Cell(UnitOf(item, length, time), 12);
        double sum = 0.0;
        int defined = 0;
        for (const Row& row : rows) {
            if (!Defined(item, row.second)) continue;
            sum += Value(At(row.first, row.second), item);
            ++defined;
        }
        const bool hasAverage = defined > 0 && item != kErrorItem;
        average += ", " + (hasAverage ? TableText::Fixed3(sum / defined, 12)
                                      : TableText::Cell(TableText::Undefined(), 12));
        const bool hasTotal = defined > 0 && item == 2;
        total += ", " + (hasTotal ? TableText::Fixed3(sum, 12)
                                  : TableText::Cell(TableText::Undefined(), 12));
    }
    lines->push_back("\n");
    lines->push_back(heading + "\n");
    lines->push_back(units + "\n");
    for (const Row& row : rows)
        lines->push_back(RowText(row.first, row.second));
    lines->push_back(average + "\n");
    lines->push_back(total + "\n");
}

std::string PositionAnalysis::RowText(std::size_t targetPos, int k) const {
    const int target = Range().targets[targetPos];
    const int frame = Range().Frame(k);
    std::string row = TableText::Mark(measurement_.IsEvent(frame)) +
                      TableText::PrintfWhole(frame + 1, 4) + ", " +
                      TableText::PrintfWhole(target + 1, 4) + ", " +
                      TableText::PrintfFixed3(measurement_.FrameTime(frame), 9) + ", " +
                      TableText::Cell(measurement_.Name(target), 8);
    const PositionRecord& r = At(targetPos, k);
    for (int item : Range().items) {
        std::string cell;
        if (!Defined(item, k))
            cell = TableText::Undefined();
        else if (item == kErrorItem)
            cell = kova::FormatInt(r.status);
        else
            cell = kova::FormatFixed(Value(r, item), 3);
        row += ", " + TableText::Cell(cell, 12);
    }
    return row + "\n";
}

kova::CsvTable PositionAnalysis::Csv() const {
    kova::CsvTable csv;
    if (records_.empty()) return csv;
    csv.header = CsvHeader();
    for (const auto& [t, k] : Range().RowOrder())
        csv.rows.push_back(CsvRow(t, k));
    return csv;
}

std::vector<std::string> PositionAnalysis::CsvHeader() const {
    const std::string length = AnalysisMeasurement::LengthName(Range().lengthUnit);
    const std::string time = AnalysisMeasurement::TimeName(Range().timeUnit);
    const std::string speed = length + "/" + time;
    const std::string acceleration = length + "/" + time + "^2";
    std::vector<std::string> header = {"frame", "target", "name",
                                       CsvCells::Heading("time", measurement_.TimeUnitName())};
    for (int item : Range().items) {
        switch (item) {
        case 0:
            header.push_back(CsvCells::Heading("x", length));
            break;
        case 1:
            header.push_back(CsvCells::Heading("y", length));
            break;
        case 2:
            header.push_back(CsvCells::Heading("distance", length));
            break;
        case 3:
            for (const char* name : {"speed", "vx", "vy"})
                header.push_back(CsvCells::Heading(name, speed));
            break;
        case 4:
            for (const char* name : {"acceleration", "ax", "ay"})
                header.push_back(CsvCells::Heading(name, acceleration));
            break;
        default:
            header.push_back("error number");
        }
    }
    return header;
}

std::vector<std::string> PositionAnalysis::CsvRow(std::size_t targetPos, int k) const {
    const int target = Range().targets[targetPos];
    const int frame = Range().Frame(k);
    const PositionRecord& r = At(targetPos, k);
    std::vector<std::string> row = {CsvCells::Whole(frame + 1), CsvCells::Whole(target + 1),
                                    measurement_.Name(target),
                                    CsvCells::Number(measurement_.FrameTime(frame))};
    for (int item : Range().items) {
        const bool defined = Defined(item, k);
        if (item == 3) {
            for (double value : {r.speed, r.vx, r.vy})
                row.push_back(CsvCells::Number(defined, value));
        } else if (item == 4) {
            for (double value : {r.acceleration, r.ax, r.ay})
                row.push_back(CsvCells::Number(defined, value));
        } else if (item == kErrorItem) {
            row.push_back(CsvCells::Whole(r.status));
        } else {
            row.push_back(CsvCells::Number(defined, Value(r, item)));
        }
    }
    return row;
}

ChartSet PositionAnalysis::Charts() const {
    const int n = Range().Length();
    ChartSet set = measurement_.ChartFrame(Title(), Range().Frame(0), n);
    if (records_.empty()) return set;
    set.csv = Csv();
    const std::string length = AnalysisMeasurement::LengthName(Range().lengthUnit);
    const std::string time = AnalysisMeasurement::TimeName(Range().timeUnit);
    for (int item : Range().items) {
        ChartPanel panel;
        panel.title = kItemNames[item];
        panel.unit = UnitOf(item, length, time);
        panel.decimals = item == kErrorItem ? 0 : 3;
        for (std::size_t t = 0; t < Range().targets.size(); ++t) {
            ChartSeries series;
            series.colour = measurement_.Colour(Range().targets[t]);
            series.style = measurement_.Style(Range().targets[t]);
            for (int k = 0; k < n; ++k) {
                series.values.push_back(Value(At(t, k), item));
                series.defined.push_back(Defined(item, k));
            }
            panel.series.push_back(std::move(series));
        }
        set.panels.push_back(std::move(panel));
    }
    return set;
}
