// kova-batch table position|displacement|distance|angle M.TRK [options]:
// the table of an analysis window, to standard output in UTF-8 or, with -o,
// to a file exactly as the result text window saves it (GB18030, CR LF).
#include "AnalysisMeasurement.h"
#include "AngleAnalysis.h"
#include "CEasyUtils.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "DisplacementAnalysis.h"
#include "DistanceAnalysis.h"
#include "MeasureJob.h"
#include "PositionAnalysis.h"
#include "ResultTextFile.h"
#include "Verbs.h"

#include <algorithm>
#include <ostream>
#include <set>

namespace kova::cli {
namespace {

// What a run produced: the table lines, or the exit status of a failure.
struct TableRun {
    int status = 0;
    std::vector<std::string> lines;
};

// An option error: printed with the verb's name, exit status 2.
class UsageError {
public:
    explicit UsageError(std::ostream& err) : err_(err) {}
    int operator()(const std::string& text) const {
        err_ << "kova-batch table: " << text << '\n';
        return 2;
    }

private:
    std::ostream& err_;
};

const std::map<std::string, int> kArity = {
    {"--targets", 1}, {"--items", 1},      {"--range", 2}, {"--length-unit", 1}, {"--time-unit", 1},
    {"--smooth", 1},  {"--group", 1},      {"--ref", 1},   {"--pair", 1},        {"--mode", 1},
    {"--points", 1},  {"--other-side", 0}, {"-o", 1}};

// Options each analysis takes besides --range, --smooth and -o.
const std::map<std::string, std::set<std::string>> kOwnOptions = {
    {"position", {"--targets", "--items", "--length-unit", "--time-unit", "--group"}},
    {"displacement", {"--targets", "--items", "--length-unit", "--group", "--ref"}},
    {"distance", {"--length-unit", "--pair"}},
    {"angle", {"--items", "--time-unit", "--mode", "--points", "--other-side"}}};

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

// The settings every analysis shares, read from the options.
struct Common {
    int lower = 0;
    int upper = 0;
    int lengthUnit = 0;
    int timeUnit = 0;
    int smoothing = 0;
};

bool ReadCommon(const CommandLine& line, const AnalysisMeasurement& m, Common* c,
                const UsageError& usage, int* status) {
    c->lower = m.Frames() > 0 ? 1 : 0;
    c->upper = m.Frames();
    c->lengthUnit = m.Calibration().LengthUnit();
    c->timeUnit = m.Calibration().TimeUnit();
    if (line.Has("--range")) {
        const std::vector<std::string> range = line.Values("--range");
        if (!ParseInt(range[0], &c->lower) || !ParseInt(range[1], &c->upper)) {
            *status = usage("--range needs two frame numbers");
            return false;
        }
    }
    if (line.Has("--length-unit") &&
        !UnitIndex(line.Value("--length-unit"), true, &c->lengthUnit)) {
        *status = usage("unknown length unit " + line.Value("--length-unit") +
                        " (pm, nm, um, mm, cm, m, km)");
        return false;
    }
    if (line.Has("--time-unit") && !UnitIndex(line.Value("--time-unit"), false, &c->timeUnit)) {
        *status =
            usage("unknown time unit " + line.Value("--time-unit") + " (ps, ns, us, ms, s, m, h)");
        return false;
    }
    if (line.Has("--smooth") && !ParseInt(line.Value("--smooth"), &c->smoothing)) {
        *status = usage("--smooth needs a whole number");
        return false;
    }
    return true;
}

// A list box gives its selection in list order, each row once.
void SortUnique(std::vector<int>* values) {
    std::sort(values->begin(), values->end());
    values->erase(std::unique(values->begin(), values->end()), values->end());
}

// A 1-based list option into 0-based indices below `count`.
bool ReadIndices(const CommandLine& line, const std::string& option, int count, const char* what,
                 std::vector<int>* indices, const UsageError& usage, int* status) {
    if (!line.Has(option)) return true;
    std::vector<int> values;
    if (!ParseIntList(line.Value(option), &values)) {
        *status = usage(option + " needs a list of numbers such as 1,2,3");
        return false;
    }
    indices->clear();
    for (int v : values) {
        if (v < 1 || v > count) {
            *status = usage("no " + std::string(what) + " " + std::to_string(v) + " (1 to " +
                            std::to_string(count) + ")");
            return false;
        }
        indices->push_back(v - 1);
    }
    SortUnique(indices);
    return true;
}

// Item numbers are given as in the item list (from 0).
bool ReadItems(const CommandLine& line, int count, std::vector<int>* items, const UsageError& usage,
               int* status) {
    if (!line.Has("--items")) return true;
    std::vector<int> values;
    if (!ParseIntList(line.Value("--items"), &values)) {
        *status = usage("--items needs a list of item numbers such as 0,1");
        return false;
    }
    for (int v : values) {
        if (v < 0 || v >= count) {
            *status =
                usage("no item " + std::to_string(v) + " (0 to " + std::to_string(count - 1) + ")");
            return false;
        }
    }
    *items = values;
    SortUnique(items);
    return true;
}

bool ReadGroup(const CommandLine& line, int* grouping, const UsageError& usage, int* status) {
    const std::string group = line.Value("--group", "target");
    if (group != "frame" && group != "target") {
        *status = usage("--group is frame or target");
        return false;
    }
    *grouping = group == "frame" ? 0 : 1;
    return true;
}

template <typename Analysis>
TableRun Finish(Analysis& analysis, Prompter& prompter, const UsageError& usage) {
    TableRun run;
    if (!analysis.Validate(prompter)) {
        run.status = 1;
    } else if (!analysis.Compute()) {
        usage("the points of the measurement could not be read");
        run.status = 1;
    } else {
        run.lines = analysis.TableLines();
    }
    return run;
}

TableRun Position(const CommandLine& line, const AnalysisMeasurement& m, const Common& c,
                  Prompter& prompter, const UsageError& usage) {
    TableRun run;
    PositionSettings s = PositionAnalysis::Initial(m);
    s.lower = c.lower;
    s.upper = c.upper;
    s.lengthUnit = c.lengthUnit;
    s.timeUnit = c.timeUnit;
    s.smoothing = c.smoothing;
    if (!ReadIndices(line, "--targets", m.Targets(), "target", &s.targets, usage, &run.status) ||
        !ReadItems(line, PositionAnalysis::kItemCount, &s.items, usage, &run.status) ||
        !ReadGroup(line, &s.grouping, usage, &run.status))
        return run;
    PositionAnalysis analysis(m, s);
    return Finish(analysis, prompter, usage);
}

bool ReadReference(const CommandLine& line, DisplacementSettings* s, const UsageError& usage,
                   int* status) {
    s->referenceFrame = s->lower;
    if (!line.Has("--ref")) return true;
    const std::string ref = line.Value("--ref");
    const std::size_t colon = ref.find(':');
    const std::string kind = ref.substr(0, colon);
    const std::string value = colon == std::string::npos ? std::string() : ref.substr(colon + 1);
    std::vector<int> numbers;
    const bool parsed = ParseIntList(value, &numbers);
    if (kind == "frame" && parsed && numbers.size() == 1) {
        s->referenceMode = 0;
        s->referenceFrame = numbers[0];
    } else if (kind == "position" && parsed && numbers.size() == 2) {
        s->referenceMode = 1;
        s->referenceX = numbers[0];
        s->referenceY = numbers[1];
    } else if (kind == "target" && parsed && numbers.size() == 1) {
        s->referenceMode = 2;
        s->referenceTarget = numbers[0] - 1;
    } else {
        *status = usage("--ref is frame:R, position:X,Y or target:T");
        return false;
    }
    return true;
}

TableRun Displacement(const CommandLine& line, const AnalysisMeasurement& m, const Common& c,
                      Prompter& prompter, const UsageError& usage) {
    TableRun run;
    DisplacementSettings s = DisplacementAnalysis::Initial(m);
    s.lower = c.lower;
    s.upper = c.upper;
    s.lengthUnit = c.lengthUnit;
    s.smoothing = c.smoothing;
    if (!ReadIndices(line, "--targets", m.Targets(), "target", &s.targets, usage, &run.status) ||
        !ReadItems(line, DisplacementAnalysis::kItemCount, &s.items, usage, &run.status) ||
        !ReadGroup(line, &s.grouping, usage, &run.status) ||
        !ReadReference(line, &s, usage, &run.status))
        return run;
    DisplacementAnalysis analysis(m, s);
    return Finish(analysis, prompter, usage);
}

// "--pair 1-2[:colour[:style]]", added as the window's "添加" adds them.
bool ReadPairs(const CommandLine& line, DistancePairList* list, Prompter& prompter,
               const UsageError& usage, int* status) {
    for (const std::vector<std::string>& values : line.All("--pair")) {
        const std::string& text = values[0];
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t colon = text.find(':');; colon = text.find(':', start)) {
            parts.push_back(text.substr(start, colon == std::string::npos ? colon : colon - start));
            if (colon == std::string::npos) break;
            start = colon + 1;
        }
        const std::size_t dash = parts[0].find('-');
        int first = 0, second = 0, colour = list->Colour(), style = list->Style();
        const bool ok = parts.size() <= 3 && dash != std::string::npos &&
                        ParseInt(parts[0].substr(0, dash), &first) &&
                        ParseInt(parts[0].substr(dash + 1), &second) &&
                        (parts.size() < 2 || ParseInt(parts[1], &colour)) &&
                        (parts.size() < 3 || ParseInt(parts[2], &style)) && colour >= 0 &&
                        colour < DistancePairList::kColourCount && style >= 0 &&
                        style < DistancePairList::kStyleCount && first >= 1 && second >= 1;
        if (!ok) {
            *status = usage("--pair is T1-T2 with optional :colour (0-6) and :style (0-4), "
                            "targets from 1");
            return false;
        }
        list->SetColour(colour);
        list->SetStyle(style);
        if (list->Add(first - 1, second - 1, prompter) < 0) {
            *status = 1;
            return false;
        }
    }
    return true;
}

TableRun Distance(const CommandLine& line, const AnalysisMeasurement& m, const Common& c,
                  Prompter& prompter, const UsageError& usage) {
    TableRun run;
    DistanceSettings s = DistanceAnalysis::Initial(m);
    s.lower = c.lower;
    s.upper = c.upper;
    s.lengthUnit = c.lengthUnit;
    s.smoothing = c.smoothing;
    DistancePairList list;
    if (!ReadPairs(line, &list, prompter, usage, &run.status)) return run;
    s.pairs = list.Pairs();
    DistanceAnalysis analysis(m, s);
    return Finish(analysis, prompter, usage);
}

TableRun Angle(const CommandLine& line, const AnalysisMeasurement& m, const Common& c,
               Prompter& prompter, const UsageError& usage) {
    TableRun run;
    AngleSettings s = AngleAnalysis::Initial(m);
    s.lower = c.lower;
    s.upper = c.upper;
    s.timeUnit = c.timeUnit;
    s.smoothing = c.smoothing;
    s.otherSide = line.Has("--other-side");
    if (line.Has("--mode") &&
        (!ParseInt(line.Value("--mode"), &s.mode) || s.mode < 0 || s.mode > 3)) {
        run.status = usage("--mode is 0, 1, 2 or 3");
        return run;
    }
    if (line.Has("--points")) {
        std::vector<int> points;
        if (!ParseIntList(line.Value("--points"), &points) || points.size() > 4) {
            run.status = usage("--points needs up to four target numbers such as 1,2,3");
            return run;
        }
        // A number the measurement does not have counts as no choice.
        for (std::size_t i = 0; i < points.size(); ++i)
            s.points[i] = points[i] >= 1 ? points[i] - 1 : -1;
    }
    if (!ReadItems(line, AngleAnalysis::kItemCount, &s.items, usage, &run.status)) return run;
    AngleAnalysis analysis(m, s);
    return Finish(analysis, prompter, usage);
}

bool OptionsFit(const CommandLine& line, const std::string& kind, const UsageError& usage,
                int* status) {
    const std::set<std::string>& own = kOwnOptions.at(kind);
    for (const auto& option : kArity) {
        const std::string& name = option.first;
        if (name == "--range" || name == "--smooth" || name == "-o") continue;
        if (line.Has(name) && own.count(name) == 0) {
            *status = usage("option " + name + " does not apply to " + kind);
            return false;
        }
    }
    return true;
}

int WriteTable(const std::vector<std::string>& lines, const std::string& kind,
               const std::string& output, VerbContext& context, Prompter& prompter) {
    ResultTextFile file(kind == "position" ? "2D Tr File" : "2D跟踪文件");
    file.SetLines(lines);
    if (output.empty()) {
        *context.out << file.Text();
        return context.out->good() ? 0 : 1;
    }
    if (file.Save(output)) return 0;
    CPtFile::SaveError(prompter);
    return 1;
}

} // namespace

int RunTable(VerbContext& context) {
    const UsageError usage(*context.err);
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, kArity, &error)) return usage(error);
    if (line.Positional().size() != 2 || kOwnOptions.count(line.Positional()[0]) == 0)
        return usage("needs position|displacement|distance|angle and one measurement file");
    const std::string kind = line.Positional()[0];
    int status = 0;
    if (!OptionsFit(line, kind, usage, &status)) return status;

    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[1])) return 1;
    const AnalysisMeasurement m(job.Document().Track(), job.Document().Info());
    Common c;
    if (!ReadCommon(line, m, &c, usage, &status)) return status;

    TableRun run;
    if (kind == "position")
        run = Position(line, m, c, prompter, usage);
    else if (kind == "displacement")
        run = Displacement(line, m, c, prompter, usage);
    else if (kind == "distance")
        run = Distance(line, m, c, prompter, usage);
    else
        run = Angle(line, m, c, prompter, usage);
    if (run.status != 0) return run.status;
    return WriteTable(run.lines, kind, line.Value("-o"), context, prompter);
}

} // namespace kova::cli
