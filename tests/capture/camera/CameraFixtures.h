#pragma once

#include "CFrameStore.h"
#include "CaptureViewPort.h"

#include <opencv2/core.hpp>
#include <string>
#include <vector>

namespace kova::test {

constexpr int kStandInWidth = 64;
constexpr int kStandInHeight = 48;

// Frame `i` of the stand-in video: a flat colour of its own and a bar
// whose place gives the number, so frames differ clearly after MJPEG.
cv::Mat StandInFrame(int i);
// Writes `frames` such frames as an MJPEG AVI at 25 frames per second.
void WriteStandIn(const std::string& path, int frames);
// Expects colour frames first .. last of `store` to be frames of a stand-in
// of `frames` frames (within MJPEG's loss).
void ExpectStandInFrames(const CFrameStore& store, int first, int last, int frames);

// The document window as the capture dialogs see it.
class FakeViewPort : public CaptureViewPort {
public:
    void SetTitle(Title title) override { titles.push_back(title); }
    void ShowLive(const cv::Mat& frame) override {
        ++liveFrames;
        lastLive = frame.clone();
    }
    void ShowStore() override { ++storeShown; }

    std::vector<Title> titles;
    int liveFrames = 0;
    int storeShown = 0;
    cv::Mat lastLive;
};

} // namespace kova::test
