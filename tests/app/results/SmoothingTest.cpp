#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"
#include "SmoothingLogic.h"

#include <gtest/gtest.h>

using kova::Message;
using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;
using namespace kova::test;
using V = std::vector<float>;

namespace {

const Message kAsk{"执行平滑处理。", "确认", MessageIcon::Question, MessageButtons::OkCancel};
const Message kDone{"平滑处理成功。", "确认", MessageIcon::None};

struct SmoothingTest : ::testing::Test {
    kova::RecordingPrompter prompter;
    MeasureDocument doc{prompter};

    // Target 1 at (x, 2x) with status f % 5 in frame f; target 2 fixed at (1, 1).
    void SetX(const V& xs) {
        doc.Track().Create(2, static_cast<int>(xs.size()));
        for (std::size_t f = 0; f < xs.size(); ++f) {
            XY_TRACK p{static_cast<std::int16_t>(f % 5), xs[f], 2 * xs[f]};
            doc.Track().SetPoint(0, static_cast<int>(f), &p);
            XY_TRACK q{0, 1.0f, 1.0f};
            doc.Track().SetPoint(1, static_cast<int>(f), &q);
        }
        doc.Track().SetModified(0);
        prompter.Clear();
    }
    V X() {
        V xs;
        for (int f = 0; f < doc.Track().GetFrameCount(); ++f)
            xs.push_back(At(doc.Track(), 0, f).x);
        return xs;
    }
};

} // namespace

TEST_F(SmoothingTest, OnePassSweepsWithTheSmoothedPreviousNeighbour) {
    SetX({0, 4, 0, 4, 0});
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 1);
    EXPECT_EQ(X(), (V{0, 2, 1.5f, 2.375f, 0}));
    // y alike; statuses untouched, status 4 smoothed too; target 2 fixed.
    EXPECT_EQ(std::make_tuple(At(doc.Track(), 0, 3).y, At(doc.Track(), 0, 4).status,
                              At(doc.Track(), 0, 3).status, At(doc.Track(), 1, 2).x,
                              doc.IsModified()),
              std::make_tuple(4.75f, 4, 3, 1.0f, 1));
    EXPECT_EQ(prompter.Messages(), (std::vector<Message>{kAsk, kDone}));
    // Short measurements succeed unchanged.
    for (const V& xs : {V{3}, V{3, 9}}) {
        SetX(xs);
        EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 1);
        EXPECT_EQ(X(), xs);
        EXPECT_EQ(prompter.Messages(), (std::vector<Message>{kAsk, kDone}));
    }
}

TEST_F(SmoothingTest, NoDataCancelAndLockedDataChangeNothing) {
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"没有数据。", "确认", MessageIcon::Exclamation}}));

    SetX({0, 4, 0});
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 0);
    EXPECT_EQ(prompter.Messages(), std::vector<Message>{kAsk});

    prompter.Clear();
    CDataClient other;
    doc.DataServer().LockData(&other);
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{kAsk, {"平滑处理失败。", "错误", MessageIcon::Exclamation}}));
    doc.DataServer().UnLockData(&other, 0);
    EXPECT_EQ(std::make_pair(X(), doc.IsModified()), std::make_pair(V{0, 4, 0}, 0));
}

// In place, as the analyses smooth their columns.
TEST(SmoothSeries, PassesReadThePreviousPassOnly) {
    std::vector<double> values{0, 4, 0, 4, 0};
    EXPECT_EQ(SmoothingLogic::SmoothSeries(values.data(), values.data(), 5, 2), 0);
    EXPECT_EQ(values, (std::vector<double>{0, 1.5, 2, 1.5, 0}));
}
