#include "TrackingBench.h"

#include "AviFrameSource.h"
#include "CFrameStore.h"
#include "CImageProc.h"
#include "DemoSequence.h"
#include "NccTracker.h"
#include "RecordingPrompter.h"
#include "SeriesFrameSource.h"
#include "StoreFrameSource.h"
#include "TrackResultFile.h"
#include "TrackingEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <memory>

namespace {

constexpr int kPasses = 5;

double CpuNow() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Processor time of the whole process (every decoder thread included), so
// that other programs on a shared machine disturb the figures little.
double Seconds(const std::function<void()>& work) {
    const double start = CpuNow();
    work();
    return CpuNow() - start;
}

// Targets on the demo markers as a user would set them, colour or grey
// bands that find the markers, automatic mode.
void SetUpEngine(TrackingEngine& engine, const DemoSequence& demo, int window) {
    TrackParams& p = engine.Params();
    p.processType = TrackParams::ProcessType::Automatic;
    p.dispType =
        demo.GetOptions().colour ? TrackParams::DispType::Colour : TrackParams::DispType::Grey;
    p.selectMaxArea = 1;
    for (int m = 0; m < demo.MarkerCount(); ++m) {
        const DemoSequence::Point truth = demo.Truth(0, m);
        TargetSetting& t = engine.Target(m);
        t.x = static_cast<float>(std::lround(truth.x));
        t.y = static_cast<float>(std::lround(truth.y));
        t.width = static_cast<std::int16_t>(window);
        t.height = static_cast<std::int16_t>(window);
        t.greyLow = 200;
        t.greyHigh = 255;
        for (int c = 0; c < 3; ++c) {
            t.colour[2 * c] = 200;
            t.colour[2 * c + 1] = 255;
        }
    }
    engine.SetTargetCount(demo.MarkerCount());
}

std::string MakeTempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kova-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::string();
    return pattern;
}

} // namespace

bool TrackingBench::Run(const Report& report, std::string* error) {
    const bool temporary = options_.directory.empty();
    const std::string directory = temporary ? MakeTempDirectory() : options_.directory;
    if (directory.empty()) {
        if (error) *error = "cannot make a temporary directory";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    bool ok = FileFigures(directory, DemoWriter::Format::MjpegAvi, "mjpeg", report, error) &&
              FileFigures(directory, DemoWriter::Format::BmpSeries, "bmp", report, error) &&
              MemoryFigures(directory, report, error);
    if (temporary) std::filesystem::remove_all(directory, ec);
    return ok;
}

bool TrackingBench::FileFigures(const std::string& directory, DemoWriter::Format format,
                                const std::string& prefix, const Report& report,
                                std::string* error) {
    DemoSequence::Options o;
    o.width = 1920;
    o.height = 1080;
    o.colour = true;
    o.markers = options_.targets;
    o.frames = format == DemoWriter::Format::BmpSeries ? options_.bmpFrames : options_.frames;
    const DemoSequence demo(o);
    if (!DemoWriter::WriteImages(directory, demo, format, error)) return false;

    kova::CFrameStore store;
    kova::CImageProc proc(store);
    kova::RecordingPrompter prompter;
    std::unique_ptr<FrameSource> source;
    if (format == DemoWriter::Format::BmpSeries) {
        auto series = std::make_unique<SeriesFrameSource>(store);
        if (!series->SetFiles(DemoWriter::SeriesPath(directory, 1),
                              DemoWriter::SeriesPath(directory, o.frames), error))
            return false;
        source = std::move(series);
    } else {
        auto avi = std::make_unique<AviFrameSource>(store, prompter);
        if (!avi->Open(DemoWriter::Join(directory, DemoWriter::kAviName), 0, 0, error))
            return false;
        source = std::move(avi);
    }
    TrackingEngine engine(store, proc);
    SetUpEngine(engine, demo, options_.window);
    const std::string result = DemoWriter::Join(directory, "BENCH.TRK");
    double decode = std::numeric_limits<double>::max();
    double track = decode;
    bool ok = true;
    for (int pass = 0; pass < kPasses && ok; ++pass) {
        decode = std::min(decode, Seconds([&] {
                              int frame = 1;
                              for (int k = 1; k <= source->Count(); ++k)
                                  ok = ok && source->Load(k, true, frame) == 0;
                          }));
        track = std::min(track, Seconds([&] {
                             TrackResultFile file;
                             ok = ok && file.Create(result) && file.SeekTo(86) == 86;
                             ok = ok && engine.TrackSequence(file, *source) == 0 && file.Close();
                         }));
    }
    if (!ok) {
        if (error) *error = "the " + prefix + " sequence could not be read back";
        return false;
    }
    report(prefix + "_decode_fps", o.frames / decode);
    report(prefix + "_track_fps", o.frames / track);
    report(prefix == "mjpeg" ? "track_vs_decode" : prefix + "_track_vs_decode", track / decode);
    return true;
}

bool TrackingBench::MemoryFigures(const std::string& directory, const Report& report,
                                  std::string* error) {
    DemoSequence::Options o;
    o.frames = options_.frames;
    o.markers = options_.targets;
    const DemoSequence demo(o);
    kova::CFrameStore store;
    kova::CImageProc proc(store);
    cv::Mat image;
    std::vector<cv::Mat> frames;
    for (int f = 0; f < o.frames; ++f) {
        demo.Render(f, image);
        store.Put_window_full();
        store.Put_image(f + 1, image, 0, 0);
        frames.push_back(store.Plane(f + 1));
    }
    TrackingEngine engine(store, proc);
    SetUpEngine(engine, demo, options_.window);
    StoreFrameSource source(1, o.frames);
    const std::string result = DemoWriter::Join(directory, "MEMORY.TRK");
    const int repeats = options_.memoryRepeats;
    double blob = std::numeric_limits<double>::max();
    bool ok = true;
    for (int pass = 0; pass < kPasses && ok; ++pass) {
        TrackResultFile file;
        ok = file.Create(result);
        blob = std::min(blob, Seconds([&] {
                            for (int r = 0; r < repeats && ok; ++r) {
                                ok = file.SeekTo(86) == 86;
                                ok = ok && engine.TrackSequence(file, source) == 0;
                            }
                        }));
        ok = file.Close() && ok;
    }
    if (!ok) {
        if (error) *error = "cannot write " + result;
        return false;
    }
    const double found = engine.StatusTotals()[0];
    std::vector<cv::Point2f> start;
    for (int m = 0; m < demo.MarkerCount(); ++m)
        start.emplace_back(engine.Target(m).x, engine.Target(m).y);
    NccTracker ncc;
    const int side = 2 * static_cast<int>(std::ceil(demo.Radius())) + 5;
    double correlation = std::numeric_limits<double>::max();
    for (int pass = 0; pass < kPasses; ++pass) {
        correlation = std::min(correlation, Seconds([&] {
                                   for (int r = 0; r < repeats; ++r) {
                                       ncc.Start(frames[0], start, side, options_.window);
                                       for (const cv::Mat& frame : frames)
                                           ncc.Track(frame);
                                   }
                               }));
    }
    const double total = static_cast<double>(o.frames) * repeats;
    report("memory_track_fps", total / blob);
    report("memory_found_fraction", found / (static_cast<double>(o.frames) * demo.MarkerCount()));
    report("ncc_track_fps", total / correlation);
    report("ncc_vs_blob", correlation / blob);
    return true;
}
