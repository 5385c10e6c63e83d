#include "CDisplayServer.h"
#include "DisplayWindow.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Log {
    std::vector<std::string> events;
};

class Tool : public CDisplayClient {
public:
    Tool(Log& log, const std::string& name) : log_(log) { SetName(name); }
    void OnDisplayPaint(QPainter*) override { log_.events.push_back(Name() + ":paint"); }
    void OnDisplayLButtonDown(unsigned flags, QPoint p) override {
        log_.events.push_back(Name() + ":down " + std::to_string(flags) + " " +
                              std::to_string(p.x()) + "," + std::to_string(p.y()));
    }
    void OnDisplayMouseMove(unsigned, QPoint) override { log_.events.push_back(Name() + ":move"); }
    void OnDisplayChangeImage(int page, int flag) override {
        log_.events.push_back(Name() + ":page " + std::to_string(page) + " " +
                              std::to_string(flag));
    }
    void OnDisplayDestroy(CDisplayServer*) override { log_.events.push_back(Name() + ":destroy"); }

private:
    Log& log_;
};

class Window : public DisplayWindow {
public:
    bool alive = true;
    bool visible = true;
    int repaints = 0;
    bool IsAlive() const override { return alive; }
    bool IsVisible() const override { return visible; }
    void RepaintNow() override { ++repaints; }
};

} // namespace

TEST(CDisplayServer, PaintOrderPopupAndRefresh) {
    Log log;
    Window window;
    CDisplayServer server;
    server.SetWindow(&window);
    Tool a(log, "A"), b(log, "B");
    EXPECT_EQ(
        (std::vector<int>{server.CatchPaint(&a), server.CatchPaint(&b), server.CatchPaint(&b)}),
        (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(window.repaints, 2);
    server.DoDisplayPaint(nullptr);
    EXPECT_EQ(log.events, (std::vector<std::string>{"A:paint", "B:paint"}));
    log.events.clear();
    EXPECT_EQ(server.PopupPaint(&a), 1);
    server.DoDisplayPaint(nullptr);
    EXPECT_EQ(log.events, (std::vector<std::string>{"B:paint", "A:paint"}));
    EXPECT_EQ((std::vector<int>{server.FreeWindow(nullptr), server.FreeWindow(&window),
                                server.ReleasePaint(&a), server.ReleasePaint(&a)}),
              (std::vector<int>{0, 1, 1, 0}));
}

TEST(CDisplayServer, LockMessagesNameTheHolder) {
    Log log;
    kova::RecordingPrompter prompter;
    CDisplayServer server(&prompter);
    Tool a(log, "跟踪"), b(log, "B");
    EXPECT_EQ(
        (std::vector<int>{server.CatchPaint(&a), server.CatchLockPaint(&b), server.ReleasePaint(&a),
                          server.CatchLockPaint(&a), server.CatchPaint(&b), server.CatchMouse(&a),
                          server.CatchLockMouse(&b), server.ReleaseMouse(&a),
                          server.CatchLockMouse(&a), server.CatchMouse(&b), server.LockImage(&a),
                          server.LockImage(&b), server.SetPage(3), server.GetPage()}),
        (std::vector<int>{1, 0, 1, 1, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1}));

    // The last one from SetPage while locked.
    std::vector<std::string> seen;
    for (const kova::Message& m : prompter.Messages()) {
        seen.push_back(m.caption + " " + m.text);
        EXPECT_EQ(m.icon, kova::MessageIcon::Exclamation);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "确认 现在[跟踪]图象被锁定。", "确认 现在[跟踪] 图象被锁定。",
                        "Affirm 现在[跟踪]鼠标被锁定。", "确认 现在[跟踪]鼠标被锁定。",
                        "确认 现在[跟踪]图象被锁定。", "确认 现在[跟踪]图象被锁定。"}));

    EXPECT_EQ(server.ShowError(0), 1);
    EXPECT_EQ(server.LockImage(&b) + server.CatchPaint(&b), 0);
    EXPECT_EQ(prompter.Messages().size(), 6u) << "silent after ShowError(0)";
    EXPECT_EQ(server.ShowError(1), 0);
}

TEST(CDisplayServer, MouseModesAndEasyMouse) {
    Log log;
    CDisplayServer server;
    Tool a(log, "A"), b(log, "B"), easy(log, "E");
    server.DoDisplayLButtonDown(1, QPoint(5, 6));
    EXPECT_TRUE(log.events.empty()) << "mode 0: nobody";
    EXPECT_EQ((std::vector<int>{server.CatchMouse(&a), server.CatchMouse(&b), server.GetMouseMode(),
                                server.CatchEasyMouse(&easy)}),
              (std::vector<int>{1, 1, 1, 0}));
    server.DoDisplayLButtonDown(1, QPoint(5, 6));
    EXPECT_EQ(log.events, (std::vector<std::string>{"A:down 1 5,6", "B:down 1 5,6"}));

    server.ReleaseMouse(&a);
    server.ReleaseMouse(&b);
    // Modes 1 and 2 exclude each other.
    EXPECT_EQ((std::vector<int>{server.GetMouseMode(), server.CatchEasyMouse(&easy),
                                server.CatchMouse(&a), server.ReleaseMouse(&a)}),
              (std::vector<int>{0, 1, 0, 0}));
    log.events.clear();
    server.DoDisplayMouseMove(0, QPoint(1, 1));
    EXPECT_EQ(log.events, (std::vector<std::string>{"E:move"}));
    EXPECT_EQ((std::vector<int>{server.ReleaseEasyMouse(&a), server.ReleaseEasyMouse(&easy),
                                server.GetMouseMode()}),
              (std::vector<int>{0, 1, 0}));
}

// A client destroyed while it holds the easy mouse gives it back: later
// mouse messages reach nobody, and a client that lost the mouse to another
// leaves the new holder in place when it goes.
TEST(CDisplayServer, DestroyedClientReleasesTheEasyMouse) {
    Log log;
    CDisplayServer server;
    {
        Tool gone(log, "G");
        server.CatchEasyMouse(&gone);
    }
    EXPECT_EQ(server.EasyMouseClient(), nullptr);
    EXPECT_EQ(server.GetMouseMode(), 0);
    server.DoDisplayLButtonDown(1, QPoint(2, 3));
    EXPECT_TRUE(log.events.empty());

    Tool keeper(log, "K");
    {
        Tool first(log, "F");
        server.CatchEasyMouse(&first);
        server.CatchEasyMouse(&keeper);
    }
    EXPECT_EQ(server.EasyMouseClient(), &keeper);
    server.DoDisplayLButtonDown(1, QPoint(2, 3));
    EXPECT_EQ(log.events, (std::vector<std::string>{"K:down 1 2,3"}));
}

TEST(CDisplayServer, PagesImageLockAndDestruction) {
    Log log;
    Tool w1(log, "W1"), w2(log, "W2"), w3(log, "W3"), holder(log, "H");
    {
        CDisplayServer server;
        server.CatchWatch(&w1);
        server.CatchWatch(&w2);
        EXPECT_EQ(server.SetPage(7), 1);
        EXPECT_EQ(log.events, (std::vector<std::string>{"W1:page 7 0", "W2:page 7 0"}));
        log.events.clear();
        EXPECT_EQ((std::vector<int>{server.LockImage(&holder), server.UnLockImage(&w1, 1),
                                    server.UnLockImage(&holder, 1)}),
                  (std::vector<int>{1, 0, 1}));
        EXPECT_EQ(log.events, (std::vector<std::string>{"W1:page 7 1", "W2:page 7 1"}));
        log.events.clear();
        server.CatchWatch(&w3);
        server.CatchPaint(&w1);
    }
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"W1:destroy", "W1:destroy", "W2:destroy", "W3:destroy"}));
    EXPECT_EQ(w1.IsPaintLinked(), nullptr);
    EXPECT_EQ(w3.IsWatchLinked(), nullptr);
}

TEST(CDisplayServer, DestroyedClientReleasesEverything) {
    Log log;
    CDisplayServer server;
    Tool stay(log, "S");
    {
        Tool gone(log, "G");
        server.CatchPaint(&gone);
        server.CatchLockMouse(&gone);
        server.LockImage(&gone);
        server.CatchWatch(&gone);
    }
    EXPECT_EQ(server.FirstPaintClient(), nullptr);
    EXPECT_EQ(server.GetMouseMode() + server.IsImageLockedNow(), 0);
    EXPECT_EQ(server.CatchLockPaint(&stay), 1);
    EXPECT_EQ(server.SetPage(2), 1);
}
