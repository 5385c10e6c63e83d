#include "TrackingEngine.h"

#include "CFrameStore.h"
#include "CImageProc.h"
#include "FrameSource.h"
#include "ManualPointSource.h"
#include "MeasureHeader.h"
#include "TrackResultFile.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kAverageKernel[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr float kEmphasisKernel[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};

} // namespace

TrackingEngine::TrackingEngine(kova::CFrameStore& store, kova::CImageProc& proc)
    : store_(store), proc_(proc), targets_(kMaxTargets), history_(kMaxTargets),
      records_(kMaxTargets) {}

bool TrackingEngine::SetTargetCount(int count) {
    if (count < 0 || count > kMaxTargets) return false;
    targetCount_ = count;
    return true;
}

int TrackingEngine::FrameWidth() const {
    return store_.Width();
}

// ---- the frame loop ----

int TrackingEngine::TrackSequence(TrackResultFile& file, FrameSource& source) {
    for (std::uint32_t& total : totals_)
        total = 0;
    framesTracked_ = 0;
    for (int i = 0; i < targetCount_; ++i) {
        const TargetSetting& t = targets_[static_cast<std::size_t>(i)];
        history_[static_cast<std::size_t>(i)] = History{t.x, t.y, t.x, t.y, t.x, t.y};
    }
    progress_->Open(source.Count());
    const int result = TrackFrames(file, source);
    progress_->Close();
    return result;
}

int TrackingEngine::TrackFrames(TrackResultFile& file, FrameSource& source) {
    bool stopped = false;
    for (int k = 1; k <= source.Count() && !stopped; ++k) {
        int frame = 1;
        const int loaded = source.Load(k, params_.IsColour(), frame);
        if (loaded != 0) return loaded;
        for (TrackingObserver* observer : observers_)
            observer->FrameLoaded(k, store_, frame, params_.IsColour());
        const int result = TrackFrame(k, frame);
        if (result != 0) return result;
        framesTracked_ = k;
        progress_->Step(k, std::string());
        stopped = progress_->Poll();
        if (!WriteFrameRecords(file, targetCount_, records_.data())) {
            framesTracked_ = k - 1;
            return kAborted;
        }
        for (int s = 0; s < 5; ++s)
            totals_[s] += frameCounts_[s];
        for (TrackingObserver* observer : observers_)
            observer->FrameWritten(k);
    }
    return 0;
}

int TrackingEngine::TrackFrame(int k, int frame) {
    store_.Get_framesize(width_, height_);
    if (params_.IsColour()) {
        store_.Disp_frame_color(frame);
    } else {
        store_.Disp_frame(frame);
    }
    store_.Decrease_window_all();
    for (std::uint32_t& count : frameCounts_)
        count = 0;
    for (int i = 0; i < targetCount_; ++i) {
        if (TrackTarget(k, i, frame) != 0) return kAborted;
    }
    return 0;
}

int TrackingEngine::TrackTarget(int k, int i, int frame) {
    History& h = history_[static_cast<std::size_t>(i)];
    const TargetSetting& target = targets_[static_cast<std::size_t>(i)];
    if (k > 2) PredictPosition(h.x1, h.y1, h.x0, h.y0, h.wx, h.wy);
    SetSearchWindowAt(h.wx, h.wy, target.width, target.height);
    const kova::FrameWindow window = store_.Window(); // a click moves it
    int count = -1;  // blobs in the window; none extracted in manual mode
    int chosen = -1; // the blob taken
    XY_TRACK& record = records_[static_cast<std::size_t>(i)];
    using Process = TrackParams::ProcessType;
    if (params_.processType == Process::Manual) {
        if (Ask(k, i, h, record) != 0) return kAborted;
    } else {
        if (Extract(target, frame, kMaxBlobs, count) != 0) return kAborted;
        const bool semi = params_.processType == Process::SemiAutomatic;
        if (count == 1) {
            record = XY_TRACK{kStatusFound, centres_[0], centres_[1]};
            chosen = 0;
        } else if (count == 0 && !semi) {
            record = XY_TRACK{kStatusNotFound, h.wx, h.wy};
        } else if (semi && (count == 0 || params_.selectMaxArea == 0)) {
            if (Ask(k, i, h, record) != 0) return kAborted;
        } else {
            chosen = PickLargest(count, record);
        }
    }
    ++frameCounts_[record.status];
    if (!observers_.empty()) Notify(k, i, window, count, chosen);
    h.x0 = h.x1;
    h.y0 = h.y1;
    h.x1 = record.x;
    h.y1 = record.y;
    h.wx = record.x;
    h.wy = record.y;
    return 0;
}

// Waits for a click; 0 with the record filled, kAborted when stopped.
int TrackingEngine::Ask(int k, int i, const History& h, XY_TRACK& record) {
    ManualPointSource::Request request;
    request.frame = k;
    request.id = i + 1;
    request.cx = static_cast<int>(h.wx);
    request.cy = static_cast<int>(h.wy);
    request.width = width_;
    request.height = height_;
    store_.Decrease_window_all();
    // Without anyone to click (the window is gone) nobody gave the point:
    // it is marked as not given, at the prediction.
    if (!clicks_) {
        record = XY_TRACK{kStatusSkipped, h.wx, h.wy};
        return 0;
    }
    int x = request.cx;
    int y = request.cy;
    const int answer = clicks_->WaitManualPoint(request, x, y);
    if (answer == ManualPointSource::kStopped) return kAborted;
    if (answer == ManualPointSource::kSkipped) {
        record = XY_TRACK{kStatusSkipped, h.x1, h.y1};
        return 0;
    }
    CentreWindowAt(x, y);
    record = XY_TRACK{kStatusFound, static_cast<float>(x), static_cast<float>(y)};
    return 0;
}

// Tells the observers what target i chose in frame k, before its history
// moves on (the working point is still the search point).
void TrackingEngine::Notify(int k, int i, const kova::FrameWindow& window, int count, int chosen) {
    const History& h = history_[static_cast<std::size_t>(i)];
    const TargetSetting& target = targets_[static_cast<std::size_t>(i)];
    TrackedTarget tracked;
    tracked.frame = k;
    tracked.target = i;
    tracked.searchX = h.wx;
    tracked.searchY = h.wy;
    tracked.windowWidth = target.width;
    tracked.windowHeight = target.height;
    tracked.window = window;
    tracked.record = records_[static_cast<std::size_t>(i)];
    tracked.blobCount = count;
    tracked.chosen = chosen;
    if (count >= 0) {
        ReadBlobsBack(window);
        tracked.blobs = &finder_;
    }
    for (TrackingObserver* observer : observers_)
        observer->TargetTracked(tracked);
}

// The first blob whose area is strictly above every earlier one; returns
// its index.
int TrackingEngine::PickLargest(int count, XY_TRACK& record) const {
    const int stored = std::min(count, kMaxBlobs);
    float largest = -1.0f;
    int best = 0;
    for (int b = 0; b < stored; ++b) {
        if (areas_[static_cast<std::size_t>(b)] > largest) {
            largest = areas_[static_cast<std::size_t>(b)];
            best = b;
        }
    }
    const std::int16_t status = count <= kMaxBlobs ? kStatusLargestOfMany : kStatusTooManyBlobs;
    record = XY_TRACK{status, centres_[static_cast<std::size_t>(2 * best)],
                      centres_[static_cast<std::size_t>(2 * best + 1)]};
    return best;
}

// ---- extraction ----

bool TrackingEngine::TakesLeanPath() const {
    const bool leanCase =
        params_.IsColour() || (params_.pickupMode == TrackParams::PickupMode::Band &&
                               params_.filter == TrackParams::Filter::None);
    return lean_ && leanCase;
}

int TrackingEngine::Extract(const TargetSetting& target, int frame, int maxCount, int& count) {
    if (TakesLeanPath()) return ExtractLean(target, frame, maxCount, count);
    return ExtractWithPrimitives(target, frame, maxCount, count);
}

int TrackingEngine::FindBlobs(const TargetSetting& target, int frame) {
    int count = 0;
    if (Extract(target, frame, kMaxBlobs, count) != 0) return -1;
    ReadBlobsBack(store_.Window());
    return count;
}

// The primitives leave their blobs in frame 0: the blob finder reads them
// back (the same blobs in the same order, as both number them by their
// first pixel), so that boxes and pixels are known on every path.
void TrackingEngine::ReadBlobsBack(const kova::FrameWindow& window) {
    if (TakesLeanPath()) return;
    finder_.FindGrey(store_.Plane(0), window, params_.targetValue, params_.targetValue);
}

int TrackingEngine::ExtractLean(const TargetSetting& target, int frame, int maxCount, int& count) {
    const kova::FrameWindow& window = store_.Window();
    if (params_.IsColour()) {
        int r = 0, g = 0, b = 0;
        if (store_.Get_frame_monochrome(frame, r, g, b) != kova::CFrameStore::kOk) return -1;
        finder_.FindColour(store_.Plane(r), store_.Plane(g), store_.Plane(b), window,
                           target.colour);
    } else {
        if (!store_.IsMonoFrame(frame)) return -1;
        finder_.FindGrey(store_.Plane(frame), window, target.greyLow, target.greyHigh);
    }
    finder_.RemoveNoise(params_.noiseRemover, params_.noiseArea0, params_.noiseArea1);
    count = finder_.Count();
    finder_.Report(maxCount, centres_, areas_);
    return 0;
}

int TrackingEngine::ExtractWithPrimitives(const TargetSetting& target, int frame, int maxCount,
                                          int& count) {
    const int value = params_.targetValue;
    if (params_.IsColour()) {
        const int* c = target.colour;
        proc_.Extract_rgb_color(frame, 0, value, c[0], c[1], c[2], c[3], c[4], c[5]);
    } else {
        int source = frame;
        if (params_.filter == TrackParams::Filter::Average ||
            params_.filter == TrackParams::Filter::Emphasis) {
            ApplyFilter(frame, 0, params_.filter);
            source = 0;
        }
        using Pickup = TrackParams::PickupMode;
        int threshold = 0;
        if (params_.pickupMode == Pickup::Band) {
            proc_.Twovalue_ext(source, 0, target.greyLow, target.greyHigh);
        } else if (params_.pickupMode == Pickup::ModeMethod) {
            proc_.Auto_twovalue_mode(source, 0, threshold);
        } else {
            proc_.Auto_twovalue_percent(source, 0, value, target.percent, threshold);
        }
        if (value != 0 && params_.pickupMode != Pickup::ModeMethod) proc_.Reverse(0, 0);
    }
    if (params_.RemovesSmall()) proc_.Noise_remover(0, 0, value, 8, 0, params_.noiseArea0);
    if (params_.RemovesLarge()) proc_.Noise_remover(0, 0, value, 8, 1, params_.noiseArea1);
    return proc_.Mass_center(0, 0, value, 8, 0, maxCount, count, centres_, areas_) == 0 ? 0 : -1;
}

int TrackingEngine::ExtractTargets(int& count) {
    count = 0;
    proc_.Clear_frame(0, 0);
    const int frame = params_.IsColour() ? store_.Get_dispframe_color() : store_.Get_dispframe();
    TargetSetting current;
    current.greyLow = params_.monoValue[0];
    current.greyHigh = params_.monoValue[1];
    current.percent = static_cast<float>(params_.monoPercent);
    for (int c = 0; c < 6; ++c)
        current.colour[c] = params_.colorValue[c];
    int found = 0;
    if (ExtractWithPrimitives(current, frame, kMaxTargets, found) != 0) return -1;
    count = found;
    for (int i = 0; i < std::min(found, kMaxTargets); ++i) {
        targets_[static_cast<std::size_t>(i)].x = centres_[static_cast<std::size_t>(2 * i)];
        targets_[static_cast<std::size_t>(i)].y = centres_[static_cast<std::size_t>(2 * i + 1)];
    }
    proc_.Twovalue(0, 0, params_.targetValue == 255 ? 5 : 250);
    return 0;
}

int TrackingEngine::ApplyFilter(int src, int dst, TrackParams::Filter kind) {
    if (kind == TrackParams::Filter::Average)
        return proc_.Filter_general(src, dst, 3, kAverageKernel, 9.0f);
    if (kind == TrackParams::Filter::Emphasis)
        return proc_.Filter_general(src, dst, 3, kEmphasisKernel, 1.0f);
    return kova::CImageProc::kBadArgument;
}

// ---- windows and prediction ----

int TrackingEngine::PredictPosition(float x1, float y1, float x0, float y0, float& px,
                                    float& py) const {
    int w = 0, h = 0;
    store_.Get_framesize(w, h);
    const float W = static_cast<float>(w);
    const float H = static_cast<float>(h);
    px = (x1 - x0) + x1;
    py = (y1 - y0) + y1;
    if (px >= 0.0f && px < W && py >= 0.0f && py < H) return 0;
    if (px < 0.0f || px >= W) {
        const float X = px < 0.0f ? 0.0f : W - 1.0f;
        if (std::fabs(x1 - px) <= kEpsilon) {
            px = x1;
            py = y1;
            return -1;
        }
        py = y1 + (y1 - y0) * std::fabs(X - x1) / std::fabs(x1 - px);
        px = X;
    }
    if (py < 0.0f || py >= H) {
        const float Y = py < 0.0f ? 0.0f : H - 1.0f;
        // A motion along the border (or none) cannot be pulled back.
        if (std::fabs(y1 - py) <= kEpsilon || std::fabs(y1 - Y) <= kEpsilon) {
            px = x1;
            py = y1;
            return -1;
        }
        px = x1 + (px - x1) * std::fabs(Y - y1) / std::fabs(y1 - py);
        py = Y;
    }
    return 0;
}

void TrackingEngine::SetSearchWindow(int target) {
    const History& h = history_[static_cast<std::size_t>(target)];
    const TargetSetting& t = targets_[static_cast<std::size_t>(target)];
    SetSearchWindowAt(h.wx, h.wy, t.width, t.height);
}

void TrackingEngine::SetSearchWindowAt(float x, float y, int width, int height) {
    const int hw = width / 2;
    const int hh = height / 2;
    int x0 = static_cast<int>(x - static_cast<float>(hw));
    int y0 = static_cast<int>(y - static_cast<float>(hh));
    int x1 = static_cast<int>(x + static_cast<float>(hw));
    int y1 = static_cast<int>(y + static_cast<float>(hh));
    store_.Check_xy(x0, y0);
    store_.Check_xy(x1, y1);
    store_.Put_window(x0, y0, x1, y1);
    store_.Increase_window();
}

void TrackingEngine::CentreWindowAt(int x, int y) {
    const kova::FrameWindow& w = store_.Window();
    const int width = w.Width();
    const int height = w.Height();
    const int x0 = x - width / 2;
    const int y0 = y - height / 2;
    store_.Put_window(x0, y0, x0 + width - 1, y0 + height - 1);
}

// ---- output ----

int TrackingEngine::WriteFrameRecords(TrackResultFile& file, int count, const XY_TRACK* records) {
    return file.WriteRecords(count, records) ? 1 : 0;
}

int TrackingEngine::WriteTrackHeader(TrackResultFile& file, const MeasureHeader& header) {
    return file.WriteHeader(header) ? 1 : 0;
}
