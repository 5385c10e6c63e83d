#include "Calibration2D.h"

#include "CCfgFile.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

Calibration2D Make(double length, int lengthUnit, double ox, double oy, double angle, int direct) {
    Calibration2D c;
    c.SetScale(length, lengthUnit);
    c.SetAxes(ox, oy, angle, direct);
    return c;
}

} // namespace

TEST(Calibration2D, DefaultCornerConvertsPixelsUnchanged) {
    const Calibration2D c = Make(1.0, 3, 0, 0, 0, 1);
    double x = 0, y = 0;
    c.ToReal(10, 20, 3, &x, &y);
    EXPECT_DOUBLE_EQ(x, 10.0);
    EXPECT_DOUBLE_EQ(y, 20.0);
}

TEST(Calibration2D, TurnsMirrorsScalesAndChangesUnits) {
    // Origin (100, 50), X axis a quarter turn counter-clockwise on the
    // screen (pointing up), Y mirrored (pointing left), 2 mm per pixel.
    const Calibration2D c = Make(2.0, 3, 100, 50, kPi / 2, -1);
    double x = 0, y = 0;
    c.ToReal(100, 40, 4, &x, &y); // 10 pixels up: along X
    EXPECT_NEAR(x, 2.0, 1e-12);
    EXPECT_NEAR(y, 0.0, 1e-12);
    c.ToReal(90, 50, 3, &x, &y); // 10 pixels left: along Y
    EXPECT_NEAR(x, 0.0, 1e-12);
    EXPECT_NEAR(y, 20.0, 1e-12);
    // An angle beyond a full turn counts modulo the turn.
    const Calibration2D wrapped = Make(2.0, 3, 100, 50, kPi / 2 + 4 * kPi, -1);
    wrapped.ToReal(100, 40, 4, &x, &y);
    EXPECT_NEAR(x, 2.0, 1e-12);
}

TEST(Calibration2D, AxisDirectionsAreThoseOfTheConversion) {
    const double angles[] = {0.0, 0.4, kPi / 2, 2.5, kPi, 5.0};
    for (double a : angles) {
        for (int direct : {1, -1}) {
            const Calibration2D c = Make(1.0, 3, 7, 9, a, direct);
            double dx = 0, dy = 0, x = 0, y = 0;
            c.XAxis(&dx, &dy);
            c.ToReal(7 + 10 * dx, 9 + 10 * dy, 3, &x, &y);
            EXPECT_NEAR(x, 10.0, 1e-9) << a << " " << direct;
            EXPECT_NEAR(y, 0.0, 1e-9) << a << " " << direct;
            c.YAxis(&dx, &dy);
            c.ToReal(7 + 10 * dx, 9 + 10 * dy, 3, &x, &y);
            EXPECT_NEAR(x, 0.0, 1e-9) << a << " " << direct;
            EXPECT_NEAR(y, 10.0, 1e-9) << a << " " << direct;
        }
    }
}

TEST(Calibration2D, FrameTimeUsesTheFractionalRate) {
    Calibration2D c;
    c.SetTimeBase(1, 30, 4);
    EXPECT_DOUBLE_EQ(c.FrameTime(30, 0), 1.0);
    c.SetTimeBase(3, 100, 4); // 33.33 stored frames per second, not 33
    EXPECT_DOUBLE_EQ(c.FrameTime(100, 0), 3.0);
    EXPECT_DOUBLE_EQ(c.FrameTime(0, 100), -3.0);
    EXPECT_DOUBLE_EQ(c.TimeStep(3), 30.0); // ms
    c.SetTimeBase(3, 2, 4);                // fewer frames than the interval
    EXPECT_TRUE(c.HasTimeBase());
    EXPECT_DOUBLE_EQ(c.FrameTime(2, 0), 3.0);
    c.SetTimeBase(1, 0, 4);
    EXPECT_FALSE(c.HasTimeBase());
    c.SetTimeBase(0, 30, 4);
    EXPECT_FALSE(c.HasTimeBase());
}

TEST(Calibration2D, TextsAndDirectionRule) {
    Calibration2D c = Make(1.0, 3, 100, 200, -kPi / 2, 0);
    EXPECT_EQ(c.DirectY(), -1);
    EXPECT_EQ(c.AngleText(), "270.000 度");
    EXPECT_EQ(c.OriginText(), "100,200");
    EXPECT_EQ(c.DirectionText(), "向左");
    c.SetAxes(0, 0, 0, 1);
    EXPECT_EQ(c.DirectionText(), "向右");
}

TEST(Calibration2D, ThreePointsGiveAngleAndDirection) {
    double angle = 1;
    int direct = 0;
    Calibration2D::FromThreePoints(100, 100, 200, 100, 100, 200, &angle, &direct);
    EXPECT_DOUBLE_EQ(angle, 0.0);
    EXPECT_EQ(direct, -1); // the line lies above the origin: Y up on the screen
    Calibration2D::FromThreePoints(100, 200, 200, 200, 100, 100, &angle, &direct);
    EXPECT_EQ(direct, 1);
    Calibration2D::FromThreePoints(0, 0, 0, -10, 5, 0, &angle, &direct);
    EXPECT_NEAR(angle, kPi / 2, 1e-6);
    Calibration2D::FromThreePoints(0, 0, 10, 0, 20, 0, &angle, &direct);
    EXPECT_EQ(direct, -1); // an origin on the line
}

TEST(Calibration2D, KeysRoundTripAndMissingKeysStay) {
    Calibration2D c = Make(0.25, 4, 12, 34, 1.5, -1);
    c.SetTimeBase(2, 60, 3);
    CCfgFile cfg;
    c.Write(cfg);
    Calibration2D back;
    back.Read(cfg);
    EXPECT_DOUBLE_EQ(back.Length(), 0.25);
    EXPECT_EQ(back.LengthUnit(), 4);
    EXPECT_EQ(back.Interval(), 2);
    EXPECT_EQ(back.Frames(), 60);
    EXPECT_EQ(back.TimeUnit(), 3);
    EXPECT_DOUBLE_EQ(back.OriginX(), 12);
    EXPECT_DOUBLE_EQ(back.OriginY(), 34);
    EXPECT_DOUBLE_EQ(back.Angle(), 1.5);
    EXPECT_EQ(back.DirectY(), -1);
    CCfgFile partial;
    partial.SetValue("Calibration2DFrames", 25);
    back.Read(partial);
    EXPECT_EQ(back.Frames(), 25);
    EXPECT_EQ(back.Interval(), 2);
}
