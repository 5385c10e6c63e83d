#pragma once

#include <string>

class QImage;

// The fields of the AVI dialog that the logic may name, to give one of them
// the focus after a refusal.
enum class AviFileField {
    None,
    FileName,
    StartX,
    StartY,
    AviStart,
    AviEnd,
    SystemStart,
    SystemEnd,
    Interval,
    FrameRate,
};

// What 运行 does: read AVI frames into the store, or write store frames to
// an AVI file.
enum class AviOperation { Load, Save };

// A save writes whole frames or interlaced fields.
enum class AviSaveLayout { Frames, Fields };

enum class AviFirstField { Odd, Even };

// The values of the AVI dialog's controls.
struct AviFileFields {
    std::string fileName;  // a name in `directory`, or a whole path
    std::string directory; // the folder of the file
    bool withinWindow = false;
    int startX = 0;
    int startY = 0;
    int aviStart = 1; // counted from 1
    int aviEnd = 1;
    int systemStart = 1;
    int systemEnd = 1;
    int interval = 1;
    AviOperation operation = AviOperation::Load;
    AviSaveLayout layout = AviSaveLayout::Frames;
    AviFirstField firstField = AviFirstField::Odd;
    std::string frameRate = "30"; // as typed; read where it is used
};

// The AVI dialog as its logic sees it: the logic pulls the controls into
// its fields before it works and shows its results through the rest.
class AviFileControls {
public:
    AviFileControls() = default;
    AviFileControls(const AviFileControls&) = delete;
    AviFileControls& operator=(const AviFileControls&) = delete;
    virtual ~AviFileControls() = default;

    virtual void ReadControls(AviFileFields* fields) = 0;
    virtual void WriteControls(const AviFileFields& fields) = 0;
    virtual void SetPropertyText(const std::string& text) = 0;
    // A frame for the preview rectangle, or (image null) a text in its place.
    virtual void ShowPreview(const QImage& image, const std::string& text) = 0;
    virtual void SetSliderRange(int min, int max) = 0;
    virtual void SetProgress(int percent) = 0;
    // Running: 运行 and 关闭 off, 停止 on; idle the other way round.
    virtual void SetRunning(bool running) = 0;
    virtual void FocusField(AviFileField field) = 0;
};
