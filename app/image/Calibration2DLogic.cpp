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
#include <charconv>
#include <cmath>
#include <string_view>
#include <type_traits>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Button texts after a press of "初始化", by the corner state it leaves.
constexpr const char* kCornerTexts[4] = {"原点在右上", "原点在左上", "原点在左下", "原点在右下"};

// The measurement header holds the interval and the frame rate in 16 bits.

// The text without surrounding blanks and a leading plus sign.
std::string_view NumberPart(const std::string& text) {
    std::string_view view(text);
    while (!view.empty() && (view.front() == ' ' || view.front() == '\t'))
        view.remove_prefix(1);
    while (!view.empty() && (view.back() == ' ' || view.back() == '\t'))
        view.remove_suffix(1);
    if (view.size() > 1 && view.front() == '+' && view[1] != '-') view.remove_prefix(1);
    return view;
}

// The whole text must be the number, unlike the lenient readers of the
// keyed files, which take 0 for "abc".
template <typename T> bool ReadNumber(const std::string& text, T* value) {
    const std::string_view view = NumberPart(text);
    if (view.empty()) return false;
    T read{};
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), read);
    if (error != std::errc() || end != view.data() + view.size()) return false;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(read)) return false;
    }
    *value = read;
    return true;
}

// At least the six decimals of the keyed files, and as many more as it takes
// to read back the same value.
std::string RoundTripText(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return kova::FormatFixed6(value);
    const std::string text(buffer, result.ptr);
    const std::size_t point = text.find('.');
    if (point != std::string::npos && text.size() - point - 1 >= 6) return text;
    return kova::FormatFixed6(value);
}

// The nine keys of a calibration, and whether each holds a real or a whole number.
constexpr struct {
    const char* key;
    bool real;
} kKeys[] = {{"Calibration2DLength", true},    {"Calibration2DLengthUnit", false},
             {"Calibration2DInterval", false}, {"Calibration2DFrames", false},
             {"Calibration2DTimeUnit", false}, {"Calibration2DOriginX", false},
             {"Calibration2DOriginY", false},  {"Calibration2DAngle", true},
             {"Calibration2DDirectY", false}};

// The first of the nine keys that is missing or holds no number, or null.
const char* FirstBadKey(CCfgFile& file) {
    for (const auto& k : kKeys) {
        std::string text;
        double real = 0;
        long whole = 0;
        if (!file.GetValue(k.key, &text) ||
            !(k.real ? ReadNumber(text, &real) : ReadNumber(text, &whole)))
            return k.key;
    }
    return nullptr;
}

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

std::string Calibration2DLogic::NotANumberMessage(const std::string& field,
                                                  const std::string& text) {
    return field + "“" + text + "”不是数字。";
}

std::string Calibration2DLogic::BadFileMessage(const std::string& path, const std::string& key) {
    return path + " 中 " + key + " 缺失或不是数字。";
}

void Calibration2DLogic::ReadKeys(CCfgFile& file) {
    const int oldX = originX_, oldY = originY_, oldDirection = directY_;
    const double oldAngle = angle_;
    file.GetValue("Calibration2DLengthUnit", &fields_.lengthUnit);
    file.GetValue("Calibration2DTimeUnit", &fields_.timeUnit);
    int rate = 0;
    if (file.GetValue("Calibration2DInterval", &rate)) fields_.interval = kova::FormatInt(rate);
    if (file.GetValue("Calibration2DFrames", &rate)) fields_.frameRate = kova::FormatInt(rate);
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
    // Another origin than the corner's: the button no longer names a corner.
    if (cornerLabel_ &&
        (originX_ != oldX || originY_ != oldY || directY_ != oldDirection || angle_ != oldAngle)) {
        cornerLabel_ = 0;
        if (controls_) controls_->SetCornerButtonText(CornerButtonText());
    }
}

void Calibration2DLogic::WriteKeys(CCfgFile& file, int interval, int frames) const {
    file.SetValue("Calibration2DLength", RoundTripText(scale_));
    file.SetValue("Calibration2DLengthUnit", fields_.lengthUnit);
    file.SetValue("Calibration2DInterval", interval);
    file.SetValue("Calibration2DFrames", frames);
    file.SetValue("Calibration2DTimeUnit", fields_.timeUnit);
    file.SetValue("Calibration2DOriginX", static_cast<long>(originX_));
    file.SetValue("Calibration2DOriginY", static_cast<long>(originY_));
    file.SetValue("Calibration2DAngle", RoundTripText(angle_));
    file.SetValue("Calibration2DDirectY", static_cast<long>(directY_));
}

bool Calibration2DLogic::ReadRates(int* interval, int* frames) {
    const auto read = [this](const std::string& text, const char* refusal, int* out) {
        long value = 0;
        if (ReadNumber(text, &value) && Calibration2D::IsRate(value)) {
            *out = static_cast<int>(value);
            return true;
        }
        prompter_.Show(refusal, "错误", kova::MessageIcon::Exclamation);
        return false;
    };
    return read(fields_.interval, kBadInterval, interval) &&
           read(fields_.frameRate, kBadFrameRate, frames);
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
    return SetScale(true);
}

int Calibration2DLogic::SetScale(bool warn) {
    double image = 0, real = 0;
    std::string refusal;
    if (!ReadNumber(fields_.imageDistance, &image))
        refusal = NotANumberMessage("图像距离", fields_.imageDistance);
    else if (!ReadNumber(fields_.realDistance, &real))
        refusal = NotANumberMessage("实际距离", fields_.realDistance);
    else if (image <= 0 || real <= 0)
        refusal = kBadDistance;
    if (!refusal.empty()) {
        if (warn) prompter_.Show(refusal, "错误", kova::MessageIcon::Exclamation);
        return 0;
    }
    scale_ = real / image;
    fields_.scaleText = kova::FormatFixed(scale_, 3);
    WriteControls();
    return 1;
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

bool Calibration2DLogic::Accept() {
    ReadControls();
    int interval = 0, frames = 0;
    if (!ReadRates(&interval, &frames)) return false;
    if (config_) {
        WriteKeys(*config_, interval, frames);
        if (track_) {
            track_->SetCalibration(config_);
            // An empty measurement has nothing to save.
            if (track_->GetFrameCount() > 0 && track_->GetTargetCount() > 0) track_->SetModified(1);
        }
    }
    return true;
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
    if (const char* bad = FirstBadKey(file)) {
        prompter_.Show(BadFileMessage(file.GetLastPath(), bad), "错误",
                       kova::MessageIcon::Exclamation);
        return 0;
    }
    ReadControls();
    ReadKeys(file);
    WriteControls();
    display_.Refresh();
    return 1;
}

int Calibration2DLogic::SaveSettings() {
    ReadControls();
    int interval = 0, frames = 0;
    if (!ReadRates(&interval, &frames)) return 0;
    CCfgFile file;
    PrepareFile(file);
    WriteKeys(file, interval, frames);
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
        dragWarned_ = false;
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
    const double distance = std::trunc(root * 1000) * 0.001;
    fields_.imageDistance = kova::FormatFixed(distance, 3);
    WriteControls();
    if (distance > 0 && !SetScale(!dragWarned_)) dragWarned_ = true;
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
