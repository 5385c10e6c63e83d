#include "CFrameStore.h"
#include "CImageProc.h"
#include "DemoSequence.h"
#include "NccTracker.h"
#include "StoreFrameSource.h"
#include "TrackResultFile.h"
#include "TrackingEngine.h"
#include "WindowBlobFinder.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Demo frames (640 x 480 grey, 20 markers) in store frames 1..count.
struct DemoFrames {
    explicit DemoFrames(int count) : demo(Options(count)) {
        cv::Mat image;
        for (int f = 0; f < count; ++f) {
            demo.Render(f, image);
            store.Put_window_full();
            store.Put_image(f + 1, image, 0, 0);
        }
    }
    static DemoSequence::Options Options(int count) {
        DemoSequence::Options o;
        o.frames = count;
        o.markers = 20;
        return o;
    }
    void SetTargets(TrackingEngine& engine, int window) const {
        engine.Params().processType = TrackParams::ProcessType::Automatic;
        engine.Params().selectMaxArea = 1;
        for (int m = 0; m < demo.MarkerCount(); ++m) {
            TargetSetting& t = engine.Target(m);
            t.x = static_cast<float>(std::lround(demo.Truth(0, m).x));
            t.y = static_cast<float>(std::lround(demo.Truth(0, m).y));
            t.width = t.height = static_cast<std::int16_t>(window);
        }
        engine.SetTargetCount(demo.MarkerCount());
    }

    DemoSequence demo;
    kova::CFrameStore store;
};

} // namespace

// One frame of 20 targets in 41 x 41 windows, lean path (Arg 1) or through
// the frame store primitives (Arg 0).
static void BM_TrackFrameGrey(benchmark::State& state) {
    DemoFrames frames(30);
    kova::CImageProc proc(frames.store);
    TrackingEngine engine(frames.store, proc);
    frames.SetTargets(engine, 41);
    engine.SetLeanExtraction(state.range(0) != 0);
    StoreFrameSource source(1, 30);
    TrackResultFile file;
    file.Create("/dev/null");
    for (auto _ : state) {
        engine.TrackSequence(file, source);
    }
    state.SetItemsProcessed(state.iterations() * 30);
}
BENCHMARK(BM_TrackFrameGrey)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The blob search of one 41 x 41 window around a marker.
static void BM_WindowBlobs(benchmark::State& state) {
    DemoFrames frames(1);
    const DemoSequence::Point p = frames.demo.Truth(0, 3);
    const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
    const kova::FrameWindow window{x - 20, y - 20, x + 20, y + 20};
    WindowBlobFinder finder;
    std::vector<float> centres, areas;
    for (auto _ : state) {
        finder.FindGrey(frames.store.Plane(1), window, 200, 255);
        finder.Report(64, centres, areas);
        benchmark::DoNotOptimize(centres.data());
    }
}
BENCHMARK(BM_WindowBlobs);

// The cross-correlation reference tracker on the same frames and windows.
static void BM_NccTrackFrame(benchmark::State& state) {
    DemoFrames frames(30);
    std::vector<cv::Mat> planes;
    std::vector<cv::Point2f> start;
    for (int f = 1; f <= 30; ++f)
        planes.push_back(frames.store.Plane(f));
    for (int m = 0; m < frames.demo.MarkerCount(); ++m)
        start.emplace_back(static_cast<float>(std::lround(frames.demo.Truth(0, m).x)),
                           static_cast<float>(std::lround(frames.demo.Truth(0, m).y)));
    NccTracker tracker;
    for (auto _ : state) {
        tracker.Start(planes[0], start, 19, 41);
        for (const cv::Mat& plane : planes)
            tracker.Track(plane);
    }
    state.SetItemsProcessed(state.iterations() * 30);
}
BENCHMARK(BM_NccTrackFrame)->Unit(benchmark::kMicrosecond);
