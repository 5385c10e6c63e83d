#include "CDataClient.h"
#include "CDataServer.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Log {
    std::vector<std::string> events;
};

class Watcher : public CDataClient {
public:
    Watcher(Log& log, std::string tag) : log_(log), tag_(std::move(tag)) {}
    void OnDataChanged() override { log_.events.push_back(tag_ + ":changed"); }
    void OnDataDestroy(CDataServer*) override { log_.events.push_back(tag_ + ":destroy"); }

private:
    Log& log_;
    std::string tag_;
};

} // namespace

TEST(CDataServer, LockRulesAndChangeNotification) {
    Log log;
    CDataServer server;
    Watcher a(log, "a"), b(log, "b"), editor(log, "e");
    EXPECT_EQ(server.CatchWatch(&a), 1);
    EXPECT_EQ(server.CatchWatch(&a), 0);
    EXPECT_EQ(server.CatchWatch(&b), 1);

    // One holder at a time; only the holder unlocks.
    EXPECT_EQ((std::vector<int>{server.LockData(&editor), server.LockData(&a),
                                server.LockData(&editor), server.UnLockData(&a, 1)}),
              (std::vector<int>{1, 0, 0, 0}));
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(server.UnLockData(&editor, 1), 1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"a:changed", "b:changed"}));

    log.events.clear();
    EXPECT_EQ(server.LockData(&editor), 1);
    EXPECT_EQ(server.UnLockData(&editor, 0), 1);
    EXPECT_TRUE(log.events.empty()) << "no notification without notify";
    EXPECT_EQ(server.ReleaseWatch(&a), 1);
    EXPECT_EQ(server.ReleaseWatch(&a), 0);
    EXPECT_EQ(a.IsWatchLinked(), nullptr);
}

TEST(CDataServer, DestroyedClientsLeaveNoLinksAndDestructionNotifiesTheRest) {
    Log log;
    Watcher a(log, "a"), e(log, "e");
    {
        CDataServer server;
        {
            Watcher gone(log, "gone");
            server.CatchWatch(&gone);
            server.CatchWatch(&a);
            server.LockData(&gone);
        }
        EXPECT_EQ(server.WatcherCount(), 1);
        EXPECT_EQ(server.LockHolder(), nullptr);
        EXPECT_EQ(server.LockData(&e) + server.UnLockData(&e, 1), 2);
    }
    EXPECT_EQ(log.events, (std::vector<std::string>{"a:changed", "a:destroy"}));
    EXPECT_EQ(a.IsWatchLinked(), nullptr);
}
