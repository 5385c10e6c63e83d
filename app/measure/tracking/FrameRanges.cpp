#include "FrameRanges.h"

void FrameRanges::Add(int frame) {
    if (!ranges_.empty() && ranges_.back().last + 1 == frame) {
        ranges_.back().last = frame;
    } else {
        ranges_.push_back(Range{frame, frame});
    }
    ++count_;
}

FrameRanges::Range FrameRanges::Longest() const {
    Range longest;
    for (const Range& range : ranges_)
        if (range.Length() > longest.Length()) longest = range;
    return longest;
}

FrameRanges FrameRanges::LongerThan(int length) const {
    FrameRanges longer;
    for (const Range& range : ranges_) {
        if (range.Length() <= length) continue;
        longer.ranges_.push_back(range);
        longer.count_ += range.Length();
    }
    return longer;
}

std::string FrameRanges::Text() const {
    std::string text;
    for (const Range& range : ranges_) {
        if (!text.empty()) text += ',';
        text += std::to_string(range.first);
        if (range.last != range.first) text += '-' + std::to_string(range.last);
    }
    return text;
}
