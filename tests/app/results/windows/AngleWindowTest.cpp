#include "AnalysisWindowRig.h"
#include "AngleWindowLogic.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

struct RecordedAngle : Recorded<AngleControls> {
    void ReadAngle(AngleFields* fields) override { *fields = angle; }
    void WriteAngle(const AngleFields& fields) override { angle = fields; }
    void EnablePicks(int count, bool side) override { selectors = count, sideEnabled = side; }
    AngleFields angle;
    int selectors = 0;
    bool sideEnabled = false;
};

// The picks, the selectors enabled, "反侧的角度" enabled, P1..P4.
using State = std::tuple<int, int, bool, std::array<int, 4>>;

struct AngleRig : WindowRig<AngleWindowLogic, RecordedAngle> {
    // Targets 0 at (2, 2), 1 at (12, 2), 2 at (2, 12), 3 at (12, 12).
    AngleRig() { Change({P(2, 2), P(12, 2), P(2, 12), P(12, 12)}, 2); }
    void Mode(AngleMode mode) { // a radio clicked
        window.angle.mode = mode;
        logic.SetMode(mode);
    }
    void RightClick() { display.DoDisplayRButtonDown(2, {}); }
    State Shown() const {
        return {logic.PickCount(), window.selectors, window.sideEnabled, window.angle.points};
    }
};

} // namespace

TEST(AngleWindow, RefusesInOrderThenHandsOverTheAnalysisTable) {
    AngleRig rig;
    AnalysisRange& r = rig.window.shown.range;
    rig.Change({P(0, 0)}, 0);
    rig.ExpectRefused("请打开文件。");
    rig.Change({P(0, 0), P(3, 4), P(6, 8)}, 2);
    r.lower = 0, r.items.clear(), r.smoothing = -1;
    rig.window.angle.points = {0, 0, 2, -1};
    rig.ExpectRefused("帧异常。");
    r.lower = 1;
    rig.ExpectRefused("请选项。");
    r.items = {2, 0};
    rig.ExpectRefused("平滑出错");
    r.smoothing = 0;
    rig.ExpectRefused("坐标异常");
    EXPECT_EQ(rig.prompter.Messages().back().caption, "检查");
    rig.window.angle.points = {2, 0, 1, -1};
    ASSERT_TRUE(rig.logic.ViewData());
    EXPECT_EQ(rig.window.texts, std::vector<std::string>{rig.Table<AngleAnalysis>(AngleSettings{
                                    r, AngleMode::ThreePoints, {2, 0, 1, -1}, false})});
}

TEST(AngleWindow, ClicksFillTheSelectorsAndEnableTheNextUntilTheModeIsComplete) {
    // Clicks at targets 3, 2, 1, 0: the picks and the selectors enabled after
    // each; "反侧的角度" is enabled when the mode has its points.
    const struct {
        AngleMode mode;
        int picks[4], selectors[4], points;
    } modes[] = {{AngleMode::ThreePoints, {1, 2, 3, 3}, {2, 3, 3, 3}, 3},
                 {AngleMode::TwoLines, {1, 2, 3, 4}, {2, 3, 4, 4}, 4},
                 {AngleMode::YAxis, {1, 2, 2, 2}, {2, 2, 2, 2}, 2}};
    const QPoint targets[] = {{11, 11}, {3, 11}, {11, 3}, {3, 3}, {3, 3}};
    for (const auto& m : modes) {
        AngleRig rig;
        rig.Mode(m.mode);
        EXPECT_EQ(rig.Shown(), State(0, 1, false, {-1, -1, -1, -1}));
        for (int i = 0; i < 5; ++i) {
            rig.Click(i < 4 ? 1 : 5, targets[i]); // the last on no frame
            const int k = std::min(i, 3), picks = m.picks[k];
            const std::array<int, 4> points = {3, picks > 1 ? 2 : -1, picks > 2 ? 1 : -1,
                                               picks > 3 ? 0 : -1};
            EXPECT_EQ(rig.Shown(), State(picks, m.selectors[k], picks == m.points, points)) << i;
        }
    }
}

TEST(AngleWindow, RightClicksTakePicksBackModeChangesCutThemDataChangesClearThem) {
    AngleRig rig;
    rig.Mode(AngleMode::TwoLines);
    for (QPoint target : {QPoint(2, 2), QPoint(12, 2), QPoint(2, 12), QPoint(12, 12)})
        rig.Click(1, target);
    rig.RightClick();
    EXPECT_EQ(rig.Shown(), State(3, 4, false, {0, 1, 2, -1}));
    rig.Click(1, {12, 12});
    EXPECT_EQ(rig.Shown(), State(4, 4, true, {0, 1, 2, 3}));
    rig.Mode(AngleMode::XAxis);
    EXPECT_EQ(rig.Shown(), State(2, 2, true, {0, 1, -1, -1}));
    rig.Mode(AngleMode::ThreePoints);
    EXPECT_EQ(rig.Shown(), State(2, 3, false, {0, 1, -1, -1}));
    for (int i = 0; i < 3; ++i)
        rig.RightClick();
    EXPECT_EQ(rig.Shown(), State(0, 1, false, {-1, -1, -1, -1}));
    rig.Click(1, {2, 2});
    rig.Change({P(2, 2), P(12, 2)}, 2);
    EXPECT_EQ(rig.Shown(), State(0, 1, false, {-1, -1, -1, -1}));
}

TEST(AngleWindow, AClickOnACompleteThreePointAngleChoosesItsSide) {
    AngleRig rig;
    // P1 (12, 2), vertex P2 (2, 2), P3 (2, 12): the angle opens to the lower
    // right of the vertex.
    for (QPoint target : {QPoint(12, 2), QPoint(2, 2), QPoint(2, 12)})
        rig.Click(1, target);
    for (auto [click, side] : {std::pair{QPoint(0, 0), true},
                               {QPoint(7, 7), false},
                               {QPoint(-5, 20), true},
                               {QPoint(7, 7), false}}) {
        rig.Click(1, click);
        EXPECT_EQ(rig.window.angle.otherSide, side) << click.x() << "," << click.y();
    }
    rig.window.angle.points = {1, 1, 2, -1}; // by hand: fails the point check
    rig.Click(1, {0, 0});
    rig.Mode(AngleMode::XAxis);
    rig.Click(1, {0, 0});
    EXPECT_FALSE(rig.window.angle.otherSide);
    EXPECT_EQ(rig.Painted().pixel(12, 12), kWhite); // the marks
}
