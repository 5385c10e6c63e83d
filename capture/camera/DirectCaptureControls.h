#pragma once

#include <string>
#include <vector>

// Where the direct capture puts the frames: the frame store or the capture file.
enum class CaptureTarget { Memory, Disk };

// The values of the direct capture dialog's controls.
struct DirectCaptureFields {
    std::vector<std::string> devices;
    int device = -1;                  // index in `devices`, -1 none
    std::vector<std::string> options; // "操作一览"
    int option = -1;
    std::string directory; // "采集文件", split into folder and name
    std::string fileName;
    int fileSize = 10; // MB
    bool frameRateUse = false;
    double frameRate = 0.0;
    int startFrame = 1; // system frame range, 1 .. frameCount
    int endFrame = 1;
    int frameCount = 1;
    CaptureTarget target = CaptureTarget::Disk;
    int limitFrames = 0; // "限定帧数"
    bool timeLimit = false;
    int limitTime = 0;     // seconds
    std::string diskSpace; // "可用硬盘空间 :"
    std::string status;    // "捕捉信息"
};

// Which buttons may be pressed, and the text of the preview button.
struct DirectCaptureEnables {
    bool preview = false;
    bool capture = false;
    bool stop = false;
    bool saveAs = false;
    bool play = false;
    bool transform = false;
    bool diskToMemory = false;
    bool settings = false; // the settings and their buttons
    bool close = true;
    std::string previewText = "预览";
};

// The direct capture window as its logic sees it.
class DirectCaptureControls {
public:
    DirectCaptureControls() = default;
    DirectCaptureControls(const DirectCaptureControls&) = delete;
    DirectCaptureControls& operator=(const DirectCaptureControls&) = delete;
    virtual ~DirectCaptureControls() = default;

    virtual void ReadControls(DirectCaptureFields* fields) = 0;
    virtual void WriteControls(const DirectCaptureFields& fields) = 0;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void EnableControls(const DirectCaptureEnables& enables) = 0;
};
