#include "CoordTransformLogic.h"
#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"

#include <array>
#include <gtest/gtest.h>

using kova::Message;
using kova::MessageIcon;
using namespace kova::test;

namespace {

const Message kDone{"坐标变换执行成功。", "确认", MessageIcon::None};

struct CoordTransformTest : ::testing::Test {
    kova::RecordingPrompter prompter;
    MeasureDocument doc{prompter};
    CoordTransformLogic transform;

    // Creates `targets` x `frames` and sets the points {t, f, x, y, status}.
    void Points(int targets, int frames, std::initializer_list<std::array<float, 5>> points) {
        doc.Track().Create(targets, frames);
        for (const auto& p : points) {
            XY_TRACK q{static_cast<std::int16_t>(p[4]), p[2], p[3]};
            doc.Track().SetPoint(static_cast<int>(p[0]), static_cast<int>(p[1]), &q);
        }
    }
    // Each point {t, f, x, y} where it is expected.
    void Expect(std::initializer_list<std::array<float, 4>> points) {
        for (const auto& e : points) {
            const XY_TRACK p = At(doc.Track(), static_cast<int>(e[0]), static_cast<int>(e[1]));
            EXPECT_NEAR(p.x, e[2], 1e-4) << e[0] << "," << e[1];
            EXPECT_NEAR(p.y, e[3], 1e-4) << e[0] << "," << e[1];
        }
    }
};

} // namespace

TEST_F(CoordTransformTest, PositionOnlyShiftsEachFrame) {
    Points(2, 2, {{0, 0, 10, 10, 0}, {1, 0, 1, 2, 3}, {0, 1, 15, 12, 4}, {1, 1, 7, 7, 1}});
    transform.axisOn = 0;
    EXPECT_EQ(transform.Run(doc, nullptr), 1);
    EXPECT_EQ(prompter.Messages(), std::vector<Message>{kDone});
    Expect({{1, 0, 1, 2}, {0, 1, 10, 10}, {1, 1, 2, 5}});
    EXPECT_EQ(std::make_pair(At(doc.Track(), 0, 1).status, At(doc.Track(), 1, 1).status),
              std::make_pair(std::int16_t{4}, std::int16_t{1}));
}

TEST_F(CoordTransformTest, AxisOnlyTurnsAboutTheFirstAxisTarget) {
    Points(3, 2, {{1, 0, 10, 0, 0}, {1, 1, 0, 10, 0}, {2, 1, 3, 4, 0}});
    transform.positionOn = 0;
    transform.axisSecond = 1;
    EXPECT_EQ(transform.Run(doc, nullptr), 1);
    Expect({{1, 1, 10, 0}, {2, 1, 4, -3}, {0, 1, 0, 0}, {1, 0, 10, 0}}); // turned by -90 degrees
    ASSERT_EQ(transform.Run(doc, nullptr), 1); // a second run moves nothing beyond rounding
    Expect({{2, 1, 4, -3}});
}

TEST_F(CoordTransformTest, BothTurnsThenShifts) {
    // Reference frame 2: axis along +x from (5,5), position target 2 at (1,1);
    // frame 1: the body turned by +90 degrees and moved.
    Points(3, 2,
           {{0, 1, 5, 5, 0},
            {1, 1, 6, 5, 0},
            {2, 1, 1, 1, 0},
            {0, 0, 20, 20, 0},
            {1, 0, 20, 21, 0},
            {2, 0, 24, 26, 0}});
    transform.axisSecond = 1;
    transform.positionTarget = 2;
    transform.referenceFrame = 2;
    ASSERT_EQ(transform.Run(doc, nullptr), 1);
    // R(p) about (20,20) by -90: (dy, -dx); target 2 -> (6,-4), shift (-5,5);
    // the reference frame stays.
    Expect({{2, 0, 1, 1}, {0, 0, -5, 5}, {1, 0, -4, 5}, {2, 1, 1, 1}, {1, 1, 6, 5}});
}

TEST_F(CoordTransformTest, RefusalsKeepTheDialogOpenAndTheData) {
    Points(2, 3, {{1, 1, 4, 4, 0}});
    doc.Track().SetModified(0);
    // {axis on, position on, reference frame, first and second axis target}
    const std::pair<std::array<int, 5>, const char*> cases[] = {
        {{0, 0, 1, 0, 1}, "请选择处理内容。"},
        {{1, 1, 0, 0, 1}, "基准帧错误。"},
        {{1, 1, 4, 0, 1}, "基准帧错误。"},
        {{1, 0, 1, 1, 1}, "轴指定错误。"}};
    for (const auto& [c, text] : cases) {
        prompter.Clear();
        std::tie(transform.axisOn, transform.positionOn, transform.referenceFrame,
                 transform.axisFirst, transform.axisSecond) =
            std::tie(c[0], c[1], c[2], c[3], c[4]);
        EXPECT_EQ(transform.Run(doc, nullptr), 0);
        EXPECT_EQ(prompter.Messages(),
                  (std::vector<Message>{{text, "确认", MessageIcon::Exclamation}}));
    }
    EXPECT_EQ(doc.IsModified(), 0);
    // The same target twice is fine while the axis is off.
    prompter.Clear();
    transform.axisOn = 0;
    transform.positionOn = 1;
    transform.referenceFrame = 1;
    EXPECT_EQ(transform.Run(doc, nullptr), 1);
    EXPECT_EQ(prompter.Messages(), std::vector<Message>{kDone});
}

TEST_F(CoordTransformTest, UnreadableTargetIsRefusedAndLockedDataFails) {
    doc.Track().Create(2, 2);
    transform.positionTarget = 5;
    transform.axisOn = 0;
    EXPECT_EQ(transform.Run(doc, nullptr), 0);
    EXPECT_TRUE(prompter.Messages().empty());

    transform.positionTarget = 0;
    CDataClient other;
    doc.DataServer().LockData(&other);
    EXPECT_EQ(transform.Run(doc, nullptr), 1);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"坐标变换出错", "错误", MessageIcon::Exclamation}}));
    doc.DataServer().UnLockData(&other, 0);
}
