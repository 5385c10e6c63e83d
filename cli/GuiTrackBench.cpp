#include "GuiTrackBench.h"

#include "CCfgFile.h"
#include "DemoSequence.h"
#include "DemoWriter.h"
#include "FrameSource.h"
#include "ImageSource.h"
#include "LiveFrameObserver.h"
#include "TrackRunJob.h"
#include "TrackingRun.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

namespace {

constexpr int kPasses = 3;

double CpuNow() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Frames passed from the engine's thread to this one, in order, as the
// window's queued calls pass them.
class LiveQueue {
public:
    void Put(LiveFrame frame) {
        std::lock_guard<std::mutex> lock(mutex_);
        frames_.push_back(std::move(frame));
        ready_.notify_one();
    }
    void Close() {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        ready_.notify_one();
    }
    // The next frame; empty once the run has ended and all were taken.
    std::optional<LiveFrame> Take() {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return closed_ || !frames_.empty(); });
        if (frames_.empty()) return std::nullopt;
        LiveFrame frame = std::move(frames_.front());
        frames_.pop_front();
        return frame;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<LiveFrame> frames_;
    bool closed_ = false;
};

// What the view paints for a live frame: the image, each target's window
// and a cross on each point.
void Draw(const LiveFrame& frame, QImage& canvas) {
    if (canvas.size() != frame.image.size())
        canvas = QImage(frame.image.size(), QImage::Format_RGB32);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, frame.image);
    painter.setPen(QColor(0, 255, 0));
    for (const QRect& window : frame.windows)
        painter.drawRect(window);
    painter.setPen(QColor(255, 0, 0));
    for (const QPointF& p : frame.points) {
        painter.drawLine(QPointF(p.x() - 4, p.y()), QPointF(p.x() + 4, p.y()));
        painter.drawLine(QPointF(p.x(), p.y() - 4), QPointF(p.x(), p.y() + 4));
    }
}

// Targets on the demo markers with colour bands that find them, automatic
// mode: the set-up of the headless tracking figures.
void SetUpEngine(TrackingEngine& engine, const DemoSequence& demo, int window) {
    TrackParams& p = engine.Params();
    p.processType = TrackParams::ProcessType::Automatic;
    p.dispType = TrackParams::DispType::Colour;
    p.selectMaxArea = 1;
    for (int m = 0; m < demo.MarkerCount(); ++m) {
        const DemoSequence::Point truth = demo.Truth(0, m);
        TargetSetting& t = engine.Target(m);
        t.x = static_cast<float>(std::lround(truth.x));
        t.y = static_cast<float>(std::lround(truth.y));
        t.width = t.height = static_cast<std::int16_t>(window);
        for (int c = 0; c < 3; ++c) {
            t.colour[2 * c] = 200;
            t.colour[2 * c + 1] = 255;
        }
    }
    engine.SetTargetCount(demo.MarkerCount());
}

struct Pass {
    bool ok = false;
    double seconds = 0.0;
    int drawn = 0;
};

// One run of the sequence into `resultPath`: on this thread without display
// (headless), or on a worker with every published frame drawn here.
Pass RunOnce(const ImageSource& image, const DemoSequence& demo, int window,
             const std::string& resultPath, bool live) {
    Pass pass;
    TrackRunJob job;
    std::string error;
    if (!job.Open(image, &error)) return pass;
    SetUpEngine(job.Engine(), demo, window);
    CCfgFile config;
    const MeasureHeader header = TrackingRun::MakeHeader(config, job.Source(), true);
    const double start = CpuNow();
    int result = -1;
    if (!live) {
        result = job.Run(resultPath, header);
    } else {
        LiveQueue queue;
        LiveFrameObserver observer(job.Source().Count(),
                                   [&queue](LiveFrame frame) { queue.Put(std::move(frame)); });
        job.Engine().AddObserver(&observer);
        std::thread worker([&] {
            result = job.Run(resultPath, header);
            queue.Close();
        });
        QImage canvas;
        while (std::optional<LiveFrame> frame = queue.Take()) {
            Draw(*frame, canvas);
            ++pass.drawn;
        }
        worker.join();
        job.Engine().RemoveObservers();
    }
    pass.seconds = CpuNow() - start;
    pass.ok = result == 0;
    return pass;
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    const std::string x{std::istreambuf_iterator<char>(first), {}};
    const std::string y{std::istreambuf_iterator<char>(second), {}};
    return first && second && !x.empty() && x == y;
}

std::string MakeTempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kova-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::string();
    return pattern;
}

} // namespace

bool GuiTrackBench::Run(const Report& report, std::string* error) {
    const bool temporary = options_.directory.empty();
    const std::string directory = temporary ? MakeTempDirectory() : options_.directory;
    if (directory.empty()) {
        *error = "cannot make a temporary directory";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    DemoSequence::Options o;
    o.width = 1920;
    o.height = 1080;
    o.colour = true;
    o.markers = options_.targets;
    o.frames = options_.frames;
    const DemoSequence demo(o);
    bool ok = DemoWriter::WriteImages(directory, demo, DemoWriter::Format::MjpegAvi, error);
    ImageSource image;
    image.kind = ImageSource::kAviFile;
    image.directory = directory;
    image.aviFile = DemoWriter::kAviName;
    const std::string plainPath = DemoWriter::Join(directory, "HEADLESS.TRK");
    const std::string shownPath = DemoWriter::Join(directory, "GUI.TRK");
    double headless = std::numeric_limits<double>::max();
    double gui = headless;
    int drawn = 0;
    for (int p = 0; p < kPasses && ok; ++p) {
        const Pass plain = RunOnce(image, demo, options_.window, plainPath, false);
        const Pass shown = RunOnce(image, demo, options_.window, shownPath, true);
        // The display must not change what is tracked.
        ok = plain.ok && shown.ok && SameBytes(plainPath, shownPath);
        headless = std::min(headless, plain.seconds);
        if (shown.seconds < gui) {
            gui = shown.seconds;
            drawn = shown.drawn;
        }
    }
    if (temporary) std::filesystem::remove_all(directory, ec);
    if (!ok) {
        if (error->empty()) *error = "the gui-track runs did not track the whole sequence alike";
        return false;
    }
    report("headless_track_fps", o.frames / headless);
    report("gui_track_fps", o.frames / gui);
    report("gui_frames_drawn", drawn);
    report("gui_track_vs_headless", gui / headless);
    return true;
}
