// kova-batch track: the tracking window's run on a BMP series or an AVI
// range, with targets from a file or found by automatic point pickup.

#include "AviFrameSource.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageProc.h"
#include "Calibration2D.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "CsvFile.h"
#include "InterruptProgress.h"
#include "OutputPlace.h"
#include "ScriptedClicks.h"
#include "SeriesFrameSource.h"
#include "TargetsFile.h"
#include "TrackingEngine.h"
#include "TrackingPreview.h"
#include "TrackingReport.h"
#include "TrackingReportText.h"
#include "TrackingRun.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>

namespace kova::cli {
namespace {

struct TrackOptions {
    std::vector<std::string> series;
    std::string avi;
    int rangeFirst = 0;
    int rangeLast = 0;
    std::string out;
    std::string targets;
    bool pickup = false;
    std::string mode;
    bool colour = false;
    std::string clicks;
    int windowWidth = 31;
    int windowHeight = 31;
    std::string report;  // CSV of the tracking report
    std::string preview; // folder of the preview images
    bool failOnLost = false;
};

// Exit statuses besides 0 and 1.
constexpr int kRefused = 2;
constexpr int kLostTarget = 3;

bool Fail(VerbContext& context, const std::string& message) {
    *context.err << "track: " << message << '\n';
    return false;
}

int Error(VerbContext& context, const std::string& message) {
    Fail(context, message);
    return 1;
}

bool ParseWindow(const std::vector<std::string>& values, TrackOptions* o) {
    return values.size() == 2 && ParseInt(values[0], &o->windowWidth) &&
           ParseInt(values[1], &o->windowHeight) && o->windowWidth >= 1 && o->windowHeight >= 1 &&
           o->windowWidth <= 32767 && o->windowHeight <= 32767;
}

// The report and preview must be writable before anything is tracked.
bool CheckOutputs(VerbContext& context, const CommandLine& line, const TrackOptions& o) {
    std::string error;
    if (line.Has("--report") && !OutputPlace::CheckFile(o.report, &error))
        return Fail(context, "--report: " + error);
    if (line.Has("--preview") && !OutputPlace::CheckFolder(o.preview, &error))
        return Fail(context, "--preview: " + error);
    return true;
}

bool ParseOptions(VerbContext& context, TrackOptions* o) {
    CommandLine line;
    std::string error;
    // The options are the verb's help entry (VerbHelp.cpp).
    if (!line.Parse(context.args, OptionArity("track"), &error)) return Fail(context, error);
    if (!line.Positional().empty()) return Fail(context, "unexpected " + line.Positional()[0]);
    o->series = line.Values("--series");
    o->avi = line.Value("--avi");
    o->out = line.Value("--out");
    o->targets = line.Value("--targets");
    o->pickup = line.Has("--pickup");
    o->mode = line.Value("--mode");
    o->colour = line.Has("--colour");
    o->clicks = line.Value("--clicks");
    o->report = line.Value("--report");
    o->preview = line.Value("--preview");
    o->failOnLost = line.Has("--fail-on-lost");
    if (o->series.empty() == o->avi.empty()) return Fail(context, "give --series or --avi");
    if (o->out.empty()) return Fail(context, "--out R.TRK is required");
    if (o->targets.empty() == !o->pickup) return Fail(context, "give --targets or --pickup");
    if (line.Has("--range")) {
        const std::vector<std::string> r = line.Values("--range");
        if (o->avi.empty() || !ParseInt(r[0], &o->rangeFirst) || !ParseInt(r[1], &o->rangeLast) ||
            o->rangeFirst < 1 || o->rangeLast < o->rangeFirst)
            return Fail(context, "--range A B needs an AVI and 1 <= A <= B");
    }
    if (line.Has("--window") && !ParseWindow(line.Values("--window"), o))
        return Fail(context, "--window W H needs two sizes 1..32767");
    if (!o->mode.empty() && o->mode != "manual" && o->mode != "semi" && o->mode != "auto")
        return Fail(context, "--mode must be manual, semi or auto");
    return CheckOutputs(context, line, *o);
}

// The system configuration: the file when it exists (with the right
// version), the defaults otherwise.
bool LoadConfig(VerbContext& context, CCfgFile* config, kova::Prompter& prompter) {
    if (!std::filesystem::exists(context.configPath)) return true;
    if (!config->Load(context.configPath))
        return Fail(context, "cannot read the configuration " + context.configPath);
    std::string version;
    if (!config->GetValue("VersionInformation", &version) || version != "KOVA_VER1.00") {
        prompter.Show("'CFG' 文件版本错误。", "错误");
        return false;
    }
    return true;
}

std::unique_ptr<FrameSource> OpenSource(VerbContext& context, const TrackOptions& o,
                                        kova::CFrameStore& store, kova::Prompter& prompter) {
    std::string error;
    if (!o.series.empty()) {
        auto series = std::make_unique<SeriesFrameSource>(store);
        if (!series->SetFiles(o.series[0], o.series[1], &error)) {
            Fail(context, error);
            return nullptr;
        }
        return series;
    }
    auto avi = std::make_unique<AviFrameSource>(store, prompter);
    if (!avi->Open(o.avi, o.rangeFirst, o.rangeLast, &error)) {
        Fail(context, error);
        return nullptr;
    }
    return avi;
}

void ApplyCurrentThresholds(const TrackParams& p, TargetSetting& t) {
    t.greyLow = p.monoValue[0];
    t.greyHigh = p.monoValue[1];
    t.percent = static_cast<float>(p.monoPercent);
    std::copy(p.colorValue, p.colorValue + 6, t.colour);
}

bool SetTargetsFromFile(VerbContext& context, const TrackOptions& o, TrackingEngine& engine) {
    std::vector<TargetsFile::Entry> entries;
    std::string error;
    if (!TargetsFile::Load(o.targets, &entries, &error)) return Fail(context, error);
    if (entries.size() > static_cast<std::size_t>(TrackingEngine::kMaxTargets))
        return Fail(context, o.targets + ": more than 4096 targets");
    const TrackParams& p = engine.Params();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TargetsFile::Entry& e = entries[i];
        TargetSetting& t = engine.Target(static_cast<int>(i));
        t.x = e.x;
        t.y = e.y;
        const bool freeWindow = p.windowSize == TrackParams::WindowSize::Free && e.width > 0;
        t.width = static_cast<std::int16_t>(freeWindow ? e.width : o.windowWidth);
        t.height = static_cast<std::int16_t>(freeWindow ? e.height : o.windowHeight);
        ApplyCurrentThresholds(p, t);
        if (p.pickupValueMode != TrackParams::PickupValueMode::Free) continue;
        if (e.hasGrey) {
            t.greyLow = e.grey[0];
            t.greyHigh = e.grey[1];
        }
        if (e.hasPercent) t.percent = e.percent;
        if (e.hasColour) std::copy(e.colour, e.colour + 6, t.colour);
    }
    engine.SetTargetCount(static_cast<int>(entries.size()));
    return true;
}

// What the pickup found: position and area of each target.
void PrintPickup(VerbContext& context, TrackingEngine& engine) {
    const std::vector<float>& areas = engine.BlobAreas();
    for (int i = 0; i < engine.TargetCount(); ++i) {
        const TargetSetting& t = engine.Target(i);
        const std::size_t k = static_cast<std::size_t>(i);
        char line[96];
        std::snprintf(line, sizeof line, "pickup %d: %.2f %.2f area %.0f\n", i + 1,
                      static_cast<double>(t.x), static_cast<double>(t.y),
                      k < areas.size() ? static_cast<double>(areas[k]) : 0.0);
        *context.out << line;
    }
}

// Automatic point pickup on the first image with the configuration's
// thresholds; every target gets the --window size.
bool SetTargetsByPickup(VerbContext& context, const TrackOptions& o, TrackingEngine& engine,
                        kova::CFrameStore& store) {
    if (engine.Params().IsColour())
        return Fail(context, "automatic point pickup needs grey images");
    store.Disp_frame(1);
    store.Put_window_full();
    int count = 0;
    if (engine.ExtractTargets(count) != 0 || count == 0) {
        *context.err << "没有目标。\n";
        return false;
    }
    count = std::min(count, TrackingEngine::kMaxTargets);
    for (int i = 0; i < count; ++i) {
        TargetSetting& t = engine.Target(i);
        t.width = static_cast<std::int16_t>(o.windowWidth);
        t.height = static_cast<std::int16_t>(o.windowHeight);
        ApplyCurrentThresholds(engine.Params(), t);
    }
    engine.SetTargetCount(count);
    *context.err << count << " targets picked up\n";
    PrintPickup(context, engine);
    return true;
}

bool TargetsInsideFrame(VerbContext& context, TrackingEngine& engine, kova::CFrameStore& store) {
    for (int i = 0; i < engine.TargetCount(); ++i) {
        const TargetSetting& t = engine.Target(i);
        if (t.x >= static_cast<float>(store.Width()) || t.y >= static_cast<float>(store.Height()))
            return Fail(context, "target " + std::to_string(i + 1) + " lies outside the " +
                                     std::to_string(store.Width()) + "x" +
                                     std::to_string(store.Height()) + " frame");
    }
    return true;
}

void ApplyMode(const TrackOptions& o, TrackParams& p) {
    using Process = TrackParams::ProcessType;
    if (o.mode == "manual") p.processType = Process::Manual;
    if (o.mode == "semi") p.processType = Process::SemiAutomatic;
    if (o.mode == "auto") p.processType = Process::Automatic;
    if (o.colour) p.dispType = TrackParams::DispType::Colour;
    if (o.pickup) { // target setting by pickup forces both policies to fixed
        p.windowSize = TrackParams::WindowSize::Fixed;
        p.pickupValueMode = TrackParams::PickupValueMode::Fixed;
    }
}

void PrintCounts(VerbContext& context, const TrackingEngine& engine) {
    *context.out << "frames: " << engine.FramesTracked() << '\n'
                 << "targets: " << engine.TargetCount() << '\n';
    for (int s = 0; s < 5; ++s)
        *context.out << "status " << s << ": " << engine.StatusTotals()[s] << '\n';
}

// The report of every run, and the preview when it is asked for.
struct RunObservers {
    explicit RunObservers(int targets) : report(targets) {}
    TrackingReport report;
    std::unique_ptr<TrackingPreview> preview;
};

// Attaches the observers; the preview's folder is made here, just before
// the run. False when it cannot be made.
bool Observe(VerbContext& context, const TrackOptions& o, TrackingEngine& engine,
             RunObservers& observers) {
    engine.AddObserver(&observers.report);
    if (o.preview.empty()) return true;
    observers.preview = std::make_unique<TrackingPreview>(o.preview);
    std::string error;
    if (!observers.preview->Open(&error)) return Fail(context, "--preview: " + error);
    engine.AddObserver(observers.preview.get());
    return true;
}

// Prints the report and its warnings and writes its CSV: 0, 1 when a file
// of the report or the preview could not be written, kLostTarget for a
// target lost too long under --fail-on-lost.
int FinishReport(VerbContext& context, const TrackOptions& o, const RunObservers& observers) {
    TrackingReportText::PrintTargets(*context.out, observers.report);
    TrackingReportText::PrintWarnings(*context.err, observers.report, "track: ");
    int status = 0;
    if (!o.report.empty() &&
        !kova::CsvFile(TrackingReportText::Table(observers.report)).Save(o.report))
        status = Error(context, "cannot write the report " + o.report);
    if (observers.preview && !observers.preview->Unwritten().empty())
        status = Error(context, "cannot write the preview " + observers.preview->Unwritten());
    if (status == 0 && o.failOnLost && observers.report.AnyLongLoss()) status = kLostTarget;
    return status;
}

int Track(VerbContext& context, const TrackOptions& o) {
    kova::ConsolePrompter prompter(*context.err);
    CCfgFile config;
    if (!LoadConfig(context, &config, prompter)) return 1;
    kova::CFrameStore store;
    kova::CImageProc proc(store);
    TrackingEngine engine(store, proc);
    engine.Params().Load(config);
    ApplyMode(o, engine.Params());
    std::string invalid = engine.Params().Check();
    if (invalid.empty()) invalid = Calibration2D::CheckKeys(config);
    if (!invalid.empty()) return Error(context, context.configPath + ": " + invalid);
    std::unique_ptr<FrameSource> source = OpenSource(context, o, store, prompter);
    if (!source) return 1;
    int frame = 1;
    if (source->Load(1, engine.Params().IsColour(), frame) != 0)
        return Error(context, source->Problem());
    const bool targetsOk = o.pickup ? SetTargetsByPickup(context, o, engine, store)
                                    : SetTargetsFromFile(context, o, engine);
    if (!targetsOk || !TargetsInsideFrame(context, engine, store)) return 1;
    if (engine.TargetCount() == 0) return Error(context, "没有目标。");
    ScriptedClicks clicks;
    std::string error;
    if (!o.clicks.empty() && !clicks.Load(o.clicks, &error)) return Error(context, error);
    if (engine.Params().processType == TrackParams::ProcessType::Manual && o.clicks.empty())
        return Error(context, "manual mode needs --clicks FILE");
    engine.SetManualPointSource(&clicks);
    RunObservers observers(engine.TargetCount());
    if (!Observe(context, o, engine, observers)) return kRefused;
    TrackingRun run(engine, prompter);
    const MeasureHeader header =
        TrackingRun::MakeHeader(config, *source, engine.Params().IsColour());
    // Ctrl-C stops the run after the current frame, as the stop button does,
    // so the result keeps the completed frames with a header that says so.
    kova::InterruptProgress progress;
    engine.SetProgress(&progress);
    const int result = run.RunTracking(*source, o.out, header);
    engine.SetProgress(nullptr);
    engine.RemoveObservers();
    PrintCounts(context, engine);
    const int reported = FinishReport(context, o, observers);
    if (!run.UnsavedPath().empty()) return Error(context, "cannot write " + run.UnsavedPath());
    if (progress.Interrupted()) {
        *context.err << "track: interrupted; " << engine.FramesTracked() << " frames kept\n";
        return 130;
    }
    if (result == 0) return reported;
    const std::string why = !clicks.Problem().empty()    ? clicks.Problem()
                            : !source->Problem().empty() ? source->Problem()
                                                         : std::string();
    if (clicks.StoppedByScript()) {
        *context.err << "track: stopped; " << engine.FramesTracked() << " frames kept\n";
        return reported;
    }
    return Error(context, "tracking ended early" + (why.empty() ? std::string() : ": " + why) +
                              "; " + std::to_string(engine.FramesTracked()) + " frames kept in " +
                              o.out);
}

} // namespace

int RunTrack(VerbContext& context) {
    TrackOptions options;
    if (!ParseOptions(context, &options)) return kRefused;
    return Track(context, options);
}

} // namespace kova::cli
