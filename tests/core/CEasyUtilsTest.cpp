#include "CEasyUtils.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;

void ExpectNear(const std::vector<double>& got, const std::vector<double>& want,
                double tolerance = 1e-12) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], tolerance) << "value " << i;
}
} // namespace

TEST(CEasyUtils, AverageCutsAndRenormalisesAtTheEnds) {
    std::vector<double> data{0, 0, 9, 0, 0};
    ASSERT_EQ(CEasyUtils::Average(data.data(), 5, 1), 1);
    EXPECT_EQ(data, (std::vector<double>{0, 3, 3, 3, 0}));

    double weighted[] = {4, 8, 4};
    const double w[] = {2, 1};
    ASSERT_EQ(CEasyUtils::Average(weighted, 3, 1, w), 1);
    ExpectNear({weighted[0], weighted[1]}, {(2 * 4 + 8) / 3.0, (4 + 16 + 4) / 4.0});

    double zeroWeights[] = {1, 2};
    const double zw[] = {0, 0};
    CEasyUtils::Average(zeroWeights, 2, 1, zw);
    EXPECT_DOUBLE_EQ(zeroWeights[0], 0);

    double untouched[] = {1, 2};
    EXPECT_EQ(CEasyUtils::Average(untouched, 2, 0), 0);
    EXPECT_EQ(CEasyUtils::Average(untouched, 0, 1), 0);
    EXPECT_DOUBLE_EQ(untouched[1], 2);
}

TEST(CEasyUtils, AnglesUnitsAndNames) {
    // Value, conversion, result.
    const std::tuple<double, int, double> angles[] = {{-90, 3, 270},     {720, 0, 0},
                                                      {90, 0, kPi / 2},  {-kPi / 2, 1, 270},
                                                      {5 * kPi, 2, kPi}, {1, 4, 1}};
    for (const auto& [value, mode, result] : angles)
        EXPECT_DOUBLE_EQ(CEasyUtils::ConvAngle(value, mode), result) << value << " " << mode;
    int ok = -1;
    CEasyUtils::ConvAngle(1, 4, &ok);
    EXPECT_EQ(ok, 0);
    // Huge angles normalise at once instead of looping.
    double big = CEasyUtils::ConvAngle(1e300, 3);
    EXPECT_GE(big, 0);
    EXPECT_LT(big, 360);

    ExpectNear({CEasyUtils::ConvTime(2, 6, 5), CEasyUtils::ConvLong(1, 6, 3),
                CEasyUtils::ConvLong(25, 4, 4), CEasyUtils::ConvTime(3, 7, 1, &ok)},
               {120, 1000000, 25, 3});
    EXPECT_EQ(ok, 0);
}

TEST(CEasyUtils, CalibratedRotation) {
    double x = 11, y = 20, x2 = 11, y2 = 20;
    ASSERT_EQ(CEasyUtils::ConvTrXY(&x, &y, 10, 20, kPi / 2, 1), 1);
    ASSERT_EQ(CEasyUtils::ConvTrXY(&x2, &y2, 10, 20, -3 * kPi / 2, -1), 1);
    EXPECT_EQ(CEasyUtils::ConvTrXY(&x2, &y2, 0, 0, 0, 2), 0); // untouched
    ExpectNear({x, y, x2, y2}, {0, 1, 0, -1});
}

TEST(CEasyUtils, TableCells) {
    struct Case {
        const char* text;
        int width, align, result;
        const char* cell;
    };
    const Case cases[] = {{"12345", 3, 0, 0, "***"},   {"ab", 5, 0, 1, "   ab"},
                          {"ab", 5, 1, 1, "ab   "},    {"ab", 5, 2, 0, "ab"},
                          {"角度", 6, 1, 1, "角度  "}, // a Chinese character is two columns
                          {"角度", 3, 1, 0, "***"}};
    for (const Case& c : cases) {
        std::string s = c.text;
        EXPECT_EQ(CEasyUtils::StrSpace(&s, c.width, c.align), c.result) << c.text << c.width;
        EXPECT_EQ(s, c.cell) << c.text << c.width;
    }
}

TEST(CEasyUtils, PlaneAngles) {
    // Rays from (0,0) to (1,0) and to (0,1): 90 degrees between them.
    const double x[] = {1, 0, 0}, y[] = {0, 0, 1};
    const double x2[] = {1, 0, 0}, y2[] = {0, 0, -1};
    double a = 0, got[5];
    ASSERT_EQ(CEasyUtils::CalcAngle3Point(x, y, &got[0], 0), 1);
    CEasyUtils::CalcAngle3Point(x, y, &got[1], 1);
    for (int k : {2, 3, 0}) // inner, outer, signed
        CEasyUtils::CalcAngle3Point(x2, y2, &got[k == 0 ? 4 : k], k);
    ExpectNear({got, got + 5}, {kPi / 2, -kPi / 2, kPi / 2, 3 * kPi / 2, -kPi / 2});
    const double same[] = {0, 0, 1}, sameY[] = {0, 0, 1};
    EXPECT_EQ(CEasyUtils::CalcAngle3Point(same, sameY, &a, 2), 0);
    EXPECT_EQ(a, 0);

    // Line 1 from point 1 to point 0 points along +x, line 2 along +y.
    const double lx[] = {1, 0, 0, 0}, ly[] = {0, 0, 0, 1};
    ASSERT_EQ(CEasyUtils::CalcAngle2Line(lx, ly, &got[0], 2), 1);
    CEasyUtils::CalcAngle2Line(lx, ly, &got[1], 0);
    CEasyUtils::CalcAngle2Line(lx, ly, &got[2], 1);
    // Mode 0: directions 3pi/2 and 0, unfolded.
    ExpectNear({got, got + 3}, {kPi / 2, 0 - 3 * kPi / 2, 3 * kPi / 2});
    const double px[] = {1, 1, 0, 1}, py[] = {0, 0, 0, 0};
    EXPECT_EQ(CEasyUtils::CalcAngle2Line(px, py, &a, 0), 0);
}

TEST(CEasyUtils, CrossingPoints) {
    double c[4] = {};
    const double x[] = {0, 2, 0, 2}, y[] = {0, 2, 2, 0};
    ASSERT_EQ(CEasyUtils::CalcCrossPoint(x, y, &c[0], &c[1]), 1);
    const double vx[] = {3, 3, 0, 1}, vy[] = {0, 5, 1, 2}; // a vertical line
    ASSERT_EQ(CEasyUtils::CalcCrossPoint(vx, vy, &c[2], &c[3]), 1);
    ExpectNear({c, c + 4}, {1, 1, 3, 4});
    double cx = 0, cy = 0;
    const double parallel[] = {0, 1, 0, 1}, py[] = {0, 1, 1, 2};
    EXPECT_EQ(CEasyUtils::CalcCrossPoint(parallel, py, &cx, &cy), 0);
}

TEST(CEasyUtils, Sectors) {
    // Rays to (1,0) and (0,1) from the origin.
    const double x[] = {1, 0, 0}, y[] = {0, 0, 1};
    EXPECT_EQ(CEasyUtils::IsBoth3Point(x, y, 1, 1), 1);
    EXPECT_EQ(CEasyUtils::IsBoth3Point(x, y, 1, 0), 1) << "border included";
    EXPECT_EQ(CEasyUtils::IsBoth3Point(x, y, -1, -1), 0);
    EXPECT_EQ(CEasyUtils::IsIn3Point(x, y, 1, 1), 1);
    EXPECT_EQ(CEasyUtils::IsIn3Point(x, y, -1, -1), 0);
    // Reversed order: the sector turning from (0,1) to (1,0) is the wide one.
    const double rx[] = {0, 0, 1}, ry[] = {1, 0, 0};
    EXPECT_EQ(CEasyUtils::IsBoth3Point(rx, ry, 1, 1), 0);
    EXPECT_EQ(CEasyUtils::IsBoth3Point(rx, ry, -1, -1), 1);
    EXPECT_EQ(CEasyUtils::IsIn3Point(rx, ry, 1, 1), 1) << "the narrow angle either way";
}

TEST(CEasyUtils, SpaceGeometryAndArrows) {
    const double x[] = {1, 0, 0}, y[] = {0, 0, 1}, z[] = {0, 0, 0};
    double a = 0;
    ASSERT_EQ(CEasyUtils::CalcAngle3Point3D(x, y, z, &a), 1);
    EXPECT_NEAR(a, kPi / 2, 1e-12);
    const double cx[] = {2, 1, 0}, cy[] = {2, 1, 0}, cz[] = {2, 1, 0};
    CEasyUtils::CalcAngle3Point3D(cx, cy, cz, &a);
    EXPECT_NEAR(a, kPi, 1e-7) << "collinear rounding stays inside acos";
    const double dx[] = {0, 0, 1}, dy[] = {0, 0, 1}, dz[] = {0, 0, 1};
    EXPECT_EQ(CEasyUtils::CalcAngle3Point3D(dx, dy, dz, &a), 0);

    double p[3][3] = {{1, 0, 0}, {1, 0, 0}, {2, 4, 0}};
    CEasyUtils::TurnXYZ(&p[0][0], &p[0][1], &p[0][2], 0, 0, 90); // about z by 90
    CEasyUtils::TurnXYZ(&p[1][0], &p[1][1], &p[1][2], 0, 90, 0); // about y: t = x
    CEasyUtils::TurnEye(&p[2][0], &p[2][1], &p[2][2], 0, 0, 0, 10, 5);
    ExpectNear({&p[0][0], &p[0][0] + 9}, {0, 1, 0, 0, 0, -1, 1, 2, 10});

    double ax[4] = {0, 10, 0, 0}, ay[4] = {0, 0, 0, 0};
    ASSERT_EQ(CEasyUtils::CalcArrow(ax, ay, kPi / 2, 2), 1);
    ExpectNear({ax[2], ax[3], std::fabs(ay[2]), ay[2] + ay[3]}, {10, 10, 2, 0});
    double bx[4] = {3, 3, 9, 9}, by[4] = {4, 4, 9, 9};
    EXPECT_EQ(CEasyUtils::CalcArrow(bx, by, 0.5, 2), 0);
    EXPECT_EQ(bx[2] + by[3], 7); // the head collapses onto the point
}
