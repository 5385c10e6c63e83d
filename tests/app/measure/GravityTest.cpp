#include "CTrackInfo2D.h"
#include "GravityLogic.h"
#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

using kova::Message;
using kova::MessageIcon;
using namespace kova::test;

namespace {

struct GravityTest : ::testing::Test {
    kova::RecordingPrompter prompter;
    MeasureDocument doc{prompter};
    struct Watch : CDataClient {
        void OnDataChanged() override { ++changes; }
        int changes = 0;
    } watcher;

    void SetUp() override {
        doc.Info().SetAutoSave(0);
        doc.DataServer().CatchWatch(&watcher);
    }
    void TearDown() override { doc.DataServer().ReleaseWatch(&watcher); }

    // `targets` targets over `frames` frames, every point at (px + f, py).
    void Fill(int targets, int frames, float px, float py) {
        doc.Track().Create(targets, frames);
        for (int t = 0; t < targets; ++t)
            for (int f = 0; f < frames; ++f) {
                XY_TRACK p{4, px + static_cast<float>(f), py};
                doc.Track().SetPoint(t, f, &p);
            }
    }
    int Compute(const GravityChoices& choices) {
        return GravityLogic::ComputeGravity(choices, doc.Track(), doc.Info(), doc.DataServer(),
                                            doc.Client(), prompter);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        doc.Info().GetTargetName(&names, doc.Track().GetTargetCount());
        return names;
    }
};

GravityChoices Only(std::initializer_list<int> outputs, int sex = 0) {
    GravityChoices c;
    c.outputs.fill(false);
    for (int o : outputs)
        c.outputs[static_cast<std::size_t>(o - 1)] = true;
    c.sex = sex;
    return c;
}

} // namespace

TEST_F(GravityTest, WholeBodyOfTwentyTargets) {
    Fill(20, 3, 100.0f, 50.0f);
    ASSERT_EQ(Compute(GravityChoices{}), 1); // default: whole body only
    ASSERT_EQ(doc.Track().GetTargetCount(), 21);
    // All landmarks at one point P: the weights divided by their sum give P;
    // every landmark is lost (status 4), so is the centre.
    EXPECT_NEAR(At(doc.Track(), 20, 2).x, 102.0, 1e-4);
    EXPECT_NEAR(At(doc.Track(), 20, 2).y, 50.0, 1e-4);
    EXPECT_EQ(At(doc.Track(), 20, 2).status, 4);
    EXPECT_EQ(Names()[20], "全身");
    EXPECT_EQ(watcher.changes, 1);
    // Every group of coincident landmarks lies at that point; female weights.
    GravityChoices all;
    all.outputs.fill(true);
    all.sex = 1;
    ASSERT_EQ(Compute(all), 1);
    ASSERT_EQ(doc.Track().GetTargetCount(), 43);
    for (int t = 21; t < 43; ++t)
        EXPECT_NEAR(At(doc.Track(), t, 2).x, 102.0, 1e-4) << t;
}

TEST_F(GravityTest, SegmentsAndGroupsByHand) {
    Fill(20, 1, 0.0f, 0.0f);
    // Right arm: finger tip (10,0), wrist (0,0), elbow (0,10), shoulder (0,30).
    SetRow(&doc.Track(), 0, {XY_TRACK{0, 10.0f, 0.0f}});
    SetRow(&doc.Track(), 2, {XY_TRACK{0, 0.0f, 10.0f}});
    SetRow(&doc.Track(), 3, {XY_TRACK{0, 0.0f, 30.0f}});
    // Outputs 7 (right hand), 8 (right forearm), 9 (upper arm), 10 (right arm),
    // given in any order, appended in table order.
    ASSERT_EQ(Compute(Only({10, 8, 7, 9})), 1);
    EXPECT_NEAR(At(doc.Track(), 20, 0).x, 5.0, 1e-5);  // hand: half way wrist -> tip
    EXPECT_NEAR(At(doc.Track(), 21, 0).y, 5.9, 1e-5);  // forearm: 10 - 0.41 * 10
    EXPECT_NEAR(At(doc.Track(), 22, 0).y, 20.8, 1e-5); // upper arm: 30 - 0.46 * 20
    // Arm: (0.009 * (5,0) + 0.015 * (0,5.9) + 0.0265 * (0,20.8)) / 0.0505
    EXPECT_NEAR(At(doc.Track(), 23, 0).x, 0.045 / 0.0505, 1e-5);
    EXPECT_NEAR(At(doc.Track(), 23, 0).y, (0.0885 + 0.5512) / 0.0505, 1e-5);
    EXPECT_EQ(Names()[23], "右腕");

    // Female forearm ratio 0.42.
    ASSERT_EQ(Compute(Only({8}, 1)), 1);
    EXPECT_NEAR(At(doc.Track(), 24, 0).y, 5.8, 1e-5);
}

TEST_F(GravityTest, RefusalsAndRepeats) {
    EXPECT_FALSE(GravityLogic::CheckChoices(Only({}), prompter));
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"请指定测量部位。", "确认", MessageIcon::Exclamation}}));
    EXPECT_TRUE(GravityLogic::CheckChoices(Only({3}), prompter));

    Fill(19, 2, 1.0f, 1.0f);
    doc.Track().SetModified(0);
    prompter.Clear();
    EXPECT_EQ(Compute(GravityChoices{}), 0);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<Message>{{"目标点不满20个.", "错误", MessageIcon::Exclamation}}));
    EXPECT_EQ(doc.Track().GetTargetCount(), 19);
    EXPECT_EQ(watcher.changes, 0);

    Fill(20, 2, 1.0f, 1.0f);
    ASSERT_EQ(Compute(Only({1, 2})), 1);
    ASSERT_EQ(Compute(Only({1, 2})), 1); // twice: appended twice
    EXPECT_EQ(doc.Track().GetTargetCount(), 24);
    EXPECT_EQ(Names()[22], "全身");
}

TEST_F(GravityTest, AnOutputCarriesTheWorstStatusOfItsLandmarks) {
    Fill(20, 1, 3.0f, 4.0f);
    for (int t = 0; t < 20; ++t) // the right arm interpolated (good), the rest measured
        SetRow(&doc.Track(), t, {XY_TRACK{static_cast<std::int16_t>(t < 4 ? -1 : 0), 3, 4}});
    SetRow(&doc.Track(), 6, {XY_TRACK{2, 3, 4}});  // left elbow doubtful
    SetRow(&doc.Track(), 16, {XY_TRACK{3, 3, 4}}); // top of the head not found
    // Whole body, head, right arm, left hand, left forearm, left upper arm.
    ASSERT_EQ(Compute(Only({1, 5, 10, 17, 16, 15})), 1);
    std::vector<int> statuses;
    for (int t = 20; t < 26; ++t)
        statuses.push_back(At(doc.Track(), t, 0).status);
    EXPECT_EQ(statuses, (std::vector<int>{3, 3, 0, 0, 2, 2}));
}
