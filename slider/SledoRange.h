#pragma once

namespace kova {

// The value model of the range slider: the range Min..Max and the two thumbs,
// held in rail order (low <= high). With reverse the reported (external)
// values run the other way: Low = min + max - high, High = min + max - low.
// Every operation keeps min <= max and min <= low <= high <= max.
class SledoRange {
public:
    enum class Thumb { Low, High };

    SledoRange() { Reset(1, 100); }

    long Min() const { return min_; }
    long Max() const { return max_; }
    long HeldLow() const { return low_; }
    long HeldHigh() const { return high_; }
    long Low() const { return reverse_ ? min_ + max_ - high_ : low_; }
    long High() const { return reverse_ ? min_ + max_ - low_ : high_; }
    bool Reverse() const { return reverse_; }
    bool Lock() const { return lock_; }

    // Sets the range (max < min gives max = min) and the direction, with
    // the held low = min and high = (min + max) / 2, as after loading
    // stored properties.
    void Reset(long min, long max, bool reverse = false);
    void SetLock(bool lock) { lock_ = lock; }
    // Switches the direction keeping the external Low and High; true when
    // the held thumbs moved.
    bool SetReverse(bool reverse);

    // Moves a thumb to the external value v; true when a thumb moved.
    bool MoveExternal(Thumb thumb, long v);
    // Moves the held low (or high) thumb to v, applying the lock or push
    // rule against the other thumb; v outside [min, max] is refused.
    bool MoveHeld(Thumb thumb, long v);

    // Range bounds; true when the bound changed.
    bool SetMinBound(long min);
    bool SetMaxBound(long max);
    // True when a bound changed; max < min is refused.
    bool SetRange(long min, long max);
    // Both external values at once; true when a thumb moved.
    bool SetBar(long low, long high);

    // Dragging, in held values: the thumb (or both, for the bar) starts at
    // the given values and moves by offset. True when a thumb moved.
    bool DragThumb(Thumb thumb, long start, long offset);
    bool DragBar(long startLow, long startHigh, long offset);

private:
    void Clamp(long* v) const;
    void SetHeld(Thumb thumb, long v);

    long min_ = 1;
    long max_ = 100;
    long low_ = 1;
    long high_ = 50;
    bool reverse_ = false;
    bool lock_ = false;
};

} // namespace kova
