#pragma once

#include <string>

// The values of the tracking window's controls.
struct TrackFields {
    int targetSetting = 0; // 0 手工, 1 自动
    int imageType = 0;     // 0 灰度, 1 彩色
    int windowSize = 0;    // 0 固定, 1 自由
    int thresholds = 0;    // 0 固定, 1 自由
    int processType = 1;   // 0 手动, 1 半自动, 2 自动
    int grey[2] = {200, 255};
    int colour[6] = {50, 120, 50, 120, 50, 120};
    double percent = 10.0;
};

// The texts the window shows.
struct TrackTexts {
    std::string imagePath;
    std::string firstFile;
    std::string lastFile;
    std::string resultPath;
    int frame = 1; // the frame field, 1-based
    int frameCount = 1;
    int id = 0; // targets set, or during a run the ID being processed
};

// Which controls may be used, after the enabling rules.
struct TrackEnabling {
    bool idle = true; // everything but 停止
    bool stop = false;
    bool grey = true;    // the M fields
    bool colour = false; // the R, G, B fields
    bool percent = false;
    bool automaticSetting = true; // the 自动 target setting radio
    bool pickup = false;          // 自动取点
    bool freePolicies = true;     // the two 自由 radios
};

// The tracking window as its logic sees it.
class TrackControls {
public:
    TrackControls() = default;
    TrackControls(const TrackControls&) = delete;
    TrackControls& operator=(const TrackControls&) = delete;
    virtual ~TrackControls() = default;

    virtual void ReadFields(TrackFields* fields) = 0;
    virtual void WriteFields(const TrackFields& fields) = 0;
    virtual void WriteTexts(const TrackTexts& texts) = 0;
    virtual void Enable(const TrackEnabling& enabling) = 0;
    // The status bar during a run: frame n of N and frames per second.
    virtual void ShowStatus(const std::string& text) = 0;
};
