// The imaging loops the tracking engine and the image readers run per frame.
#include "CBmpFile.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "CImageProc.h"
#include "CImageSeries.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>
#include <random>
#include <vector>

namespace {

// A grey frame with bright 5x5 markers every 40 pixels on a noisy background.
cv::Mat MarkerFrame(int width, int height) {
    std::mt19937 random(1);
    cv::Mat frame(height, width, CV_8UC1);
    for (int y = 0; y < height; ++y) {
        auto* row = frame.ptr<uchar>(y);
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<uchar>(random() % 120);
    }
    for (int y = 18; y + 5 < height; y += 40) {
        for (int x = 18; x + 5 < width; x += 40)
            frame(cv::Rect(x, y, 5, 5)).setTo(230);
    }
    return frame;
}

// One target: band threshold, reversal and blob centres in a 41x41 window,
// as the tracking engine runs them.
void TrackWindow(kova::CImageProc& proc, kova::CFrameStore& store, int cx, int cy,
                 std::vector<float>& centres, std::vector<float>& areas) {
    store.Put_window(cx - 20, cy - 20, cx + 20, cy + 20);
    proc.Twovalue_ext(1, 0, 200, 255);
    proc.Reverse(0, 0);
    int count = 0;
    proc.Mass_center(0, 0, 255, 8, 0, 64, count, centres, areas);
    benchmark::DoNotOptimize(count);
}

void BM_ThresholdMassCenter41(benchmark::State& state) {
    kova::CFrameStore store;
    kova::CImageProc proc(store);
    store.Put_image(1, MarkerFrame(1920, 1080), 0, 0);
    store.Put_image(0, cv::Mat::zeros(1080, 1920, CV_8UC1), 0, 0);
    std::vector<float> centres, areas;
    for (auto _ : state)
        TrackWindow(proc, store, 960, 540, centres, areas);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ThresholdMassCenter41);

// Twenty targets on a 640x480 frame: items are frames.
void BM_TrackFrame20Targets640(benchmark::State& state) {
    kova::CFrameStore store;
    kova::CImageProc proc(store);
    store.Put_image(1, MarkerFrame(640, 480), 0, 0);
    store.Put_image(0, cv::Mat::zeros(480, 640, CV_8UC1), 0, 0);
    std::vector<float> centres, areas;
    for (auto _ : state) {
        for (int t = 0; t < 20; ++t) {
            TrackWindow(proc, store, 60 + (t % 5) * 120, 60 + (t / 5) * 110, centres, areas);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrackFrame20Targets640);

// Loading a series of 1920x1080 BMP files into the store; items are files.
void BM_BmpSeriesLoad1080(benchmark::State& state) {
    const bool color = state.range(0) != 0;
    constexpr int kFiles = 8;
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString();
    cv::Mat grey = MarkerFrame(1920, 1080);
    cv::Mat image;
    if (color) {
        cv::cvtColor(grey, image, cv::COLOR_GRAY2BGR);
    } else {
        image = grey;
    }
    for (int n = 1; n <= kFiles; ++n) {
        const std::string name = kova::CFrameStore::Get_filename_series_new("B", "BMP", n, 4);
        kova::CBmpFile::Write(kova::CFrameStore::Make_fullpath(path, name), image);
    }
    kova::CFrameStore store;
    kova::CImageFile files(store);
    kova::CImageSeries series(store, files);
    for (auto _ : state) {
        const int result =
            series.Load_series(path, "B", "BMP", 1, kFiles, 1, kFiles, 1, 0, 0, color);
        if (result != kova::CImageFile::kOk) state.SkipWithError("series load failed");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_BmpSeriesLoad1080)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
