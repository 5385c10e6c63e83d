#include "DisplacementAnalysis.h"

#include "AnalysisFixtures.h"
#include "RecordingPrompter.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kova::test;

namespace {

std::string TableOf(const DisplacementSettings& s, Fixture& f) {
    kova::RecordingPrompter prompter;
    DisplacementAnalysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    return Join(analysis.TableLines());
}

DisplacementSettings TurnSettings(Fixture& f) {
    DisplacementSettings s = DisplacementAnalysis::Initial(f.View());
    s.lengthUnit = 4; // cm
    return s;
}

const char* const kHeading3 =
    "   帧,   ID,      时间,     名称,            X,            Y,       绝对值\n";
const char* const kUnits3 = "     ,     ,         s,         ,           cm,           cm,      "
                            "     cm\n";

} // namespace

TEST(DisplacementTable, ReferenceFrameByTargetOnARotatedMirroredCalibration) {
    auto f = MakeTurn();
    const std::string rule = Dashes(73);
    const std::string expected =
        std::string("位移量 (基准帧 1)\n") + rule + TurnSummary() +
        "平滑次数        ,        0\n"
        "\n" +
        rule + kHeading3 + kUnits3 + rule +
        "    1,    1,     0.000,       肘,        0.000,        0.000,        0.000\n"
        "    2,    1,     0.030,       肘,        2.000,       -4.000,        4.472\n" +
        rule + kHeading3 + kUnits3 + rule +
        "    1,    2,     0.000, ********,        0.000,        0.000,        0.000\n"
        "    2,    2,     0.030, ********,       -2.000,        2.000,        2.828\n";
    EXPECT_EQ(TableOf(TurnSettings(*f), *f), expected);
}

TEST(DisplacementTable, ReferencePositionByFrame) {
    auto f = MakeTurn();
    DisplacementSettings s = TurnSettings(*f);
    s.referenceMode = 1;
    s.referenceX = 100; // the origin: the displacements are the positions
    s.referenceY = 50;
    s.grouping = 0;
    const std::string rule = Dashes(73);
    const std::string expected =
        std::string("位移量 (基准位置 100, 50)\n") + rule + TurnSummary() +
        "平滑次数        ,        0\n"
        "\n" +
        rule + kHeading3 + kUnits3 + rule +
        "    1,    1,     0.000,       肘,        4.000,       -2.000,        4.472\n"
        "    1,    2,     0.000, ********,       -2.000,        2.000,        2.828\n" +
        rule + kHeading3 + kUnits3 + rule +
        "    2,    1,     0.030,       肘,        6.000,       -6.000,        8.485\n"
        "    2,    2,     0.030, ********,       -4.000,        4.000,        5.657\n";
    EXPECT_EQ(TableOf(s, *f), expected);
}

TEST(DisplacementTable, ReferenceTargetIsZeroForItselfAndOneItemNarrowsTheRule) {
    auto f = MakeTurn();
    DisplacementSettings s = TurnSettings(*f);
    s.referenceMode = 2;
    s.referenceTarget = 0;
    s.items = {2};
    const std::string rule = Dashes(45);
    const std::string heading = "   帧,   ID,      时间,     名称,       绝对值\n";
    const std::string units = "     ,     ,         s,         ,           cm\n";
    const std::string expected = std::string("位移量 (基准目标 1)\n") + rule + TurnSummary() +
                                 "平滑次数        ,        0\n"
                                 "\n" +
                                 rule + heading + units + rule +
                                 "    1,    1,     0.000,       肘,        0.000\n"
                                 "    2,    1,     0.030,       肘,        0.000\n" +
                                 rule + heading + units + rule +
                                 "    1,    2,     0.000, ********,        7.211\n"
                                 "    2,    2,     0.030, ********,       14.142\n";
    EXPECT_EQ(TableOf(s, *f), expected);
}

TEST(DisplacementRecords, AbsoluteValueIsSmoothedAsItsOwnSeries) {
    Fixture f("D:/x.TRK", Calib{1.0f, 3, 1, 1, 4, 0.0f, 0.0f, 0.0f, 1}, {"a"},
              {{P(0, 0), P(4, 0), P(-4, 0)}});
    DisplacementSettings s = DisplacementAnalysis::Initial(f.View());
    s.smoothing = 1;
    kova::RecordingPrompter prompter;
    DisplacementAnalysis analysis(f.View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    const auto& r = analysis.Records();
    ASSERT_EQ(r.size(), 3u);
    // dx 0, 4, -4 smooths to 0, 1, -4; the absolute value 0, 4, 4 to 0, 3, 4
    // (not |1| recomputed from the smoothed dx).
    EXPECT_DOUBLE_EQ(r[1].dx, 1.0);
    EXPECT_DOUBLE_EQ(r[1].absolute, 3.0);
    EXPECT_DOUBLE_EQ(r[2].absolute, 4.0);
}

TEST(DisplacementCharts, OnePanelPerItemEveryValueDefined) {
    auto f = MakeTurn();
    DisplacementSettings s = TurnSettings(*f);
    s.items = {1, 2};
    kova::RecordingPrompter prompter;
    DisplacementAnalysis analysis(f->View(), s);
    ASSERT_TRUE(analysis.Run(prompter));
    const ChartSet charts = analysis.Charts();
    ASSERT_EQ(charts.panels.size(), 2u);
    EXPECT_EQ(charts.panels[0].title, "Y");
    EXPECT_EQ(charts.panels[1].title, "绝对值");
    EXPECT_EQ(charts.panels[1].unit, "cm");
    ASSERT_EQ(charts.panels[1].series.size(), 2u);
    EXPECT_EQ(charts.panels[1].series[1].defined, (std::vector<bool>{true, true}));
    EXPECT_NEAR(charts.panels[1].series[1].values[1], 2.0 * std::sqrt(2.0), 1e-6);
    // Default colours of two targets: red and green, solid.
    EXPECT_EQ(charts.panels[0].series[0].colour, 0);
    EXPECT_EQ(charts.panels[0].series[1].colour, 1);
    EXPECT_EQ(charts.times, (std::vector<double>{0.0, 0.03}));
}
