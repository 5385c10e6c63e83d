#include "InterpolateLogic.h"
#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"
#include "SplineCurve.h"

#include <gtest/gtest.h>

using kova::Message;
using kova::MessageIcon;
using namespace kova::test;

namespace {

XY_TRACK P(float x, float y, int status = 0) {
    return {static_cast<std::int16_t>(status), x, y};
}

// The cubic of a two-point piece at u = t/h: half the chord slope at both
// ends gives x0 + d * (0.5u + 1.5u^2 - u^3).
double TwoPointCurve(double x0, double d, double u) {
    return x0 + d * (0.5 * u + 1.5 * u * u - u * u * u);
}

struct InterpolateTest : ::testing::Test {
    kova::RecordingPrompter prompter;
    int Run(std::vector<XY_TRACK>* row, int level) {
        return InterpolateLogic::InterpolateTrack(row->data(), static_cast<int>(row->size()), level,
                                                  prompter);
    }
};

} // namespace

TEST_F(InterpolateTest, LevelDecidesWhichStatusesAreReplaced) {
    const std::vector<XY_TRACK> input = {P(0, 0),    P(9, 9, 1),  P(9, 9, 2), P(9, 9, 3),
                                         P(9, 9, 4), P(9, 9, -1), P(12, 3)};
    const std::pair<int, std::vector<int>> cases[] = {{1, {0, -1, -1, -1, -1, -1, 0}},
                                                      {2, {0, 1, -1, -1, -1, -1, 0}},
                                                      {4, {0, 1, 2, 3, -1, -1, 0}}};
    for (const auto& [level, statuses] : cases) {
        std::vector<XY_TRACK> row = input;
        ASSERT_EQ(Run(&row, level), 1);
        std::vector<int> got;
        for (const XY_TRACK& p : row)
            got.push_back(p.status);
        EXPECT_EQ(got, statuses) << level;
    }
}

TEST_F(InterpolateTest, LongGapIsFilledEvenlyAlongTheCurve) {
    // 19 doubtful frames between (0,0) and (20,0): the j-th filled point is
    // the cubic at j/20 of the chord, not 19 samples bunched at the start.
    std::vector<XY_TRACK> row(21, P(7, 7, 4));
    row[0] = P(0, 0);
    row[20] = P(20, 0);
    ASSERT_EQ(Run(&row, 4), 1);
    for (int j = 1; j <= 19; ++j)
        EXPECT_NEAR(row[j].x, TwoPointCurve(0, 20, j / 20.0), 1e-5) << j;
    // A 15-frame gap still takes samples 2, 4, ... 30.
    std::vector<XY_TRACK> fifteen(17, P(7, 7, 4));
    fifteen[0] = P(0, 0);
    fifteen[16] = P(32, 0);
    ASSERT_EQ(Run(&fifteen, 4), 1);
    for (int j = 1; j <= 15; ++j)
        EXPECT_NEAR(fifteen[j].x, TwoPointCurve(0, 32, 2.0 * j / 32), 1e-4) << j;
    // Two doubtful frames: samples 10 and 20 of 32 (truncated).
    std::vector<XY_TRACK> two = {P(0, 0), P(50, 50, 3), P(50, 50, 3), P(0, 10)};
    ASSERT_EQ(Run(&two, 1), 1);
    EXPECT_EQ(std::pair(two[1].y, two[2].y), std::pair(2.72216797f, 6.54296875f));
}

TEST_F(InterpolateTest, StandingTargetGapStaysAtItsPosition) {
    // Tracking stored the previous position in the missed frames; the target
    // stood still at (5,5), then moved on.
    std::vector<XY_TRACK> row = {P(5, 5), P(5, 5, 4), P(5, 5, 4), P(5, 5),
                                 P(8, 9), P(0, 0, 3), P(14, 17)};
    ASSERT_EQ(Run(&row, 1), 1);
    for (int f : {1, 2})
        EXPECT_EQ(row[f], P(5, 5, -1));
    // The piece after the standing interval is its own curve: (5,5), (8,9),
    // (14,17); the filled frame lies between (8,9) and (14,17) on it.
    EXPECT_GT(row[5].x, 8.0f);
    EXPECT_LT(row[5].x, 14.0f);
    EXPECT_NEAR((row[5].y - 9.0f) / (row[5].x - 8.0f), 4.0 / 3.0, 1e-4);
}

TEST_F(InterpolateTest, TheCurveIsAnchoredOnGoodPointsOnly) {
    // Doubtful records before the first and after the last good point stay
    // and do not shape the curve: the gap between (10,0) and (20,0) is
    // filled on the straight two-point piece, half way.
    std::vector<XY_TRACK> row = {P(0, 50, 3),  P(1, 1, 3), P(10, 0),
                                 P(15, 15, 3), P(20, 0),   P(90, 90, 3)};
    const std::vector<XY_TRACK> before = row;
    ASSERT_EQ(Run(&row, 1), 1);
    EXPECT_EQ(row[3], P(15, 0, -1));
    for (int f : {0, 1, 5})
        EXPECT_EQ(row[f], before[f]) << f;
    // Only doubtful records: nothing to anchor on.
    std::vector<XY_TRACK> doubtful = {P(1, 1, 4), P(2, 2, 4)};
    ASSERT_EQ(Run(&doubtful, 4), 1);
    EXPECT_EQ(doubtful, (std::vector<XY_TRACK>{P(1, 1, 4), P(2, 2, 4)}));
}

TEST_F(InterpolateTest, TooManyGapsFailAndChangeNothing) {
    std::vector<XY_TRACK> row;
    for (int i = 0; i < 8193; ++i)
        row.push_back(i % 2 ? P(0, 0, 4) : P(static_cast<float>(i), 0));
    const std::vector<XY_TRACK> before = row;
    EXPECT_EQ(Run(&row, 4), 0); // the 4096th gap
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"Data exceeded the maximum after interpolation.", "KOVA",
                                     MessageIcon::Exclamation}}));
    EXPECT_EQ(row, before);
    row.resize(8191); // 4095 gaps are allowed
    EXPECT_EQ(Run(&row, 4), 1);
    EXPECT_EQ(row[8189].status, -1);
}

TEST(SplineCurve, LongRowsAreBuiltInWindows) {
    std::vector<float> xs, ys;
    for (int i = 0; i < 25; ++i) {
        xs.push_back(static_cast<float>(i * i % 7 + i));
        ys.push_back(static_cast<float>(i % 3));
    }
    SplineCurve curve;
    ASSERT_TRUE(curve.Build(xs, ys));
    EXPECT_EQ(curve.SampleCount(), 769);
    for (int i = 0; i < 25; ++i) { // the curve passes through its points
        EXPECT_NEAR(curve.SampleX(32 * i), xs[static_cast<std::size_t>(i)], 1e-4);
        EXPECT_NEAR(curve.SampleY(32 * i), ys[static_cast<std::size_t>(i)], 1e-4);
    }
    // Windows 0-9, 7-19, 17-24: point 12 shapes only the middle window, so
    // the intervals 0..7 of the first window do not move, while interval 8 does.
    std::vector<float> moved = xs;
    moved[12] += 5.0f;
    SplineCurve other;
    ASSERT_TRUE(other.Build(moved, ys));
    for (int s = 0; s <= 32 * 8; ++s)
        ASSERT_EQ(other.SampleX(s), curve.SampleX(s)) << s;
    EXPECT_NE(other.SampleX(32 * 8 + 16), curve.SampleX(32 * 8 + 16));
}

TEST(InterpolateCommand, MessagesAndDocumentState) {
    kova::RecordingPrompter prompter;
    MeasureDocument doc(prompter);
    struct Watch : CDataClient {
        void OnDataChanged() override { ++changes; }
        int changes = 0;
    } watcher;
    doc.DataServer().CatchWatch(&watcher);
    doc.Track().Create(2, 3);
    SetRow(&doc.Track(), 0, {P(0, 0), P(3, 3, 2), P(10, 0)});
    SetRow(&doc.Track(), 1, {P(0, 0), P(3, 3, 2), P(0, 10)});
    doc.Track().SetModified(0);

    EXPECT_EQ(InterpolateLogic::Run(doc, {}, 1, nullptr), -1);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"请选择目标。", "确认", MessageIcon::Exclamation}}));
    EXPECT_EQ(doc.IsModified(), 0);

    prompter.Clear();
    EXPECT_EQ(InterpolateLogic::Run(doc, {1}, 2, nullptr), 1);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"执行了内插补间。", "确认", MessageIcon::None}}));
    EXPECT_EQ(At(doc.Track(), 1, 1), P(0, 5, -1));
    EXPECT_EQ(At(doc.Track(), 0, 1).status, 2); // not selected
    EXPECT_EQ(doc.IsModified(), 1);
    EXPECT_EQ(watcher.changes, 1);

    // A target that fails stops the run; targets before it keep their change.
    doc.Track().DeleteFrame(2);
    doc.Track().DeleteFrame(1);
    prompter.Clear();
    EXPECT_EQ(InterpolateLogic::Run(doc, {0, 5}, 1, nullptr), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"内插补间失败。", "错误", MessageIcon::Exclamation}}));
    doc.DataServer().ReleaseWatch(&watcher);
}
