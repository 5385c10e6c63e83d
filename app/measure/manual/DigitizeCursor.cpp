#include "DigitizeCursor.h"

#include "CPointDataFile.h"
#include "TrackRecords.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* kToTarget = "向目标 %d 前进";
constexpr const char* kForwardToId = "前进到ID %d ";
constexpr const char* kBackToId = "后退到ID %d ";

std::string Format(const char* pattern, int number) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, number);
    return text;
}

} // namespace

void DigitizeCursor::Start(CPointDataFile* table, DigitizeOrder order) {
    table_ = table;
    order_ = order;
    targets_ = table->GetTargetCount();
    frames_ = table->GetFrameCount();
    target_ = 0;
    frame_ = 0;
    finished_ = false;
    reached_ = 0;
    clicked_.assign(static_cast<std::size_t>(targets_) * static_cast<std::size_t>(frames_), false);
}

std::size_t DigitizeCursor::Cell(int target, int frame) const {
    return static_cast<std::size_t>(target) * static_cast<std::size_t>(frames_) +
           static_cast<std::size_t>(frame);
}

bool DigitizeCursor::WasClicked(int target, int frame) const {
    if (target < 0 || target >= targets_ || frame < 0 || frame >= frames_) return false;
    return clicked_[Cell(target, frame)];
}

int DigitizeCursor::CompleteUnits() const {
    const long long unit = order_ == DigitizeOrder::Frames ? targets_ : frames_;
    return unit > 0 ? static_cast<int>(reached_ / unit) : 0;
}

void DigitizeCursor::Store(float x, float y, bool clicked) {
    const XY_TRACK point{clicked ? kClickedStatus : kSkippedStatus, x, y};
    table_->SetPoint(target_, frame_, &point);
    clicked_[Cell(target_, frame_)] = clicked;
}

void DigitizeCursor::Skip() {
    if (clicked_[Cell(target_, frame_)]) return; // a clicked point stays
    XY_TRACK previous{0, 0.0f, 0.0f};
    if (frame_ > 0) table_->GetPoint(target_, frame_ - 1, &previous);
    Store(previous.x, previous.y, false);
}

void DigitizeCursor::Reached() {
    const long long at = order_ == DigitizeOrder::Frames
                             ? static_cast<long long>(frame_) * targets_ + target_
                             : static_cast<long long>(target_) * frames_ + frame_;
    reached_ = std::max(reached_, at);
}

void DigitizeCursor::Advance(Step& step, const char* newTargetNotice) {
    if (order_ == DigitizeOrder::Frames) {
        if (++target_ == targets_) {
            target_ = 0;
            ++frame_;
            step.frameChanged = true;
            if (frame_ == frames_) step.finished = finished_ = true;
        }
    } else {
        ++frame_;
        step.frameChanged = true;
        if (frame_ == frames_) {
            frame_ = 0;
            if (++target_ == targets_)
                step.finished = finished_ = true;
            else
                step.notice = Format(newTargetNotice, target_ + 1);
        }
    }
    Reached();
}

void DigitizeCursor::Merge(Step& into, const Step& step) const {
    into.frameChanged = into.frameChanged || step.frameChanged;
    into.finished = into.finished || step.finished;
    if (!step.notice.empty()) into.notice = step.notice;
}

DigitizeCursor::Step DigitizeCursor::Click(float x, float y) {
    Step step;
    if (finished_ || !table_) return step;
    Store(x, y, true);
    Advance(step, kToTarget);
    return step;
}

// 后一目标 in frame order and 下一帧 in target order: skip one point.
// The other button skips the rest of the frame or target, or all of it when
// the cursor stands at its start.
DigitizeCursor::Step DigitizeCursor::NextTarget() {
    Step step;
    if (finished_ || !table_) return step;
    if (order_ == DigitizeOrder::Frames) {
        Skip();
        Advance(step, nullptr);
        return step;
    }
    const int count = frame_ == 0 ? frames_ : frames_ - frame_;
    for (int i = 0; i < count && !finished_; ++i)
        Merge(step, NextFrame());
    return step;
}

DigitizeCursor::Step DigitizeCursor::NextFrame() {
    Step step;
    if (finished_ || !table_) return step;
    if (order_ == DigitizeOrder::Targets) {
        Skip();
        Advance(step, kForwardToId);
        return step;
    }
    const int count = target_ == 0 ? targets_ : targets_ - target_;
    for (int i = 0; i < count && !finished_; ++i)
        Merge(step, NextTarget());
    return step;
}

DigitizeCursor::Step DigitizeCursor::PreviousFrame() {
    Step step;
    if (finished_ || !table_) return step;
    const int before = frame_;
    if (order_ == DigitizeOrder::Frames) {
        if (target_ > 0)
            target_ = 0;
        else
            frame_ = std::max(frame_ - 1, 0);
    } else if (--frame_ < 0) {
        if (target_ == 0) {
            frame_ = 0;
        } else {
            frame_ = frames_ - 1;
            --target_;
            step.notice = Format(kBackToId, target_ + 1);
        }
    }
    step.frameChanged = frame_ != before;
    return step;
}

DigitizeCursor::Step DigitizeCursor::PreviousTarget() {
    Step step;
    if (finished_ || !table_) return step;
    const int before = frame_;
    if (order_ == DigitizeOrder::Frames) {
        if (--target_ < 0) {
            if (frame_ == 0) {
                target_ = 0;
            } else {
                target_ = targets_ - 1;
                --frame_;
            }
        }
    } else if (frame_ > 0) {
        frame_ = 0;
    } else if (target_ > 0) {
        --target_;
        step.notice = Format(kBackToId, target_ + 1);
    }
    step.frameChanged = frame_ != before;
    return step;
}
