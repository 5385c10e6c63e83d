// kova-batch inspect: what the tracking parameters see around one point of a
// frame, to choose thresholds and windows before tracking: the pixel values
// around the point, the blob pixels of the search window and the blobs
// (centre, area, box) that the engine's own extraction finds there.

#include "AviFrameSource.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "CImageProc.h"
#include "CommandLine.h"
#include "ConsolePrompter.h"
#include "TrackingEngine.h"
#include "VerbHelp.h"
#include "Verbs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <ostream>

namespace kova::cli {
namespace {

constexpr int kUsage = 2;
constexpr int kValuesHalf = 5;  // values of the 11 x 11 pixels around the point
constexpr int kMaskLimit = 120; // wider or taller windows get no mask
constexpr int kBlobsShown = TrackingEngine::kMaxBlobs;

struct InspectOptions {
    std::string source;
    int frame = 1;
    double x = 0.0;
    double y = 0.0;
    int windowWidth = 31;
    int windowHeight = 31;
    bool colour = false;
};

bool Fail(VerbContext& context, const std::string& message) {
    *context.err << "inspect: " << message << '\n';
    return false;
}

int Error(VerbContext& context, const std::string& message, int status) {
    Fail(context, message);
    return status;
}

bool ParseWindow(const CommandLine& line, InspectOptions* o) {
    if (!line.Has("--window")) return true;
    const std::vector<std::string> w = line.Values("--window");
    return ParseInt(w[0], &o->windowWidth) && ParseInt(w[1], &o->windowHeight) &&
           o->windowWidth >= 1 && o->windowHeight >= 1 && o->windowWidth <= 32767 &&
           o->windowHeight <= 32767;
}

bool ParseOptions(VerbContext& context, InspectOptions* o) {
    CommandLine line;
    std::string error;
    // The options are the verb's help entry (VerbHelp.cpp).
    if (!line.Parse(context.args, OptionArity("inspect"), &error)) return Fail(context, error);
    if (line.Positional().size() != 1) return Fail(context, "give one SOURCE image or video");
    o->source = line.Positional()[0];
    if (line.Has("--frame") && (!ParseInt(line.Value("--frame"), &o->frame) || o->frame < 1))
        return Fail(context, "--frame N needs a frame number from 1");
    const std::vector<std::string> at = line.Values("--at");
    if (at.size() != 2 || !ParseDouble(at[0], &o->x) || !ParseDouble(at[1], &o->y))
        return Fail(context, "--at X Y is required: the point in pixels");
    if (!ParseWindow(line, o)) return Fail(context, "--window W H needs two sizes 1..32767");
    o->colour = line.Has("--colour");
    return true;
}

// The system configuration: the file when it exists (with the right
// version), the defaults otherwise.
bool LoadConfig(VerbContext& context, CCfgFile* config, kova::Prompter& prompter) {
    std::error_code code;
    if (!std::filesystem::exists(context.configPath, code)) return true;
    if (!config->Load(context.configPath))
        return Fail(context, "cannot read the configuration " + context.configPath);
    std::string version;
    if (!config->GetValue("VersionInformation", &version) || version != "KOVA_VER1.00") {
        prompter.Show("'CFG' 文件版本错误。", "错误");
        return false;
    }
    return true;
}

bool IsBmp(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".bmp";
}

// Loads the frame into store frame 1 (a colour frame for colour images).
bool LoadFrame(VerbContext& context, const InspectOptions& o, bool colour, kova::CFrameStore& store,
               kova::Prompter& prompter) {
    if (IsBmp(o.source)) {
        if (o.frame != 1) return Fail(context, o.source + " is one image: --frame must be 1");
        kova::CImageFile files(store);
        const int result = colour ? files.Load_imagefile_bmp_color(o.source, 1, 0, 0)
                                  : files.Load_imagefile_bmp(o.source, 1, 0, 0);
        return result == kova::CImageFile::kOk || Fail(context, "cannot read image " + o.source);
    }
    AviFrameSource video(store, prompter);
    std::string error;
    if (!video.Open(o.source, o.frame, o.frame, &error)) return Fail(context, error);
    int frame = 1;
    return video.Load(1, colour, frame) == 0 || Fail(context, video.Problem());
}

std::string Value(const kova::CFrameStore& store, bool colour, int x, int y) {
    if (!colour) return std::to_string(store.Read_pixel(1, x, y));
    int r = 0, g = 0, b = 0;
    store.Read_pixel_color(1, x, y, r, g, b);
    return std::to_string(r) + ',' + std::to_string(g) + ',' + std::to_string(b);
}

void PrintValues(std::ostream& out, const kova::CFrameStore& store, bool colour, int cx, int cy) {
    const int x0 = std::max(cx - kValuesHalf, 0),
              x1 = std::min(cx + kValuesHalf, store.Width() - 1);
    const int y0 = std::max(cy - kValuesHalf, 0),
              y1 = std::min(cy + kValuesHalf, store.Height() - 1);
    const int width = colour ? 12 : 4;
    char cell[32];
    out << "values at x " << x0 << ".." << x1 << ", y " << y0 << ".." << y1 << ":\n      ";
    for (int x = x0; x <= x1; ++x) {
        std::snprintf(cell, sizeof cell, "%*d", width, x);
        out << cell;
    }
    out << '\n';
    for (int y = y0; y <= y1; ++y) {
        std::snprintf(cell, sizeof cell, "%5d:", y);
        out << cell;
        for (int x = x0; x <= x1; ++x) {
            std::snprintf(cell, sizeof cell, "%*s", width, Value(store, colour, x, y).c_str());
            out << cell;
        }
        out << '\n';
    }
}

void PrintMask(std::ostream& out, const WindowBlobFinder& blobs) {
    const kova::FrameWindow& w = blobs.Window();
    if (w.Width() > kMaskLimit || w.Height() > kMaskLimit) {
        out << "mask: not shown for windows over " << kMaskLimit << " pixels\n";
        return;
    }
    std::vector<std::uint8_t> mask;
    blobs.KeptPixels(mask);
    out << "mask (# blob pixel) from x " << w.x0 << ", y " << w.y0 << ":\n";
    std::size_t i = 0;
    for (int y = 0; y < w.Height(); ++y) {
        std::string row(static_cast<std::size_t>(w.Width()), '.');
        for (char& c : row)
            c = mask[i++] ? '#' : '.';
        out << row << '\n';
    }
}

void PrintBlobs(std::ostream& out, const WindowBlobFinder& blobs) {
    out << "blobs: " << blobs.Count() << '\n';
    const int shown = std::min(blobs.Count(), kBlobsShown);
    for (int k = 0; k < shown; ++k) {
        const WindowBlobFinder::Found b = blobs.At(k);
        char line[160];
        std::snprintf(line, sizeof line,
                      "blob %d: centre %.2f %.2f, area %d, box x %d..%d, y %d..%d\n", k + 1,
                      static_cast<double>(b.x), static_cast<double>(b.y), b.area, b.box.x0,
                      b.box.x1, b.box.y0, b.box.y1);
        out << line;
    }
    if (blobs.Count() > shown) out << "(" << blobs.Count() - shown << " more not shown)\n";
}

// The thresholds of the configuration, as every target of a run with fixed
// thresholds gets them.
TargetSetting CurrentTarget(const TrackParams& p, const InspectOptions& o) {
    TargetSetting t;
    t.width = static_cast<std::int16_t>(o.windowWidth);
    t.height = static_cast<std::int16_t>(o.windowHeight);
    t.greyLow = p.monoValue[0];
    t.greyHigh = p.monoValue[1];
    t.percent = static_cast<float>(p.monoPercent);
    std::copy(p.colorValue, p.colorValue + 6, t.colour);
    return t;
}

void PrintInspection(std::ostream& out, const InspectOptions& o, const kova::CFrameStore& store,
                     bool colour, const WindowBlobFinder& blobs) {
    const kova::FrameWindow& w = blobs.Window();
    out << "frame " << o.frame << " of " << o.source << ": " << store.Width() << "x"
        << store.Height() << (colour ? " colour" : " grey") << '\n'
        << "window: x " << w.x0 << ".." << w.x1 << ", y " << w.y0 << ".." << w.y1 << '\n';
    PrintValues(out, store, colour, static_cast<int>(o.x), static_cast<int>(o.y));
    PrintMask(out, blobs);
    PrintBlobs(out, blobs);
}

int Inspect(VerbContext& context, const InspectOptions& o) {
    kova::ConsolePrompter prompter(*context.err);
    CCfgFile config;
    if (!LoadConfig(context, &config, prompter)) return 1;
    kova::CFrameStore store;
    kova::CImageProc proc(store);
    TrackingEngine engine(store, proc);
    engine.Params().Load(config);
    if (o.colour) engine.Params().dispType = TrackParams::DispType::Colour;
    const std::string invalid = engine.Params().Check();
    if (!invalid.empty()) return Error(context, context.configPath + ": " + invalid, 1);
    const bool colour = engine.Params().IsColour();
    if (!LoadFrame(context, o, colour, store, prompter)) return kUsage;
    if (!(o.x >= 0.0 && o.x < store.Width() && o.y >= 0.0 && o.y < store.Height()))
        return Error(context,
                     "--at lies outside the " + std::to_string(store.Width()) + "x" +
                         std::to_string(store.Height()) + " frame",
                     kUsage);
    const TargetSetting target = CurrentTarget(engine.Params(), o);
    engine.SetSearchWindowAt(static_cast<float>(o.x), static_cast<float>(o.y), target.width,
                             target.height);
    if (engine.FindBlobs(target, 1) < 0) return Error(context, "blob measurement failed", 1);
    PrintInspection(*context.out, o, store, colour, engine.Blobs());
    return 0;
}

} // namespace

int RunInspect(VerbContext& context) {
    InspectOptions options;
    if (!ParseOptions(context, &options)) return kUsage;
    return Inspect(context, options);
}

} // namespace kova::cli
