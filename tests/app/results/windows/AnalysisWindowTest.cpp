#include "AnalysisWindowRig.h"
#include "ExpectedTables.h"
#include "PositionWindowLogic.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

// The position window: the shared logic alone.
struct PositionRig : WindowRig<PositionWindowLogic, Recorded<AnalysisControls>> {
    void Change(int targets, int frames) {
        WindowRig::Change(std::vector<XY_TRACK>(static_cast<std::size_t>(targets)), frames);
    }
    const std::vector<int>& Selected() const { return window.shown.range.targets; }
};
auto Tuple(const AnalysisRange& r) {
    return std::make_tuple(r.lower, r.upper, r.lengthUnit, r.timeUnit, r.smoothing, r.targets,
                           r.items, r.grouping == Grouping::ByTarget);
}

} // namespace

TEST(AnalysisWindow, RegistersOnOpenAndActivationAndReleasesWhenGone) {
    PositionRig rig;
    CDisplayClient earlier;
    rig.display.CatchPaint(&earlier);
    rig.logic.Activate(); // painted last, on top
    EXPECT_EQ(rig.display.FirstPaintClient(), &earlier);
    rig.logic.Destroyed();
    EXPECT_EQ(std::make_tuple(rig.window.closed, rig.logic.IsPaintLinked(),
                              rig.display.EasyMouseClient(),
                              static_cast<CDataClient&>(rig.logic).IsWatchLinked()),
              std::make_tuple(true, nullptr, nullptr, nullptr));
    rig.display.ReleasePaint(&earlier);
}

TEST(AnalysisWindow, OpensWithTheMeasurementAndDataChangesResetTheRangeOnly) {
    PositionRig rig;
    EXPECT_EQ(rig.window.entries, (std::vector<std::string>{"目标1", "目标2"}));
    AnalysisRange& shown = rig.window.shown.range;
    shown = {2, 2, 0, 3, 5, {1}, {4}, Grouping::ByFrame};
    rig.Change(3, 4); // in cm and ms
    EXPECT_EQ(rig.window.entries, (std::vector<std::string>{"目标1", "目标2", "目标3"}));
    EXPECT_EQ(Tuple(shown), Tuple({1, 4, 0, 3, 5, {0, 1, 2}, {4}, Grouping::ByFrame}));
    rig.logic.InitWindow(); // a fresh window takes the calibration's units
    EXPECT_EQ(Tuple(shown), Tuple({1, 4, 4, 3, 0, {0, 1, 2}, {0, 1, 2, 3, 4}, Grouping::ByTarget}));
    rig.Change(1, 0);
    EXPECT_TRUE(rig.window.entries.empty());
    EXPECT_EQ(Tuple(shown), Tuple({0, 0, 4, 3, 0, {}, {0, 1, 2, 3, 4}, Grouping::ByTarget}));
}

TEST(AnalysisWindow, ClicksToggleTheNearestTargetOfTheFrameOnShow) {
    PositionRig rig;
    // Frame 2 holds target 1 at (6, 8) and target 2 at (2, 0).
    const std::tuple<int, QPoint, std::vector<int>> clicks[] = {
        {2, {5, 7}, {1}},    {2, {5, 7}, {0, 1}}, {2, {4, 4}, {1}}, // a tie: the first
        {2, {2, 1}, {}},     {4, {2, 1}, {}},                       // no such frame
        {1, {100, 100}, {1}}}; // frame 1: target 2 at (2, 0) is nearer
    for (const auto& [page, click, selected] : clicks) {
        rig.display.SetPage(page);
        rig.display.DoDisplayLButtonDown(1, click);
        EXPECT_EQ(rig.Selected(), selected) << click.x() << "," << click.y();
    }
    for (const std::vector<int>& all : {std::vector<int>{0, 1}, std::vector<int>{}}) {
        rig.logic.ToggleAllTargets();
        EXPECT_EQ(rig.Selected(), all);
    }
}

TEST(AnalysisWindow, MarksAreRedWhiteCirclesAtTheTruncatedPoints) {
    PositionRig rig;
    const XY_TRACK point{0, 10.9f, 12.9f};
    rig.document.Track().SetPoint(0, 1, &point);
    rig.display.SetPage(2);
    const Pixel marks[] = {{10, 12, kWhite}, {8, 12, kRed},  {12, 12, kRed},  {10, 14, kRed},
                           {7, 12, kBlue},   {10, 9, kBlue}, {10, 15, kBlue}, {2, 0, kWhite}};
    ExpectPixels(rig.Painted(), marks);
    rig.display.SetPage(4); // no such frame: nothing
    EXPECT_EQ(rig.Painted().pixel(10, 12), kBlue);
    rig.display.SetPage(2);
    rig.logic.SetShowMarks(false);
    EXPECT_EQ(rig.Painted().pixel(10, 12), kBlue);
}

TEST(AnalysisWindow, ResultsAreHandedOverOnlyWhenTheChecksPass) {
    PositionRig rig;
    rig.window.shown.range.smoothing = -1;
    EXPECT_FALSE(rig.logic.ViewData() || rig.logic.ViewChart());
    EXPECT_EQ(rig.prompter.Texts(), (std::vector<std::string>{"平滑异常。", "平滑异常。"}));
    EXPECT_TRUE(rig.window.texts.empty() && rig.window.charts.empty());

    rig.window.shown.range.smoothing = 0;
    ASSERT_TRUE(rig.logic.ViewData());
    EXPECT_EQ(rig.window.texts,
              std::vector<std::string>{"位置 / 速度|" + expected::WalkPositionByTarget()});
    rig.window.shown.range.items = {3};
    ASSERT_TRUE(rig.logic.ViewChart());
    ASSERT_EQ(rig.window.charts.size(), 1u);
}
