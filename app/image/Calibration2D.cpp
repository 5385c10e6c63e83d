#include "Calibration2D.h"

#include "CCfgFile.h"
#include "CEasyUtils.h"
#include "NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

void Calibration2D::Read(CCfgFile& cfg) {
    cfg.GetValue("Calibration2DLength", &length_);
    cfg.GetValue("Calibration2DLengthUnit", &lengthUnit_);
    cfg.GetValue("Calibration2DInterval", &interval_);
    cfg.GetValue("Calibration2DFrames", &frames_);
    cfg.GetValue("Calibration2DTimeUnit", &timeUnit_);
    cfg.GetValue("Calibration2DOriginX", &originX_);
    cfg.GetValue("Calibration2DOriginY", &originY_);
    cfg.GetValue("Calibration2DAngle", &angle_);
    int direct = directY_;
    cfg.GetValue("Calibration2DDirectY", &direct);
    directY_ = direct == 1 ? 1 : -1;
}

void Calibration2D::Write(CCfgFile& cfg) const {
    cfg.SetValue("Calibration2DLength", length_);
    cfg.SetValue("Calibration2DLengthUnit", lengthUnit_);
    cfg.SetValue("Calibration2DInterval", interval_);
    cfg.SetValue("Calibration2DFrames", frames_);
    cfg.SetValue("Calibration2DTimeUnit", timeUnit_);
    cfg.SetValue("Calibration2DOriginX", static_cast<long>(originX_));
    cfg.SetValue("Calibration2DOriginY", static_cast<long>(originY_));
    cfg.SetValue("Calibration2DAngle", angle_);
    cfg.SetValue("Calibration2DDirectY", static_cast<long>(directY_));
}

std::string Calibration2D::CheckKeys(CCfgFile& cfg) {
    long value = 0;
    for (const char* key : {"Calibration2DInterval", "Calibration2DFrames"}) {
        if (cfg.GetValue(key, &value) && !IsRate(value))
            return std::string(key) + " must be 1.." + kova::FormatInt(kMaxRate);
    }
    for (const char* key :
         {"Calibration2DTimeUnit", "Calibration2DLengthUnit", "Calibration2DDirectY"}) {
        if (cfg.GetValue(key, &value) && (value < INT16_MIN || value > INT16_MAX))
            return std::string(key) + " must be -32768..32767";
    }
    double length = 0.0;
    if (cfg.GetValue("Calibration2DLength", &length) &&
        !(length > 0.0 && length <= FLT_MAX && static_cast<float>(length) > 0.0f))
        return "Calibration2DLength must be a positive number";
    return std::string();
}

void Calibration2D::SetScale(double length, int lengthUnit) {
    length_ = length;
    lengthUnit_ = lengthUnit;
}

void Calibration2D::SetTimeBase(int interval, int frames, int timeUnit) {
    interval_ = interval;
    frames_ = frames;
    timeUnit_ = timeUnit;
}

void Calibration2D::SetAxes(double originX, double originY, double angle, int directY) {
    originX_ = originX;
    originY_ = originY;
    angle_ = angle;
    directY_ = directY == 1 ? 1 : -1;
}

void Calibration2D::ToReal(double px, double py, int lengthUnit, double* x, double* y) const {
    double u = px;
    double v = py;
    CEasyUtils::ConvTrXY(&u, &v, originX_, originY_, angle_, directY_);
    *x = CEasyUtils::ConvLong(u, lengthUnit_, lengthUnit) * length_;
    *y = CEasyUtils::ConvLong(v, lengthUnit_, lengthUnit) * length_;
}

double Calibration2D::TimeStep(int timeUnit) const {
    return CEasyUtils::ConvTime(1.0, timeUnit_, timeUnit) / frames_ * interval_;
}

double Calibration2D::FrameTime(int frame, int centre) const {
    // Fractional rates count: 100 frames/s read every third frame is 33.33
    // stored frames per second, not 33.
    return (static_cast<double>(frame) - centre) * interval_ / frames_;
}

void Calibration2D::XAxis(double* dx, double* dy) const {
    const double a = CEasyUtils::ConvAngle(angle_, 2);
    *dx = std::cos(a);
    *dy = -std::sin(a);
}

void Calibration2D::YAxis(double* dx, double* dy) const {
    const double a = CEasyUtils::ConvAngle(angle_, 2);
    *dx = directY_ * std::sin(a);
    *dy = directY_ * std::cos(a);
}

double Calibration2D::AngleDegrees() const {
    return CEasyUtils::ConvAngle(angle_, 1);
}

std::string Calibration2D::AngleText() const {
    return kova::FormatFixed(AngleDegrees(), 3) + " 度";
}

std::string Calibration2D::OriginText() const {
    return kova::FormatInt(static_cast<long>(originX_)) + "," +
           kova::FormatInt(static_cast<long>(originY_));
}

std::string Calibration2D::DirectionText() const {
    return directY_ == 1 ? "向右" : "向左";
}

void Calibration2D::FromThreePoints(double x1, double y1, double x2, double y2, double x3,
                                    double y3, double* angle, int* directY) {
    const float a = std::atan2(static_cast<float>(y1 - y2), static_cast<float>(x2 - x1));
    float s = std::cos(a) * static_cast<float>(y1 - y3) - std::sin(a) * static_cast<float>(x3 - x1);
    if (std::fabs(s) < 0.00001f) s = 0.0f;
    *angle = a;
    *directY = s >= 0.001f ? 1 : -1;
}
