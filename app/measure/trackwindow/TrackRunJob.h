#pragma once

#include "CFrameStore.h"
#include "CImageProc.h"
#include "HeldPrompter.h"
#include "MeasureHeader.h"
#include "TrackingEngine.h"
#include "WindowClickSource.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

class FrameSource;
struct ImageSource;

// One use of the tracking engine by the window: a frame store of its own
// with the sequence of the view as a frame source, so a run tracks exactly
// what `kova-batch track` tracks on the same sequence. Made on the window's
// thread; Run may then go on a worker thread, with the clicks, the stop and
// the messages passed through thread-safe parts.
class TrackRunJob {
public:
    // `asked` is called on the engine's thread when a click is awaited.
    explicit TrackRunJob(std::function<void(const ManualPointSource::Request&)> asked = {});
    ~TrackRunJob();
    TrackRunJob(const TrackRunJob&) = delete;
    TrackRunJob& operator=(const TrackRunJob&) = delete;

    // Opens the view's sequence; false with `error` when it cannot be read.
    bool Open(const ImageSource& source, std::string* error);
    // Loads image k (1-based) into the store: 0 or the loader's result.
    int Load(int k, bool colour);
    TrackingEngine& Engine() { return engine_; }
    kova::CFrameStore& Store() { return store_; }
    FrameSource& Source() { return *source_; }
    HeldPrompter& Messages() { return messages_; }
    WindowClickSource& Clicks() { return clicks_; }

    // The run: result file, header and .TRI (TrackingRun). Thread-safe to
    // stop from the window's thread.
    int Run(const std::string& resultPath, const MeasureHeader& header);
    void RequestStop();

private:
    class StopProgress : public kova::Progress {
    public:
        explicit StopProgress(std::atomic<bool>& stop) : stop_(stop) {}
        void Open(int) override {}
        void Step(int, const std::string&) override {}
        bool Poll() override { return stop_.load(); }
        void Close() override {}

    private:
        std::atomic<bool>& stop_;
    };

    kova::CFrameStore store_;
    kova::CImageProc proc_;
    TrackingEngine engine_;
    HeldPrompter messages_;
    WindowClickSource clicks_;
    std::atomic<bool> stop_{false};
    StopProgress progress_;
    std::unique_ptr<FrameSource> source_;
};
