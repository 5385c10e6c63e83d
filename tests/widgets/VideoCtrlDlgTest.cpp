#include "CVideoCtrlDlg.h"
#include "CVideoCtrlDlgClient.h"
#include "QtTestApp.h"

#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

using Shown = std::vector<std::pair<int, int>>; // (entry, frame)

struct Client : CVideoCtrlDlgClient {
    bool OnVideoCtrlShow(int index, int frame) override {
        if (refused.count(index)) return false;
        shown.emplace_back(index, frame);
        return true;
    }
    void OnVideoCtrlChange(int repaint) override { changes.push_back(repaint); }
    void OnVideoCtrlDestroy() override { ++destroyed; }
    Shown shown;
    std::set<int> refused;
    std::vector<int> changes;
    int destroyed = 0;
};

class VideoCtrlDlgTest : public kova::test::QtTest {
protected:
    VideoCtrlDlgTest() {
        panel.Create(&client);
        panel.SetRange({3, 5, 7, 9});
    }
    Client client;
    CVideoCtrlDlg panel;
};

TEST_F(VideoCtrlDlgTest, StepsThroughTheRange) {
    client.refused = {1};
    const struct {
        void (CVideoCtrlDlg::*action)();
        Shown shown;
        int position;
    } steps[] = {
        {&CVideoCtrlDlg::OnLast, {{3, 9}}, 3},
        {&CVideoCtrlDlg::OnStepForward, {}, 3}, // the end: nothing more
        {&CVideoCtrlDlg::OnStepBack, {{2, 7}}, 2},
        {&CVideoCtrlDlg::OnStepBack, {}, 2}, // entry 1 cannot be shown
        {&CVideoCtrlDlg::OnFirst, {{0, 3}}, 0},
        {&CVideoCtrlDlg::OnStepBack, {}, 0},
    };
    for (const auto& step : steps) {
        client.shown.clear();
        (panel.*step.action)();
        EXPECT_EQ(client.shown, step.shown);
        EXPECT_EQ(panel.Position(), step.position);
    }
    client.shown.clear();
    panel.OnDirect(7); // clamped to the last entry
    EXPECT_EQ(client.shown, (Shown{{3, 9}}));
}

TEST_F(VideoCtrlDlgTest, PlaybackKeepsTimeByLeavingFramesOut) {
    const struct {
        int start;
        qint64 ms;
        bool loop;
        int due;
        bool ended;
    } cases[] = {
        {0, 0, false, 0, false},   {0, 250, false, 2, false}, {0, 999, false, 4, true},
        {0, 1000, true, 0, false}, {3, 100, true, 4, false},  {3, 250, true, 0, false},
        {2, -50, false, 2, false},
    };
    for (const auto& c : cases) {
        bool ended = false;
        EXPECT_EQ(CVideoCtrlDlg::DueEntry(c.start, c.ms, 10.0, 5, c.loop, &ended), c.due) << c.ms;
        EXPECT_EQ(ended, c.ended) << c.ms;
    }
    panel.SetRange({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    panel.SetFrameRate(12.5);
    EXPECT_EQ(panel.Speed(), 12.5);
    panel.OnPlay();
    EXPECT_TRUE(panel.IsPlaying());
    client.shown.clear();
    panel.Advance(250); // 3.1 entries due: entries 1 and 2 are left out
    panel.Advance(5000);
    EXPECT_EQ(client.shown, (Shown{{3, 4}, {9, 10}}));
    EXPECT_FALSE(panel.IsPlaying()) << "the end of a replay without loop";
}

TEST_F(VideoCtrlDlgTest, ButtonsAndClosing) {
    panel.EnableCtrlButton(false);
    panel.EnableModeButton(false);
    EXPECT_FALSE(panel.findChild<QPushButton*>(QStringLiteral("play"))->isEnabled());
    EXPECT_FALSE(panel.findChild<QComboBox*>(QStringLiteral("speed"))->isEnabled());
    panel.Close(); // by the client: not told
    EXPECT_EQ(client.destroyed, 0);
    panel.Create(&client);
    panel.close(); // by the user
    EXPECT_EQ(client.destroyed, 1);
}

} // namespace
