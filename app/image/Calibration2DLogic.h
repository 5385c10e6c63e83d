#pragma once

#include "CDisplayClient.h"
#include "CalibrationControls.h"

#include <QPoint>
#include <string>

class CCfgFile;
class CImageDisplay;
class CTrackFile2D;
namespace kova {
class Prompter;
}

// The logic of the calibration dialog "2D 标定", a display client of the
// image window: the scale by a mouse drag over a known length, the
// coordinate system by three clicks or by the image corners, the calibration
// files, and the values written into the system configuration and the
// measurement header. It lives as long as the view, so its values stay
// between openings of the window.
class Calibration2DLogic : public CDisplayClient {
public:
    Calibration2DLogic(CImageDisplay& display, kova::Prompter& prompter);
    ~Calibration2DLogic() override;

    void SetConfig(CCfgFile* config) { config_ = config; }
    void SetTrackFile(CTrackFile2D* track) { track_ = track; }
    // The window while it exists (null otherwise).
    void SetControls(CalibrationControls* controls) { controls_ = controls; }

    CalibrationFields& Fields() { return fields_; }

    // The window opens: the axis display goes on.
    void Opened();
    // The window is set up: the nine keys fill the fields, both mouse states
    // restart, painting and the easy mouse are caught.
    void InitWindow();
    // The window is active: the easy mouse is taken again.
    void TakeMouse();
    // The window is gone: painting and the mouse are released, the axes go.
    void Destroyed();

    void SetMouseMode(CalibrationMouseMode mode);
    // "计算比例": 1 when the scale was computed.
    int ComputeScale();
    // "初始化": the next image corner becomes the origin.
    void Initialise();
    // "确定": the nine values into the system configuration and the header;
    // false (after a message) when the interval or the frame rate is not a
    // whole number from 1 to 32767, and the window stays.
    bool Accept();
    // "读入设定" / "保存设定": 1 on success.
    int LoadSettings();
    int SaveSettings();
    // "读入图像": 1 when an image was read.
    int ReadImage();

    double Scale() const { return scale_; }
    QPoint Origin() const { return QPoint(originX_, originY_); }
    double Angle() const { return angle_; }
    int DirectY() const { return directY_; }
    int CornerState() const { return cornerState_; }
    bool CornerLabelOn() const { return cornerLabel_ != 0; }
    int ClickState() const { return clickState_; }
    int DragState() const { return dragState_; }
    std::string CornerButtonText() const;

    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayMouseMove(unsigned flags, QPoint point) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;
    void OnDisplayLButtonUp(unsigned flags, QPoint point) override;
    void OnDisplayRButtonDown(unsigned flags, QPoint point) override;

    static constexpr const char* kName = "2维比例标定";
    static constexpr const char* kBadDistance = "输入间隔小于零。";
    static constexpr const char* kBadInterval = "读取间隔须为 1 到 32767 的整数。";
    static constexpr const char* kBadFrameRate = "拍摄帧数须为 1 到 32767 的整数。";
    static std::string NotANumberMessage(const std::string& field, const std::string& text);
    static std::string BadFileMessage(const std::string& path, const std::string& key);

private:
    void ReadControls();
    void WriteControls();
    void RenewTexts();
    void ReadKeys(CCfgFile& file);
    void WriteKeys(CCfgFile& file, int interval, int frames) const;
    // The interval and the frame rate of the edits; false after a message.
    bool ReadRates(int* interval, int* frames);
    // The scale from the two distances; a refusal is shown only with `warn`.
    int SetScale(bool warn);
    void PrepareFile(CCfgFile& file) const;
    void ScaleMouseDown(QPoint point);
    void ScaleMouseMove(QPoint point);
    void CoordinateMouseDown(QPoint point);
    void PaintScale(QPainter* painter) const;
    void PaintCoordinates(QPainter* painter) const;

    CImageDisplay& display_;
    kova::Prompter& prompter_;
    CCfgFile* config_ = nullptr;
    CTrackFile2D* track_ = nullptr;
    CalibrationControls* controls_ = nullptr;
    CalibrationFields fields_;
    int cornerState_ = 0;
    int cornerLabel_ = 0;
    int originX_ = 0;
    int originY_ = 0;
    double angle_ = 0.0;
    int directY_ = 1;
    QPoint clicks_[3];
    QPoint drags_[2];
    int dragState_ = 0;
    bool dragWarned_ = false; // a drag says a refused distance once
    int clickState_ = 0;
    double scale_ = 0.0;
};
