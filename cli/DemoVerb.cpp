// kova-batch demo: writes the synthetic demo sequence with its ground truth,
// a configuration and a targets file that `track` uses as they are.

#include "CommandLine.h"
#include "DemoSequence.h"
#include "DemoWriter.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <filesystem>
#include <ostream>

namespace kova::cli {
namespace {

constexpr int kMaxFrames = 10000;
constexpr int kMaxSide = 4096;

bool ParseSize(const std::string& text, int* width, int* height) {
    const std::size_t x = text.find_first_of("xX");
    return x != std::string::npos && ParseInt(text.substr(0, x), width) &&
           ParseInt(text.substr(x + 1), height);
}

int Fail(VerbContext& context, const std::string& message) {
    *context.err << "demo: " << message << '\n';
    return 2;
}

void PrintNextStep(VerbContext& context, const std::string& dir, const DemoSequence& demo,
                   bool avi) {
    const DemoSequence::Options& o = demo.GetOptions();
    const std::string cfg = DemoWriter::Join(dir, DemoWriter::kConfigName);
    const std::string images = avi ? "--avi " + DemoWriter::Join(dir, DemoWriter::kAviName)
                                   : "--series " + DemoWriter::SeriesPath(dir, 1) + " " +
                                         DemoWriter::SeriesPath(dir, o.frames);
    *context.out << "demo: " << o.frames << " frames " << o.width << "x" << o.height << ' '
                 << (o.colour ? "colour" : "grey") << ", " << demo.MarkerCount() << " markers in "
                 << dir << '\n'
                 << "track it: kova-batch --cfg " << cfg << " track " << images << " --out "
                 << DemoWriter::Join(dir, "DEMO.TRK") << " --targets "
                 << DemoWriter::Join(dir, DemoWriter::kTargetsName) << '\n';
}

} // namespace

int RunDemo(VerbContext& context) {
    CommandLine line;
    std::string error;
    if (!line.Parse(context.args, OptionArity("demo"), &error)) return Fail(context, error);
    if (line.Positional().size() != 1) return Fail(context, "give one directory");
    DemoSequence::Options options;
    if (line.Has("--frames") && (!ParseInt(line.Value("--frames"), &options.frames) ||
                                 options.frames < 1 || options.frames > kMaxFrames))
        return Fail(context, "--frames must be 1.." + std::to_string(kMaxFrames));
    if (line.Has("--size") &&
        (!ParseSize(line.Value("--size"), &options.width, &options.height) || options.width < 320 ||
         options.height < 240 || options.width > kMaxSide || options.height > kMaxSide))
        return Fail(context, "--size must be WxH from 320x240 to 4096x4096");
    options.colour = line.Has("--colour");
    const std::string dir = line.Positional()[0];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return Fail(context, "cannot make " + dir + ": " + ec.message());
    const DemoSequence demo(options);
    const bool avi = line.Has("--avi");
    const auto format = avi ? DemoWriter::Format::RawAvi : DemoWriter::Format::BmpSeries;
    if (!DemoWriter::Write(dir, demo, format, &error)) {
        *context.err << "demo: " << error << '\n';
        return 1;
    }
    PrintNextStep(context, dir, demo, avi);
    return 0;
}

} // namespace kova::cli
