// Decoding 1920x1080 AVI frames: the decoder alone against decoding into
// the frame store, as a tracking run over an AVI does frame by frame.
#include "CAviVideo.h"
#include "CFrameStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>
#include <string>
#include <unistd.h>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kMjpegFrames = 30;
constexpr int kRawFrames = 8;

// A textured scene with moving bright blobs, so that JPEG sizes are those of
// real footage rather than of a flat image.
void FillScene(kova::CFrameStore& store, int frame, int index) {
    cv::Mat scene(kHeight, kWidth, CV_8UC3);
    cv::randu(scene, cv::Scalar(40, 40, 40), cv::Scalar(120, 120, 120));
    cv::GaussianBlur(scene, scene, cv::Size(5, 5), 0);
    for (int i = 0; i < 20; ++i)
        cv::circle(scene, cv::Point(100 + 85 * i + 7 * index, 200 + 30 * (i % 7) + 3 * index), 9,
                   cv::Scalar(250, 250, 250), cv::FILLED);
    store.Put_image_color(frame, scene, 0, 0);
}

// Writes the benchmark file once per process; its path.
std::string VideoFile(kova::CAviVideo::Codec codec) {
    const bool mjpeg = codec == kova::CAviVideo::Codec::Mjpeg;
    const std::string path = std::string("/tmp/kova-bench-") + (mjpeg ? "mjpeg" : "raw") + "-" +
                             std::to_string(getpid()) + ".avi";
    static std::string written[2];
    std::string& done = written[mjpeg ? 1 : 0];
    if (!done.empty()) return done;
    kova::CFrameStore store;
    kova::CAviVideo avi;
    const int count = mjpeg ? kMjpegFrames : kRawFrames;
    if (!avi.Create(path, kWidth, kHeight, count, 30, kova::CAviVideo::Layout::Frames, 1, codec))
        return std::string();
    for (int i = 0; i < count; ++i) {
        FillScene(store, 1, i);
        avi.WriteFrame(store, 1);
    }
    avi.Close();
    std::atexit([] {
        std::remove(written[0].c_str());
        std::remove(written[1].c_str());
    });
    return done = path;
}

kova::CAviVideo::Codec CodecOf(const benchmark::State& state) {
    return state.range(0) ? kova::CAviVideo::Codec::Mjpeg : kova::CAviVideo::Codec::Raw;
}

// The decoder alone: OpenCV's FFmpeg backend reading on into one buffer.
void BM_DecodeOnly(benchmark::State& state) {
    cv::VideoCapture capture(VideoFile(CodecOf(state)), cv::CAP_FFMPEG);
    if (!capture.isOpened()) {
        state.SkipWithError("cannot open the benchmark file");
        return;
    }
    cv::Mat frame;
    for (auto _ : state) {
        if (!capture.read(frame)) {
            capture.set(cv::CAP_PROP_POS_FRAMES, 0);
            capture.read(frame);
        }
        benchmark::DoNotOptimize(frame.data);
    }
}
BENCHMARK(BM_DecodeOnly)
    ->ArgName("mjpeg")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The reader's own decoding into its reused buffer, without the store.
void BM_DecodeReader(benchmark::State& state) {
    kova::CAviVideo avi;
    if (!avi.Open(VideoFile(CodecOf(state)))) {
        state.SkipWithError("cannot open the benchmark file");
        return;
    }
    int index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(avi.DecodeFrame(index).data);
        index = (index + 1) % avi.GetFrameCount();
    }
}
BENCHMARK(BM_DecodeReader)
    ->ArgName("mjpeg")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Placing a decoded 1920x1080 BGR frame into the store alone.
void BM_PlaceFrame(benchmark::State& state) {
    kova::CFrameStore store;
    cv::Mat frame(kHeight, kWidth, CV_8UC3);
    cv::randu(frame, cv::Scalar::all(0), cv::Scalar::all(256));
    for (auto _ : state)
        store.Put_image_color(1, frame, 0, 0);
}
BENCHMARK(BM_PlaceFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Decoding each frame into colour frame 1 (or grey frame 1) of the store.
void BM_DecodeIntoStore(benchmark::State& state) {
    kova::CAviVideo avi;
    if (!avi.Open(VideoFile(CodecOf(state)))) {
        state.SkipWithError("cannot open the benchmark file");
        return;
    }
    kova::CFrameStore store;
    const int color = static_cast<int>(state.range(1));
    int index = 0;
    for (auto _ : state) {
        if (!avi.LoadFrameFromAVI(index, store, 1, color, 0, 0))
            state.SkipWithError("decoding failed");
        index = (index + 1) % avi.GetFrameCount();
    }
}
BENCHMARK(BM_DecodeIntoStore)
    ->ArgNames({"mjpeg", "colour"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
