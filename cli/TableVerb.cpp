// kova-batch table position|displacement|distance|angle M.TRK [options]:
// the table of an analysis window, to standard output in UTF-8 or, with -o,
// to a file exactly as the result text window saves it (GB18030, CR LF);
// with --csv the analysis's CSV table instead (UTF-8 with BOM, CR LF).
#include "AnalysisMeasurement.h"
#include "AngleAnalysis.h"
#include "CEasyUtils.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "CsvFile.h"
#include "DisplacementAnalysis.h"
#include "DistanceAnalysis.h"
#include "MeasureJob.h"
#include "PositionAnalysis.h"
#include "ResultTextFile.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <algorithm>
#include <ostream>
#include <set>

namespace kova::cli {
namespace {

// What a run produced: the table lines and CSV table, or the exit status of
// a failure.
struct TableRun {
    int status = 0;
    std::vector<std::string> lines;
    CsvTable csv;
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

// The verb's options, from its help entry.
const std::map<std::string, int>& Arity() {
    static const std::map<std::string, int> arity = OptionArity("table");
    return arity;
}

bool UnitIndex(const std::string& name, bool length, int* unit) {
    for (int i = 0; i < CEasyUtils::kUnitCount; ++i) {
        const std::string candidate =
            length ? AnalysisMeasurement::LengthName(i) : AnalysisMeasurement::TimeName(i);
        if (candidate == name) {
            *unit = i;
            return true;
        }
    }
    return false;
}

// A list box gives its selection in list order, each row once.
void SortUnique(std::vector<int>* values) {
    std::sort(values->begin(), values->end());
    values->erase(std::unique(values->begin(), values->end()), values->end());
}

// A 1-based target list into 0-based indices below `count`.
bool ReadTargets(const CommandLine& line, int count, std::vector<int>* targets,
                 const UsageError& usage, int* status) {
    if (!line.Has("--targets")) return true;
    std::vector<int> values;
    if (!ParseIntList(line.Value("--targets"), &values)) {
        *status = usage("--targets needs a list of numbers such as 1,2,3");
        return false;
    }
    targets->clear();
    for (int v : values) {
        if (v < 1 || v > count) {
            *status =
                usage("no target " + std::to_string(v) + " (1 to " + std::to_string(count) + ")");
            return false;
        }
        targets->push_back(v - 1);
    }
    SortUnique(targets);
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

bool ReadUnitsAndSmoothing(const CommandLine& line, AnalysisRange* r, const UsageError& usage,
                           int* status) {
    if (line.Has("--length-unit") &&
        !UnitIndex(line.Value("--length-unit"), true, &r->lengthUnit)) {
        *status = usage("unknown length unit " + line.Value("--length-unit") +
                        " (pm, nm, um, mm, cm, m, km)");
        return false;
    }
    if (line.Has("--time-unit") && !UnitIndex(line.Value("--time-unit"), false, &r->timeUnit)) {
        *status =
            usage("unknown time unit " + line.Value("--time-unit") + " (ps, ns, us, ms, s, m, h)");
        return false;
    }
    if (line.Has("--smooth") && !ParseInt(line.Value("--smooth"), &r->smoothing)) {
        *status = usage("--smooth needs a whole number");
        return false;
    }
    return true;
}

// The options every analysis shares, over the analysis's own defaults.
bool ReadRange(const CommandLine& line, int targetCount, int itemCount, AnalysisRange* r,
               const UsageError& usage, int* status) {
    if (line.Has("--range")) {
        const std::vector<std::string> range = line.Values("--range");
        if (!ParseInt(range[0], &r->lower) || !ParseInt(range[1], &r->upper)) {
            *status = usage("--range needs two frame numbers");
            return false;
        }
    }
    if (!ReadUnitsAndSmoothing(line, r, usage, status) ||
        !ReadTargets(line, targetCount, &r->targets, usage, status) ||
        !ReadItems(line, itemCount, &r->items, usage, status))
        return false;
    const std::string group = line.Value("--group", "target");
    if (group != "frame" && group != "target") {
        *status = usage("--group is frame or target");
        return false;
    }
    r->grouping = group == "frame" ? Grouping::ByFrame : Grouping::ByTarget;
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
        run.csv = analysis.Csv();
    }
    return run;
}

TableRun Position(const CommandLine& /*line*/, const AnalysisMeasurement& m,
                  const AnalysisRange& range, Prompter& prompter, const UsageError& usage) {
    PositionAnalysis analysis(m, PositionSettings{range});
    return Finish(analysis, prompter, usage);
}

bool ReadReference(const CommandLine& line, DisplacementSettings* s, const UsageError& usage,
                   int* status) {
    s->referenceFrame = s->range.lower;
    if (!line.Has("--ref")) return true;
    const std::string ref = line.Value("--ref");
    const std::size_t colon = ref.find(':');
    const std::string kind = ref.substr(0, colon);
    const std::string value = colon == std::string::npos ? std::string() : ref.substr(colon + 1);
    std::vector<int> numbers;
    const bool parsed = ParseIntList(value, &numbers);
    if (kind == "frame" && parsed && numbers.size() == 1) {
        s->reference = ReferenceMode::Frame;
        s->referenceFrame = numbers[0];
    } else if (kind == "position" && parsed && numbers.size() == 2) {
        s->reference = ReferenceMode::Position;
        s->referenceX = numbers[0];
        s->referenceY = numbers[1];
    } else if (kind == "target" && parsed && numbers.size() == 1) {
        s->reference = ReferenceMode::Target;
        s->referenceTarget = numbers[0] - 1;
    } else {
        *status = usage("--ref is frame:R, position:X,Y or target:T");
        return false;
    }
    return true;
}

TableRun Displacement(const CommandLine& line, const AnalysisMeasurement& m,
                      const AnalysisRange& range, Prompter& prompter, const UsageError& usage) {
    TableRun run;
    DisplacementSettings s{range};
    if (!ReadReference(line, &s, usage, &run.status)) return run;
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

TableRun Distance(const CommandLine& line, const AnalysisMeasurement& m, const AnalysisRange& range,
                  Prompter& prompter, const UsageError& usage) {
    TableRun run;
    DistancePairList list;
    if (!ReadPairs(line, &list, prompter, usage, &run.status)) return run;
    DistanceAnalysis analysis(m, DistanceSettings{range, list.Pairs()});
    return Finish(analysis, prompter, usage);
}

TableRun Angle(const CommandLine& line, const AnalysisMeasurement& m, const AnalysisRange& range,
               Prompter& prompter, const UsageError& usage) {
    TableRun run;
    AngleSettings s{range};
    s.otherSide = line.Has("--other-side");
    int mode = 0;
    if (line.Has("--mode") && (!ParseInt(line.Value("--mode"), &mode) || mode < 0 || mode > 3)) {
        run.status = usage("--mode is 0, 1, 2 or 3");
        return run;
    }
    s.mode = static_cast<AngleMode>(mode); // the window's radio buttons, in order
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
    AngleAnalysis analysis(m, s);
    return Finish(analysis, prompter, usage);
}

// One analysis of the verb: its item count, the options it takes besides
// --range, --smooth, -o and --csv, its defaults and its run.
struct Kind {
    int itemCount;
    std::set<std::string> own;
    AnalysisRange (*initial)(const AnalysisMeasurement&);
    TableRun (*run)(const CommandLine&, const AnalysisMeasurement&, const AnalysisRange&, Prompter&,
                    const UsageError&);
};

const std::map<std::string, Kind>& Kinds() {
    static const std::map<std::string, Kind> kinds = {
        {"position",
         {PositionAnalysis::kItemCount,
          {"--targets", "--items", "--length-unit", "--time-unit", "--group"},
          [](const AnalysisMeasurement& m) { return PositionAnalysis::Initial(m).range; },
          Position}},
        {"displacement",
         {DisplacementAnalysis::kItemCount,
          {"--targets", "--items", "--length-unit", "--group", "--ref"},
          [](const AnalysisMeasurement& m) { return DisplacementAnalysis::Initial(m).range; },
          Displacement}},
        {"distance",
         {0,
          {"--length-unit", "--pair"},
          [](const AnalysisMeasurement& m) { return DistanceAnalysis::Initial(m).range; },
          Distance}},
        {"angle",
         {AngleAnalysis::kItemCount,
          {"--items", "--time-unit", "--mode", "--points", "--other-side"},
          [](const AnalysisMeasurement& m) { return AngleAnalysis::Initial(m).range; },
          Angle}}};
    return kinds;
}

bool OptionsFit(const CommandLine& line, const std::string& kind, const UsageError& usage,
                int* status) {
    const std::set<std::string>& own = Kinds().at(kind).own;
    for (const auto& option : Arity()) {
        const std::string& name = option.first;
        if (name == "--range" || name == "--smooth" || name == "-o" || name == "--csv") continue;
        if (line.Has(name) && own.count(name) == 0) {
            *status = usage("option " + name + " does not apply to " + kind);
            return false;
        }
    }
    return true;
}

// Standard output, or the file through a temporary so a failure keeps the
// old one.
int Write(const std::string& text, CPtFile& file, const std::string& output, VerbContext& context,
          Prompter& prompter) {
    if (output.empty()) {
        *context.out << text;
        return context.out->good() ? 0 : 1;
    }
    if (file.Save(output)) return 0;
    CPtFile::SaveError(prompter);
    return 1;
}

int WriteTable(const TableRun& run, const std::string& kind, bool csv, const std::string& output,
               VerbContext& context, Prompter& prompter) {
    if (csv) {
        CsvFile file(run.csv);
        return Write(CsvFile::Text(run.csv), file, output, context, prompter);
    }
    ResultTextFile file(kind == "position" ? "2D Tr File" : "2D跟踪文件");
    file.SetLines(run.lines);
    return Write(file.Text(), file, output, context, prompter);
}

} // namespace

int RunTable(VerbContext& context) {
    const UsageError usage(*context.err);
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, Arity(), &error)) return usage(error);
    if (line.Positional().size() != 2 || Kinds().count(line.Positional()[0]) == 0)
        return usage("needs position|displacement|distance|angle and one measurement file");
    const std::string name = line.Positional()[0];
    int status = 0;
    if (!OptionsFit(line, name, usage, &status)) return status;

    ConsolePrompter prompter(*context.err);
    MeasureJob job(prompter);
    if (!job.Open(line.Positional()[1])) return 1;
    const AnalysisMeasurement m(job.Document().Track(), job.Document().Info());
    const Kind& kind = Kinds().at(name);
    AnalysisRange range = kind.initial(m);
    if (!ReadRange(line, m.Targets(), kind.itemCount, &range, usage, &status)) return status;

    const TableRun run = kind.run(line, m, range, prompter, usage);
    if (run.status != 0) return run.status;
    return WriteTable(run, name, line.Has("--csv"), line.Value("-o"), context, prompter);
}

} // namespace kova::cli
