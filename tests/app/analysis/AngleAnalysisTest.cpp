#include "AngleAnalysis.h"

#include "AnalysisFixtures.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

AngleSettings SwingSettings(Fixture& f, int mode, std::array<int, 4> points) {
    AngleSettings s = AngleAnalysis::Initial(f.View());
    s.mode = mode;
    s.points = points;
    return s;
}

std::string Preamble(const std::string& title, int rule) {
    return title + Dashes(rule) + SwingSummary() + "平滑次数        ,        0\n\n" + Dashes(rule);
}

const char* const kHeading4 =
    "  帧 ,      时间,         角度,     角度变位,       角速度,     角加速度\n";
const char* const kUnits4 =
    "     ,         s,          deg,          deg,        deg/s,      deg/s/s\n";

std::string TableOf(const AngleSettings& s, Fixture& f) {
    kova::RecordingPrompter prompter;
    AngleAnalysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    return Join(analysis.TableLines());
}

} // namespace

TEST(AngleTable, ThreePointsThroughTheHalfTurnRuleAndPastNaught) {
    auto f = MakeSwing();
    // 0 -> 180 is +180 and 180 -> 0 is -180 (both kept); 0 -> 315 becomes
    // -45; 315 -> 45 becomes +90.
    const std::string expected =
        Preamble("3点间角度 (1:肩, 2:肘, 3:腕)\n", 71) + kHeading4 + kUnits4 + Dashes(71) +
        "    1,     0.000,        0.000,        0.000,        -----,        -----\n"
        "    2,     0.100,      180.000,      180.000,     1800.000,        -----\n"
        "    3,     0.200,        0.000,        0.000,    -1800.000,   -36000.000\n"
        "+   4,     0.300,      315.000,      -45.000,     -450.000,    13500.000\n"
        "    5,     0.400,       45.000,       45.000,      900.000,    13500.000\n" +
        Dashes(71) + " 平均,          ,      108.000,        -----,      112.500,    -3000.000\n";
    EXPECT_EQ(TableOf(SwingSettings(*f, 0, {0, 1, 2, -1}), *f), expected);
}

TEST(AngleTable, OtherSideTurnsTheAngleAndMarksTheTitle) {
    auto f = MakeSwing();
    AngleSettings s = SwingSettings(*f, 0, {0, 1, 2, -1});
    s.otherSide = true;
    s.items = {0, 1};
    const std::string expected = Preamble("3点间角度 (1:肩, 2:肘, 3:腕)(逆侧)\n", 43) +
                                 "  帧 ,      时间,         角度,     角度变位\n"
                                 "     ,         s,          deg,          deg\n" +
                                 Dashes(43) +
                                 "    1,     0.000,        0.000,        0.000\n"
                                 "    2,     0.100,      180.000,      180.000\n"
                                 "    3,     0.200,        0.000,        0.000\n"
                                 "+   4,     0.300,       45.000,       45.000\n"
                                 "    5,     0.400,      315.000,      -45.000\n" +
                                 Dashes(43) + " 平均,          ,      108.000,        -----\n";
    EXPECT_EQ(TableOf(s, *f), expected);
}

TEST(AngleTable, TwoFramesAndOneFrame) {
    auto f = MakeSwing();
    AngleSettings s = SwingSettings(*f, 0, {0, 1, 2, -1});
    s.upper = 2;
    const std::string two =
        Preamble("3点间角度 (1:肩, 2:肘, 3:腕)\n", 71) + kHeading4 + kUnits4 + Dashes(71) +
        "    1,     0.000,        0.000,        0.000,        -----,        -----\n"
        "    2,     0.100,      180.000,      180.000,     1800.000,        -----\n" +
        Dashes(71) + " 平均,          ,       90.000,        -----,     1800.000,        -----\n";
    EXPECT_EQ(TableOf(s, *f), two);
    s.lower = s.upper = 3;
    const std::string one =
        Preamble("3点间角度 (1:肩, 2:肘, 3:腕)\n", 71) + kHeading4 + kUnits4 + Dashes(71) +
        "    3,     0.200,        0.000,        0.000,        -----,        -----\n" + Dashes(71) +
        " 平均,          ,        0.000,        -----,        -----,        -----\n";
    EXPECT_EQ(TableOf(s, *f), one);
}

TEST(AngleTable, TwoLinesTitleAndAngles) {
    auto f = MakeSwing();
    AngleSettings s = SwingSettings(*f, 1, {0, 1, 2, 1});
    s.upper = 2;
    s.items = {0};
    kova::RecordingPrompter prompter;
    AngleAnalysis analysis(f->View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    const std::vector<std::string> lines = analysis.TableLines();
    EXPECT_EQ(lines[0], "2线间角度 (1:肩, 2:肘, 3:腕, 2:肘)\n");
    // Shoulder-to-elbow against wrist-to-elbow: opposite, then the same way.
    ASSERT_EQ(analysis.Records().size(), 2u);
    EXPECT_DOUBLE_EQ(analysis.Records()[0].angle, 180.0);
    EXPECT_DOUBLE_EQ(analysis.Records()[1].angle, 0.0);
}

TEST(AngleAxes, AxesAreTheCalibrationsOwnOnARotatedMirroredCalibration) {
    // TURN: X axis points up on the screen, Y axis (mirrored) to the left.
    // The line from P2 (the origin) to P1 points up and to the right.
    auto f = MakeTurn();
    XY_TRACK p1 = P(110, 40);
    XY_TRACK p2 = P(100, 50);
    f->track.SetPoint(0, 0, &p1);
    f->track.SetPoint(1, 0, &p2);
    const double expected[] = {315.0, 225.0};
    const char* titles[] = {"X轴夹角 (1:肘, 2:LongName9) \n", "Y轴夹角  (1:肘, 2:LongName9) \n"};
    for (int mode = 2; mode <= 3; ++mode) {
        AngleSettings s = AngleAnalysis::Initial(f->View());
        s.mode = mode;
        s.points = {0, 1, -1, -1};
        s.upper = 1;
        kova::RecordingPrompter prompter;
        AngleAnalysis analysis(f->View(), s);
        ASSERT_TRUE(analysis.Run(prompter));
        EXPECT_NEAR(analysis.Records()[0].angle, expected[mode - 2], 1e-4) << mode;
        EXPECT_EQ(analysis.TableLines()[0], titles[mode - 2]);
    }
}

TEST(AngleAxes, UnturnedCalibrationMeasuresFromTheImageAxes) {
    auto f = MakeSwing();
    XY_TRACK up = P(10, -10); // from the elbow: up and to the right
    f->track.SetPoint(2, 0, &up);
    const double expected[] = {45.0, 135.0};
    for (int mode = 2; mode <= 3; ++mode) {
        AngleSettings s = SwingSettings(*f, mode, {2, 1, -1, -1});
        s.upper = 1;
        kova::RecordingPrompter prompter;
        AngleAnalysis analysis(f->View(), s);
        ASSERT_TRUE(analysis.Run(prompter));
        EXPECT_NEAR(analysis.Records()[0].angle, expected[mode - 2], 1e-9) << mode;
    }
}

TEST(AngleRecords, SmoothingRecomputesTheSums) {
    auto f = MakeSwing();
    AngleSettings s = SwingSettings(*f, 0, {0, 1, 2, -1});
    s.smoothing = 1;
    kova::RecordingPrompter prompter;
    AngleAnalysis analysis(f->View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    // Angles 0, 180, 0, 315, 45 smooth to 0, 90, 123.75, 168.75, 45.
    const auto& r = analysis.Records();
    EXPECT_DOUBLE_EQ(r[1].angle, 90.0);
    EXPECT_DOUBLE_EQ(r[2].angle, 123.75);
    EXPECT_NEAR(analysis.Sums().angle, 427.5, 1e-9);
    // Velocities 1800, -1800, -450, 900 (from the second frame) smooth to
    // 1800, -562.5, -450, 900.
    EXPECT_DOUBLE_EQ(r[0].velocity, 0.0);
    EXPECT_NEAR(r[2].velocity, -562.5, 1e-9);
    EXPECT_NEAR(analysis.Sums().velocity, 1800 - 562.5 - 450 + 900, 1e-9);
}

TEST(AngleCharts, OnePanelPerItemOneSeries) {
    auto f = MakeSwing();
    AngleSettings s = SwingSettings(*f, 0, {0, 1, 2, -1});
    s.items = {1, 3};
    s.timeUnit = 3;
    kova::RecordingPrompter prompter;
    AngleAnalysis analysis(f->View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    const ChartSet charts = analysis.Charts();
    ASSERT_EQ(charts.panels.size(), 2u);
    EXPECT_EQ(charts.panels[0].title, "角变异量");
    EXPECT_EQ(charts.panels[0].unit, "deg");
    EXPECT_EQ(charts.panels[1].title, "角加速度");
    EXPECT_EQ(charts.panels[1].unit, "deg/ms/ms");
    ASSERT_EQ(charts.panels[1].series.size(), 1u);
    EXPECT_EQ(charts.panels[1].series[0].defined,
              (std::vector<bool>{false, false, true, true, true}));
    EXPECT_NEAR(charts.panels[0].series[0].values[3], -45.0, 1e-9);
}
