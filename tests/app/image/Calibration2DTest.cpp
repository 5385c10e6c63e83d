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

TEST(Calibration2D, TurnsMirrorsScalesAndChangesUnits) {
    // TURN: origin (100, 50), X axis a quarter turn counter-clockwise on the
    // screen (pointing up), Y mirrored (pointing left), 2 mm per pixel.
    const Calibration2D plain = Make(1.0, 3, 0, 0, 0, 1);
    const Calibration2D turn = Make(2.0, 3, 100, 50, kPi / 2, -1);
    const Calibration2D wrapped = Make(2.0, 3, 100, 50, kPi / 2 + 4 * kPi, -1);
    const struct {
        const Calibration2D* c;
        double px, py;
        int unit;
        double x, y;
    } cases[] = {{&plain, 10, 20, 3, 10, 20},
                 {&turn, 100, 40, 4, 2, 0}, // 10 pixels up: along X, in cm
                 {&turn, 90, 50, 3, 0, 20}, // 10 pixels left: along Y
                 {&wrapped, 100, 40, 4, 2, 0}};
    for (const auto& c : cases) {
        double x = 0, y = 0;
        c.c->ToReal(c.px, c.py, c.unit, &x, &y);
        EXPECT_NEAR(x, c.x, 1e-12) << c.px << "," << c.py;
        EXPECT_NEAR(y, c.y, 1e-12) << c.px << "," << c.py;
    }
}

TEST(Calibration2D, AxisDirectionsAreThoseOfTheConversion) {
    for (double a : {0.0, 0.4, kPi / 2, 2.5, kPi, 5.0}) {
        for (int direct : {1, -1}) {
            const Calibration2D c = Make(1.0, 3, 7, 9, a, direct);
            double dx = 0, dy = 0, x = 0, y = 0;
            c.XAxis(&dx, &dy);
            c.ToReal(7 + 10 * dx, 9 + 10 * dy, 3, &x, &y);
            EXPECT_NEAR(std::hypot(x - 10, y), 0.0, 1e-9) << a << " " << direct;
            c.YAxis(&dx, &dy);
            c.ToReal(7 + 10 * dx, 9 + 10 * dy, 3, &x, &y);
            EXPECT_NEAR(std::hypot(x, y - 10), 0.0, 1e-9) << a << " " << direct;
        }
    }
}

TEST(Calibration2D, FrameTimeUsesTheFractionalRate) {
    Calibration2D c;
    c.SetTimeBase(3, 100, 4); // 33.33 stored frames per second, not 33
    EXPECT_EQ(std::make_tuple(c.FrameTime(100, 0), c.FrameTime(0, 100), c.TimeStep(3)),
              std::make_tuple(3.0, -3.0, 30.0)); // s, s, ms
    c.SetTimeBase(3, 2, 4);                      // fewer frames than the interval
    EXPECT_EQ(std::make_pair(c.HasTimeBase(), c.FrameTime(2, 0)), std::make_pair(true, 3.0));
    c.SetTimeBase(1, 0, 4);
    EXPECT_FALSE(c.HasTimeBase());
    c.SetTimeBase(0, 30, 4);
    EXPECT_FALSE(c.HasTimeBase());
}

TEST(Calibration2D, TextsAndDirectionRule) {
    Calibration2D c = Make(1.0, 3, 100, 200, -kPi / 2, 0);
    EXPECT_EQ(std::make_tuple(c.DirectY(), c.AngleText(), c.OriginText(), c.DirectionText()),
              std::make_tuple(-1, "270.000 度", "100,200", "向左"));
}

TEST(Calibration2D, ThreePointsGiveAngleAndDirection) {
    const struct {
        double ox, oy, xx, xy, yx, yy, angle;
        int direct;
    } cases[] = {{100, 100, 200, 100, 100, 200, 0.0, -1}, // line above the origin: Y up
                 {100, 200, 200, 200, 100, 100, 0.0, 1},
                 {0, 0, 0, -10, 5, 0, kPi / 2, -1},
                 {0, 0, 10, 0, 20, 0, 0.0, -1}}; // an origin on the line
    for (const auto& c : cases) {
        double angle = 1;
        int direct = 0;
        Calibration2D::FromThreePoints(c.ox, c.oy, c.xx, c.xy, c.yx, c.yy, &angle, &direct);
        EXPECT_NEAR(angle, c.angle, 1e-6) << c.xx << "," << c.xy;
        EXPECT_EQ(direct, c.direct) << c.xx << "," << c.xy;
    }
}

TEST(Calibration2D, KeysRoundTripAndMissingKeysStay) {
    Calibration2D c = Make(0.25, 4, 12, 34, 1.5, -1);
    c.SetTimeBase(2, 60, 3);
    CCfgFile cfg;
    c.Write(cfg);
    Calibration2D back;
    back.Read(cfg);
    EXPECT_EQ(std::make_tuple(back.Length(), back.LengthUnit(), back.Interval(), back.Frames(),
                              back.TimeUnit(), back.OriginX(), back.OriginY(), back.Angle(),
                              back.DirectY()),
              std::make_tuple(0.25, 4, 2, 60, 3, 12.0, 34.0, 1.5, -1));
    CCfgFile partial;
    partial.SetValue("Calibration2DFrames", 25);
    back.Read(partial);
    EXPECT_EQ(std::make_pair(back.Frames(), back.Interval()), std::make_pair(25, 2));
}
