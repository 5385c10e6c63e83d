#pragma once

#include <string>
#include <vector>

// Frame numbers in increasing order, kept as runs of consecutive frames and
// written as "3,9-12". A report's lists of frames stay short this way.
class FrameRanges {
public:
    struct Range {
        int first = 0;
        int last = -1;
        int Length() const { return last - first + 1; }
    };

    // Frames come in increasing order; one next to the last run extends it.
    void Add(int frame);
    int Count() const { return count_; }
    bool Empty() const { return ranges_.empty(); }
    const std::vector<Range>& Ranges() const { return ranges_; }
    // The first of the longest runs; empty (length 0) when there are none.
    Range Longest() const;
    // The runs longer than `length` frames.
    FrameRanges LongerThan(int length) const;
    // "3,9-12"; empty when there are no frames.
    std::string Text() const;

private:
    std::vector<Range> ranges_;
    int count_ = 0;
};
