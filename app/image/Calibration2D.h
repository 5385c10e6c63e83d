#pragma once

#include <string>

class CCfgFile;

// The 2D scale calibration: the length of one pixel and its unit, the
// reading interval, the camera frame rate and its time unit, and the
// coordinate system laid over the image (origin, rotation of the X axis,
// orientation of the Y axis). Converts measured pixels into real
// coordinates and frame numbers into time. Shared by the calibration dialog
// and the analyses.
class Calibration2D {
public:
    Calibration2D() = default;

    // The nine calibration keys; a missing key leaves its value as it was.
    void Read(CCfgFile& cfg);
    void Write(CCfgFile& cfg) const;

    // The interval and the frame rate: whole numbers that the 16 bits of a
    // measurement header hold, at least 1.
    static constexpr long kMaxRate = 32767;
    static bool IsRate(long value) { return value >= 1 && value <= kMaxRate; }
    // Empty when the calibration keys present in `cfg` give a time base and a
    // scale that a measurement header holds, else the first key that does
    // not, with what it must be.
    static std::string CheckKeys(CCfgFile& cfg);

    double Length() const { return length_; }
    int LengthUnit() const { return lengthUnit_; }
    int Interval() const { return interval_; }
    int Frames() const { return frames_; }
    int TimeUnit() const { return timeUnit_; }
    double OriginX() const { return originX_; }
    double OriginY() const { return originY_; }
    double Angle() const { return angle_; }
    int DirectY() const { return directY_; }

    void SetScale(double length, int lengthUnit);
    void SetTimeBase(int interval, int frames, int timeUnit);
    // Any direction other than 1 is stored as -1, the way the Y direction is
    // shown ("向右" for 1, "向左" otherwise).
    void SetAxes(double originX, double originY, double angle, int directY);

    // A measured pixel point in real coordinates of `lengthUnit`: turned
    // about the origin by the angle, Y mirrored by the direction, converted
    // from the calibration's length unit and scaled by the pixel length.
    void ToReal(double px, double py, int lengthUnit, double* x, double* y) const;

    // True when frames and interval are both at least 1, so that frames
    // have a time at all.
    bool HasTimeBase() const { return frames_ >= 1 && interval_ >= 1; }
    // Time from one stored frame to the next in `timeUnit`.
    double TimeStep(int timeUnit) const;
    // Time of a 0-based frame relative to the centre frame, in the
    // calibration's own time unit: (frame - centre) x interval / frames.
    double FrameTime(int frame, int centre) const;

    // Unit directions of the axes in image pixels (rows grow downwards):
    // X along (cos a, -sin a), Y along direction x (sin a, cos a).
    void XAxis(double* dx, double* dy) const;
    void YAxis(double* dx, double* dy) const;

    // The rotation in degrees, in [0, 360).
    double AngleDegrees() const;
    // The texts of the dialog: "%.3f 度", "%d,%d", "向右"/"向左".
    std::string AngleText() const;
    std::string OriginText() const;
    std::string DirectionText() const;

    // Angle and Y direction of the coordinate system given by three clicked
    // points: X from point 1 towards point 2, the origin at point 3, Y
    // pointing from the origin towards the line through points 1 and 2.
    static void FromThreePoints(double x1, double y1, double x2, double y2, double x3, double y3,
                                double* angle, int* directY);

private:
    double length_ = 1.0;
    int lengthUnit_ = 3;
    int interval_ = 1;
    int frames_ = 30;
    int timeUnit_ = 4;
    double originX_ = 0.0;
    double originY_ = 0.0;
    double angle_ = 0.0;
    int directY_ = 1;
};
