#include "DisplacementAnalysis.h"

#include "ExpectedTables.h"
#include "RecordingPrompter.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kova::test;

namespace {

DisplacementAnalysis Ran(const DisplacementSettings& s, Fixture& f) {
    kova::RecordingPrompter prompter;
    DisplacementAnalysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    return analysis;
}

DisplacementSettings TurnSettings(Fixture& f) {
    DisplacementSettings s = DisplacementAnalysis::Initial(f.View());
    s.range.lengthUnit = 4; // cm
    return s;
}

} // namespace

TEST(DisplacementRecords, AbsoluteValueIsSmoothedAsItsOwnSeries) {
    Fixture f("D:/x.TRK", Calib{1.0f, 3, 1, 1, 4, 0.0f, 0.0f, 0.0f, 1}, {"a"},
              {{P(0, 0), P(4, 0), P(-4, 0)}});
    DisplacementSettings s = DisplacementAnalysis::Initial(f.View());
    s.range.smoothing = 1;
    const auto records = Ran(s, f).Records();
    ASSERT_EQ(records.size(), 3u);
    // dx 0, 4, -4 smooths to 0, 1, -4; the absolute value 0, 4, 4 to 0, 3, 4
    // (not |1| recomputed from the smoothed dx).
    EXPECT_DOUBLE_EQ(records[1].dx, 1.0);
    EXPECT_DOUBLE_EQ(records[1].absolute, 3.0);
    EXPECT_DOUBLE_EQ(records[2].absolute, 4.0);
}

TEST(DisplacementCharts, OnePanelPerItemEveryValueDefined) {
    auto f = MakeTurn();
    DisplacementSettings s = TurnSettings(*f);
    s.range.items = {1, 2};
    const ChartSet charts = Ran(s, *f).Charts();
    EXPECT_EQ(charts.times, (std::vector<double>{0.0, 0.03}));
    ASSERT_EQ(charts.panels.size(), 2u);
    EXPECT_EQ(charts.panels[1].unit, "cm");
    const ChartSeries& second = charts.panels[1].series.at(1);
    EXPECT_EQ(second.defined, (std::vector<bool>{true, true}));
    EXPECT_NEAR(second.values[1], 2.0 * std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(charts.panels[0].series[0].values[1], -4.0, 1e-6);
    EXPECT_EQ(second.colour, 1); // the second default colour, green
}
