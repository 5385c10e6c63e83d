#include "CaptureBench.h"

#include "CFrameStore.h"
#include "CVideoCapDS.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>
#include <sys/resource.h>
#include <thread>

namespace {

// Processor time of every thread of the process, in seconds.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec);
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string MakeTempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kova-capture-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::string();
    return pattern;
}

// Frame k of the stand-in: a textured scene with a moving bright block, so
// that the frames compress as camera pictures do.
cv::Mat SceneFrame(const cv::Mat& texture, int k, int width, int height) {
    cv::Mat frame = texture(cv::Rect(4 * k, 0, width, height)).clone();
    const int side = height / 6;
    const int x = (k * 29) % (width - side);
    const int y = (k * 13) % (height - side);
    cv::rectangle(frame, cv::Rect(x, y, side, side), cv::Scalar(250, 240, 230), cv::FILLED);
    return frame;
}

} // namespace

bool CaptureBench::WriteStandIn(const std::string& path, std::string* error) const {
    const int frames = static_cast<int>(2 * options_.rate);
    cv::Mat texture(options_.height, options_.width + 4 * frames, CV_8UC3);
    cv::randu(texture, 0, 256);
    cv::GaussianBlur(texture, texture, cv::Size(9, 9), 0);
    cv::VideoWriter writer(path, cv::CAP_FFMPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'),
                           options_.rate, cv::Size(options_.width, options_.height));
    if (!writer.isOpened()) {
        *error = "cannot write " + path;
        return false;
    }
    for (int k = 0; k < frames; ++k)
        writer.write(SceneFrame(texture, k, options_.width, options_.height));
    return true;
}

bool CaptureBench::Capture(const std::string& standIn, const std::string& directory, bool disk,
                           const Report& report, std::string* error) const {
    const int seconds = disk ? options_.seconds : options_.memorySeconds;
    const int frames = static_cast<int>(seconds * options_.rate) + 2;
    kova::CFrameStore store;
    store.InitImageSys();
    if (!disk) store.Put_nofframe_color(frames);
    kova::CVideoCapDS capture(store);
    capture.AddStandIn(standIn);
    std::vector<std::string> names;
    if (!capture.AppInit() || !capture.GetVDeviceList(&names) || names.empty() ||
        !capture.SelectVDevices(static_cast<int>(names.size()) - 1)) {
        *error = "cannot open the stand-in " + standIn;
        return false;
    }
    capture.PutCaptureFileName((std::filesystem::path(directory) / "BENCH.AVI").string());
    capture.SelectOption(0);
    capture.PutLimitFrames(0);
    capture.PutIfTimeLimit(true);
    capture.PutLimitTime(seconds);
    const double cpu = CpuSeconds();
    const bool started = disk ? capture.StartCapture() == 1 : capture.StartStillCapture(1, frames);
    if (!started) {
        *error = "cannot start the capture: " + capture.GetCapInfor();
        return false;
    }
    // As the dialog's timer does.
    while (capture.UpdateStatus())
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    const double used = CpuSeconds() - cpu;
    const std::string name = disk ? "capture_disk" : "capture_memory";
    const int captured = capture.GetCapturedFrames();
    const auto dropped = static_cast<double>(capture.GetDroppedFrames());
    report(name + "_seconds", seconds);
    report(name + "_frames_captured", captured);
    report(name + "_frames_offered", captured + dropped);
    report(name + "_dropped_frames", dropped);
    report(name + "_cpu_ms_per_frame", captured > 0 ? 1000.0 * used / captured : 0.0);
    if (capture.GetCapInfor().rfind("Write error", 0) == 0) {
        *error = capture.GetCapInfor();
        return false;
    }
    return true;
}

bool CaptureBench::Run(const Report& report, std::string* error) {
    const bool temporary = options_.directory.empty();
    const std::string directory = temporary ? MakeTempDirectory() : options_.directory;
    if (directory.empty()) {
        *error = "cannot make a temporary folder";
        return false;
    }
    const std::string standIn = (std::filesystem::path(directory) / "STANDIN.AVI").string();
    bool ok = WriteStandIn(standIn, error);
    double dropped = 0;
    const Report counting = [&](const std::string& name, double value) {
        const std::string suffix = "_dropped_frames";
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            dropped += value;
        report(name, value);
    };
    ok = ok && Capture(standIn, directory, true, counting, error);
    ok = ok && Capture(standIn, directory, false, counting, error);
    if (ok) report("capture_dropped_frames", dropped);
    std::error_code ignored;
    if (temporary) std::filesystem::remove_all(directory, ignored);
    return ok;
}
