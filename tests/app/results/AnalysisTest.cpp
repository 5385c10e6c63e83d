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
    const PositionAnalysis analysis = Ran<PositionAnalysis>(f, s);
    std::vector<std::array<double, 3>> rows;
    for (const PositionRecord& r : analysis.Records())
        rows.push_back({r.x, r.distance, r.acceleration});
    // Positions over all frames; distances 4, 0, 6, 0 (from unsmoothed
    // positions) without the first frame; accelerations -4, 6, -6 from the
    // third.
    EXPECT_EQ(rows, (std::vector<std::array<double, 3>>{
                        {0, 0, 0}, {3, 4, 0}, {5.5, 2.5, -4}, {8.5, 3, 0.5}, {10, 0, -6}}));
}

TEST(PositionCharts, OnePanelPerItemOneSeriesPerTargetWithUndefinedStarts) {
    auto f = MakeWalk();
    PositionSettings s = PositionAnalysis::Initial(f->View());
    s.range.items = {3, 4, 5};
    const ChartSet c = Ran<PositionAnalysis>(*f, s).Charts();
    ASSERT_EQ(c.panels.size(), 3u);
    // Each target in the colour and style of its track information.
    const ChartSeries& speed = c.panels[0].series[0];
    EXPECT_EQ(std::tie(c.times, speed.values, speed.defined, c.panels[1].series[0].defined,
                       c.panels[2].series[1].values, speed.colour, speed.style,
                       c.panels[0].series[1].colour),
              std::make_tuple(std::vector<double>{-0.1, 0.0, 0.1}, std::vector<double>{0, 50, 100},
                              std::vector<bool>{false, true, true},
                              std::vector<bool>{false, false, true}, std::vector<double>{0, 3, -1},
                              1, 2, 3));
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

TEST(DistancePairs, AddRefusesColoursCycleDeleteSelectsANeighbourDeleteAllAsks) {
    DistancePairList list;
    kova::RecordingPrompter prompter;
    for (auto [a, b, index] : {std::tuple{-1, 2, -1}, {1, 1, -1}, {0, 1, 0}, {1, 0, -1}})
        EXPECT_EQ(list.Add(a, b, prompter), index) << a << "-" << b;
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"请选定2个目标", "不能指定相同的目标",
                                                          "不能指定相同的组。"}));
    EXPECT_EQ(DistancePairList::EntryText(list.Pairs()[0]), "目标1 - 目标2 红 实线");
    list.SetStyle(3);
    for (int i = 2; i <= 7; ++i)
        ASSERT_EQ(list.Add(0, i, prompter), i - 1);
    list.SetColour(6);
    ASSERT_EQ(list.Add(2, 3, prompter), 7);
    std::vector<int> colours;
    for (const DistancePair& p : list.Pairs())
        colours.push_back(p.colour);
    EXPECT_EQ(colours, (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 6}));
    EXPECT_EQ(list.Colour(), 0); // grey wraps to red
    // The last entry selects the one before it, another the entry now there.
    EXPECT_EQ((std::vector<int>{list.Delete(7), list.Delete(2), list.Delete(9)}),
              (std::vector<int>{6, 2, -1}));

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
    const std::tuple<Fixture*, std::array<int, 4>, AngleMode, double, const char*> cases[] = {
        {swing.get(), {2, 1, -1, -1}, AngleMode::XAxis, 45.0, "X轴夹角 (3:腕, 2:肘) \n"},
        {swing.get(), {2, 1, -1, -1}, AngleMode::YAxis, 135.0, "Y轴夹角  (3:腕, 2:肘) \n"},
        {turn.get(), {0, 1, -1, -1}, AngleMode::XAxis, 315.0, "X轴夹角 (1:肘, 2:LongName9) \n"},
        {turn.get(), {0, 1, -1, -1}, AngleMode::YAxis, 225.0, "Y轴夹角  (1:肘, 2:LongName9) \n"}};
    for (const auto& [f, points, mode, angle, title] : cases) {
        const AngleAnalysis analysis = Ran<AngleAnalysis>(*f, Angle(*f, mode, points, 1));
        EXPECT_NEAR(analysis.Records()[0].angle, angle, 1e-4) << title;
        EXPECT_EQ(analysis.TableLines()[0], title);
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
    EXPECT_EQ(std::tie(charts.panels[1].series[0].defined, charts.panels[0].series[0].values[3]),
              std::make_tuple(std::vector<bool>{false, false, true, true, true}, -45.0));
}
