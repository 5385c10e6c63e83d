// kova-batch calibrate IN.TRK (--from FILE | --points X1 Y1 X2 Y2 --distance D
// --unit U) [--origin X Y] [--angle DEG] [--y-up] [--rate N --time-unit U]
// -o OUT.TRK: the measurement with another calibration in its header, the
// points and everything else as they were. The calibration starts from the
// file's nine keys (as the calibration window's "读入设定" takes them) or from
// the measurement's own, and each option replaces its part.
#include "CCfgFile.h"
#include "CEasyUtils.h"
#include "CTrackFile2D.h"
#include "Calibration2D.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "MeasureJob.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>

namespace kova::cli {
namespace {

constexpr int kUsage = 2;
constexpr double kPi = 3.14159265358979323846;
// Positions beyond this are no image's pixels.
constexpr double kMaxCoordinate = 1e7;

const char* const kCalibrationKeys[] = {
    "Calibration2DLength",  "Calibration2DLengthUnit", "Calibration2DInterval",
    "Calibration2DFrames",  "Calibration2DTimeUnit",   "Calibration2DOriginX",
    "Calibration2DOriginY", "Calibration2DAngle",      "Calibration2DDirectY"};

// What the command line asks to change.
struct CalibrationChange {
    std::string from;
    std::optional<double> scale; // length of one pixel
    int lengthUnit = 0;
    std::optional<std::pair<double, double>> origin;
    std::optional<double> angle; // radians
    bool yUp = false;
    std::optional<int> frameRate;
    int timeUnit = 0;
};

class Usage {
public:
    explicit Usage(std::ostream& err) : err_(err) {}
    bool operator()(const std::string& text) const {
        err_ << "kova-batch calibrate: " << text << '\n';
        return false;
    }

private:
    std::ostream& err_;
};

bool UnitIndex(const std::string& name, bool length, int* unit) {
    for (int i = 0; i < CEasyUtils::kUnitCount; ++i) {
        std::string candidate;
        if (length)
            CEasyUtils::GetLongStr(&candidate, i);
        else
            CEasyUtils::GetTimeStr(&candidate, i);
        if (candidate == name) {
            *unit = i;
            return true;
        }
    }
    return false;
}

bool ParseCoordinates(const std::vector<std::string>& texts, std::vector<double>* values) {
    values->clear();
    for (const std::string& text : texts) {
        double v = 0.0;
        if (!ParseDouble(text, &v) || !(std::fabs(v) <= kMaxCoordinate)) return false;
        values->push_back(v);
    }
    return true;
}

// --points X1 Y1 X2 Y2 --distance D --unit U: the length of one pixel.
bool ReadScale(const CommandLine& line, CalibrationChange* c, const Usage& usage) {
    std::vector<double> p;
    if (!ParseCoordinates(line.Values("--points"), &p))
        return usage("--points needs four pixel coordinates X1 Y1 X2 Y2");
    const double pixels = std::hypot(p[2] - p[0], p[3] - p[1]);
    if (!(pixels > 0.0)) return usage("--points must be two different points");
    double distance = 0.0;
    if (!line.Has("--distance") || !ParseDouble(line.Value("--distance"), &distance) ||
        !(distance > 0.0 && distance < 1e30))
        return usage("--points needs --distance D, the real distance between them (above 0)");
    if (!line.Has("--unit") || !UnitIndex(line.Value("--unit"), true, &c->lengthUnit))
        return usage("--points needs --unit: pm, nm, um, mm, cm, m or km");
    c->scale = distance / pixels;
    return true;
}

bool ReadAxes(const CommandLine& line, CalibrationChange* c, const Usage& usage) {
    if (line.Has("--origin")) {
        std::vector<double> o;
        if (!ParseCoordinates(line.Values("--origin"), &o))
            return usage("--origin needs two pixel coordinates X Y");
        c->origin = std::make_pair(o[0], o[1]);
    }
    if (line.Has("--angle")) {
        double degrees = 0.0;
        if (!ParseDouble(line.Value("--angle"), &degrees) || !(std::fabs(degrees) <= 36000.0))
            return usage("--angle needs degrees (-36000..36000)");
        c->angle = CEasyUtils::ConvAngle(degrees, 0);
    }
    c->yUp = line.Has("--y-up");
    return true;
}

bool ReadTimeBase(const CommandLine& line, CalibrationChange* c, const Usage& usage) {
    if (line.Has("--rate") != line.Has("--time-unit"))
        return usage("--rate and --time-unit go together");
    if (!line.Has("--rate")) return true;
    int rate = 0;
    if (!ParseInt(line.Value("--rate"), &rate) || !Calibration2D::IsRate(rate))
        return usage("--rate needs whole frames per time unit, 1..32767");
    if (!UnitIndex(line.Value("--time-unit"), false, &c->timeUnit))
        return usage("--time-unit is ps, ns, us, ms, s, m or h");
    c->frameRate = rate;
    return true;
}

bool ReadChange(const CommandLine& line, CalibrationChange* c, const Usage& usage) {
    if (line.Positional().size() != 1) return usage("needs one measurement file IN.TRK");
    if (line.Value("-o").empty()) return usage("-o OUT.TRK is required");
    if (line.Has("--from") == line.Has("--points"))
        return usage("give --from FILE or --points X1 Y1 X2 Y2 --distance D --unit U");
    if (!line.Has("--points") && (line.Has("--distance") || line.Has("--unit")))
        return usage("--distance and --unit go with --points");
    c->from = line.Value("--from");
    return (!line.Has("--points") || ReadScale(line, c, usage)) && ReadAxes(line, c, usage) &&
           ReadTimeBase(line, c, usage);
}

// The nine keys of a configuration or calibration file, each present and a
// number, in the ranges a measurement header holds.
bool LoadCalibrationFile(const std::string& path, CCfgFile* file, const Usage& usage) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return usage(
            "--from " + path + ": " +
            (std::filesystem::exists(path, error) ? "not a regular file" : "no such file"));
    if (!file->Load(path)) return usage("--from " + path + ": cannot be read");
    for (const char* key : kCalibrationKeys) {
        double value = 0.0;
        if (!file->GetValue(key, &value) || !std::isfinite(value))
            return usage("--from " + path + ": " + key + " is missing or not a number");
    }
    const std::string invalid = Calibration2D::CheckKeys(*file);
    return invalid.empty() || usage("--from " + path + ": " + invalid);
}

void ApplyChange(const CalibrationChange& c, MeasureHeader* h) {
    if (c.scale) {
        h->scale = static_cast<float>(*c.scale);
        h->lengthUnit = static_cast<std::int16_t>(c.lengthUnit);
    }
    if (c.origin) {
        h->originX = static_cast<float>(c.origin->first);
        h->originY = static_cast<float>(c.origin->second);
    }
    if (c.angle) h->angle = static_cast<float>(*c.angle);
    if (c.yUp) h->directY = -1;
    if (c.frameRate) {
        h->frameRate = static_cast<std::int16_t>(*c.frameRate);
        h->timeUnit = static_cast<std::int16_t>(c.timeUnit);
    }
}

} // namespace

int RunCalibrate(VerbContext& context) {
    const Usage usage(*context.err);
    CommandLine line;
    std::string error;
    CalibrationChange change;
    if (!line.Parse(context.args, OptionArity("calibrate"), &error)) {
        usage(error);
        return kUsage;
    }
    if (!ReadChange(line, &change, usage)) return kUsage;
    CCfgFile file;
    if (!change.from.empty() && !LoadCalibrationFile(change.from, &file, usage)) return kUsage;

    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[0])) return 1;
    CTrackFile2D& track = job.Document().Track();
    if (!change.from.empty()) track.SetCalibration(&file);
    MeasureHeader header = track.GetHeader();
    ApplyChange(change, &header);
    track.SetHeader(header);
    return job.SaveForVerb(line.Value("-o"), *context.err, "calibrate");
}

} // namespace kova::cli
