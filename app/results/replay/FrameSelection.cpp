#include "FrameSelection.h"

#include "Prompter.h"

#include <algorithm>

bool FrameSelection::Select(int start, int end, int interval, int frameCount,
                            kova::Prompter& prompter, std::vector<int>* rows) {
    if (interval < 1) {
        prompter.Show(kSkipError, "Confirm", kova::MessageIcon::Exclamation);
        prompter.Show(kStepError, "确认", kova::MessageIcon::Exclamation);
        return false;
    }
    if (start < 1 || start > end || end > frameCount) {
        prompter.Show(kFrameError, "确认", kova::MessageIcon::Exclamation);
        return false;
    }
    rows->clear();
    // Counted in 64 bits: end may be close to the largest int.
    for (long long frame = start; frame <= end; frame += interval)
        rows->push_back(static_cast<int>(frame - 1));
    return true;
}

int FrameSelection::IndexAtOrAfter(const std::vector<int>& frames, int frame) {
    const auto at = std::lower_bound(frames.begin(), frames.end(), frame);
    return at == frames.end() ? -1 : static_cast<int>(at - frames.begin());
}

int FrameSelection::IndexAtOrBefore(const std::vector<int>& frames, int frame) {
    const auto after = std::upper_bound(frames.begin(), frames.end(), frame);
    return static_cast<int>(after - frames.begin()) - 1;
}
