#include "PositionAnalysis.h"

#include "AnalysisFixtures.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

std::string TableOf(PositionSettings s, Fixture& f) {
    kova::RecordingPrompter prompter;
    PositionAnalysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    const std::vector<std::string> lines = analysis.TableLines();
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line per string: " << line;
    return Join(lines);
}

PositionSettings WalkSettings(Fixture& f) {
    return PositionAnalysis::Initial(f.View());
}

const char* const kHeading5 = "   帧,   ID,      时间,     名称,      (坐标X),      (坐标Y),   "
                              "(移动距离),       (速度),     (加速度)\n";
const char* const kUnits5 = "     ,     ,         s,         ,           mm,           mm,      "
                            "     mm,         mm/s,       mm/s/s\n";

} // namespace

TEST(PositionTable, ByTargetWithEventsCentreChineseAndOverlongNames) {
    auto f = MakeWalk();
    const std::string expected =
        std::string("位置 / 速度\n") + Dashes(101) + WalkSummary() +
        "平滑次数        ,        0\n"
        "\n" +
        kHeading5 + kUnits5 +
        "    1,    1,    -0.100,       头,        0.000,        0.000,        -----,        -----,"
        "        -----\n"
        "    2,    1,     0.000,       头,        3.000,        4.000,        5.000,       50.000,"
        "        -----\n"
        "+   3,    1,     0.100,       头,        9.000,       12.000,       10.000,      100.000,"
        "      500.000\n"
        "     ,     ,          ,     平均,        4.000,        5.333,        7.500,       75.000,"
        "      500.000\n"
        "     ,     ,          ,     合计,        -----,        -----,       15.000,        -----,"
        "        -----\n"
        "\n" +
        kHeading5 + kUnits5 +
        "    1,    2,    -0.100, ********,        1.000,        0.000,        -----,        -----,"
        "        -----\n"
        "    2,    2,     0.000, ********,        1.000,        0.000,        0.000,        0.000,"
        "        -----\n"
        "+   3,    2,     0.100, ********,        1.000,        0.000,        0.000,        0.000,"
        "        0.000\n"
        "     ,     ,          ,     平均,        1.000,        0.000,        0.000,        0.000,"
        "        0.000\n"
        "     ,     ,          ,     合计,        -----,        -----,        0.000,        -----,"
        "        -----\n";
    EXPECT_EQ(TableOf(WalkSettings(*f), *f), expected);
}

TEST(PositionTable, ByFrameOverTwoFramesWithErrorNumbers) {
    auto f = MakeWalk();
    PositionSettings s = WalkSettings(*f);
    s.lower = 2;
    s.upper = 3;
    s.items = {2, 5};
    s.grouping = 0;
    const std::string heading = "   帧,   ID,      时间,     名称,   (移动距离),    (错误序号)\n";
    const std::string units = "     ,     ,         s,         ,           mm,             \n";
    const std::string expected = std::string("位置 / 速度\n") + Dashes(59) + WalkSummary() +
                                 "平滑次数        ,        0\n"
                                 "\n" +
                                 heading + units +
                                 "    2,    1,     0.000,       头,        -----,            1\n"
                                 "    2,    2,     0.000, ********,        -----,            3\n"
                                 "     ,     ,          ,     平均,        -----,        -----\n"
                                 "     ,     ,          ,     合计,        -----,        -----\n"
                                 "\n" +
                                 heading + units +
                                 "+   3,    1,     0.100,       头,       10.000,            2\n"
                                 "+   3,    2,     0.100, ********,        0.000,           -1\n"
                                 "     ,     ,          ,     平均,        5.000,        -----\n"
                                 "     ,     ,          ,     合计,       10.000,        -----\n";
    EXPECT_EQ(TableOf(s, *f), expected);
}

TEST(PositionTable, OneFrameShowsPositionsOnly) {
    auto f = MakeWalk();
    PositionSettings s = WalkSettings(*f);
    s.lower = s.upper = 2;
    s.targets = {0};
    s.smoothing = 3;
    const std::string expected =
        std::string("位置 / 速度\n") + Dashes(101) + WalkSummary() +
        "平滑次数        ,        3\n"
        "\n" +
        kHeading5 + kUnits5 +
        "    2,    1,     0.000,       头,        3.000,        4.000,        -----,        -----,"
        "        -----\n"
        "     ,     ,          ,     平均,        3.000,        4.000,        -----,        -----,"
        "        -----\n"
        "     ,     ,          ,     合计,        -----,        -----,        -----,        -----,"
        "        -----\n";
    EXPECT_EQ(TableOf(s, *f), expected);
}

TEST(PositionTable, ValuesTooWideBecomeAsterisksAndUnitsFollowTheSelection) {
    auto f = MakeWalk();
    PositionSettings s = WalkSettings(*f);
    s.targets = {0};
    s.items = {0, 3};
    s.lengthUnit = 0; // pm: 9 mm is 9000000000.000 pm, 14 characters
    s.timeUnit = 3;   // ms
    const std::string text = TableOf(s, *f);
    EXPECT_NE(text.find("     ,     ,         s,         ,           pm,        pm/ms\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("+   3,    1,     0.100,       头, ************, "
                        "************\n"),
              std::string::npos)
        << text;
    // 3 mm is 14 characters in pm; 5 mm in 100 ms is 50000000.000 pm/ms,
    // exactly 12.
    EXPECT_NE(text.find("    2,    1,     0.000,       头, ************, 50000000.000\n"),
              std::string::npos);
}

TEST(PositionRecords, DerivedColumnsAreSmoothedFromTheirFirstDefinedValue) {
    Fixture f("D:/x.TRK", Calib{1.0f, 3, 1, 1, 4, 0.0f, 0.0f, 0.0f, 1}, {"a"},
              {{P(0, 0), P(4, 0), P(4, 0), P(10, 0), P(10, 0)}});
    PositionSettings s = PositionAnalysis::Initial(f.View());
    s.smoothing = 1;
    kova::RecordingPrompter prompter;
    PositionAnalysis analysis(f.View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    const auto& r = analysis.Records();
    ASSERT_EQ(r.size(), 5u);
    // Positions over all frames: 0, 3, 5.5, 8.5, 10.
    EXPECT_DOUBLE_EQ(r[1].x, 3.0);
    EXPECT_DOUBLE_EQ(r[2].x, 5.5);
    // Distances 4, 0, 6, 0 (unsmoothed positions) smoothed without the first
    // frame: 4, 2.5, 3, 0.
    EXPECT_DOUBLE_EQ(r[0].distance, 0.0);
    EXPECT_DOUBLE_EQ(r[1].distance, 4.0);
    EXPECT_DOUBLE_EQ(r[2].distance, 2.5);
    EXPECT_DOUBLE_EQ(r[3].distance, 3.0);
    EXPECT_DOUBLE_EQ(r[4].distance, 0.0);
    // Accelerations -4, 6, -6 from the third frame: smoothed to -4, 0.5, -6.
    EXPECT_DOUBLE_EQ(r[1].acceleration, 0.0);
    EXPECT_DOUBLE_EQ(r[2].acceleration, -4.0);
    EXPECT_DOUBLE_EQ(r[3].acceleration, 0.5);
    EXPECT_DOUBLE_EQ(r[4].acceleration, -6.0);
}

TEST(PositionCharts, OnePanelPerItemOneSeriesPerTargetWithUndefinedStarts) {
    auto f = MakeWalk();
    PositionSettings s = WalkSettings(*f);
    s.items = {0, 3, 4, 5};
    kova::RecordingPrompter prompter;
    PositionAnalysis analysis(f->View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    const ChartSet charts = analysis.Charts();
    EXPECT_EQ(charts.title, "位置 / 速度");
    EXPECT_EQ(charts.times, (std::vector<double>{-0.1, 0.0, 0.1}));
    ASSERT_EQ(charts.panels.size(), 4u);
    EXPECT_EQ(charts.panels[0].title, "坐标 X");
    EXPECT_EQ(charts.panels[1].title, "速度");
    EXPECT_EQ(charts.panels[1].unit, "mm/s");
    EXPECT_EQ(charts.panels[2].unit, "mm/s/s");
    EXPECT_EQ(charts.panels[3].title, "错误序号");
    EXPECT_EQ(charts.panels[3].decimals, 0);
    const ChartSeries& speed = charts.panels[1].series[0];
    EXPECT_EQ(speed.colour, 1);
    EXPECT_EQ(speed.style, 2);
    EXPECT_EQ(charts.panels[1].series[1].colour, 3);
    EXPECT_EQ(speed.defined, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(charts.panels[2].series[0].defined, (std::vector<bool>{false, false, true}));
    EXPECT_DOUBLE_EQ(speed.values[2], 100.0);
    EXPECT_EQ(charts.panels[3].series[1].values, (std::vector<double>{0, 3, -1}));
}

TEST(PositionTable, TimeColumnUsesTheFractionalRate) {
    // 2 camera frames per second read every third frame: a stored frame is
    // 1.5 s (a whole-number rate would be 0 frames per second).
    Fixture f("D:/r.TRK", Calib{1.0f, 3, 3, 2, 4, 0.0f, 0.0f, 0.0f, 1}, {"a"},
              {{P(0, 0), P(3, 4)}});
    PositionSettings s = PositionAnalysis::Initial(f.View());
    s.items = {3};
    const std::string text = TableOf(s, f);
    EXPECT_NE(text.find("    2,    1,     1.500,        a,        3.333\n"), std::string::npos)
        << text;
}
