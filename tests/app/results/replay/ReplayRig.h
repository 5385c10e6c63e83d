#pragma once

#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "DisplayWindow.h"
#include "DrawingTools.h"
#include "ImageSource.h"
#include "MeasureDocument.h"
#include "Progress.h"
#include "RecordingPrompter.h"
#include "ReplayLogic.h"
#include "ReplayPanel.h"

#include <QImage>
#include <string>
#include <vector>

namespace kova::test {

// The image window: counts the repaints asked for.
struct CountingWindow : DisplayWindow {
    bool IsAlive() const override { return true; }
    bool IsVisible() const override { return true; }
    void RepaintNow() override { ++repaints; }
    int repaints = 0;
};

// The panel as the logic drives it: records the calls, and goes to an
// entry by having the logic show it, as the real panel does.
struct RecordedPanel : ReplayPanel {
    void SetRange(const std::vector<int>& frames) override { range = frames; }
    void GoTo(int index) override {
        gone.push_back(index);
        if (logic) logic->ShowEntry(index);
    }
    void Stop() override { ++stops; }
    void EnableButtons(bool enable) override { enabled.push_back(enable); }
    void SetDefaultRate(double framesPerSecond) override { rate = framesPerSecond; }
    void Close() override { closed = true; }

    ReplayLogic* logic = nullptr;
    std::vector<int> range, gone;
    std::vector<bool> enabled;
    int stops = 0;
    double rate = 0.0;
    bool closed = false;
};

// Steps recorded; asks to stop at poll number `stopAt` (counted from 1).
struct StoppingProgress : NullProgress {
    explicit StoppingProgress(int stopAt = 0) : stopAt(stopAt) {}
    void Step(int /*position*/, const std::string& text) override { texts.push_back(text); }
    bool Poll() override { return ++polls == stopAt; }
    int stopAt, polls = 0;
    std::vector<std::string> texts;
};

// Two targets over five frames of a 24 x 12 frame, red and green: target 1
// along y = 2 at x = 2, 6, 10, 14, 18; target 2 the same along y = 8, not
// found (status 4) in frame 3. 30 frames per second, no scale.
inline void FillWalk(MeasureDocument& document, const std::vector<int>& looks = {0, 0, 1, 0}) {
    CTrackFile2D& track = document.Track();
    track.Create(2, 5);
    MeasureHeader header;
    header.frameRate = 30;
    header.interval = 1;
    header.timeUnit = 4;
    track.SetHeader(header);
    for (int f = 0; f < 5; ++f) {
        const float x = static_cast<float>(2 + 4 * f);
        const XY_TRACK first{0, x, 2.0f};
        const XY_TRACK second{static_cast<std::int16_t>(f == 2 ? 4 : 0), x, 8.0f};
        track.SetPoint(0, f, &first);
        track.SetPoint(1, f, &second);
    }
    document.Info().SetArray("ColorTarget", looks);
}

// The logic of an open window over the walk, with the recorded panel; the
// window's controls are its fields.
struct ReplayRig {
    ReplayRig() {
        store.InitImageSys();
        store.Put_framesize(24, 12);
        FillWalk(document);
        display.SetTrackFile(&document.Track());
        display.SetWindow(&image);
        panel.logic = &logic;
        logic.SetPanel(&panel);
        logic.InitWindow();
    }
    ~ReplayRig() {
        logic.Destroyed();
        display.FreeWindow(&image);
    }
    // Settings changed as the window would, then applied.
    bool Apply(const ReplaySettings& settings) {
        logic.Fields().settings = settings;
        logic.SettingsChanged();
        NullProgress progress;
        return logic.Apply(progress);
    }

    RecordingPrompter prompter;
    CFrameStore store;
    CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    CountingWindow image;
    MeasureDocument document{prompter};
    ImageSource source;
    DrawingTools tools;
    RecordedPanel panel;
    ReplayLogic logic{document, display, source, tools};
};

} // namespace kova::test
