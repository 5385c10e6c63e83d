#include "AnalysisWindowRig.h"
#include "DistanceAnalysis.h"
#include "DistanceWindowLogic.h"

#include <gtest/gtest.h>
#include <set>

using namespace kova::test;

namespace {

struct RecordedDistance : Recorded<DistanceControls> {
    void ReadPairs(DistanceFields* fields) override { *fields = pair; }
    void WritePairs(const DistanceFields& fields) override { pair = fields; }
    void SetPairEntries(const std::vector<std::string>& e) override { pairEntries = e; }
    DistanceFields pair;
    std::vector<std::string> pairEntries;
};

struct DistanceRig : WindowRig<DistanceWindowLogic, RecordedDistance> {
    void Add(int first, int second, int colour = -2, int style = 0) { // chosen by hand
        if (colour != -2) window.pair.colour = colour, window.pair.style = style;
        window.pair.first = first, window.pair.second = second;
        logic.AddPair();
    }
};

} // namespace

TEST(DistanceWindow, RefusesInOrderThenHandsOverTheAnalysisTable) {
    DistanceRig rig;
    AnalysisRange& r = rig.window.shown.range;
    rig.Change({P(0, 0)}, 0);
    rig.ExpectRefused("请打开文件。");
    rig.Change({P(0, 0), P(3, 4), P(6, 8)}, 2);
    rig.Add(0, 2);
    rig.Change({P(0, 0), P(3, 4)}, 2); // target 3 is gone
    r.lower = 0, r.smoothing = -1;
    rig.ExpectRefused("帧异常。");
    r.lower = 1;
    rig.ExpectRefused("没有指定的目标。");
    rig.logic.DeleteAllPairs();
    rig.ExpectRefused("平滑异常。");
    r.smoothing = 0;
    rig.ExpectRefused("请追加项目。");
    rig.Add(1, 0);
    ASSERT_TRUE(rig.logic.ViewData());
    EXPECT_EQ(rig.window.texts, std::vector<std::string>{rig.Table<DistanceAnalysis>(
                                    DistanceSettings{r, {{1, 0, 0, 0}}})});
}

TEST(DistanceWindow, AddsWithCyclingColoursRefusesRepeatsAndDeletesAsTheListSays) {
    DistanceRig rig;
    rig.Change({P(0, 0), P(1, 0), P(2, 0), P(3, 0), P(4, 0)}, 2);
    for (auto [a, b] : {std::pair{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 1}})
        rig.Add(a, b); // the last, 3-2 after 2-3, is refused
    rig.Add(2, 3, -1); // no colour chosen: the first
    rig.Add(2, 4, 6, 4);
    EXPECT_EQ(rig.window.pairEntries,
              (std::vector<std::string>{
                  "目标1 - 目标2 红 实线", "目标1 - 目标3 绿 实线", "目标1 - 目标4 蓝 实线",
                  "目标1 - 目标5 紫 实线", "目标2 - 目标3 黄 实线", "目标2 - 目标4 水 实线",
                  "目标2 - 目标5 红 实线", "目标3 - 目标4 红 实线", "目标3 - 目标5 灰 两点断线"}));
    EXPECT_EQ(rig.prompter.Texts(), std::vector<std::string>{"不能指定相同的组。"});
    DistanceFields& shown = rig.window.pair;
    EXPECT_EQ(std::make_tuple(shown.first, shown.second, shown.colour, shown.selectedPair),
              std::make_tuple(-1, -1, 0, 8)); // grey wraps to red
    // The last entry selects the one before, another the one now there;
    // without a selection nothing goes.
    for (auto [selected, after, count] : {std::tuple{8, 7, 8u}, {2, 2, 7u}, {-1, -1, 7u}}) {
        shown.selectedPair = selected;
        rig.logic.DeletePair();
        EXPECT_EQ(std::make_tuple(shown.selectedPair, rig.window.pairEntries.size()),
                  std::make_tuple(after, count));
    }
}

TEST(DistanceWindow, LeftClicksPickTwoTargetsRightClicksTakeThemBack) {
    DistanceRig rig;
    // Page, click (page 0: a right click, 9: no such frame), then first,
    // second and the pick count.
    const std::tuple<int, QPoint, int, int, int> steps[] = {
        {2, {5, 7}, 0, -1, 1}, {9, {2, 1}, 0, -1, 1}, {2, {2, 1}, 0, 1, 2},
        {2, {5, 7}, 0, 1, 2},  {0, {}, 0, -1, 1},     {0, {}, -1, -1, 0},
        {0, {}, -1, -1, 0},    {2, {4, 4}, 0, -1, 1}, // a tie: the first
        {2, {2, 1}, 0, 1, 2}};
    for (const auto& [page, click, first, second, picks] : steps) {
        if (page == 0)
            rig.display.DoDisplayRButtonDown(2, click);
        else
            rig.Click(page, click);
        EXPECT_EQ(
            std::make_tuple(rig.window.pair.first, rig.window.pair.second, rig.logic.PickCount()),
            std::make_tuple(first, second, picks));
    }
    rig.logic.AddPair();
    rig.Click(2, {2, 1});
    EXPECT_EQ(std::make_tuple(rig.window.pair.first, rig.logic.PickCount()), std::make_tuple(1, 1));
}

TEST(DistanceWindow, PaintsLinesThenMarksThenTheSelectedPairsEndsInRed) {
    DistanceRig rig;
    // A (2, 2), B (20, 2), C (20, 20); A-B green solid, B-C yellow dashed.
    rig.Change({P(2, 2), P(20, 2), P(20, 20)}, 2);
    rig.Add(0, 1, 1);
    rig.Add(1, 2, 4, 1);
    rig.window.pair.selectedPair = 0; // the user selects A-B
    rig.logic.SelectPair(0);
    rig.display.SetPage(1);
    const QImage image = rig.Painted();
    std::set<QRgb> dashed;
    for (int y = 5; y <= 17; ++y)
        dashed.insert(image.pixel(20, y));
    const QRgb green = qRgb(0, 255, 0);
    EXPECT_EQ(dashed, (std::set<QRgb>{qRgb(255, 255, 0), kBlue}));
    // C's mark covers its line; the selected pair's ends are filled red.
    const Pixel drawn[] = {{10, 2, green}, {20, 19, kWhite}, {2, 2, kRed}, {20, 2, kRed}};
    ExpectPixels(image, drawn);

    rig.Change({P(2, 2), P(20, 2)}, 2); // C is gone: its line is not drawn
    const Pixel skipped[] = {{10, 2, green}, {20, 10, kBlue}, {2, 2, kRed}};
    ExpectPixels(rig.Painted(), skipped);
    rig.display.SetPage(3);
    EXPECT_EQ(rig.Painted().pixel(10, 2), kBlue);
}
