#include "Calibration2DLogic.h"

#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackFile2D.h"
#include "Calibration2D.h"
#include "NumberText.h"
#include "Prompter.h"
#include "SeriesName.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Button texts after a press of "初始化", by the corner state it leaves.
constexpr const char* kCornerTexts[4] = {"原点在右上", "原点在左上", "原点在左下", "原点在右下"};

QPen RedPen() {
    QPen pen(QColor(255, 0, 0));
    pen.setWidth(1);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

Calibration2DLogic::Calibration2DLogic(CImageDisplay& display, kova::Prompter& prompter)
    : display_(display), prompter_(prompter) {
    SetName(kName);
}

Calibration2DLogic::~Calibration2DLogic() {
    display_.ReleaseEasyMouse(this);
}

void Calibration2DLogic::ReadControls() {
    if (controls_) controls_->ReadControls(&fields_);
}

void Calibration2DLogic::WriteControls() {
    if (controls_) controls_->WriteControls(fields_);
}

void Calibration2DLogic::RenewTexts() {
    Calibration2D calibration;
    calibration.SetAxes(originX_, originY_, angle_, directY_);
    fields_.angleText = calibration.AngleText();
    fields_.originText = calibration.OriginText();
    fields_.directionText = directY_ == 1 ? "向右" : "向左";
}

std::string Calibration2DLogic::CornerButtonText() const {
    return cornerLabel_ ? kCornerTexts[cornerState_] : "初始化";
}

void Calibration2DLogic::Opened() {
    display_.AxisOn();
}

void Calibration2DLogic::ReadKeys(CCfgFile& file) {
    file.GetValue("Calibration2DLengthUnit", &fields_.lengthUnit);
    file.GetValue("Calibration2DTimeUnit", &fields_.timeUnit);
    file.GetValue("Calibration2DInterval", &fields_.interval);
    file.GetValue("Calibration2DFrames", &fields_.frameRate);
    file.GetValue("Calibration2DLength", &scale_);
    long value = originX_;
    if (file.GetValue("Calibration2DOriginX", &value)) originX_ = static_cast<int>(value);
    value = originY_;
    if (file.GetValue("Calibration2DOriginY", &value)) originY_ = static_cast<int>(value);
    file.GetValue("Calibration2DAngle", &angle_);
    value = directY_;
    if (file.GetValue("Calibration2DDirectY", &value)) directY_ = value == 1 ? 1 : -1;
    fields_.scaleText = kova::FormatFixed(scale_, 3);
    RenewTexts();
}

void Calibration2DLogic::WriteKeys(CCfgFile& file) const {
    file.SetValue("Calibration2DLength", scale_);
    file.SetValue("Calibration2DLengthUnit", fields_.lengthUnit);
    file.SetValue("Calibration2DInterval", fields_.interval);
    file.SetValue("Calibration2DFrames", fields_.frameRate);
    file.SetValue("Calibration2DTimeUnit", fields_.timeUnit);
    file.SetValue("Calibration2DOriginX", static_cast<long>(originX_));
    file.SetValue("Calibration2DOriginY", static_cast<long>(originY_));
    file.SetValue("Calibration2DAngle", angle_);
    file.SetValue("Calibration2DDirectY", static_cast<long>(directY_));
}

void Calibration2DLogic::InitWindow() {
    if (config_) ReadKeys(*config_);
    dragState_ = 0;
    clickState_ = 0;
    if (controls_) {
        controls_->EnableControls(fields_.mouseMode);
        controls_->SetCornerButtonText(CornerButtonText());
    }
    WriteControls();
    display_.CatchPaint(this);
    display_.CatchEasyMouse(this);
}

void Calibration2DLogic::TakeMouse() {
    if (display_.EasyMouseClient() != this) display_.CatchEasyMouse(this);
}

void Calibration2DLogic::Destroyed() {
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
    display_.AxisOff();
    controls_ = nullptr;
}

void Calibration2DLogic::SetMouseMode(CalibrationMouseMode mode) {
    ReadControls();
    fields_.mouseMode = mode;
    dragState_ = 0;
    clickState_ = 0;
    if (controls_) controls_->EnableControls(fields_.mouseMode);
    WriteControls();
    display_.Refresh();
}

int Calibration2DLogic::ComputeScale() {
    ReadControls();
    if (fields_.imageDistance > 0 && fields_.realDistance > 0) {
        scale_ = fields_.realDistance / fields_.imageDistance;
        fields_.scaleText = kova::FormatFixed(scale_, 3);
        WriteControls();
        return 1;
    }
    prompter_.Show(kBadDistance, "错误", kova::MessageIcon::Exclamation);
    return 0;
}

void Calibration2DLogic::Initialise() {
    const int w = display_.Store().Width();
    const int h = display_.Store().Height();
    switch (cornerState_) {
    case 0:
        originX_ = 0, originY_ = 0, angle_ = 0.0, directY_ = 1;
        break;
    case 1:
        originX_ = 0, originY_ = h - 1, angle_ = 0.0, directY_ = -1;
        break;
    case 2:
        originX_ = w - 1, originY_ = h - 1, angle_ = kPi, directY_ = 1;
        break;
    default:
        originX_ = w - 1, originY_ = 0, angle_ = kPi, directY_ = -1;
        break;
    }
    cornerState_ = (cornerState_ + 1) % 4;
    cornerLabel_ = 1;
    clickState_ = 0;
    ReadControls();
    RenewTexts();
    if (controls_) {
        controls_->SetCornerButtonText(CornerButtonText());
        controls_->EnableControls(fields_.mouseMode);
    }
    WriteControls();
    display_.Refresh();
}

void Calibration2DLogic::Accept() {
    ReadControls();
    if (config_) {
        WriteKeys(*config_);
        if (track_) {
            track_->SetCalibration(config_);
            track_->SetModified(1);
        }
    }
}

void Calibration2DLogic::PrepareFile(CCfgFile& file) const {
    file.SetInitialDir(display_.Store().Get_directory(2));
    file.SetDefaultName("TEMP.CL2");
    file.SetFilter("2D标定文件(*.CL2)|*.CL2||");
    file.SetDefaultExt("CL2");
    file.SetSaveTitle("保存文件。");
    file.SetAutoSave(0);
}

int Calibration2DLogic::LoadSettings() {
    CCfgFile file;
    PrepareFile(file);
    if (!file.Load(prompter_)) return 0;
    ReadControls();
    ReadKeys(file);
    WriteControls();
    display_.Refresh();
    return 1;
}

int Calibration2DLogic::SaveSettings() {
    ReadControls();
    CCfgFile file;
    PrepareFile(file);
    WriteKeys(file);
    return file.Save(prompter_) ? 1 : 0;
}

int Calibration2DLogic::ReadImage() {
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Open;
    request.filter = "位图文件(*.BMP)|*.BMP|视频文件(*.AVI)|*.AVI||";
    request.defaultName = "temp";
    request.defaultExtension = "BMP";
    request.initialDirectory = display_.Store().Get_directory(1);
    request.mustExist = true;
    std::string path;
    if (!prompter_.ChooseFile(request, &path)) return 0;
    int read = 0;
    const std::string name = SeriesName::Upper(SeriesName::NameOf(path));
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".BMP") == 0)
        read = display_.Reader().ReadBmpFrame(path, 1) == 0 ? 1 : 0;
    else
        read = display_.Reader().ReadAviFrameAnyhow(path, 1, 1, nullptr);
    display_.Refresh();
    return read;
}

// ---- mouse ----

void Calibration2DLogic::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    if (fields_.mouseMode == CalibrationMouseMode::Scale)
        ScaleMouseDown(point);
    else
        CoordinateMouseDown(point);
}

void Calibration2DLogic::ScaleMouseDown(QPoint point) {
    if (dragState_ == 0 || dragState_ == 2) {
        drags_[0] = drags_[1] = point;
        dragState_ = 1;
    }
    display_.Refresh();
}

void Calibration2DLogic::ScaleMouseMove(QPoint point) {
    ReadControls();
    drags_[1] = point;
    display_.Refresh();
    const long dx = drags_[1].x() - drags_[0].x();
    const long dy = drags_[1].y() - drags_[0].y();
    const double root = std::sqrt(static_cast<double>(dx * dx + dy * dy));
    fields_.imageDistance = std::trunc(root * 1000) * 0.001;
    WriteControls();
    if (fields_.imageDistance > 0 && fields_.realDistance != 0) ComputeScale();
}

void Calibration2DLogic::CoordinateMouseDown(QPoint point) {
    switch (clickState_) {
    case 0:
        clicks_[0] = clicks_[1] = point;
        clickState_ = 1;
        break;
    case 1:
        clicks_[1] = clicks_[2] = point;
        clickState_ = 2;
        break;
    case 2: {
        clicks_[2] = point;
        clickState_ = 3;
        ReadControls();
        double angle = 0.0;
        int direction = 1;
        Calibration2D::FromThreePoints(clicks_[0].x(), clicks_[0].y(), clicks_[1].x(),
                                       clicks_[1].y(), clicks_[2].x(), clicks_[2].y(), &angle,
                                       &direction);
        originX_ = clicks_[2].x();
        originY_ = clicks_[2].y();
        angle_ = angle;
        directY_ = direction;
        if (cornerLabel_) {
            cornerLabel_ = 0;
            if (controls_) controls_->SetCornerButtonText(CornerButtonText());
        }
        RenewTexts();
        WriteControls();
        break;
    }
    default:
        break;
    }
    display_.Refresh();
}

void Calibration2DLogic::OnDisplayMouseMove(unsigned /*flags*/, QPoint point) {
    if (fields_.mouseMode == CalibrationMouseMode::Scale) {
        if (dragState_ == 1) ScaleMouseMove(point);
        return;
    }
    if (clickState_ == 1)
        clicks_[1] = point;
    else if (clickState_ == 2)
        clicks_[2] = point;
    display_.Refresh();
}

void Calibration2DLogic::OnDisplayLButtonUp(unsigned /*flags*/, QPoint /*point*/) {
    if (fields_.mouseMode == CalibrationMouseMode::Scale && dragState_ == 1) dragState_ = 2;
}

void Calibration2DLogic::OnDisplayRButtonDown(unsigned /*flags*/, QPoint /*point*/) {
    if (fields_.mouseMode != CalibrationMouseMode::Coordinates || clickState_ <= 0) return;
    --clickState_;
    display_.Refresh();
}

// ---- painting ----

void Calibration2DLogic::OnDisplayPaint(QPainter* painter) {
    if (!painter) return;
    painter->save();
    painter->setPen(RedPen());
    if (fields_.mouseMode == CalibrationMouseMode::Scale)
        PaintScale(painter);
    else
        PaintCoordinates(painter);
    painter->restore();
}

void Calibration2DLogic::PaintScale(QPainter* painter) const {
    if (dragState_ == 1 || dragState_ == 2) painter->drawLine(drags_[0], drags_[1]);
}

void Calibration2DLogic::PaintCoordinates(QPainter* painter) const {
    if (clickState_ < 1) return;
    painter->setBrush(QColor(255, 0, 0));
    for (int i = 0; i < 2; ++i)
        painter->drawEllipse(QRect(clicks_[i].x() - 2, clicks_[i].y() - 2, 5, 5));
    painter->drawLine(clicks_[0], clicks_[1]);
    if (clickState_ < 2) return;
    double a = 0.0;
    int d = 1;
    Calibration2D::FromThreePoints(clicks_[0].x(), clicks_[0].y(), clicks_[1].x(), clicks_[1].y(),
                                   clicks_[2].x(), clicks_[2].y(), &a, &d);
    const double l = 1.5 * std::max(display_.Store().Width(), display_.Store().Height());
    const double b = d == 1 ? a + kPi / 2 : a - kPi / 2;
    const QPoint o = clicks_[2];
    const QPoint xEnd(o.x() + static_cast<int>(std::cos(a) * l),
                      o.y() - static_cast<int>(std::sin(a) * l));
    const QPoint yEnd(o.x() - static_cast<int>(std::cos(b) * l),
                      o.y() + static_cast<int>(std::sin(b) * l));
    painter->drawLine(xEnd, o);
    painter->drawLine(o, yEnd);
}
