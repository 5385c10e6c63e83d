#pragma once

#include <vector>

namespace kova {
class Prompter;
}

// The frame selection of the result video: "帧选择" and the way from a frame
// on show to an entry of the selection.
class FrameSelection {
public:
    // "帧选择": the rows (frames from 0) start - 1, start - 1 + interval, ...
    // up to end - 1. False after the refusal ("Skip scene error." and
    // "移动幅度异常。" for an interval below 1, "帧异常。" unless
    // 1 <= start <= end <= frameCount); `rows` is then unchanged.
    static bool Select(int start, int end, int interval, int frameCount, kova::Prompter& prompter,
                       std::vector<int>* rows);

    // The index of the first of `frames` (ascending) at or after `frame`;
    // -1 when there is none.
    static int IndexAtOrAfter(const std::vector<int>& frames, int frame);
    // The index of the last of `frames` (ascending) at or before `frame`;
    // -1 when there is none.
    static int IndexAtOrBefore(const std::vector<int>& frames, int frame);

    static constexpr const char* kSkipError = "Skip scene error.";
    static constexpr const char* kStepError = "移动幅度异常。";
    static constexpr const char* kFrameError = "帧异常。";
};
