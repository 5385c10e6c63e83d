#pragma once

#include <string>
#include <vector>

class ListSelection;
namespace kova {
class Prompter;
}

// Stateless helpers of the result and calibration code: smoothing, angle,
// time and length units, calibrated rotation, table cell alignment, list
// selections, plane and space geometry. All angles of the geometry are in
// radians.
class CEasyUtils {
public:
    static int Average(double* data, int count, int half, const double* weights = nullptr);

    static double ConvAngle(double angle, int mode, int* ok);
    static double ConvAngle(double angle, int mode) { return ConvAngle(angle, mode, nullptr); }
    static double ConvTime(double value, int from, int to, int* ok);
    static double ConvTime(double value, int from, int to) {
        return ConvTime(value, from, to, nullptr);
    }
    static double ConvLong(double value, int from, int to, int* ok);
    static double ConvLong(double value, int from, int to) {
        return ConvLong(value, from, to, nullptr);
    }
    static int GetTimeStr(std::string* name, int unit);
    static int GetLongStr(std::string* name, int unit);

    static int ConvTrXY(double* x, double* y, double originX, double originY, double angle,
                        int direction);

    // Pads to exactly `width` GB18030 bytes (align 0 right, 1 left); a longer
    // text becomes `width` asterisks and the result is 0.
    static int StrSpace(std::string* text, int width, int align);
    static void StrRepeat(std::string* text, char c, int n);

    static int GetSelectedList(const ListSelection& list, std::vector<int>* items);
    static void InfoMemoryError(kova::Prompter& prompter);

    static int CalcAngle3Point(const double* x, const double* y, double* angle, int mode);
    static int CalcAngle2Line(const double* x, const double* y, double* angle, int mode);
    static int CalcCrossPoint(const double* x, const double* y, double* crossX, double* crossY);
    static int IsBoth3Point(const double* x, const double* y, double px, double py);
    static int IsIn3Point(const double* x, const double* y, double px, double py);
    static int CalcAngle3Point3D(const double* x, const double* y, const double* z, double* angle);
    static void TurnXYZ(double* x, double* y, double* z, double a, double b, double c);
    static void TurnEye(double* x, double* y, double* z, double a, double b, double c, double eye,
                        double screen);
    static int CalcArrow(double* x, double* y, double angle, double length);

    static constexpr int kUnitCount = 7;
};
