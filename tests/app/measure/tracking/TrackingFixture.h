#pragma once

#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageProc.h"
#include "FrameSource.h"
#include "ManualPointSource.h"
#include "MeasureHeader.h"
#include "Progress.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"
#include "TrackingEngine.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Answers from a list and remembers every request.
class RecordingClicks : public ManualPointSource {
public:
    std::vector<std::array<int, 3>> answers; // kind, x, y
    std::vector<Request> requests;

    int WaitManualPoint(const Request& request, int& x, int& y) override {
        requests.push_back(request);
        if (requests.size() > answers.size()) return kStopped;
        x = answers[requests.size() - 1][1];
        y = answers[requests.size() - 1][2];
        return answers[requests.size() - 1][0];
    }
};

// Asks to stop at the given poll and remembers what the loop showed.
struct StopAtPoll : kova::Progress {
    void Open(int) override {}
    void Step(int position, const std::string&) override { steps.push_back(position); }
    bool Poll() override { return ++polls == stopAt; }
    void Close() override { closed = true; }
    int stopAt = 0, polls = 0;
    std::vector<int> steps;
    bool closed = false;
};

// An engine on a small grey frame store whose frames 1..N the tests draw.
class TrackingFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 150;

    TrackingFixture();

    void Clear(int frame, int value = 20);
    // A filled square with its top-left corner at (x, y).
    void Square(int frame, int x, int y, int side, int value = 255);
    void SetTarget(int i, float x, float y, int size = 21);
    // Tracks frames 1..frames through the run, then reads the result back:
    // points[target][frame]. Returns the run's result.
    int Run(int frames, std::vector<std::vector<XY_TRACK>>* points,
            MeasureHeader* header = nullptr);
    // Tracks `source` into `path` with the grey header made from `config`.
    int RunSource(FrameSource& source, const std::string& path, CCfgFile config = CCfgFile());

    kova::CFrameStore store;
    kova::CImageProc proc{store};
    TrackingEngine engine{store, proc};
    kova::RecordingPrompter prompter;
    kova::test::TempDir dir;
    std::string resultPath;
};
