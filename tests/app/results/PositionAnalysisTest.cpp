#include "PositionAnalysis.h"

#include "ExpectedTables.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

// Runs the analysis (which must pass its checks) and returns it.
PositionAnalysis Ran(const PositionSettings& s, Fixture& f) {
    kova::RecordingPrompter prompter;
    PositionAnalysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    return analysis;
}

std::string TableOf(const PositionSettings& s, Fixture& f) {
    const std::vector<std::string> lines = Ran(s, f).TableLines();
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line per string: " << line;
    return Join(lines);
}

} // namespace

TEST(PositionTable, OneFrameShowsPositionsOnly) {
    auto f = MakeWalk();
    PositionSettings s = PositionAnalysis::Initial(f->View());
    s.range.lower = s.range.upper = 2;
    s.range.targets = {0};
    s.range.smoothing = 3;
    const std::string expected =
        std::string("位置 / 速度\n") + Dashes(101) + WalkSummary() +
        "平滑次数        ,        3\n\n" + expected::PositionHeading5() +
        expected::PositionUnits5() +
        "    2,    1,     0.000,       头,        3.000,        4.000,        -----,        -----,"
        "        -----\n"
        "     ,     ,          ,     平均,        3.000,        4.000,        -----,        -----,"
        "        -----\n"
        "     ,     ,          ,     合计,        -----,        -----,        -----,        -----,"
        "        -----\n";
    EXPECT_EQ(TableOf(s, *f), expected);
}

TEST(PositionTable, WideValuesBecomeAsterisksUnitsFollowTheSelectionTimeUsesTheFractionalRate) {
    auto f = MakeWalk();
    PositionSettings s = PositionAnalysis::Initial(f->View());
    s.range.targets = {0};
    s.range.items = {0, 3};
    s.range.lengthUnit = 0; // pm: 3 mm is 3000000000.000, 14 characters
    s.range.timeUnit = 3;   // ms: 5 mm in 100 ms is 50000000.000 pm/ms, exactly 12
    const std::string text = TableOf(s, *f);
    for (const char* line : {"     ,     ,         s,         ,           pm,        pm/ms\n",
                             "    2,    1,     0.000,       头, ************, 50000000.000\n",
                             "+   3,    1,     0.100,       头, ************, ************\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;

    // 2 camera frames per second read every third frame: a stored frame is
    // 1.5 s (a whole-number rate would be 0 frames per second).
    Fixture rate("D:/r.TRK", Calib{1.0f, 3, 3, 2, 4, 0.0f, 0.0f, 0.0f, 1}, {"a"},
                 {{P(0, 0), P(3, 4)}});
    PositionSettings r = PositionAnalysis::Initial(rate.View());
    r.range.items = {3};
    EXPECT_NE(TableOf(r, rate).find("    2,    1,     1.500,        a,        3.333\n"),
              std::string::npos);
}

TEST(PositionRecords, DerivedColumnsAreSmoothedFromTheirFirstDefinedValue) {
    Fixture f("D:/x.TRK", Calib{1.0f, 3, 1, 1, 4, 0.0f, 0.0f, 0.0f, 1}, {"a"},
              {{P(0, 0), P(4, 0), P(4, 0), P(10, 0), P(10, 0)}});
    PositionSettings s = PositionAnalysis::Initial(f.View());
    s.range.smoothing = 1;
    const PositionAnalysis analysis = Ran(s, f);
    std::vector<double> x, distance, acceleration;
    for (const PositionRecord& r : analysis.Records()) {
        x.push_back(r.x);
        distance.push_back(r.distance);
        acceleration.push_back(r.acceleration);
    }
    // Positions over all frames; distances 4, 0, 6, 0 (from unsmoothed
    // positions) without the first frame; accelerations -4, 6, -6 from the
    // third.
    EXPECT_EQ(x, (std::vector<double>{0, 3, 5.5, 8.5, 10}));
    EXPECT_EQ(distance, (std::vector<double>{0, 4, 2.5, 3, 0}));
    EXPECT_EQ(acceleration, (std::vector<double>{0, 0, -4, 0.5, -6}));
}

TEST(PositionCharts, OnePanelPerItemOneSeriesPerTargetWithUndefinedStarts) {
    auto f = MakeWalk();
    PositionSettings s = PositionAnalysis::Initial(f->View());
    s.range.items = {3, 4, 5};
    const ChartSet charts = Ran(s, *f).Charts();
    EXPECT_EQ(charts.times, (std::vector<double>{-0.1, 0.0, 0.1}));
    ASSERT_EQ(charts.panels.size(), 3u);
    EXPECT_EQ(charts.panels[1].unit, "mm/s/s");
    EXPECT_EQ(charts.panels[2].decimals, 0);
    const ChartSeries& speed = charts.panels[0].series[0];
    EXPECT_EQ(speed.values, (std::vector<double>{0, 50, 100}));
    EXPECT_EQ(speed.defined, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(charts.panels[1].series[0].defined, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(charts.panels[2].series[1].values, (std::vector<double>{0, 3, -1}));
    // Each target in the colour and style of its track information.
    EXPECT_EQ(std::make_pair(speed.colour, speed.style), std::make_pair(1, 2));
    EXPECT_EQ(charts.panels[0].series[1].colour, 3);
}
