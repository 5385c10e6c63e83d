#include "CCfgFile.h"
#include "DigitizeLogic.h"
#include "ManualRig.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using kova::MessageAnswer;
using kova::test::At;
using kova::test::Texts;

struct FakeControls : DigitizeControls {
    void ReadFields(DigitizeFields* f) override { *f = fields; }
    void WriteTexts(const DigitizeTexts& t) override { texts = t; }
    void EnableControls(DigitizeState s) override { state = s; }
    DigitizeFields fields;
    DigitizeTexts texts;
    DigitizeState state = DigitizeState::Idle;
};

struct DigitizeRig : kova::test::ManualRig {
    DigitizeRig(int frames, int targets, int order) : ManualRig(frames) {
        controls.fields = {order, std::to_string(targets)};
        logic.SetControls(&controls);
        logic.SetResultPath(dir.File("R.TRK"));
        logic.SetReload([this](const std::string& path) { document.LoadDocument(path); });
        logic.InitWindow();
    }
    // Clicks are numbered from 1: click k is at (10 k, 100 + k).
    void Play(const std::string& script) {
        int clicks = 0;
        for (char key : script) {
            switch (key) {
            case 'c':
                ++clicks, Click(10 * clicks, 100 + clicks);
                break;
            case 'r':
                RightClick();
                break;
            case 'f':
                logic.PreviousFrame();
                break;
            case 'F':
                logic.NextFrame();
                break;
            case 't':
                logic.PreviousTarget();
                break;
            case 'T':
                logic.NextTarget();
                break;
            case 'S':
                logic.Stop();
                break;
            default:
                FAIL() << key;
            }
        }
    }
    std::vector<XY_TRACK> Points() const {
        std::vector<XY_TRACK> points;
        const CTrackFile2D& track = document.Track();
        for (int t = 0; t < track.GetTargetCount(); ++t)
            for (int f = 0; f < track.GetFrameCount(); ++f)
                points.push_back(At(track, t, f));
        return points;
    }

    CCfgFile config;
    FakeControls controls;
    DigitizeLogic logic{display, document, source, config, prompter};
};

XY_TRACK P(int status, float x, float y) {
    return XY_TRACK{static_cast<std::int16_t>(status), x, y};
}

// Two targets, three frames; the points read back from the saved file,
// target by target. Every navigation button, the right click and both
// wraps of each order.
TEST(DigitizeTest, GoldenClickSequencesOfBothOrders) {
    const struct {
        int order;
        const char* script;
        std::vector<XY_TRACK> points;
        Texts messages;
    } cases[] = {
        {0,
         "cccccc",
         {P(0, 10, 101), P(0, 30, 103), P(0, 50, 105), P(0, 20, 102), P(0, 40, 104), P(0, 60, 106)},
         {"追踪结束。"}},
        // A skip in the first frame takes (0, 0); skips never overwrite a click.
        {0,
         "cTctcFfFrccT",
         {P(0, 10, 101), P(0, 30, 103), P(0, 50, 105), P(4, 0, 0), P(0, 40, 104), P(4, 40, 104)},
         {"追踪结束。"}},
        {1,
         "cFfccfTcttTT",
         {P(0, 10, 101), P(0, 20, 102), P(0, 30, 103), P(0, 40, 104), P(4, 40, 104), P(4, 40, 104)},
         {"向目标 2 前进", "后退到ID 1 ", "前进到ID 2 ", "后退到ID 1 ", "前进到ID 2 ",
          "追踪结束。"}},
    };
    for (const auto& c : cases) {
        DigitizeRig rig(3, 2, c.order);
        ASSERT_TRUE(rig.logic.Execute());
        rig.Play(c.script);
        EXPECT_EQ(rig.Points(), c.points) << c.script;
        EXPECT_EQ(rig.prompter.Texts(), c.messages) << c.script;
        EXPECT_EQ(rig.controls.state, DigitizeState::Idle);
        EXPECT_EQ(rig.document.Track().GetLastPath(), rig.dir.File("R.TRK"));
        EXPECT_TRUE(std::filesystem::exists(rig.dir.File("R.TRI")));
    }
}

TEST(DigitizeTest, StatusLineAndMarkerFollowTheCursor) {
    DigitizeRig rig(3, 1, 0);
    rig.logic.Execute();
    EXPECT_EQ(rig.controls.texts.status, "输入坐标 帧 1 : ID 1");
    EXPECT_EQ(rig.logic.MarkerKind(), 0);
    rig.Play("c");
    EXPECT_EQ(rig.controls.texts.status, "输入坐标 帧 2 : ID 1");
    EXPECT_EQ(rig.controls.texts.frame, 2);
    EXPECT_EQ(rig.display.GetPage(), 2);
    EXPECT_EQ(rig.logic.MarkerKind(), 1);
    EXPECT_EQ(rig.logic.MarkerPoint(), QPoint(10, 101));
    rig.Play("T"); // frame 2 skipped: the marker goes back to frame 1, in red
    EXPECT_EQ(rig.logic.MarkerKind(), 2);
    EXPECT_EQ(rig.logic.MarkerPoint(), QPoint(10, 101));

    DigitizeRig byTarget(3, 2, 1);
    byTarget.logic.Execute();
    byTarget.Play("c");
    EXPECT_EQ(byTarget.controls.texts.status, "输入坐标  ID 1 : 帧 2");
}

// 停止 keeps the complete frames (targets) up to the furthest reached,
// also after stepping back, and reloads them; nothing is saved before the
// first complete one.
TEST(DigitizeTest, StopKeepsTheFurthestCompleteUnits) {
    const struct {
        int frames, targets, order;
        const char* script;
        int keptTargets, keptFrames;
    } cases[] = {
        {6, 2, 0, "cccccccccS", 2, 4},   // in the middle of frame 5
        {6, 2, 0, "ccccccccfffS", 2, 4}, // frames 1-4, then back to frame 1
        {6, 2, 0, "ccccccccrrrrrS", 2, 4},
        {2, 3, 1, "cccctttS", 2, 2}, // targets 1-2, then back to target 1
    };
    for (const auto& c : cases) {
        DigitizeRig rig(c.frames, c.targets, c.order);
        rig.logic.Execute();
        rig.Play(c.script);
        EXPECT_EQ(rig.prompter.Texts().back(), "停止追踪.") << c.script;
        const CTrackFile2D& track = rig.document.Track();
        ASSERT_EQ(track.GetTargetCount(), c.keptTargets) << c.script;
        ASSERT_EQ(track.GetFrameCount(), c.keptFrames) << c.script;
        EXPECT_EQ(track.GetHeader().frames, c.keptFrames);
        // The first clicks are there in the order of input.
        EXPECT_EQ(At(track, 0, 0), P(0, 10, 101)) << c.script;
        EXPECT_EQ(At(track, c.order == 0 ? 1 : 0, c.order == 0 ? 0 : 1), P(0, 20, 102));
        EXPECT_EQ(At(track, c.keptTargets - 1, c.keptFrames - 1).status, 0) << c.script;
    }

    DigitizeRig early(3, 2, 0);
    early.logic.Execute();
    early.Play("cS");
    EXPECT_EQ(early.prompter.Texts(), Texts{"停止追踪."});
    EXPECT_FALSE(std::filesystem::exists(early.dir.File("R.TRK")));
    EXPECT_EQ(early.controls.state, DigitizeState::Idle);
}

// A failed save reports the file's error and keeps the table until another
// result file takes it.
TEST(DigitizeTest, FailedSaveKeepsTheTable) {
    DigitizeRig rig(2, 1, 0);
    rig.logic.SetResultPath(rig.dir.File("missing/R.TRK"));
    rig.logic.Execute();
    rig.Play("cc");
    EXPECT_EQ(rig.prompter.Texts(), (Texts{"File save error.", "文件保存失败。", "追踪结束。"}));
    EXPECT_EQ(rig.controls.state, DigitizeState::Unsaved);
    EXPECT_EQ(rig.controls.texts.status, DigitizeLogic::kUnsavedStatus);
    EXPECT_EQ(rig.document.Track().GetTargetCount(), 0);

    rig.prompter.QueueFiles({rig.dir.File("R2.TRK")});
    rig.logic.ChooseResultFile();
    EXPECT_EQ(rig.controls.state, DigitizeState::Idle);
    EXPECT_EQ(rig.Points(), (std::vector<XY_TRACK>{P(0, 10, 101), P(0, 20, 102)}));
    EXPECT_EQ(rig.prompter.FileRequests().at(0).filter, "2D测量文件(*.TRK)|*.TRK||");
}

// 执行 checks the fields and asks before anything is allocated or clicked.
TEST(DigitizeTest, ExecuteRefusals) {
    const struct {
        const char* targets;
        bool modified, resultExists;
        Texts messages;
    } cases[] = {
        {"0", false, false, {"请设置ID。"}},
        {"abc", false, false, {"请设置ID。"}},
        {"4097", false, false, {DigitizeLogic::kTooManyTargets}},
        {"99999999999999999999", false, false, {DigitizeLogic::kTooManyTargets}},
        {"2", true, false, {"前面修正内容不保存更新。\n OK !"}},
        {"2", false, true, {"覆盖追踪结果文件。 \n OK !"}},
    };
    for (const auto& c : cases) {
        DigitizeRig rig(3, 1, 0);
        rig.controls.fields.targetCount = c.targets;
        if (c.modified) {
            kova::test::FillSample(&rig.document.Track(), 1, 1);
            rig.document.Track().SetModified(1);
        }
        if (c.resultExists) kova::test::WriteBytes(rig.dir.File("R.TRK"), "old");
        rig.prompter.QueueAnswer(MessageAnswer::Cancel);
        EXPECT_FALSE(rig.logic.Execute()) << c.targets;
        EXPECT_EQ(rig.prompter.Texts(), c.messages) << c.targets;
        EXPECT_EQ(rig.controls.state, DigitizeState::Idle);
        if (c.resultExists) {
            EXPECT_EQ(kova::test::ReadBytes(rig.dir.File("R.TRK")), "old");
        }
    }
}

} // namespace
