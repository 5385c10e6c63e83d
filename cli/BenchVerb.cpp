// kova-batch bench: the performance figures of tracking, as "name: value"
// lines.

#include "CaptureBench.h"
#include "CommandLine.h"
#include "GuiTrackBench.h"
#include "ReplayBench.h"
#include "TrackingBench.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <iomanip>
#include <ostream>

namespace kova::cli {

namespace {

void PrintFigure(VerbContext& context, const std::string& name, double value) {
    *context.out << name << ": " << std::fixed << std::setprecision(3) << value << '\n';
    context.out->flush();
}

// "bench gui-track": the tracking window's run path against the headless run.
int RunGuiTrackBench(VerbContext& context, const CommandLine& line) {
    GuiTrackBench::Options options;
    if (line.Has("--frames") && (!ParseInt(line.Value("--frames"), &options.frames) ||
                                 options.frames < 3 || options.frames > 1000)) {
        *context.err << "bench: --frames must be 3..1000\n";
        return 2;
    }
    options.directory = line.Value("--dir");
    std::string error;
    const bool ok = GuiTrackBench(options).Run(
        [&](const std::string& name, double value) { PrintFigure(context, name, value); }, &error);
    if (!ok) *context.err << "bench: " << error << '\n';
    return ok ? 0 : 1;
}

// "bench replay": the result video's figures.
int RunReplayBench(VerbContext& context, const CommandLine& line) {
    ReplayBench::Options options;
    if (line.Has("--frames") && (!ParseInt(line.Value("--frames"), &options.frames) ||
                                 options.frames < 3 || options.frames > 1000)) {
        *context.err << "bench: --frames must be 3..1000\n";
        return 2;
    }
    options.directory = line.Value("--dir");
    std::string error;
    const bool ok = ReplayBench(options).Run(
        [&](const std::string& name, double value) {
            *context.out << name << ": " << std::fixed << std::setprecision(3) << value << '\n';
            context.out->flush();
        },
        &error);
    if (!ok) *context.err << "bench: " << error << '\n';
    return ok ? 0 : 1;
}

// "bench capture": the capture backend against a 1080p stand-in camera.
int RunCaptureBench(VerbContext& context, const CommandLine& line) {
    CaptureBench::Options options;
    if (line.Has("--seconds") && (!ParseInt(line.Value("--seconds"), &options.seconds) ||
                                  options.seconds < 1 || options.seconds > 3600)) {
        *context.err << "bench: --seconds must be 1..3600\n";
        return 2;
    }
    if (line.Has("--memory-seconds") &&
        (!ParseInt(line.Value("--memory-seconds"), &options.memorySeconds) ||
         options.memorySeconds < 1 || options.memorySeconds > 60)) {
        *context.err << "bench: --memory-seconds must be 1..60\n";
        return 2;
    }
    options.directory = line.Value("--dir");
    std::string error;
    const bool ok = CaptureBench(options).Run(
        [&](const std::string& name, double value) { PrintFigure(context, name, value); }, &error);
    if (!ok) *context.err << "bench: " << error << '\n';
    return ok ? 0 : 1;
}

int RunNamedBench(VerbContext& context, const CommandLine& line) {
    const std::vector<std::string>& names = line.Positional();
    if (names == std::vector<std::string>{"replay"}) return RunReplayBench(context, line);
    if (names == std::vector<std::string>{"gui-track"}) return RunGuiTrackBench(context, line);
    if (names == std::vector<std::string>{"capture"}) return RunCaptureBench(context, line);
    *context.err << "bench: the only figures by name are: replay, gui-track, capture\n";
    return 2;
}

} // namespace

int RunBench(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("bench"), &error)) {
        *context.err << "bench: " << error << '\n';
        return 2;
    }
    if (!line.Positional().empty()) return RunNamedBench(context, line);
    TrackingBench::Options options;
    if (line.Has("--frames")) {
        if (!ParseInt(line.Value("--frames"), &options.frames) || options.frames < 3 ||
            options.frames > 1000) {
            *context.err << "bench: --frames must be 3..1000\n";
            return 2;
        }
        options.bmpFrames = std::min(options.bmpFrames, options.frames);
        options.memoryRepeats = std::max(1, 120 / options.frames);
    }
    options.directory = line.Value("--dir");
    TrackingBench bench(options);
    const bool ok = bench.Run(
        [&](const std::string& name, double value) {
            *context.out << name << ": " << std::fixed << std::setprecision(3) << value << '\n';
            context.out->flush();
        },
        &error);
    if (!ok) {
        *context.err << "bench: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace kova::cli
