#include "DistanceAnalysis.h"

#include "ExpectedTables.h"
#include "RecordingPrompter.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kova::test;
using kova::Message;
using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

namespace {

DistanceAnalysis Ran(Fixture& f, std::vector<DistancePair> pairs, int lengthUnit,
                     int smoothing = 0) {
    DistanceSettings s = DistanceAnalysis::Initial(f.View());
    s.range.lengthUnit = lengthUnit;
    s.range.smoothing = smoothing;
    s.pairs = std::move(pairs);
    kova::RecordingPrompter prompter;
    DistanceAnalysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    return analysis;
}

} // namespace

TEST(DistanceTable, SumsOnATurnedCalibrationTwoPairsWithEventsAndSmoothing) {
    auto turn = MakeTurn();
    const DistanceAnalysis one = Ran(*turn, {{0, 1, 0, 0}}, 4);
    EXPECT_NEAR(one.Sums()[0], std::sqrt(52.0) + std::sqrt(200.0), 1e-5);
    auto walk = MakeWalk();
    EXPECT_EQ(Join(Ran(*walk, {{1, 0, 2, 1}, {0, 1, 3, 0}}, 3, 1).TableLines()),
              expected::WalkDistanceSmoothed());
}

TEST(DistanceTable, ADistanceWiderThanItsFieldIsNineteenAsterisks) {
    auto f = MakeTurn();
    MeasureHeader h = f->track.GetHeader();
    h.lengthUnit = 6; // 2 km per pixel, asked for in pm
    f->track.SetHeader(h);
    const std::vector<std::string> lines = Ran(*f, {{0, 1, 0, 0}}, 0).TableLines();
    EXPECT_EQ(lines[lines.size() - 4], "    1,     0.000, *******************\n");
}

TEST(DistanceCharts, OneSeriesPerPairInItsOwnColourAndStyle) {
    auto f = MakeTurn();
    const ChartSet charts = Ran(*f, {{0, 1, 6, 4}, {1, 0, 2, 3}}, 4).Charts();
    ASSERT_EQ(charts.panels.size(), 1u);
    ASSERT_EQ(charts.panels[0].series.size(), 2u);
    const ChartSeries& first = charts.panels[0].series[0];
    EXPECT_EQ(std::make_pair(first.colour, first.style), std::make_pair(6, 4));
    EXPECT_EQ(charts.panels[0].series[1].colour, 2);
    EXPECT_NEAR(charts.panels[0].series[1].values[1], std::sqrt(200.0), 1e-5);
}

TEST(DistancePairs, AddRefusesMissingSameAndRepeatedPairs) {
    DistancePairList list;
    kova::RecordingPrompter prompter;
    EXPECT_EQ(list.Add(-1, 2, prompter), -1);
    EXPECT_EQ(list.Add(1, 1, prompter), -1);
    EXPECT_EQ(list.Add(0, 1, prompter), 0);
    EXPECT_EQ(list.Add(1, 0, prompter), -1);
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"请选定2个目标", "不能指定相同的目标",
                                                          "不能指定相同的组。"}));
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
    const Message question{"消除全部直线", "确认", MessageIcon::Question, MessageButtons::OkCancel};
    EXPECT_EQ(prompter.Messages(), (std::vector<Message>{question, question}));
}
