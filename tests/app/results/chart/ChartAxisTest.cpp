#include "ChartLayout.h"
#include "ChartSet.h"
#include "ChartTicks.h"
#include "TimeAxis.h"
#include "ValueAxis.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ChartPanel PanelOf(std::vector<double> values, std::vector<bool> defined = {}) {
    if (defined.empty()) defined.assign(values.size(), true);
    ChartPanel panel;
    panel.series.push_back({std::move(values), std::move(defined), 0, 0});
    return panel;
}

TEST(ChartRangeTest, AutomaticRangeIncludesZeroAndRoundsToOneDigit) {
    struct Case {
        const char* name;
        ChartPanel panel;
        ValueRange expected;
    };
    const Case cases[] = {
        {"37", PanelOf({12, 37}), {0, 40}},
        {"0.37", PanelOf({0.37, 0.2}), {0, 0.4}},
        {"-37", PanelOf({-37, -5}), {-40, 0}},
        {"100 stays", PanelOf({100}), {0, 100}},
        {"0.4 stays", PanelOf({0.4}), {0, 0.4}},
        {"both signs", PanelOf({-3, 37}), {-3, 40}},
        {"all zeros", PanelOf({0, 0}), {0, 1}},
        {"no defined value", PanelOf({5, -8}, {false, false}), {0, 1}},
        {"no series", ChartPanel{}, {0, 1}},
        {"infinities and NaN undefined", PanelOf({kInf, 5, kNaN, -kInf}), {0, 5}},
        {"undefined left out", PanelOf({900, 2}, {false, true}), {0, 2}},
    };
    for (const Case& c : cases) {
        const ValueRange range = AutomaticRange(c.panel);
        EXPECT_DOUBLE_EQ(range.lower, c.expected.lower) << c.name;
        EXPECT_DOUBLE_EQ(range.upper, c.expected.upper) << c.name;
    }
}

TEST(ChartRangeTest, FixedRangeIsOrderedAndWidenedWhenEqual) {
    EXPECT_EQ(FixedRange(5, -2), (ValueRange{-2, 5}));
    const ValueRange equal = FixedRange(3, 3).value();
    EXPECT_LT(equal.lower, 3);
    EXPECT_GT(equal.upper, 3);
    EXPECT_FALSE(FixedRange(kNaN, 1).has_value());
    EXPECT_FALSE(FixedRange(0, kInf).has_value());
}

TEST(ChartRangeTest, TicksAreStepsOfOneTwoFiveWithReadableLabels) {
    struct Case {
        const char* name;
        ValueRange range;
        int plotHeight;
        int decimals;
        double step;
        std::vector<std::string> labels;
    };
    // Text 15 pixels high: one interval per 22 pixels.
    const Case cases[] = {
        {"0..40 in 200 px",
         {0, 40},
         200,
         3,
         5,
         {"0.000", "5.000", "10.000", "15.000", "20.000", "25.000", "30.000", "35.000", "40.000"}},
        {"-40..0, whole labels", {-40, 0}, 100, 0, 10, {"-40", "-30", "-20", "-10", "0"}},
        {"too low for an interval", {0, 1}, 10, 3, 2, {"0.000"}},
        {"labels too coarse for the step", {0, 0.004}, 200, 2, 0.0005, {"0.00"}},
    };
    for (const Case& c : cases) {
        const ValueAxis axis = MakeValueAxis(c.range, c.plotHeight, 15, c.decimals);
        EXPECT_DOUBLE_EQ(axis.step, c.step) << c.name;
        std::vector<std::string> labels;
        for (const AxisTick& tick : axis.ticks)
            labels.push_back(tick.label);
        EXPECT_EQ(labels, c.labels) << c.name;
    }
    EXPECT_EQ(ValueTickStep({3, 3}, 200, 15), 0);
}

TEST(ChartRangeTest, TicksStayBoundedFarFromZeroAndOverHugeRanges) {
    const ValueAxis far = MakeValueAxis({1000000, 1000000.001}, 200, 15, 3);
    EXPECT_LE(far.ticks.size(), 2u);
    EXPECT_EQ(TickValues(0, 1e9, 1).size(), static_cast<std::size_t>(kMaxTicks));
    EXPECT_TRUE(TickValues(0, 1, kNaN).empty());
    EXPECT_EQ(FormatValue(TickValues(-0.5, 0, 1).at(0), 3), "0.000");
}

TEST(ChartLayoutTest, PanelsShareBorderRowsAndClicksFindTheirPanel) {
    const std::vector<QRect> two = PanelRects({300, 455}, 2);
    EXPECT_EQ(two[0], QRect(0, 0, 300, 228));
    EXPECT_EQ(two[1], QRect(0, 227, 300, 228));
    struct Case {
        int clientHeight;
        int y;
        int panel;
    };
    const Case cases[] = {
        {455, 226, 0}, {455, 227, 1}, {455, 454, 1}, {455, 455, -1}, {1, 0, 1}, {2, 0, 1},
        {2, 1, -1},    {3, 0, 0},     {3, 1, 1},     {3, 2, 1},      {0, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelAt(PanelRects({10, c.clientHeight}, 2), {5, c.y}), c.panel)
            << c.clientHeight << " px, y " << c.y;
    }
    EXPECT_EQ(PanelAt(PanelRects({10, 100}, 0), {5, 5}), -1);
}

TEST(ChartTimeAxisTest, FramesWithoutUsableTimesArePlacedByOffset) {
    struct Case {
        const char* name;
        std::vector<double> times;
        bool offsets;
        double upper;
    };
    const Case cases[] = {
        {"times", {0.5, 1.0, 1.5}, false, 1.5},
        {"equal times", {2, 2, 2}, true, 2},
        {"one frame widened", {0.7}, true, 1},
        {"time not a number", {0, kNaN, 2}, true, 2},
    };
    for (const Case& c : cases) {
        ChartSet charts;
        charts.times = c.times;
        const TimeAxis axis(charts);
        EXPECT_EQ(axis.InFrameOffsets(), c.offsets) << c.name;
        EXPECT_DOUBLE_EQ(axis.Upper(), c.upper) << c.name;
        EXPECT_FALSE(axis.Ticks(300, 30).empty()) << c.name;
    }
}

} // namespace
