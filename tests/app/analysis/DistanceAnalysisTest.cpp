#include "DistanceAnalysis.h"

#include "AnalysisFixtures.h"
#include "RecordingPrompter.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kova::test;
using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

namespace {

DistanceSettings TurnPairs(Fixture& f, std::vector<DistancePair> pairs) {
    DistanceSettings s = DistanceAnalysis::Initial(f.View());
    s.lengthUnit = 4; // cm
    s.pairs = std::move(pairs);
    return s;
}

} // namespace

TEST(DistanceTable, OnePairOnARotatedMirroredCalibration) {
    auto f = MakeTurn();
    kova::RecordingPrompter prompter;
    DistanceAnalysis analysis(f->View(), TurnPairs(*f, {{0, 1, 0, 0}}));
    ASSERT_TRUE(analysis.Run(prompter));
    const std::string rule = Dashes(36);
    const std::string expected = std::string("2点间距离\n") + rule + TurnSummary() +
                                 "平滑次数,        0\n"
                                 "\n" +
                                 rule +
                                 "距离单位(cm)\n"
                                 " 帧,    时间,               1 - 2\n"
                                 "    ,         s,      肘 - LongName9\n" +
                                 rule +
                                 "    1,     0.000,               7.211\n"
                                 "    2,     0.030,              14.142\n" +
                                 rule + " 平均,          ,              10.677\n";
    EXPECT_EQ(Join(analysis.TableLines()), expected);
    EXPECT_NEAR(analysis.Sums()[0], std::sqrt(52.0) + std::sqrt(200.0), 1e-5);
}

TEST(DistanceTable, TwoPairsWithEventsAndSmoothing) {
    auto f = MakeWalk();
    kova::RecordingPrompter prompter;
    DistanceSettings s = DistanceAnalysis::Initial(f->View());
    s.pairs = {{1, 0, 2, 1}, {0, 1, 3, 0}};
    s.smoothing = 1;
    DistanceAnalysis analysis(f->View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    // Distances 1, sqrt(2^2 + 4^2) = 4.472, sqrt(8^2 + 12^2) = 14.422 mm,
    // smoothed to 1, (1 + 14.422) / 4 + 4.472 / 2 = 6.092, 14.422.
    const std::string rule = Dashes(57);
    const std::string expected = std::string("2点间距离\n") + rule + WalkSummary() +
                                 "平滑次数,        1\n"
                                 "\n" +
                                 rule +
                                 "距离单位(mm)\n"
                                 " 帧,    时间,               2 - 1,               1 - 2\n"
                                 "    ,         s,     RightKnee1 - 头,     头 - RightKnee1\n" +
                                 rule +
                                 "    1,    -0.100,               1.000,               1.000\n"
                                 "    2,     0.000,               6.092,               6.092\n"
                                 "+   3,     0.100,              14.422,              14.422\n" +
                                 rule +
                                 " 平均,          ,               7.171,               7.171\n";
    EXPECT_EQ(Join(analysis.TableLines()), expected);
}

TEST(DistanceTable, ADistanceWiderThanItsFieldIsNineteenAsterisks) {
    auto f = MakeTurn();
    MeasureHeader h = f->track.GetHeader();
    h.lengthUnit = 6; // 2 km per pixel, asked for in pm
    f->track.SetHeader(h);
    kova::RecordingPrompter prompter;
    DistanceSettings s = TurnPairs(*f, {{0, 1, 0, 0}});
    s.lengthUnit = 0;
    DistanceAnalysis analysis(f->View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    const std::vector<std::string> lines = analysis.TableLines();
    EXPECT_EQ(lines[lines.size() - 4], "    1,     0.000, *******************\n");
}

TEST(DistanceCharts, OneSeriesPerPairInItsOwnColourAndStyle) {
    auto f = MakeTurn();
    kova::RecordingPrompter prompter;
    DistanceAnalysis analysis(f->View(), TurnPairs(*f, {{0, 1, 6, 4}, {1, 0, 2, 3}}));
    ASSERT_TRUE(analysis.Run(prompter));
    const ChartSet charts = analysis.Charts();
    ASSERT_EQ(charts.panels.size(), 1u);
    EXPECT_EQ(charts.panels[0].unit, "cm");
    ASSERT_EQ(charts.panels[0].series.size(), 2u);
    EXPECT_EQ(charts.panels[0].series[0].colour, 6);
    EXPECT_EQ(charts.panels[0].series[0].style, 4);
    EXPECT_EQ(charts.panels[0].series[1].colour, 2);
    EXPECT_NEAR(charts.panels[0].series[1].values[0], std::sqrt(52.0), 1e-5);
}

TEST(DistancePairs, AddRefusesMissingSameAndRepeatedPairs) {
    DistancePairList list;
    kova::RecordingPrompter prompter;
    EXPECT_EQ(list.Add(-1, 2, prompter), -1);
    EXPECT_EQ(list.Add(1, 1, prompter), -1);
    EXPECT_EQ(list.Add(0, 1, prompter), 0);
    EXPECT_EQ(list.Add(1, 0, prompter), -1);
    const kova::Message expected[] = {
        {"请选定2个目标", "确认", MessageIcon::Exclamation, MessageButtons::Ok},
        {"不能指定相同的目标", "确认", MessageIcon::Exclamation, MessageButtons::Ok},
        {"不能指定相同的组。", "确认", MessageIcon::Exclamation, MessageButtons::Ok}};
    ASSERT_EQ(prompter.Messages().size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(prompter.Messages()[static_cast<std::size_t>(i)], expected[i]);
    EXPECT_EQ(list.Pairs().size(), 1u);
    EXPECT_EQ(DistancePairList::EntryText(list.Pairs()[0]), "目标1 - 目标2 红 实线");
}

TEST(DistancePairs, ColoursCycleThroughTheFirstSixAndDeleteSelectsANeighbour) {
    DistancePairList list;
    kova::RecordingPrompter prompter;
    list.SetStyle(3);
    for (int i = 1; i <= 7; ++i)
        ASSERT_EQ(list.Add(0, i, prompter), i - 1);
    std::vector<int> colours;
    for (const DistancePair& p : list.Pairs())
        colours.push_back(p.colour);
    EXPECT_EQ(colours, (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(DistancePairList::EntryText(list.Pairs()[5]), "目标1 - 目标7 水 一点断线");
    list.SetColour(6);
    ASSERT_EQ(list.Add(2, 3, prompter), 7);
    EXPECT_EQ(list.Pairs()[7].colour, 6);
    EXPECT_EQ(list.Colour(), 0);  // grey wraps to red
    EXPECT_EQ(list.Delete(7), 6); // the last entry: the one before it
    EXPECT_EQ(list.Delete(2), 2); // the entry now at that place
    EXPECT_EQ(list.Pairs().size(), 6u);
    EXPECT_EQ(list.Delete(9), -1);
}

TEST(DistancePairs, DeleteAllAsksFirst) {
    DistancePairList list;
    kova::RecordingPrompter prompter;
    list.Add(0, 1, prompter);
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(list.DeleteAll(prompter));
    EXPECT_EQ(list.Pairs().size(), 1u);
    EXPECT_TRUE(list.DeleteAll(prompter));
    EXPECT_TRUE(list.Pairs().empty());
    const kova::Message question{"消除全部直线", "确认", MessageIcon::Question,
                                 MessageButtons::OkCancel};
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[0], question);
    EXPECT_EQ(prompter.Messages()[1], question);
}
