#include "CEasyUtils.h"

#include "ListSelection.h"
#include "Prompter.h"
#include "TextCodec.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

const char* const kTimeNames[] = {"ps", "ns", "us", "ms", "s", "m", "h"};
const double kTimeFactors[] = {1e-12, 1e-9, 1e-6, 0.001, 1.0, 60.0, 3600.0};
const char* const kLengthNames[] = {"pm", "nm", "um", "mm", "cm", "m", "km"};
const double kLengthFactors[] = {1e-12, 1e-9, 1e-6, 0.001, 0.01, 1.0, 1000.0};

bool ValidUnit(int unit) {
    return unit >= 0 && unit < CEasyUtils::kUnitCount;
}

// Brings a value into [0, period).
double Normalise(double value, double period) {
    double r = std::fmod(value, period);
    if (r < 0) r += period;
    if (r >= period) r = 0.0;
    return r;
}

double ConvUnit(double value, int from, int to, int* ok, const double* factors) {
    if (!ValidUnit(from) || !ValidUnit(to)) {
        if (ok) *ok = 0;
        return value;
    }
    if (ok) *ok = 1;
    if (from == to) return value;
    return value * factors[from] / factors[to];
}

// Folds an angle difference: mode 2 the inner angle in [0, pi], mode 3 the
// outer one in [pi, 2pi]; other modes keep it.
double Fold(double value, int mode) {
    if (mode != 2 && mode != 3) return value;
    double v = Normalise(value, kTwoPi);
    if (mode == 2 && v > kPi) return kTwoPi - v;
    if (mode == 3 && v < kPi) return kTwoPi - v;
    return v;
}

// Direction of a vector as the line angle measures it, in [0, 2pi).
double LineDirection(double dx, double dy) {
    double t = std::atan2(dx, dy);
    return t <= 0 ? -t : kTwoPi - t;
}

} // namespace

int CEasyUtils::Average(double* data, int count, int half, const double* weights) {
    if (!data || count < 1 || half < 1) return 0;
    std::vector<double> smoothed(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        double sum = 0.0;
        double weightSum = 0.0;
        for (int k = -half; k <= half; ++k) {
            int j = i + k;
            if (j < 0) continue;
            if (j >= count) break;
            double w = weights ? weights[std::abs(k)] : 1.0;
            sum += w * data[j];
            weightSum += w;
        }
        smoothed[static_cast<std::size_t>(i)] = weightSum != 0.0 ? sum / weightSum : 0.0;
    }
    std::copy(smoothed.begin(), smoothed.end(), data);
    return 1;
}

double CEasyUtils::ConvAngle(double angle, int mode, int* ok) {
    if (mode < 0 || mode > 3) {
        if (ok) *ok = 0;
        return angle;
    }
    if (ok) *ok = 1;
    const double period = (mode == 0 || mode == 3) ? 360.0 : kTwoPi;
    double a = Normalise(angle, period);
    if (mode == 0) return a / 360.0 * kTwoPi;
    if (mode == 1) return a / kTwoPi * 360.0;
    return a;
}

double CEasyUtils::ConvTime(double value, int from, int to, int* ok) {
    return ConvUnit(value, from, to, ok, kTimeFactors);
}

double CEasyUtils::ConvLong(double value, int from, int to, int* ok) {
    return ConvUnit(value, from, to, ok, kLengthFactors);
}

int CEasyUtils::GetTimeStr(std::string* name, int unit) {
    if (!ValidUnit(unit) || !name) return 0;
    *name = kTimeNames[unit];
    return 1;
}

int CEasyUtils::GetLongStr(std::string* name, int unit) {
    if (!ValidUnit(unit) || !name) return 0;
    *name = kLengthNames[unit];
    return 1;
}

int CEasyUtils::ConvTrXY(double* x, double* y, double originX, double originY, double angle,
                         int direction) {
    if ((direction != 1 && direction != -1) || !x || !y) return 0;
    const double a = Normalise(angle, kTwoPi);
    const double dx = *x - originX;
    const double dy = *y - originY;
    const double c = std::cos(a);
    const double s = std::sin(a);
    *x = c * dx - s * dy;
    *y = (s * dx + c * dy) * direction;
    return 1;
}

int CEasyUtils::StrSpace(std::string* text, int width, int align) {
    if (!text) return 0;
    const int length = kova::DiskWidth(*text);
    if (length == width) return 1;
    if (length > width) {
        text->assign(static_cast<std::size_t>(width > 0 ? width : 0), '*');
        return 0;
    }
    const std::string pad(static_cast<std::size_t>(width - length), ' ');
    if (align == 1) {
        *text += pad;
        return 1;
    }
    if (align == 0) {
        *text = pad + *text;
        return 1;
    }
    return 0;
}

void CEasyUtils::StrRepeat(std::string* text, char c, int n) {
    if (text) text->assign(static_cast<std::size_t>(n > 0 ? n : 0), c);
}

int CEasyUtils::GetSelectedList(const ListSelection& list, std::vector<int>* items) {
    if (!items) return 0;
    *items = list.SelectedRows();
    return 1;
}

void CEasyUtils::InfoMemoryError(kova::Prompter& prompter) {
    prompter.Show("内存不足。", "错误", kova::MessageIcon::Exclamation);
}

int CEasyUtils::CalcAngle3Point(const double* x, const double* y, double* angle, int mode) {
    if ((x[0] == x[1] && y[0] == y[1]) || (x[2] == x[1] && y[2] == y[1])) {
        *angle = 0.0;
        return 0;
    }
    const double a0 = std::atan2(y[0] - y[1], x[0] - x[1]);
    const double a2 = std::atan2(y[2] - y[1], x[2] - x[1]);
    *angle = Fold(mode == 1 ? a0 - a2 : a2 - a0, mode);
    return 1;
}

int CEasyUtils::CalcAngle2Line(const double* x, const double* y, double* angle, int mode) {
    if ((x[2] == x[3] && y[2] == y[3]) || (x[0] == x[1] && y[0] == y[1])) {
        *angle = 0.0;
        return 0;
    }
    const double line2 = LineDirection(x[3] - x[2], y[3] - y[2]);
    const double line1 = LineDirection(x[0] - x[1], y[0] - y[1]);
    *angle = Fold(mode == 1 ? line1 - line2 : line2 - line1, mode);
    return 1;
}

int CEasyUtils::CalcCrossPoint(const double* x, const double* y, double* crossX, double* crossY) {
    if ((x[0] == x[1] && y[0] == y[1]) || (x[2] == x[3] && y[2] == y[3])) return 0;
    const bool vertical1 = x[0] == x[1];
    const bool vertical2 = x[2] == x[3];
    if (vertical1 && vertical2) return 0;
    const double k1 = vertical1 ? 0.0 : (y[1] - y[0]) / (x[1] - x[0]);
    const double b1 = vertical1 ? 0.0 : y[0] - k1 * x[0];
    const double k2 = vertical2 ? 0.0 : (y[3] - y[2]) / (x[3] - x[2]);
    const double b2 = vertical2 ? 0.0 : y[2] - k2 * x[2];
    if (vertical1) {
        *crossX = x[0];
        *crossY = k2 * x[0] + b2;
        return 1;
    }
    if (vertical2) {
        *crossX = x[2];
        *crossY = k1 * x[2] + b1;
        return 1;
    }
    if (k1 == k2) return 0;
    *crossX = (b2 - b1) / (k1 - k2);
    *crossY = k1 * *crossX + b1;
    return 1;
}

int CEasyUtils::IsBoth3Point(const double* x, const double* y, double px, double py) {
    const double a0 = std::atan2(y[0] - y[1], x[0] - x[1]);
    const double a2 = std::atan2(y[2] - y[1], x[2] - x[1]);
    const double ap = std::atan2(py - y[1], px - x[1]);
    const double span = Normalise(a2 - a0, kTwoPi);
    if (span == 0.0) return 0;
    return Normalise(ap - a0, kTwoPi) <= span ? 1 : 0;
}

int CEasyUtils::IsIn3Point(const double* x, const double* y, double px, double py) {
    const double a0 = std::atan2(y[0] - y[1], x[0] - x[1]);
    const double a2 = std::atan2(y[2] - y[1], x[2] - x[1]);
    const double ap = std::atan2(py - y[1], px - x[1]);
    const double span = Normalise(a2 - a0, kTwoPi);
    if (span == 0.0) return 1;
    if (span <= kPi) return Normalise(ap - a0, kTwoPi) <= span ? 1 : 0;
    return Normalise(ap - a2, kTwoPi) <= kTwoPi - span ? 1 : 0;
}

int CEasyUtils::CalcAngle3Point3D(const double* x, const double* y, const double* z,
                                  double* angle) {
    const double ax = x[0] - x[1], ay = y[0] - y[1], az = z[0] - z[1];
    const double bx = x[2] - x[1], by = y[2] - y[1], bz = z[2] - z[1];
    if ((ax == 0 && ay == 0 && az == 0) || (bx == 0 && by == 0 && bz == 0)) {
        *angle = 0.0;
        return 0;
    }
    const double lengths =
        std::sqrt(ax * ax + ay * ay + az * az) * std::sqrt(bx * bx + by * by + bz * bz);
    double cosine = (ax * bx + ay * by + az * bz) / lengths;
    cosine = std::max(-1.0, std::min(1.0, cosine)); // rounding may leave [-1, 1]
    *angle = std::acos(cosine);
    return 1;
}

void CEasyUtils::TurnXYZ(double* x, double* y, double* z, double a, double b, double c) {
    const double toRad = kPi / 180.0;
    const double sa = std::sin(a * toRad), ca = std::cos(a * toRad);
    const double sb = std::sin(b * toRad), cb = std::cos(b * toRad);
    const double sc = std::sin(c * toRad), cc = std::cos(c * toRad);
    const double t = cb * *z + sb * *x;
    const double u = cb * *x - sb * *z;
    const double v = ca * *y - sa * t;
    const double yIn = *y;
    *x = u * cc - v * sc;
    *y = u * sc + v * cc;
    *z = -(ca * t + sa * yIn);
}

void CEasyUtils::TurnEye(double* x, double* y, double* z, double a, double b, double c, double eye,
                         double screen) {
    const double toRad = kPi / 180.0;
    const double sa = std::sin(a * toRad), ca = std::cos(a * toRad);
    const double sb = std::sin(b * toRad), cb = std::cos(b * toRad);
    const double t = cb * *z + sb * *x;
    const double w = eye - (sa * *y + ca * t);
    TurnXYZ(x, y, z, a, b, c);
    *x *= screen / w;
    *y *= screen / w;
    *z = w;
}

int CEasyUtils::CalcArrow(double* x, double* y, double angle, double length) {
    const double dx = x[0] - x[1];
    const double dy = y[0] - y[1];
    const double norm = std::hypot(dx, dy);
    if (norm == 0.0) {
        x[2] = x[3] = x[1];
        y[2] = y[3] = y[1];
        return 0;
    }
    const double ux = dx / norm, uy = dy / norm;
    const double c = std::cos(angle), s = std::sin(angle);
    x[2] = x[1] + length * (c * ux - s * uy);
    y[2] = y[1] + length * (s * ux + c * uy);
    x[3] = x[1] + length * (c * ux + s * uy);
    y[3] = y[1] + length * (-s * ux + c * uy);
    return 1;
}
