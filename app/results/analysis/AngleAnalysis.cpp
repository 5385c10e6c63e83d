#include "AngleAnalysis.h"

#include "AnalysisMeasurement.h"
#include "CEasyUtils.h"
#include "ColumnSmoothing.h"
#include "CsvCells.h"
#include "NumberText.h"
#include "Prompter.h"
#include "TableText.h"
#include "TextLines.h"

namespace {

const char* const kItemNames[] = {"角度", "角变异量", "角速度", "角加速度"};
const char* const kHeadings[] = {"角度", "角度变位", "角速度", "角加速度"};
const char* const kCsvNames[] = {"angle", "cumulative change", "angular velocity",
                                 "angular acceleration"};
// Length of the axis line handed to the two-line angle, in pixels.
constexpr double kAxisLength = 100.0;

// The field of an item: angle, cumulative, velocity, acceleration.
double AngleRecord::*Field(int item) {
    switch (item) {
    case 0:
        return &AngleRecord::angle;
    case 1:
        return &AngleRecord::cumulative;
    case 2:
        return &AngleRecord::velocity;
    default:
        return &AngleRecord::acceleration;
    }
}

// Velocity has values from the second frame, acceleration from the third.
bool Defined(int item, int k) {
    if (item == 2) return k >= 1;
    if (item == 3) return k >= 2;
    return true;
}

std::string UnitOf(int item, const std::string& time) {
    if (item == 2) return "deg/" + time;
    if (item == 3) return "deg/" + time + "/" + time;
    return "deg";
}

} // namespace

AngleAnalysis::AngleAnalysis(const AnalysisMeasurement& measurement, AngleSettings settings)
    : measurement_(measurement), settings_(std::move(settings)) {}

const char* AngleAnalysis::ItemName(int item) {
    return item >= 0 && item < kItemCount ? kItemNames[item] : "";
}

int AngleAnalysis::PointCount(AngleMode mode) {
    switch (mode) {
    case AngleMode::ThreePoints:
        return 3;
    case AngleMode::TwoLines:
        return 4;
    default:
        return 2;
    }
}

AngleSettings AngleAnalysis::Initial(const AnalysisMeasurement& measurement) {
    AngleSettings s{AnalysisRange::Initial(measurement)};
    s.range.items = {0, 1, 2, 3};
    return s;
}

bool AngleAnalysis::PointsValid() const {
    const auto& p = settings_.points;
    const auto used = static_cast<std::size_t>(PointCount(settings_.mode));
    for (std::size_t i = 0; i < used; ++i)
        if (!measurement_.HasTarget(p[i])) return false;
    switch (settings_.mode) {
    case AngleMode::ThreePoints:
        return p[0] != p[1] && p[1] != p[2] && p[0] != p[2];
    case AngleMode::TwoLines:
        return p[0] != p[1] && p[2] != p[3] && !(p[2] == p[0] && p[3] == p[1]) &&
               !(p[2] == p[1] && p[3] == p[0]);
    default:
        return p[0] != p[1];
    }
}

bool AngleAnalysis::Validate(kova::Prompter& prompter) const {
    const AnalysisRange& r = Range();
    if (!measurement_.CheckFrames(r, prompter) ||
        !AnalysisMeasurement::Require(!r.items.empty(), "请选项。", prompter) ||
        !AnalysisMeasurement::Require(r.SmoothingValid(), "平滑出错", prompter))
        return false;
    if (!PointsValid()) {
        prompter.Show("坐标异常", "检查", kova::MessageIcon::Exclamation);
        return false;
    }
    return measurement_.CheckTimeBase(prompter);
}

bool AngleAnalysis::AngleAt(int frame, double* degrees) const {
    const int count = PointCount(settings_.mode);
    double x[4] = {0, 0, 0, 0};
    double y[4] = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i) {
        XY_TRACK p{};
        if (!measurement_.Point(settings_.points[static_cast<std::size_t>(i)], frame, &p))
            return false;
        x[i] = p.x;
        y[i] = p.y;
    }
    const int side = settings_.otherSide ? 1 : 0;
    double angle = 0.0;
    if (settings_.mode == AngleMode::ThreePoints) {
        CEasyUtils::CalcAngle3Point(x, y, &angle, side);
    } else {
        if (count == 2) AxisLine(x + 2, y + 2);
        CEasyUtils::CalcAngle2Line(x, y, &angle, side);
    }
    *degrees = CEasyUtils::ConvAngle(angle, 1);
    return true;
}

void AngleAnalysis::AxisLine(double* x, double* y) const {
    // The calibration's own axis as drawn on the image.
    const Calibration2D& c = measurement_.Calibration();
    double dx = 0, dy = 0;
    if (settings_.mode == AngleMode::XAxis)
        c.XAxis(&dx, &dy);
    else
        c.YAxis(&dx, &dy);
    x[0] = c.OriginX();
    y[0] = c.OriginY();
    x[1] = c.OriginX() + kAxisLength * dx;
    y[1] = c.OriginY() + kAxisLength * dy;
}

bool AngleAnalysis::Compute() {
    records_.clear();
    sums_ = AngleRecord();
    if (!Range().HasItemsBelow(kItemCount)) return false;
    const double dt = measurement_.Calibration().TimeStep(Range().timeUnit);
    const int n = Range().Length();
    for (int k = 0; k < n; ++k) {
        AngleRecord r;
        if (!AngleAt(Range().Frame(k), &r.angle)) {
            records_.clear();
            return false;
        }
        if (k > 0) {
            const AngleRecord& previous = records_.back();
            r.change = r.angle - previous.angle;
            if (r.change > 180.0)
                r.change -= 360.0;
            else if (r.change < -180.0)
                r.change += 360.0;
            r.cumulative = previous.cumulative + r.change;
            r.velocity = r.change / dt;
            if (k > 1) r.acceleration = (r.velocity - previous.velocity) / dt;
        }
        records_.push_back(r);
    }
    Smooth();
    return true;
}

void AngleAnalysis::Smooth() {
    struct Part {
        double AngleRecord::*field;
        int from;
    };
    const Part parts[] = {{&AngleRecord::angle, 0},
                          {&AngleRecord::change, 0},
                          {&AngleRecord::cumulative, 0},
                          {&AngleRecord::velocity, 1},
                          {&AngleRecord::acceleration, 2}};
    for (const Part& part : parts) {
        std::vector<double> column;
        for (const AngleRecord& r : records_)
            column.push_back(r.*part.field);
        ColumnSmoothing::SmoothFrom(&column, part.from, Range().smoothing);
        double sum = 0.0;
        for (std::size_t k = 0; k < column.size(); ++k) {
            records_[k].*part.field = column[k];
            sum += column[k];
        }
        sums_.*part.field = sum;
    }
}

std::string AngleAnalysis::TitleLine() const {
    const auto& p = settings_.points;
    auto point = [&](std::size_t i) {
        return kova::FormatInt(p[i] + 1) + ":" + measurement_.Name(p[i]);
    };
    std::string title;
    switch (settings_.mode) {
    case AngleMode::ThreePoints:
        title = "3点间角度 (" + point(0) + ", " + point(1) + ", " + point(2) + ")";
        break;
    case AngleMode::TwoLines:
        title =
            "2线间角度 (" + point(0) + ", " + point(1) + ", " + point(2) + ", " + point(3) + ")";
        break;
    case AngleMode::XAxis:
        title = "X轴夹角 (" + point(0) + ", " + point(1) + ") ";
        break;
    case AngleMode::YAxis:
        title = "Y轴夹角  (" + point(0) + ", " + point(1) + ") ";
        break;
    }
    return title + (settings_.otherSide ? "(逆侧)\n" : "\n");
}

std::vector<std::string> AngleAnalysis::TableLines() const {
    if (records_.empty()) return {};
    TextLines text;
    const std::string rule = TableText::Rule(14 * static_cast<int>(Range().items.size()) + 15);
    const std::string time = AnalysisMeasurement::TimeName(Range().timeUnit);
    text.AddString(TitleLine());
    text.AddString(rule);
    measurement_.AddSummary(&text);
    text.AddString("平滑次数        , " + TableText::PrintfWhole(Range().smoothing, 8) + "\n");
    text.AddString("\n");
    text.AddString(rule);
    std::string heading = "  帧 , " + std::string("     时间");
    std::string units = "     , " + TableText::Cell(measurement_.TimeUnitName(), 9);
    for (int item : Range().items) {
        heading += ", " + TableText::Cell(kHeadings[item], 12);
        units += ", " + TableText::Cell(UnitOf(item, time), 12);
    }
    text.AddString(heading + "\n");
    text.AddString(units + "\n");
    text.AddString(rule);
    for (int k = 0; k < Range().Length(); ++k)
        text.AddString(RowText(k));
    text.AddString(rule);
    text.AddString(AverageLine());
    return text.Lines();
}

std::string AngleAnalysis::RowText(int k) const {
    const int frame = Range().Frame(k);
    std::string row = TableText::Mark(measurement_.IsEvent(frame)) +
                      TableText::PrintfWhole(frame + 1, 4) + ", " +
                      TableText::PrintfFixed3(measurement_.FrameTime(frame), 9);
    const AngleRecord& r = records_[static_cast<std::size_t>(k)];
    for (int item : Range().items) {
        row += ", " + (Defined(item, k) ? TableText::Fixed3(r.*Field(item), 12)
                                        : TableText::Cell(TableText::Undefined(), 12));
    }
    return row + "\n";
}

std::string AngleAnalysis::AverageLine() const {
    const int n = Range().Length();
    std::string line = " 平均, " + std::string(9, ' ');
    for (int item : Range().items) {
        // The angle over every frame, velocity over n - 1, acceleration over
        // n - 2; the cumulative change has no average.
        const int divisor = item == 0 ? n : item == 2 ? n - 1 : item == 3 ? n - 2 : 0;
        line += ", " + (divisor > 0 ? TableText::Fixed3(sums_.*Field(item) / divisor, 12)
                                    : TableText::Cell(TableText::Undefined(), 12));
    }
    return line + "\n";
}

kova::CsvTable AngleAnalysis::Csv() const {
    kova::CsvTable csv;
    if (records_.empty()) return csv;
    const std::string time = AnalysisMeasurement::TimeName(Range().timeUnit);
    const std::string units[] = {"deg", "deg", "deg/" + time, "deg/" + time + "^2"};
    csv.header = {"frame", CsvCells::Heading("time", measurement_.TimeUnitName())};
    for (int item : Range().items)
        csv.header.push_back(CsvCells::Heading(kCsvNames[item], units[item]));
    for (int k = 0; k < Range().Length(); ++k) {
        const int frame = Range().Frame(k);
        const AngleRecord& r = records_[static_cast<std::size_t>(k)];
        std::vector<std::string> row = {CsvCells::Whole(frame + 1),
                                        CsvCells::Number(measurement_.FrameTime(frame))};
        for (int item : Range().items)
            row.push_back(CsvCells::Number(Defined(item, k), r.*Field(item)));
        csv.rows.push_back(std::move(row));
    }
    return csv;
}

ChartSet AngleAnalysis::Charts() const {
    const int n = Range().Length();
    ChartSet set = measurement_.ChartFrame(Title(), Range().Frame(0), n);
    if (records_.empty()) return set;
    set.csv = Csv();
    const std::string time = AnalysisMeasurement::TimeName(Range().timeUnit);
    for (int item : Range().items) {
        ChartPanel panel;
        panel.title = kItemNames[item];
        panel.unit = UnitOf(item, time);
        ChartSeries series;
        series.colour = measurement_.Colour(settings_.points[0]);
        series.style = measurement_.Style(settings_.points[0]);
        for (int k = 0; k < n; ++k) {
            series.values.push_back(records_[static_cast<std::size_t>(k)].*Field(item));
            series.defined.push_back(Defined(item, k));
        }
        panel.series.push_back(std::move(series));
        set.panels.push_back(std::move(panel));
    }
    return set;
}
