#pragma once

#include "Progress.h"
#include "TargetSetting.h"
#include "TrackParams.h"
#include "TrackRecords.h"
#include "TrackingObserver.h"
#include "WindowBlobFinder.h"

#include <cstdint>
#include <vector>

namespace kova {
class CFrameStore;
class CImageProc;
} // namespace kova
class FrameSource;
class ManualPointSource;
class TrackResultFile;
struct MeasureHeader;

// The automatic tracking engine: follows every target through the frames of
// a sequence and streams one point per target and frame into the result
// file. Frame 1 (or the frame the source names) holds the image tracked,
// frame 0 is the work frame of the primitives. For each target a processing
// window is set around its predicted position, the window is turned into a
// binary image, noise blobs are removed and the blobs are measured; the
// tracking mode decides what happens with none or several. The tracking
// window and the command line drive it; clicks come from a ManualPointSource,
// the stop after a frame from a progress.
class TrackingEngine {
public:
    static constexpr int kMaxTargets = 4096;
    static constexpr int kMaxBlobs = 64;
    static constexpr int kAborted = -1;
    static constexpr float kEpsilon = 1.2e-38f;

    TrackingEngine(kova::CFrameStore& store, kova::CImageProc& proc);
    TrackingEngine(const TrackingEngine&) = delete;
    TrackingEngine& operator=(const TrackingEngine&) = delete;

    TrackParams& Params() { return params_; }
    const TrackParams& Params() const { return params_; }
    // Settings of target i (0 .. kMaxTargets - 1); a run leaves them unchanged.
    TargetSetting& Target(int i) { return targets_[static_cast<std::size_t>(i)]; }
    int TargetCount() const { return targetCount_; }
    // 0 .. kMaxTargets; false (nothing changed) otherwise.
    bool SetTargetCount(int count);

    void SetManualPointSource(ManualPointSource* source) { clicks_ = source; }
    // Opened with the frame count, stepped and polled after every frame (the
    // place to pump events); a stop ends the run after that frame. None:
    // the run never stops early.
    void SetProgress(kova::Progress* progress) { progress_ = progress ? progress : &noProgress_; }
    // The window-local run path for band thresholds without filter (on by
    // default); off, every case goes through the frame store primitives.
    void SetLeanExtraction(bool on) { lean_ = on; }
    // Observers see every frame and every target's choice of a run; none by
    // default. They cost nothing when there are none.
    void AddObserver(TrackingObserver* observer) { observers_.push_back(observer); }
    void RemoveObservers() { observers_.clear(); }

    // The frame loop. 0 when every frame was tracked or the run was stopped
    // between frames, kAborted when stopped while waiting for a click or when
    // blob measurement or writing failed, else the image loader's result.
    int TrackSequence(TrackResultFile& file, FrameSource& source);
    int FramesTracked() const { return framesTracked_; }
    const std::uint32_t* StatusTotals() const { return totals_; }
    // Width of the frames in the store (the header's width edge + 1).
    int FrameWidth() const;

    // Linear prediction p1 + (p1 - p0), pulled back along the motion line
    // into the frame; -1 (and p1) when the motion is degenerate.
    int PredictPosition(float x1, float y1, float x0, float y0, float& px, float& py) const;
    // Processing window around a working point with the target's size.
    void SetSearchWindow(int target);
    void SetSearchWindowAt(float x, float y, int width, int height);
    // Moves the processing window, keeping its size, to centre on (x, y).
    void CentreWindowAt(int x, int y);
    // 3x3 average or emphasis filter from src into dst.
    int ApplyFilter(int src, int dst, TrackParams::Filter kind);
    // Automatic point pickup on the displayed frame with the current
    // parameters: blob centres become the positions of targets 0 .. n-1
    // (at most kMaxTargets); frame 0 holds the binary image afterwards.
    int ExtractTargets(int& count);
    // Areas of the blobs of the last extraction, in the order of their
    // centres (after ExtractTargets: of the targets picked up).
    const std::vector<float>& BlobAreas() const { return areas_; }
    // The extraction a run does for `target` inside the current processing
    // window of `frame` (a colour frame for colour images); Blobs() then
    // describes what it found. The blob count, or -1 when measuring failed.
    int FindBlobs(const TargetSetting& target, int frame);
    const WindowBlobFinder& Blobs() const { return finder_; }

    int WriteFrameRecords(TrackResultFile& file, int count, const XY_TRACK* records);
    int WriteTrackHeader(TrackResultFile& file, const MeasureHeader& header);

private:
    struct History {
        float x0, y0; // p0: the result before the latest
        float x1, y1; // p1: the latest result
        float wx, wy; // working point
    };

    int TrackFrames(TrackResultFile& file, FrameSource& source);
    int TrackFrame(int k, int frame);
    int TrackTarget(int k, int i, int frame);
    int Ask(int k, int i, const History& h, XY_TRACK& record);
    bool TakesLeanPath() const;
    int Extract(const TargetSetting& target, int frame, int maxCount, int& count);
    int ExtractLean(const TargetSetting& target, int frame, int maxCount, int& count);
    int ExtractWithPrimitives(const TargetSetting& target, int frame, int maxCount, int& count);
    int PickLargest(int count, XY_TRACK& record) const;
    void Notify(int k, int i, const kova::FrameWindow& window, int count, int chosen);
    void ReadBlobsBack(const kova::FrameWindow& window);

    kova::CFrameStore& store_;
    kova::CImageProc& proc_;
    TrackParams params_;
    std::vector<TargetSetting> targets_;
    int targetCount_ = 0;
    ManualPointSource* clicks_ = nullptr;
    kova::NullProgress noProgress_;
    kova::Progress* progress_ = &noProgress_;
    bool lean_ = true;
    std::vector<TrackingObserver*> observers_;

    std::vector<History> history_;
    std::vector<XY_TRACK> records_;
    std::uint32_t frameCounts_[5] = {0, 0, 0, 0, 0};
    std::uint32_t totals_[5] = {0, 0, 0, 0, 0};
    int framesTracked_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<float> centres_;
    std::vector<float> areas_;
    WindowBlobFinder finder_;
};
