#include "AngleAnalysis.h"

#include "AnalysisMeasurement.h"
#include "CEasyUtils.h"
#include "ColumnSmoothing.h"
#include "NumberText.h"
#include "Prompter.h"
#include "TableText.h"
#include "TextLines.h"

namespace {

const char* const kItemNames[] = {"角度", "角变异量", "角速度", "角加速度"};
const char* const kHeadings[] = {"角度", "角度变位", "角速度", "角加速度"};
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

AngleSettings AngleAnalysis::Initial(const AnalysisMeasurement& measurement) {
    AngleSettings s;
    s.lower = measurement.Frames() > 0 ? 1 : 0;
    s.upper = measurement.Frames();
    s.timeUnit = measurement.Calibration().TimeUnit();
    s.items = {0, 1, 2, 3};
    return s;
}

bool AngleAnalysis::PointsValid() const {
    const auto& p = settings_.points;
    for (int i = 0; i < 4; ++i) {
        const bool used =
            i < 2 || (i == 2 && settings_.mode <= 1) || (i == 3 && settings_.mode == 1);
        if (used && !measurement_.HasTarget(p[static_cast<std::size_t>(i)])) return false;
    }
    switch (settings_.mode) {
    case 0:
        return p[0] != p[1] && p[1] != p[2] && p[0] != p[2];
    case 1:
        return p[0] != p[1] && p[2] != p[3] && !(p[2] == p[0] && p[3] == p[1]) &&
               !(p[2] == p[1] && p[3] == p[0]);
    case 2:
    case 3:
        return p[0] != p[1];
    default:
        return false;
    }
}

bool AngleAnalysis::Validate(kova::Prompter& prompter) const {
    if (!measurement_.CheckOpen(prompter)) return false;
    if (!measurement_.CheckRange(settings_.lower, settings_.upper, prompter)) return false;
    if (settings_.items.empty()) {
        AnalysisMeasurement::Refuse(prompter, "请选项。");
        return false;
    }
    if (settings_.smoothing < 0) {
        AnalysisMeasurement::Refuse(prompter, "平滑出错");
        return false;
    }
    if (!PointsValid()) {
        prompter.Show("坐标异常", "检查", kova::MessageIcon::Exclamation);
        return false;
    }
    return measurement_.CheckTimeBase(prompter);
}

bool AngleAnalysis::AngleAt(int frame, double* degrees) const {
    const int count = settings_.mode == 0 ? 3 : settings_.mode == 1 ? 4 : 2;
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
    if (settings_.mode == 0) {
        CEasyUtils::CalcAngle3Point(x, y, &angle, side);
    } else {
        if (settings_.mode >= 2) {
            // The calibration's own axis as drawn on the image.
            const Calibration2D& c = measurement_.Calibration();
            double dx = 0, dy = 0;
            if (settings_.mode == 2)
                c.XAxis(&dx, &dy);
            else
                c.YAxis(&dx, &dy);
            x[2] = c.OriginX();
            y[2] = c.OriginY();
            x[3] = c.OriginX() + kAxisLength * dx;
            y[3] = c.OriginY() + kAxisLength * dy;
        }
        CEasyUtils::CalcAngle2Line(x, y, &angle, side);
    }
    *degrees = CEasyUtils::ConvAngle(angle, 1);
    return true;
}

bool AngleAnalysis::Compute() {
    records_.clear();
    sums_ = AngleRecord();
    for (int item : settings_.items)
        if (item < 0 || item >= kItemCount) return false;
    const double dt = measurement_.Calibration().TimeStep(settings_.timeUnit);
    const int n = RangeLength();
    for (int k = 0; k < n; ++k) {
        AngleRecord r;
        if (!AngleAt(settings_.lower - 1 + k, &r.angle)) {
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
        ColumnSmoothing::SmoothFrom(&column, part.from, settings_.smoothing);
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
    case 0:
        title = "3点间角度 (" + point(0) + ", " + point(1) + ", " + point(2) + ")";
        break;
    case 1:
        title =
            "2线间角度 (" + point(0) + ", " + point(1) + ", " + point(2) + ", " + point(3) + ")";
        break;
    case 2:
        title = "X轴夹角 (" + point(0) + ", " + point(1) + ") ";
        break;
    default:
        title = "Y轴夹角  (" + point(0) + ", " + point(1) + ") ";
        break;
    }
    return title + (settings_.otherSide ? "(逆侧)\n" : "\n");
}

std::vector<std::string> AngleAnalysis::TableLines() const {
    if (records_.empty()) return {};
    TextLines text;
    const std::string rule = TableText::Rule(14 * static_cast<int>(settings_.items.size()) + 15);
    std::string time;
    CEasyUtils::GetTimeStr(&time, settings_.timeUnit);
    text.AddString(TitleLine());
    text.AddString(rule);
    measurement_.AddSummary(&text);
    text.AddString("平滑次数        , " + TableText::PrintfWhole(settings_.smoothing, 8) + "\n");
    text.AddString("\n");
    text.AddString(rule);
    std::string heading = "  帧 , " + std::string("     时间");
    std::string units = "     , " + TableText::Cell(measurement_.TimeUnitName(), 9);
    for (int item : settings_.items) {
        heading += ", " + TableText::Cell(kHeadings[item], 12);
        units += ", " + TableText::Cell(UnitOf(item, time), 12);
    }
    text.AddString(heading + "\n");
    text.AddString(units + "\n");
    text.AddString(rule);
    for (int k = 0; k < RangeLength(); ++k)
        text.AddString(RowText(k));
    text.AddString(rule);
    text.AddString(AverageLine());
    return text.Lines();
}

std::string AngleAnalysis::RowText(int k) const {
    const int frame = settings_.lower - 1 + k;
    std::string row = TableText::Mark(measurement_.IsEvent(frame)) +
                      TableText::PrintfWhole(frame + 1, 4) + ", " +
                      TableText::PrintfFixed3(measurement_.FrameTime(frame), 9);
    const AngleRecord& r = records_[static_cast<std::size_t>(k)];
    for (int item : settings_.items) {
        row += ", " + (Defined(item, k) ? TableText::Fixed3(r.*Field(item), 12)
                                        : TableText::Cell(TableText::Undefined(), 12));
    }
    return row + "\n";
}

std::string AngleAnalysis::AverageLine() const {
    const int n = RangeLength();
    std::string line = " 平均, " + std::string(9, ' ');
    for (int item : settings_.items) {
        // The angle over every frame, velocity over n - 1, acceleration over
        // n - 2; the cumulative change has no average.
        const int divisor = item == 0 ? n : item == 2 ? n - 1 : item == 3 ? n - 2 : 0;
        line += ", " + (divisor > 0 ? TableText::Fixed3(sums_.*Field(item) / divisor, 12)
                                    : TableText::Cell(TableText::Undefined(), 12));
    }
    return line + "\n";
}

ChartSet AngleAnalysis::Charts() const {
    const int n = RangeLength();
    ChartSet set = measurement_.ChartFrame(Title(), settings_.lower - 1, n);
    if (records_.empty()) return set;
    std::string time;
    CEasyUtils::GetTimeStr(&time, settings_.timeUnit);
    for (int item : settings_.items) {
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
