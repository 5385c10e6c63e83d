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

namespace {

const Message kAsk{"执行平滑处理。", "确认", MessageIcon::Question, MessageButtons::OkCancel};
const Message kDone{"平滑处理成功。", "确认", MessageIcon::None};

struct SmoothingTest : ::testing::Test {
    kova::RecordingPrompter prompter;
    MeasureDocument doc{prompter};

    void SetX(const std::vector<float>& xs) {
        doc.Track().Create(2, static_cast<int>(xs.size()));
        for (std::size_t f = 0; f < xs.size(); ++f) {
            XY_TRACK p{static_cast<std::int16_t>(f % 5), xs[f], 2 * xs[f]};
            doc.Track().SetPoint(0, static_cast<int>(f), &p);
            XY_TRACK q{0, 1.0f, 1.0f};
            doc.Track().SetPoint(1, static_cast<int>(f), &q);
        }
    }
    std::vector<float> X() {
        std::vector<float> xs;
        for (int f = 0; f < doc.Track().GetFrameCount(); ++f)
            xs.push_back(At(doc.Track(), 0, f).x);
        return xs;
    }
};

} // namespace

TEST_F(SmoothingTest, OnePassSweepsWithTheSmoothedPreviousNeighbour) {
    SetX({0, 4, 0, 4, 0});
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 1);
    EXPECT_EQ(X(), (std::vector<float>{0, 2, 1.5f, 2.375f, 0}));
    EXPECT_EQ(At(doc.Track(), 0, 3).y, 4.75f); // y alike
    for (int f = 0; f < 5; ++f)                // statuses untouched, status 4 smoothed too
        EXPECT_EQ(At(doc.Track(), 0, f).status, f % 5);
    EXPECT_EQ(At(doc.Track(), 1, 2).x, 1.0f);
    EXPECT_EQ(prompter.Messages(), (std::vector<Message>{kAsk, kDone}));
    EXPECT_EQ(doc.IsModified(), 1);

    SetX({0, 4, 0});
    ASSERT_EQ(SmoothingLogic::SmoothAllTracks(doc.Track()), 1);
    EXPECT_EQ(X(), (std::vector<float>{0, 2, 0}));
}

TEST_F(SmoothingTest, ShortMeasurementsSucceedUnchanged) {
    for (const std::vector<float>& xs : {std::vector<float>{3}, std::vector<float>{3, 9}}) {
        SetX(xs);
        prompter.Clear();
        EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 1);
        EXPECT_EQ(X(), xs);
        EXPECT_EQ(prompter.Messages(), (std::vector<Message>{kAsk, kDone}));
    }
}

TEST_F(SmoothingTest, CancelAndNoData) {
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"没有数据。", "确认", MessageIcon::Exclamation}}));

    SetX({0, 4, 0});
    doc.Track().SetModified(0);
    prompter.Clear();
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 0);
    EXPECT_EQ(prompter.Messages(), std::vector<Message>{kAsk});
    EXPECT_EQ(X(), (std::vector<float>{0, 4, 0}));
    EXPECT_EQ(doc.IsModified(), 0);
}

TEST_F(SmoothingTest, LockedDataReportsFailure) {
    SetX({0, 4, 0});
    CDataClient other;
    doc.DataServer().LockData(&other);
    EXPECT_EQ(SmoothingLogic::RunCommand(doc, nullptr), 0);
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"执行平滑处理。", "平滑处理失败。"}));
    EXPECT_EQ(prompter.Messages()[1].caption, "错误");
    EXPECT_EQ(X(), (std::vector<float>{0, 4, 0}));
    doc.DataServer().UnLockData(&other, 0);
}

TEST(SmoothSeries, PassesReadThePreviousPassOnly) {
    const double in[5] = {0, 4, 0, 4, 0};
    double out[5] = {};
    EXPECT_EQ(SmoothingLogic::SmoothSeries(in, out, 5, 1), 0);
    EXPECT_EQ(std::vector<double>(out, out + 5), (std::vector<double>{0, 2, 2, 2, 0}));
    EXPECT_EQ(SmoothingLogic::SmoothSeries(in, out, 5, 2), 0);
    EXPECT_EQ(std::vector<double>(out, out + 5), (std::vector<double>{0, 1.5, 2, 1.5, 0}));

    double same[3] = {1, 5, 9};
    EXPECT_EQ(SmoothingLogic::SmoothSeries(same, same, 3, 0), 0);
    EXPECT_EQ(SmoothingLogic::SmoothSeries(same, same, 3, 3), 0);
    EXPECT_EQ(std::vector<double>(same, same + 3), (std::vector<double>{1, 5, 9}));
    double two[2] = {1, 7};
    EXPECT_EQ(SmoothingLogic::SmoothSeries(two, two, 2, 4), 0);
    EXPECT_EQ(two[1], 7);

    double copy[5] = {};
    EXPECT_EQ(SmoothingLogic::SmoothSeries(in, copy, 5, 0), 0);
    EXPECT_EQ(std::vector<double>(copy, copy + 5), std::vector<double>(in, in + 5));
    double untouched[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(SmoothingLogic::SmoothSeries(in, untouched, 0, 1), -1);
    EXPECT_EQ(SmoothingLogic::SmoothSeries(in, untouched, 5, -1), -1);
    EXPECT_EQ(untouched[0], 9);
}
