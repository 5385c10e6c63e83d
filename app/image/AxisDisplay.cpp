#include "AxisDisplay.h"

#include "CCfgFile.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Coordinates are cut towards zero.
QPoint Offset(QPoint origin, double dx, double dy) {
    return QPoint(origin.x() + static_cast<int>(dx), origin.y() + static_cast<int>(dy));
}

QPen AxisPen(int grey, Qt::PenStyle style) {
    QPen pen(QColor(grey, grey, grey));
    pen.setStyle(style);
    pen.setWidth(1);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

void AxisDisplay::TurnOn(int frameWidth, int frameHeight) {
    ++users_;
    double angle = 0.0;
    long direction = 1;
    long originX = 0;
    long originY = 0;
    if (config_) {
        config_->GetValue("Calibration2DAngle", &angle);
        config_->GetValue("Calibration2DDirectY", &direction);
        config_->GetValue("Calibration2DOriginX", &originX);
        config_->GetValue("Calibration2DOriginY", &originY);
    }
    const int length = static_cast<int>(1.5 * std::max(frameWidth, frameHeight));
    Compute(static_cast<int>(originX), static_cast<int>(originY), angle,
            static_cast<int>(direction), length);
    shown_ = true;
}

void AxisDisplay::TurnOff() {
    if (users_ > 0) --users_;
    if (users_ == 0) shown_ = false;
}

void AxisDisplay::Compute(int originX, int originY, double angle, int directY, int length) {
    const double l = length;
    origin_ = QPoint(originX, originY);
    xPlus_ = Offset(origin_, std::cos(angle) * l, -std::sin(angle) * l);
    xMinus_ = Offset(origin_, std::cos(angle + kPi) * l, -std::sin(angle + kPi) * l);
    const double b = directY == 1 ? angle + kPi / 2 : angle - kPi / 2;
    yPlus_ = Offset(origin_, -std::cos(b) * l, std::sin(b) * l);
    yMinus_ = Offset(origin_, -std::cos(b + kPi) * l, std::sin(b + kPi) * l);
}

void AxisDisplay::Paint(QPainter* painter) const {
    if (!shown_ || !painter) return;
    painter->save();
    painter->setBackgroundMode(Qt::TransparentMode);
    painter->setPen(AxisPen(128, Qt::SolidLine));
    painter->drawLine(PositiveX());
    painter->setPen(AxisPen(128, Qt::DashLine));
    painter->drawLine(NegativeX());
    painter->setPen(AxisPen(192, Qt::SolidLine));
    painter->drawLine(PositiveY());
    painter->setPen(AxisPen(192, Qt::DashLine));
    painter->drawLine(NegativeY());
    painter->restore();
}
