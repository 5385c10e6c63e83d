#include "SledoRange.h"

#include <algorithm>

namespace kova {

void SledoRange::Reset(long min, long max, bool reverse) {
    reverse_ = reverse;
    min_ = min;
    max_ = std::max(min, max);
    low_ = min_;
    high_ = (min_ + max_) / 2;
}

bool SledoRange::SetReverse(bool reverse) {
    if (reverse == reverse_) return false;
    // Mapping both held values at once keeps the external values exactly,
    // whatever the lock setting.
    const long sum = min_ + max_;
    const long newLow = sum - high_;
    const long newHigh = sum - low_;
    const bool moved = newLow != low_ || newHigh != high_;
    low_ = newLow;
    high_ = newHigh;
    reverse_ = reverse;
    return moved;
}

bool SledoRange::MoveExternal(Thumb thumb, long v) {
    if (v < min_ || v > max_) return false;
    if (!reverse_) return MoveHeld(thumb, v);
    const Thumb other = thumb == Thumb::Low ? Thumb::High : Thumb::Low;
    return MoveHeld(other, min_ + max_ - v);
}

bool SledoRange::MoveHeld(Thumb thumb, long v) {
    if (v < min_ || v > max_) return false;
    const long oldLow = low_;
    const long oldHigh = high_;
    SetHeld(thumb, v);
    return low_ != oldLow || high_ != oldHigh;
}

void SledoRange::SetHeld(Thumb thumb, long v) {
    if (thumb == Thumb::Low) {
        low_ = v;
        if (low_ > high_) {
            if (lock_)
                low_ = high_;
            else
                high_ = low_;
        }
        return;
    }
    high_ = v;
    if (high_ < low_) {
        if (lock_)
            high_ = low_;
        else
            low_ = high_;
    }
}

bool SledoRange::SetMinBound(long min) {
    if (min == min_) return false;
    const long shift = min - min_;
    min_ = min;
    max_ = std::max(max_, min_); // the range never inverts
    if (!reverse_) {
        low_ = std::max(low_, min_);
        high_ = std::max(high_, min_);
        return true;
    }
    low_ = std::min(low_ + shift, max_);
    high_ = std::min(high_ + shift, max_);
    return true;
}

bool SledoRange::SetMaxBound(long max) {
    if (max == max_) return false;
    const long shift = max - max_;
    max_ = max;
    min_ = std::min(min_, max_);
    if (!reverse_) {
        low_ = std::min(low_, max_);
        high_ = std::min(high_, max_);
        return true;
    }
    low_ = std::max(low_ + shift, min_);
    high_ = std::max(high_ + shift, min_);
    return true;
}

bool SledoRange::SetRange(long min, long max) {
    if (max < min) return false;
    const bool minChanged = SetMinBound(min);
    const bool maxChanged = SetMaxBound(max);
    return minChanged || maxChanged;
}

bool SledoRange::SetBar(long low, long high) {
    if ((low == Low() && high == High()) || high < low || low < min_ || high > max_) return false;
    // Move first the thumb that makes room, so neither passes the other and
    // the lock rule cannot hold one back.
    bool moved = false;
    if (low > High()) {
        moved = MoveExternal(Thumb::High, high);
        moved = MoveExternal(Thumb::Low, low) || moved;
    } else {
        moved = MoveExternal(Thumb::Low, low);
        moved = MoveExternal(Thumb::High, high) || moved;
    }
    return moved;
}

void SledoRange::Clamp(long* v) const {
    *v = std::clamp(*v, min_, max_);
}

bool SledoRange::DragThumb(Thumb thumb, long start, long offset) {
    long v = start + offset;
    Clamp(&v);
    return MoveHeld(thumb, v);
}

bool SledoRange::DragBar(long startLow, long startHigh, long offset) {
    long newLow = startLow + offset;
    long newHigh = startHigh + offset;
    if (newLow < min_) {
        newHigh += min_ - newLow;
        newLow = min_;
    }
    if (newHigh > max_) {
        newLow -= newHigh - max_;
        newHigh = max_;
    }
    Clamp(&newLow);
    Clamp(&newHigh);
    const bool moved = newLow != low_ || newHigh != high_;
    low_ = newLow;
    high_ = newHigh;
    return moved;
}

} // namespace kova
