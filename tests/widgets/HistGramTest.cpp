#include "CHistGram.h"
#include "QtTestApp.h"

#include <gtest/gtest.h>

namespace {

using HistGramTest = kova::test::QtTest;

// Bars are scaled to the highest count; a small count stays visible.
TEST_F(HistGramTest, BarsAreScaledToTheHighestCount) {
    struct Case {
        std::vector<long> counts;
        int height;
        std::vector<int> bars;
    };
    const Case cases[] = {{{2, 4, 0, 1}, 10, {5, 10, 0, 3}},
                          {{5, 1000000}, 100, {1, 100}},
                          {{0, 0}, 50, {0, 0}},
                          {{}, 50, {}}};
    kova::CHistGram histogram;
    for (const Case& c : cases) {
        histogram.SetCounts(c.counts);
        EXPECT_EQ(histogram.Bars(c.height), c.bars);
    }
}

TEST_F(HistGramTest, OnlyTheBandIsMarked) {
    kova::CHistGram histogram;
    histogram.SetCounts(std::vector<long>(360, 1)); // the hue circle
    histogram.SetForm(kova::CHistGram::Form::Hue);
    histogram.SetBand(true, 300, 359);
    EXPECT_FALSE(histogram.Marked(299));
    EXPECT_TRUE(histogram.Marked(359));
    histogram.SetBand(true, 0, -1); // an empty band marks nothing
    EXPECT_FALSE(histogram.Marked(0));
    histogram.SetBand(false, 0, 255); // an unchecked channel neither
    EXPECT_FALSE(histogram.Marked(10));
}

} // namespace
