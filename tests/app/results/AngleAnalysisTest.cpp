#include "AngleAnalysis.h"

#include "ExpectedTables.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

AngleSettings Settings(Fixture& f, AngleMode mode, std::array<int, 4> points) {
    AngleSettings s = AngleAnalysis::Initial(f.View());
    s.mode = mode;
    s.points = points;
    return s;
}

AngleAnalysis Ran(const AngleSettings& s, Fixture& f) {
    kova::RecordingPrompter prompter;
    AngleAnalysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    return analysis;
}

} // namespace

TEST(AngleTable, TwoFramesAndOneFrame) {
    auto f = MakeSwing();
    AngleSettings s = Settings(*f, AngleMode::ThreePoints, {0, 1, 2, -1});
    s.range.upper = 2;
    const std::string head = expected::AnglePreamble("3点间角度 (1:肩, 2:肘, 3:腕)\n", 71) +
                             expected::AngleHead4() + Dashes(71);
    EXPECT_EQ(Join(Ran(s, *f).TableLines()),
              head +
                  "    1,     0.000,        0.000,        0.000,        -----,        -----\n"
                  "    2,     0.100,      180.000,      180.000,     1800.000,        -----\n" +
                  Dashes(71) +
                  " 平均,          ,       90.000,        -----,     1800.000,        -----\n");
    s.range.lower = s.range.upper = 3;
    EXPECT_EQ(Join(Ran(s, *f).TableLines()),
              head + "    3,     0.200,        0.000,        0.000,        -----,        -----\n" +
                  Dashes(71) +
                  " 平均,          ,        0.000,        -----,        -----,        -----\n");
}

TEST(AngleModes, TwoLinesAndTheCalibrationsAxes) {
    auto swing = MakeSwing();
    AngleSettings s = Settings(*swing, AngleMode::TwoLines, {0, 1, 2, 1});
    s.range.upper = 2;
    const AngleAnalysis lines = Ran(s, *swing);
    EXPECT_EQ(lines.TableLines()[0], "2线间角度 (1:肩, 2:肘, 3:腕, 2:肘)\n");
    // Shoulder-to-elbow against wrist-to-elbow: opposite, then the same way.
    EXPECT_EQ(lines.Records()[0].angle, 180.0);
    EXPECT_EQ(lines.Records()[1].angle, 0.0);

    // Unturned: the line from the elbow up and to the right of the image.
    XY_TRACK up = P(10, -10);
    swing->track.SetPoint(2, 0, &up);
    // TURN: the X axis points up on the screen, the Y axis (mirrored) left;
    // the line from P2 (the origin) to P1 points up and to the right.
    auto turn = MakeTurn();
    XY_TRACK p1 = P(110, 40);
    XY_TRACK p2 = P(100, 50);
    turn->track.SetPoint(0, 0, &p1);
    turn->track.SetPoint(1, 0, &p2);
    const struct {
        Fixture* f;
        std::array<int, 4> points;
        AngleMode mode;
        double angle;
        const char* title;
    } cases[] = {
        {swing.get(), {2, 1, -1, -1}, AngleMode::XAxis, 45.0, "X轴夹角 (3:腕, 2:肘) \n"},
        {swing.get(), {2, 1, -1, -1}, AngleMode::YAxis, 135.0, "Y轴夹角  (3:腕, 2:肘) \n"},
        {turn.get(), {0, 1, -1, -1}, AngleMode::XAxis, 315.0, "X轴夹角 (1:肘, 2:LongName9) \n"},
        {turn.get(), {0, 1, -1, -1}, AngleMode::YAxis, 225.0, "Y轴夹角  (1:肘, 2:LongName9) \n"}};
    for (const auto& c : cases) {
        AngleSettings axis = Settings(*c.f, c.mode, c.points);
        axis.range.upper = 1;
        const AngleAnalysis analysis = Ran(axis, *c.f);
        EXPECT_NEAR(analysis.Records()[0].angle, c.angle, 1e-4) << c.title;
        EXPECT_EQ(analysis.TableLines()[0], c.title);
    }
}

TEST(AngleRecords, SmoothingRecomputesTheSums) {
    auto f = MakeSwing();
    AngleSettings s = Settings(*f, AngleMode::ThreePoints, {0, 1, 2, -1});
    s.range.smoothing = 1;
    const AngleAnalysis analysis = Ran(s, *f);
    // Angles 0, 180, 0, 315, 45 smooth to 0, 90, 123.75, 168.75, 45;
    // velocities 1800, -1800, -450, 900 (from the second frame) to 1800,
    // -562.5, -450, 900.
    const auto& r = analysis.Records();
    EXPECT_DOUBLE_EQ(r[1].angle, 90.0);
    EXPECT_DOUBLE_EQ(r[2].angle, 123.75);
    EXPECT_NEAR(analysis.Sums().angle, 427.5, 1e-9);
    EXPECT_DOUBLE_EQ(r[0].velocity, 0.0);
    EXPECT_NEAR(r[2].velocity, -562.5, 1e-9);
    EXPECT_NEAR(analysis.Sums().velocity, 1800 - 562.5 - 450 + 900, 1e-9);
}

TEST(AngleCharts, OnePanelPerItemOneSeries) {
    auto f = MakeSwing();
    AngleSettings s = Settings(*f, AngleMode::ThreePoints, {0, 1, 2, -1});
    s.range.items = {1, 3};
    s.range.timeUnit = 3;
    const ChartSet charts = Ran(s, *f).Charts();
    ASSERT_EQ(charts.panels.size(), 2u);
    EXPECT_EQ(charts.panels[1].unit, "deg/ms/ms");
    EXPECT_EQ(charts.panels[1].series[0].defined,
              (std::vector<bool>{false, false, true, true, true}));
    EXPECT_NEAR(charts.panels[0].series[0].values[3], -45.0, 1e-9);
}
