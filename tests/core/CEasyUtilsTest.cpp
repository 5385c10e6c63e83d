#include "CEasyUtils.h"

#include "ListSelection.h"
#include "RecordingPrompter.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;

class FakeList : public ListSelection {
public:
    std::vector<int> rows;
    std::vector<int> SelectedRows() const override { return rows; }
};
} // namespace

TEST(CEasyUtils, AverageCutsAndRenormalisesAtTheEnds) {
    std::vector<double> data{0, 0, 9, 0, 0};
    ASSERT_EQ(CEasyUtils::Average(data.data(), 5, 1), 1);
    EXPECT_EQ(data, (std::vector<double>{0, 3, 3, 3, 0}));

    double weighted[] = {4, 8, 4};
    const double w[] = {2, 1};
    ASSERT_EQ(CEasyUtils::Average(weighted, 3, 1, w), 1);
    EXPECT_DOUBLE_EQ(weighted[0], (2 * 4 + 8) / 3.0);
    EXPECT_DOUBLE_EQ(weighted[1], (4 + 16 + 4) / 4.0);

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

    EXPECT_DOUBLE_EQ(CEasyUtils::ConvTime(2, 6, 5), 120);
    EXPECT_DOUBLE_EQ(CEasyUtils::ConvLong(1, 6, 3), 1000000);
    EXPECT_DOUBLE_EQ(CEasyUtils::ConvLong(25, 4, 4), 25);
    EXPECT_DOUBLE_EQ(CEasyUtils::ConvTime(3, 7, 1, &ok), 3);
    EXPECT_EQ(ok, 0);
    std::string name = "keep";
    EXPECT_EQ(CEasyUtils::GetLongStr(&name, 7), 0);
    EXPECT_EQ(name, "keep");
    EXPECT_EQ(CEasyUtils::GetLongStr(&name, 2), 1);
    EXPECT_EQ(name, "um");
    EXPECT_EQ(CEasyUtils::GetTimeStr(&name, 5), 1);
    EXPECT_EQ(name, "m");
}

TEST(CEasyUtils, CalibratedRotation) {
    double x = 11, y = 20;
    ASSERT_EQ(CEasyUtils::ConvTrXY(&x, &y, 10, 20, kPi / 2, 1), 1);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, 1, 1e-12);
    x = 11, y = 20;
    ASSERT_EQ(CEasyUtils::ConvTrXY(&x, &y, 10, 20, -3 * kPi / 2, -1), 1);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, -1, 1e-12);
    EXPECT_EQ(CEasyUtils::ConvTrXY(&x, &y, 0, 0, 0, 2), 0);
    EXPECT_NEAR(y, -1, 1e-12);
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
    std::string s;
    CEasyUtils::StrRepeat(&s, '-', 4);
    EXPECT_EQ(s, "----");
    CEasyUtils::StrRepeat(&s, '-', 0);
    EXPECT_EQ(s, "");
}

TEST(CEasyUtils, SelectionAndMemoryMessage) {
    FakeList list;
    std::vector<int> items{9};
    EXPECT_EQ(CEasyUtils::GetSelectedList(list, &items), 1);
    EXPECT_TRUE(items.empty());
    list.rows = {0, 2};
    CEasyUtils::GetSelectedList(list, &items);
    EXPECT_EQ(items, (std::vector<int>{0, 2}));

    kova::RecordingPrompter prompter;
    CEasyUtils::InfoMemoryError(prompter);
    EXPECT_EQ(prompter.Messages().at(0),
              (kova::Message{"内存不足。", "错误", kova::MessageIcon::Exclamation,
                             kova::MessageButtons::Ok}));
}

TEST(CEasyUtils, PlaneAngles) {
    // Rays from (0,0) to (1,0) and to (0,1): 90 degrees between them.
    const double x[] = {1, 0, 0}, y[] = {0, 0, 1};
    double a = 0;
    ASSERT_EQ(CEasyUtils::CalcAngle3Point(x, y, &a, 0), 1);
    EXPECT_NEAR(a, kPi / 2, 1e-12);
    CEasyUtils::CalcAngle3Point(x, y, &a, 1);
    EXPECT_NEAR(a, -kPi / 2, 1e-12);
    const double x2[] = {1, 0, 0}, y2[] = {0, 0, -1};
    CEasyUtils::CalcAngle3Point(x2, y2, &a, 2);
    EXPECT_NEAR(a, kPi / 2, 1e-12) << "inner angle";
    CEasyUtils::CalcAngle3Point(x2, y2, &a, 3);
    EXPECT_NEAR(a, 3 * kPi / 2, 1e-12) << "outer angle";
    CEasyUtils::CalcAngle3Point(x2, y2, &a, 0);
    EXPECT_NEAR(a, -kPi / 2, 1e-12);
    const double same[] = {0, 0, 1}, sameY[] = {0, 0, 1};
    EXPECT_EQ(CEasyUtils::CalcAngle3Point(same, sameY, &a, 2), 0);
    EXPECT_EQ(a, 0);

    // Line 1 from point 1 to point 0 points along +x, line 2 along +y.
    const double lx[] = {1, 0, 0, 0}, ly[] = {0, 0, 0, 1};
    ASSERT_EQ(CEasyUtils::CalcAngle2Line(lx, ly, &a, 2), 1);
    EXPECT_NEAR(a, kPi / 2, 1e-12);
    CEasyUtils::CalcAngle2Line(lx, ly, &a, 0);
    EXPECT_NEAR(a, 0 - 3 * kPi / 2, 1e-12) << "directions 3pi/2 and 0, unfolded";
    CEasyUtils::CalcAngle2Line(lx, ly, &a, 1);
    EXPECT_NEAR(a, 3 * kPi / 2, 1e-12);
    const double px[] = {1, 1, 0, 1}, py[] = {0, 0, 0, 0};
    EXPECT_EQ(CEasyUtils::CalcAngle2Line(px, py, &a, 0), 0);
}

TEST(CEasyUtils, CrossingPoints) {
    double cx = 0, cy = 0;
    const double x[] = {0, 2, 0, 2}, y[] = {0, 2, 2, 0};
    ASSERT_EQ(CEasyUtils::CalcCrossPoint(x, y, &cx, &cy), 1);
    EXPECT_DOUBLE_EQ(cx, 1);
    EXPECT_DOUBLE_EQ(cy, 1);
    const double vx[] = {3, 3, 0, 1}, vy[] = {0, 5, 1, 2};
    ASSERT_EQ(CEasyUtils::CalcCrossPoint(vx, vy, &cx, &cy), 1);
    EXPECT_DOUBLE_EQ(cx, 3);
    EXPECT_DOUBLE_EQ(cy, 4);
    const double parallel[] = {0, 1, 0, 1}, py[] = {0, 1, 1, 2};
    EXPECT_EQ(CEasyUtils::CalcCrossPoint(parallel, py, &cx, &cy), 0);
    const double both[] = {1, 1, 2, 2}, by[] = {0, 1, 0, 1};
    EXPECT_EQ(CEasyUtils::CalcCrossPoint(both, by, &cx, &cy), 0);
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
    const double sx[] = {1, 0, 2}, sy[] = {0, 0, 0};
    EXPECT_EQ(CEasyUtils::IsBoth3Point(sx, sy, 1, 0), 0);
    EXPECT_EQ(CEasyUtils::IsIn3Point(sx, sy, -5, 3), 1);
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

    double px = 1, py = 0, pz = 0;
    CEasyUtils::TurnXYZ(&px, &py, &pz, 0, 0, 90); // about z by 90
    EXPECT_NEAR(px, 0, 1e-12);
    EXPECT_NEAR(py, 1, 1e-12);
    EXPECT_NEAR(pz, 0, 1e-12);
    px = 1, py = 0, pz = 0;
    CEasyUtils::TurnXYZ(&px, &py, &pz, 0, 90, 0); // about y: t = x
    EXPECT_NEAR(px, 0, 1e-12);
    EXPECT_NEAR(pz, -1, 1e-12);
    px = 2, py = 4, pz = 0;
    CEasyUtils::TurnEye(&px, &py, &pz, 0, 0, 0, 10, 5);
    EXPECT_NEAR(pz, 10, 1e-12);
    EXPECT_NEAR(px, 1, 1e-12);
    EXPECT_NEAR(py, 2, 1e-12);

    double ax[4] = {0, 10, 0, 0}, ay[4] = {0, 0, 0, 0};
    ASSERT_EQ(CEasyUtils::CalcArrow(ax, ay, kPi / 2, 2), 1);
    EXPECT_NEAR(ax[2], 10, 1e-12);
    EXPECT_NEAR(std::fabs(ay[2]), 2, 1e-12);
    EXPECT_NEAR(ay[2], -ay[3], 1e-12);
    double bx[4] = {3, 3, 9, 9}, by[4] = {4, 4, 9, 9};
    EXPECT_EQ(CEasyUtils::CalcArrow(bx, by, 0.5, 2), 0);
    EXPECT_EQ(bx[2], 3);
    EXPECT_EQ(by[3], 4);
}
