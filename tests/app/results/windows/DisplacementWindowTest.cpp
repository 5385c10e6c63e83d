#include "AnalysisWindowRig.h"
#include "DisplacementWindowLogic.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

struct RecordedDisplacement : Recorded<DisplacementControls> {
    void ReadReference(DisplacementFields* fields) override { *fields = reference; }
    void WriteReference(const DisplacementFields& fields) override { reference = fields; }
    DisplacementFields reference;
};

struct DisplacementRig : WindowRig<DisplacementWindowLogic, RecordedDisplacement> {
    void Mode(ReferenceMode mode) { // a radio clicked
        window.reference.reference = mode;
        logic.SetReferenceMode(mode);
    }
};

} // namespace

TEST(DisplacementWindow, RefusesInOrderThenHandsOverTheAnalysisTable) {
    DisplacementRig rig;
    AnalysisRange& r = rig.window.shown.range;
    DisplacementFields& ref = rig.window.reference;
    rig.Change({P(0, 0)}, 0);
    rig.ExpectRefused("请打开文件。");
    rig.Change({P(0, 0), P(3, 4)}, 3);
    r = {0, 3, 3, 4, 1001, {}, {0, 2}, Grouping::ByFrame};
    ref.referenceFrame = 9;
    rig.ExpectRefused("帧异常。");
    r.lower = 1;
    rig.ExpectRefused("请选择项目。");
    r.targets = {1};
    ref.reference = ReferenceMode::Target; // without a reference target
    rig.ExpectRefused("请选择项目。");
    ref.reference = ReferenceMode::Frame;
    rig.ExpectRefused("基准帧异常。");
    ref.referenceFrame = 3;
    rig.ExpectRefused("平滑异常。");
    r.smoothing = 1000;
    ASSERT_TRUE(rig.logic.ViewData());
    EXPECT_EQ(rig.window.texts, std::vector<std::string>{rig.Table<DisplacementAnalysis>(
                                    DisplacementSettings{r, ReferenceMode::Frame, 3, 0, 0, -1})});
}

TEST(DisplacementWindow, ClicksAndPaintingFollowTheReferenceMode) {
    DisplacementRig rig;
    using Shown = std::tuple<std::vector<int>, int, std::string>; // targets, reference
    const std::tuple<ReferenceMode, int, QPoint, Shown> clicks[] = {
        {ReferenceMode::Frame, 2, {5, 7}, {{1}, -1, "(   0 ,   0 )"}},
        {ReferenceMode::Frame, 9, {5, 7}, {{1}, -1, "(   0 ,   0 )"}}, // no such frame
        {ReferenceMode::Target, 2, {3, 1}, {{1}, 1, "(   0 ,   0 )"}},
        {ReferenceMode::Target, 2, {4, 4}, {{1}, 0, "(   0 ,   0 )"}}, // a tie: the first
        {ReferenceMode::Target, 9, {3, 1}, {{1}, 0, "(   0 ,   0 )"}},
        {ReferenceMode::Position, 9, {-12, 345}, {{1}, 0, "(  -12 ,  345 )"}},
        {ReferenceMode::Position, 2, {10, 12}, {{1}, 0, "(   10 ,   12 )"}}};
    const int repaints = rig.image.repaints;
    for (const auto& [mode, page, click, shown] : clicks) {
        rig.Mode(mode);
        rig.Click(page, click);
        EXPECT_EQ(Shown(rig.window.shown.range.targets, rig.window.reference.referenceTarget,
                        rig.window.reference.positionText),
                  shown);
    }
    EXPECT_EQ(rig.image.repaints - repaints, 7 + 2); // each mode, each position
    const Pixel cross[] = {{10, 12, kRed},  {6, 12, kRed},   {14, 12, kRed},
                           {10, 8, kRed},   {10, 16, kRed},  {5, 12, kBlue},
                           {15, 12, kBlue}, {11, 13, kBlue}, {6, 8, kBlue}}; // no marks
    ExpectPixels(rig.Painted(), cross);
    ASSERT_TRUE(rig.logic.ViewData());
    EXPECT_EQ(rig.window.texts.back(),
              rig.Table<DisplacementAnalysis>(DisplacementSettings{
                  rig.window.shown.range, ReferenceMode::Position, 1, 10, 12, 0}));
    rig.Mode(ReferenceMode::Target);
    EXPECT_EQ(rig.Painted().pixel(6, 8), kWhite);

    rig.logic.InitWindow(); // a fresh window
    const DisplacementFields& fresh = rig.window.reference;
    EXPECT_EQ(
        std::tie(fresh.reference, fresh.referenceFrame, fresh.referenceTarget, fresh.positionText),
        std::make_tuple(ReferenceMode::Frame, 1, -1, std::string("(   0 ,   0 )")));
}
