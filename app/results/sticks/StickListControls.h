#pragma once

#include <string>
#include <vector>

class StickFigure;
struct StickDrawing;

// The values of the dialog "连接线一览表". Fields that cannot be read come
// as -1 (frames, interval) or 0 (magnification).
struct StickListFields {
    int xStep = 10;
    int yStep = 0;
    double magnification = 1.0;
    bool whiteBackground = false;
    // 0-based frames selected in the frame list, in list order.
    std::vector<int> selectedFrames;
    int start = 1;
    int end = 0;
    int interval = 1;
};

// What the logic of "连接线一览表" reads and writes of its dialog.
class StickListControls {
public:
    virtual ~StickListControls() = default;
    virtual void ReadListFields(StickListFields* fields) = 0;
    virtual void WriteListFields(const StickListFields& fields) = 0;
    // "帧1", "帧2", ...
    virtual void SetFrameEntries(const std::vector<std::string>& entries) = 0;
    // "查看" and "设置连接线" are usable.
    virtual void EnableFigures(bool enable) = 0;
    // The display window "连接线一览" shows `figure` drawn as `drawing` says.
    virtual void ShowFigures(const StickFigure& figure, const StickDrawing& drawing) = 0;
};
