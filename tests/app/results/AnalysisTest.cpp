// The four analyses on the hand-made fixtures: tables at their limits,
// smoothing of the derived columns, charts, and the distance pair list.
#include "AngleAnalysis.h"
#include "DisplacementAnalysis.h"
#include "DistanceAnalysis.h"
#include "ExpectedTables.h"
#include "PositionAnalysis.h"

#include <cmath>

using namespace kova::test;
using kova::Message;
using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

namespace {

std::string PositionTable(const PositionSettings& s, Fixture& f) {
    const std::vector<std::string> lines = Ran<PositionAnalysis>(f, s).TableLines();
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line per string: " << line;
    return Join(lines);
}

// One target "a" along x, 1 mm per pixel, one frame a second.
Fixture AlongX(std::vector<float> xs, int interval = 1, int frameRate = 1) {
    std::vector<XY_TRACK> row;
    for (float x : xs)
        row.push_back(P(x, 0));
    return Fixture("D:/x.TRK", Calib{1.0f, 3, interval, frameRate, 4, 0, 0, 0, 1}, {"a"}, {row});
}

AngleSettings Angle(Fixture& f, AngleMode mode, std::array<int, 4> points, int upper = 0) {
    AngleSettings s = AngleAnalysis::Initial(f.View());
    s.mode = mode;
    s.points = points;
    if (upper > 0) s.range.upper = upper;
    return s;
}

} // namespace

TEST(PositionTable, OneFrameShowsPositionsOnly) {
    auto f = MakeWalk();
    PositionSettings s = PositionAnalysis::Initial(f->View());
    s.range.lower = s.range.upper = 2;
    s.range.targets = {0};
    s.range.smoothing = 3;
    EXPECT_EQ(PositionTable(s, *f),
              std::string("位置 / 速度\n") + Dashes(101) + WalkSummary() +
                  "平滑次数        ,        3\n\n" + expected::PositionHeading5() +
                  expected::PositionUnits5() +
                  "    2,    1,     0.000,       头,        3.000,        4.000,        -----,"
                  "        -----,        -----\n"
                  "     ,     ,          ,     平均,        3.000,        4.000,        -----,"
                  "        -----,        -----\n"
                  "     ,     ,          ,     合计,        -----,        -----,        -----,"
                  "        -----,        -----\n");
}

TEST(PositionTable, WideValuesBecomeAsterisksUnitsFollowTheSelectionTimeUsesTheFractionalRate) {
    auto f = MakeWalk();
    PositionSettings s = PositionAnalysis::Initial(f->View());
    s.range.targets = {0};
    s.range.items = {0, 3};
    s.range.lengthUnit = 0; // pm: 3 mm is 3000000000.000, 14 characters
    s.range.timeUnit = 3;   // ms: 5 mm in 100 ms is 50000000.000 pm/ms, exactly 12
    const std::string text = PositionTable(s, *f);
    for (const char* line : {"     ,     ,         s,         ,           pm,        pm/ms\n",
                             "    2,    1,     0.000,       头, ************, 50000000.000\n",
                             "+   3,    1,     0.100,       头, ************, ************\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    // 2 camera frames per second read every third frame: a stored frame is
    // 1.5 s (a whole-number rate would be 0 frames per second).
    Fixture rate = AlongX({0, 5}, 3, 2);
    PositionSettings r = PositionAnalysis::Initial(rate.View());
    r.range.items = {3};
    EXPECT_NE(PositionTable(r, rate).find("    2,    1,     1.500,        a,        3.333\n"),
              std::string::npos);
}

TEST(PositionRecords, DerivedColumnsAreSmoothedFromTheirFirstDefinedValue) {
    Fixture f = AlongX({0, 4, 4, 10, 10});
    PositionSettings s = PositionAnalysis::Initial(f.View());
    s.range.smoothing = 1;
    std::vector<double> x, distance, acceleration;
    const PositionAnalysis analysis = Ran<PositionAnalysis>(f, s);
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
    const ChartSet charts = Ran<PositionAnalysis>(*f, s).Charts();
    EXPECT_EQ(charts.times, (std::vector<double>{-0.1, 0.0, 0.1}));
    ASSERT_EQ(charts.panels.size(), 3u);
    EXPECT_EQ(charts.panels[1].unit, "mm/s/s");
    const ChartSeries& speed = charts.panels[0].series[0];
    EXPECT_EQ(speed.values, (std::vector<double>{0, 50, 100}));
    EXPECT_EQ(speed.defined, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(charts.panels[1].series[0].defined, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(charts.panels[2].series[1].values, (std::vector<double>{0, 3, -1}));
    // Each target in the colour and style of its track information.
    EXPECT_EQ(std::make_tuple(speed.colour, speed.style, charts.panels[0].series[1].colour),
              std::make_tuple(1, 2, 3));
}

TEST(DisplacementRecords, AbsoluteValueIsSmoothedAsItsOwnSeries) {
    Fixture f = AlongX({0, 4, -4});
    DisplacementSettings s = DisplacementAnalysis::Initial(f.View());
    s.range.smoothing = 1;
    const auto records = Ran<DisplacementAnalysis>(f, s).Records();
    ASSERT_EQ(records.size(), 3u);
    // dx 0, 4, -4 smooths to 0, 1, -4; the absolute value 0, 4, 4 to 0, 3, 4
    // (not |1| recomputed from the smoothed dx).
    EXPECT_EQ(std::make_tuple(records[1].dx, records[1].absolute, records[2].absolute),
              std::make_tuple(1.0, 3.0, 4.0));
}

TEST(DisplacementCharts, OnePanelPerItemEveryValueDefined) {
    auto f = MakeTurn();
    DisplacementSettings s = DisplacementAnalysis::Initial(f->View());
    s.range.lengthUnit = 4; // cm
    s.range.items = {1, 2};
    const ChartSet charts = Ran<DisplacementAnalysis>(*f, s).Charts();
    EXPECT_EQ(charts.times, (std::vector<double>{0.0, 0.03}));
    ASSERT_EQ(charts.panels.size(), 2u);
    const ChartSeries& second = charts.panels[1].series.at(1);
    EXPECT_EQ(second.defined, (std::vector<bool>{true, true}));
    EXPECT_NEAR(second.values[1], 2.0 * std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(charts.panels[0].series[0].values[1], -4.0, 1e-6);
    EXPECT_EQ(second.colour, 1); // the second default colour, green
}

TEST(DistanceTable, SumsOnATurnedCalibrationTwoPairsWithEventsAndSmoothing) {
    auto turn = MakeTurn();
    DistanceSettings s = DistanceAnalysis::Initial(turn->View());
    s.range.lengthUnit = 4;
    s.pairs = {{0, 1, 0, 0}};
    EXPECT_NEAR(Ran<DistanceAnalysis>(*turn, s).Sums()[0], std::sqrt(52.0) + std::sqrt(200.0),
                1e-5);
    // A distance wider than its field is nineteen asterisks.
    MeasureHeader h = turn->track.GetHeader();
    h.lengthUnit = 6; // 2 km per pixel, asked for in pm
    turn->track.SetHeader(h);
    s.range.lengthUnit = 0;
    const std::vector<std::string> lines = Ran<DistanceAnalysis>(*turn, s).TableLines();
    EXPECT_EQ(lines[lines.size() - 4], "    1,     0.000, *******************\n");

    auto walk = MakeWalk();
    s = DistanceAnalysis::Initial(walk->View());
    s.range.smoothing = 1;
    s.pairs = {{1, 0, 2, 1}, {0, 1, 3, 0}};
    EXPECT_EQ(Join(Ran<DistanceAnalysis>(*walk, s).TableLines()), expected::WalkDistanceSmoothed());
}

TEST(DistanceCharts, OneSeriesPerPairInItsOwnColourAndStyle) {
    auto f = MakeTurn();
    DistanceSettings s = DistanceAnalysis::Initial(f->View());
    s.pairs = {{0, 1, 6, 4}, {1, 0, 2, 3}};
    s.range.lengthUnit = 4;
    const ChartSet charts = Ran<DistanceAnalysis>(*f, s).Charts();
    ASSERT_EQ(charts.panels.size(), 1u);
    ASSERT_EQ(charts.panels[0].series.size(), 2u);
    const ChartSeries& first = charts.panels[0].series[0];
    const ChartSeries& second = charts.panels[0].series[1];
    EXPECT_EQ(std::make_tuple(first.colour, first.style, second.colour), std::make_tuple(6, 4, 2));
    EXPECT_NEAR(second.values[1], std::sqrt(200.0), 1e-5);
}

TEST(DistancePairs, AddRefusesColoursCycleDeleteSelectsANeighbourDeleteAllAsks) {
    DistancePairList list;
    kova::RecordingPrompter prompter;
    EXPECT_EQ(list.Add(-1, 2, prompter), -1);
    EXPECT_EQ(list.Add(1, 1, prompter), -1);
    EXPECT_EQ(list.Add(0, 1, prompter), 0);
    EXPECT_EQ(list.Add(1, 0, prompter), -1);
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"请选定2个目标", "不能指定相同的目标",
                                                          "不能指定相同的组。"}));
    EXPECT_EQ(DistancePairList::EntryText(list.Pairs()[0]), "目标1 - 目标2 红 实线");
    list.SetStyle(3);
    for (int i = 2; i <= 7; ++i)
        ASSERT_EQ(list.Add(0, i, prompter), i - 1);
    std::vector<int> colours;
    for (const DistancePair& p : list.Pairs())
        colours.push_back(p.colour);
    EXPECT_EQ(colours, (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
    list.SetColour(6);
    ASSERT_EQ(list.Add(2, 3, prompter), 7);
    EXPECT_EQ(list.Pairs()[7].colour, 6);
    EXPECT_EQ(list.Colour(), 0);  // grey wraps to red
    EXPECT_EQ(list.Delete(7), 6); // the last entry: the one before it
    EXPECT_EQ(list.Delete(2), 2); // the entry now at that place
    EXPECT_EQ(list.Delete(9), -1);
    EXPECT_EQ(list.Pairs().size(), 6u);

    prompter.Clear();
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(list.DeleteAll(prompter));
    EXPECT_EQ(list.Pairs().size(), 6u);
    EXPECT_TRUE(list.DeleteAll(prompter));
    EXPECT_TRUE(list.Pairs().empty());
    const Message question{"消除全部直线", "确认", MessageIcon::Question, MessageButtons::OkCancel};
    EXPECT_EQ(prompter.Messages(), (std::vector<Message>{question, question}));
}

TEST(AngleTable, TwoFramesAndOneFrame) {
    auto f = MakeSwing();
    AngleSettings s = Angle(*f, AngleMode::ThreePoints, {0, 1, 2, -1}, 2);
    const std::string head = expected::AnglePreamble("3点间角度 (1:肩, 2:肘, 3:腕)\n", 71) +
                             expected::AngleHead4() + Dashes(71);
    EXPECT_EQ(Join(Ran<AngleAnalysis>(*f, s).TableLines()),
              head +
                  "    1,     0.000,        0.000,        0.000,        -----,        -----\n"
                  "    2,     0.100,      180.000,      180.000,     1800.000,        -----\n" +
                  Dashes(71) +
                  " 平均,          ,       90.000,        -----,     1800.000,        -----\n");
    s.range.lower = s.range.upper = 3;
    EXPECT_EQ(Join(Ran<AngleAnalysis>(*f, s).TableLines()),
              head + "    3,     0.200,        0.000,        0.000,        -----,        -----\n" +
                  Dashes(71) +
                  " 平均,          ,        0.000,        -----,        -----,        -----\n");
}

TEST(AngleModes, TwoLinesAndTheCalibrationsAxes) {
    auto swing = MakeSwing();
    const AngleAnalysis lines =
        Ran<AngleAnalysis>(*swing, Angle(*swing, AngleMode::TwoLines, {0, 1, 2, 1}, 2));
    EXPECT_EQ(lines.TableLines()[0], "2线间角度 (1:肩, 2:肘, 3:腕, 2:肘)\n");
    // Shoulder-to-elbow against wrist-to-elbow: opposite, then the same way.
    EXPECT_EQ(std::make_pair(lines.Records()[0].angle, lines.Records()[1].angle),
              std::make_pair(180.0, 0.0));

    // Unturned: the line from the elbow up and to the right of the image.
    XY_TRACK up = P(10, -10);
    swing->track.SetPoint(2, 0, &up);
    // TURN: the X axis points up on the screen, the Y axis (mirrored) left;
    // the line from P2 (the origin) to P1 points up and to the right.
    auto turn = MakeTurn();
    XY_TRACK p1 = P(110, 40), p2 = P(100, 50);
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
        const AngleAnalysis analysis = Ran<AngleAnalysis>(*c.f, Angle(*c.f, c.mode, c.points, 1));
        EXPECT_NEAR(analysis.Records()[0].angle, c.angle, 1e-4) << c.title;
        EXPECT_EQ(analysis.TableLines()[0], c.title);
    }
}

TEST(AngleRecords, SmoothingRecomputesTheSumsChartsStartWhereDefined) {
    auto f = MakeSwing();
    AngleSettings s = Angle(*f, AngleMode::ThreePoints, {0, 1, 2, -1});
    s.range.smoothing = 1;
    const AngleAnalysis analysis = Ran<AngleAnalysis>(*f, s);
    // Angles 0, 180, 0, 315, 45 smooth to 0, 90, 123.75, 168.75, 45;
    // velocities 1800, -1800, -450, 900 (from the second frame) to 1800,
    // -562.5, -450, 900.
    const auto& r = analysis.Records();
    EXPECT_EQ(std::make_tuple(r[1].angle, r[2].angle, r[0].velocity),
              std::make_tuple(90.0, 123.75, 0.0));
    EXPECT_NEAR(r[2].velocity, -562.5, 1e-9);
    EXPECT_NEAR(analysis.Sums().angle, 427.5, 1e-9);
    EXPECT_NEAR(analysis.Sums().velocity, 1800 - 562.5 - 450 + 900, 1e-9);

    s.range.smoothing = 0;
    s.range.items = {1, 3};
    s.range.timeUnit = 3;
    const ChartSet charts = Ran<AngleAnalysis>(*f, s).Charts();
    ASSERT_EQ(charts.panels.size(), 2u);
    EXPECT_EQ(charts.panels[1].unit, "deg/ms/ms");
    EXPECT_EQ(charts.panels[1].series[0].defined,
              (std::vector<bool>{false, false, true, true, true}));
    EXPECT_NEAR(charts.panels[0].series[0].values[3], -45.0, 1e-9);
}
