#include "ReplayBench.h"

#include "AxisDisplay.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "DrawingTools.h"
#include "ImageSource.h"
#include "MeasureDocument.h"
#include "OffscreenGui.h"
#include "OverlayPainter.h"
#include "Progress.h"
#include "RecordingPrompter.h"
#include "ReplayFrames.h"
#include "ReplayLogic.h"
#include "VideoExport.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <opencv2/core.hpp>

namespace {

// Wall and processor time of one frame, in milliseconds.
struct Times {
    std::vector<double> wall;
    std::vector<double> cpu;
};

double CpuNow() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

template <typename Work> void Measure(Times* times, Work work) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuNow();
    work();
    times->cpu.push_back(1000.0 * (CpuNow() - cpu));
    times->wall.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
}

double P95(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(values.size())));
    return values[std::min(values.size(), std::max<std::size_t>(at, 1)) - 1];
}

void ReportTimes(const ReplayBench::Report& report, const std::string& name, const Times& t) {
    report(name + "_p95_ms", P95(t.wall));
    report(name + "_p95_cpu_ms", P95(t.cpu));
}

// Targets on smooth paths spread over the frame, one point in a hundred
// not found (status 4); 0.5 mm a pixel, 30 frames a second.
void FillMeasurement(MeasureDocument& document, const ReplayBench::Options& o) {
    CTrackFile2D& track = document.Track();
    track.Create(o.targets, o.frames);
    MeasureHeader header;
    header.frameRate = 30;
    header.interval = 1;
    header.timeUnit = 4;
    header.scale = 0.5f;
    header.lengthUnit = 3;
    track.SetHeader(header);
    for (int t = 0; t < o.targets; ++t) {
        const double row = (t + 0.5) / o.targets;
        for (int f = 0; f < o.frames; ++f) {
            const XY_TRACK p{
                static_cast<std::int16_t>((7 * f + 13 * t) % 100 == 0 ? 4 : 0),
                static_cast<float>(o.width * (0.2 + 0.6 * f / o.frames) +
                                   60.0 * std::sin(0.05 * f + t)),
                static_cast<float>(o.height * (0.05 + 0.9 * row) + 20.0 * std::cos(0.07 * f + t))};
            track.SetPoint(t, f, &p);
        }
    }
}

ReplaySettings EveryOverlay() {
    ReplaySettings s;
    s.axes = s.image = s.lines = s.trajectories = s.numbers = s.marks = true;
    s.kind = TrajectoryKind::TrajectoryAndVectors;
    s.span = TrajectorySpan::All;
    s.lineSpan = LineSpan::All;
    s.workArea = ReplayWorkArea::Disk;
    return s;
}

// Frame k of a moving grey texture.
cv::Mat Texture(const cv::Mat& noise, int k, int width) {
    return noise(cv::Rect(k % (noise.cols - width + 1), 0, width, noise.rows));
}

std::string MakeTempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kova-replay-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::string();
    return pattern;
}

} // namespace

bool ReplayBench::Run(const Report& report, std::string* error) {
    const OffscreenGui gui;
    MemoryFigures(report);
    const bool temporary = options_.directory.empty();
    const std::string directory = temporary ? MakeTempDirectory() : options_.directory;
    if (directory.empty()) {
        *error = "cannot make a temporary folder";
        return false;
    }
    const bool ok = DiskFigures(directory, report, error);
    std::error_code ignored;
    if (temporary) std::filesystem::remove_all(directory, ignored);
    return ok;
}

void ReplayBench::MemoryFigures(const Report& report) {
    kova::RecordingPrompter prompter;
    MeasureDocument document(prompter);
    FillMeasurement(document, options_);
    cv::Mat noise(options_.height, options_.width + 64, CV_8UC1);
    cv::randu(noise, 0, 256);
    kova::CFrameStore store;
    store.InitImageSys();
    store.Put_nofframe_color(1);
    store.Put_nofframe(options_.frames);
    for (int k = 1; k <= options_.frames; ++k)
        store.Put_image(k, Texture(noise, k, options_.width), 0, 0);
    std::vector<int> frames, targets;
    for (int f = 0; f < options_.frames; ++f)
        frames.push_back(f);
    for (int t = 0; t < options_.targets; ++t)
        targets.push_back(t);
    const ReplayScene scene =
        ReplayScene::Build(document.Track(), document.Info(), EveryOverlay(), frames, targets,
                           QSize(options_.width, options_.height));
    const DrawingTools tools;
    OverlayPainter overlays(tools);
    AxisDisplay axes;
    axes.TurnOn(options_.width, options_.height);
    Times times;
    store.Put_dispmode(0);
    for (int k = 0; k < options_.frames; ++k) {
        // As the view shows a frame held in the store: displayed, rendered,
        // painted over.
        Measure(&times, [&] {
            store.Disp_frame(k + 1);
            QImage image = store.GetNopa32Dib();
            QPainter painter(&image);
            axes.Paint(&painter);
            overlays.Paint(painter, scene, k);
        });
    }
    ReportTimes(report, "replay_memory", times);
}

bool ReplayBench::DiskFigures(const std::string& directory, const Report& report,
                              std::string* error) {
    const std::string path = (std::filesystem::path(directory) / "REPLAY.AVI").string();
    {
        cv::Mat noise(options_.height, options_.width + 64, CV_8UC1);
        cv::randu(noise, 0, 256);
        VideoExport video;
        bool ok = video.Open(path, VideoExport::Format::MjpegAvi,
                             QSize(options_.width, options_.height), 30.0);
        for (int k = 0; ok && k < options_.frames; ++k) {
            const cv::Mat frame = Texture(noise, k, options_.width).clone();
            ok = video.Write(QImage(frame.data, frame.cols, frame.rows,
                                    static_cast<qsizetype>(frame.step), QImage::Format_Grayscale8));
        }
        if (!ok || !video.Finish()) {
            *error = "cannot write " + path;
            return false;
        }
    }
    kova::RecordingPrompter prompter;
    MeasureDocument document(prompter);
    FillMeasurement(document, options_);
    kova::CFrameStore store;
    store.InitImageSys();
    kova::CVideoCapDS capture(store);
    CImageDisplay display(store, capture, prompter);
    display.SetTrackFile(&document.Track());
    display.SetAvi(path, 1, options_.frames, 1);
    const ImageSource source;
    const DrawingTools tools;
    ReplayLogic logic(document, display, source, tools);
    logic.InitWindow();
    logic.Fields().settings = EveryOverlay();
    kova::NullProgress progress;
    if (!logic.Apply(progress)) {
        *error = "the replay refused its settings";
        return false;
    }
    const ReplayFrames frames(display, source);
    Times times;
    bool shown = true;
    for (int k = 0; k < options_.frames && shown; ++k)
        Measure(&times, [&] { shown = logic.ShowEntry(k) && !frames.Rendered().isNull(); });
    logic.Destroyed();
    if (!shown) {
        *error = "cannot read " + path;
        return false;
    }
    ReportTimes(report, "replay_disk", times);
    return true;
}
