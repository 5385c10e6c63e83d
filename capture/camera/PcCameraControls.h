#pragma once

#include <string>
#include <vector>

// Where the PC camera's frames go: into the frame store or a file.
enum class PcCameraTarget { Memory, Disk };

// The values of the PC camera dialog's controls.
struct PcCameraFields {
    std::vector<std::string> drivers;
    int driver = -1; // index in `drivers`, -1 none chosen
    double rate = 0.0;
    int startFrame = 1; // system frame range, 1 .. frameCount
    int endFrame = 1;
    int frameCount = 1;
    bool lowSpeed = false;        // "低": one frame every `secondsPerFrame`
    double secondsPerFrame = 1.0; // "秒数/帧"
    PcCameraTarget target = PcCameraTarget::Memory;
    std::string fileName; // the file of a capture to disk
    std::string statusLabel = "捕捉的帧:";
    int statusCount = 0;
};

// Which controls may be used.
struct PcCameraEnables {
    bool driverControls = false; // driver list, 格式, 源, 显示, 复制, rate, settings
    bool capture = false;
    bool stop = false;
    bool close = true;
};

// The PC camera window as its logic sees it.
class PcCameraControls {
public:
    PcCameraControls() = default;
    PcCameraControls(const PcCameraControls&) = delete;
    PcCameraControls& operator=(const PcCameraControls&) = delete;
    virtual ~PcCameraControls() = default;

    virtual void ReadControls(PcCameraFields* fields) = 0;
    virtual void WriteControls(const PcCameraFields& fields) = 0;
    // The status label and count ("捕捉的帧:" / "转换的帧:").
    virtual void SetStatus(const std::string& label, int count) = 0;
    virtual void EnableControls(const PcCameraEnables& enables) = 0;
};
