#include "CCfgFile.h"
#include "MeasurePaths.h"
#include "StoreFrameSource.h"
#include "TrackParams.h"
#include "TrackingFixture.h"
#include "TrackingRun.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

using kova::test::ReadBytes;
using kova::test::WriteBytes;

namespace {

// Frames from the store; calls `onLoad` before each load and fails from
// image `failAt` on.
class WatchedSource : public StoreFrameSource {
public:
    WatchedSource(int count, int failAt) : StoreFrameSource(1, count), failAt_(failAt) {}
    int Load(int k, bool colour, int& frame) override {
        if (onLoad) onLoad(k);
        return k >= failAt_ ? -1 : StoreFrameSource::Load(k, colour, frame);
    }
    std::function<void(int)> onLoad;

private:
    int failAt_;
};

std::set<std::string> Entries(const std::string& directory) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

class ResultSafety : public TrackingFixture {
protected:
    void SetUp() override {
        for (int f = 1; f <= 3; ++f) {
            Clear(f);
            Square(f, 50 + 2 * f, 40, 5);
        }
        SetTarget(0, 52.0f, 42.0f);
        WriteBytes(dir.File("RUN.TRK"), "old track");
        WriteBytes(dir.File("RUN.TRI"), "old info");
    }
    int RunInto(FrameSource& source, const std::string& path) {
        TrackingRun run(engine, prompter);
        run.SetReload([this](const std::string& p) { reloaded.push_back(p); });
        const int result = run.RunTracking(source, path, MeasureHeader());
        committed = run.Committed();
        resultName = run.ResultPath();
        return result;
    }
    std::vector<std::string> reloaded;
    bool committed = false;
    std::string resultName;
};

TEST_F(ResultSafety, RefusedAndFailedRunsLeaveTheOldPairByteIdentical) {
    const std::string nothing = "没有追踪到任何帧，原结果文件保持不变。";
    struct Case {
        const char* what;
        int failAt;         // first image the source cannot load
        const char* folder; // a folder made where a file must go
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases = {
        {"fails at once", 1, "", {nothing}},
        {"the .TRI name is a folder", 9, "RUN2.TRI", {"追踪文件错误。"}},
        {"the .TRK name is a folder", 9, "RUN2.TRK", {"追踪文件错误。"}},
        {"the folder does not exist", 9, "", {"追踪文件错误。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.Clear();
        reloaded.clear();
        std::string target = dir.File("RUN.TRK");
        if (*c.folder) {
            WriteBytes(dir.File("RUN2.TRK"), "old track");
            WriteBytes(dir.File("RUN2.TRI"), "old info");
            std::filesystem::remove(dir.File(c.folder));
            std::filesystem::create_directory(dir.File(c.folder));
            target = dir.File("RUN2.TRK");
        } else if (c.failAt == 9) {
            target = dir.File("none/RUN.TRK");
        }
        const std::set<std::string> before = Entries(dir.Path());
        WatchedSource source(3, c.failAt);
        EXPECT_NE(RunInto(source, target), 0);
        EXPECT_EQ(prompter.Texts(), c.texts);
        EXPECT_FALSE(committed);
        EXPECT_TRUE(reloaded.empty());
        EXPECT_EQ(Entries(dir.Path()), before); // no temporary file left
        EXPECT_EQ(ReadBytes(dir.File("RUN.TRK")), "old track");
        EXPECT_EQ(ReadBytes(dir.File("RUN.TRI")), "old info");
        std::filesystem::remove_all(dir.File("RUN2.TRK"));
        std::filesystem::remove_all(dir.File("RUN2.TRI"));
    }
}

TEST_F(ResultSafety, TheOldPairStaysUntilTheRunHasEnded) {
    // What a run killed at frame 2 or 3 would leave: the old pair, intact.
    std::vector<std::string> seen;
    WatchedSource source(3, 9);
    source.onLoad = [&](int) {
        seen.push_back(ReadBytes(dir.File("RUN.TRK")) + "|" + ReadBytes(dir.File("RUN.TRI")));
    };
    EXPECT_EQ(RunInto(source, dir.File("RUN.TRK")), 0);
    EXPECT_EQ(seen, std::vector<std::string>(3, "old track|old info"));
    EXPECT_TRUE(committed);
    EXPECT_EQ(reloaded, std::vector<std::string>{dir.File("RUN.TRK")});
    EXPECT_EQ(ReadBytes(dir.File("RUN.TRK")).size(), MeasureHeader::kBytes + 3 * 10u);
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"RUN.TRK", "RUN.TRI"}));
}

TEST_F(ResultSafety, TheResultNameAlwaysEndsInTrk) {
    // chosen name -> the pair written; the old RUN.TRI is never overwritten.
    const std::vector<std::vector<std::string>> cases = {
        {"NEW", "NEW.TRK", "NEW.TRI"},
        {"RUN.TRI", "RUN.TRI.TRK", "RUN.TRI.TRI"},
        {"low.trk", "low.trk", "low.tri"},
        {"Mix.Trk", "Mix.Trk", "Mix.Tri"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        StoreFrameSource source(1, 3);
        EXPECT_EQ(RunInto(source, dir.File(c[0])), 0);
        EXPECT_EQ(resultName, dir.File(c[1]));
        EXPECT_EQ(ReadBytes(dir.File(c[1])).size(), MeasureHeader::kBytes + 3 * 10u);
        EXPECT_TRUE(kova::test::Exists(dir.File(c[2])));
        EXPECT_EQ(ReadBytes(dir.File("RUN.TRI")), "old info");
        EXPECT_EQ(ReadBytes(dir.File("RUN.TRK")), "old track");
    }
    EXPECT_EQ(MeasurePaths::TrackNameFor("d/.trk"), "d/.trk.TRK");
}

TEST(TrackParamsLoad, OutOfRangeValuesAreClampedOrDefaulted) {
    // key, stored value, the field read back (as the key's number).
    struct Case {
        const char* key;
        const char* stored;
        std::function<double(const TrackParams&)> field;
        double expected;
    };
    const std::vector<Case> cases = {
        {"ParamProcessType", "7", [](auto& p) { return int(p.processType); }, 1},
        {"ParamDispType", "1", [](auto& p) { return int(p.dispType); }, 0},
        {"ParamPickupMode", "3", [](auto& p) { return int(p.pickupMode); }, 0},
        {"ParamNoiseRemover", "4", [](auto& p) { return int(p.noiseRemover); }, 0},
        {"ParamPickupMonoValue", "300 -5", [](auto& p) { return p.monoValue[0]; }, 255},
        {"ParamPickupMonoValue", "300 -5", [](auto& p) { return p.monoValue[1]; }, 0},
        {"ParamPickupColorValue", "1 2 3 4 5 999", [](auto& p) { return p.colorValue[5]; }, 255},
        {"ParamPickupMonoPercent", "250", [](auto& p) { return p.monoPercent; }, 100},
        {"ParamPickupMonoPercent", "nan", [](auto& p) { return p.monoPercent; }, 0},
        {"ParamTargetValue", "128", [](auto& p) { return p.targetValue; }, 255},
        {"ParamNoiseArea1", "5000000", [](auto& p) { return p.noiseArea1; }, 999999},
        {"ParamSelectMaxArea", "2", [](auto& p) { return p.selectMaxArea; }, 0},
    };
    kova::test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.stored);
        const std::string path = dir.File("KOVA.CFG");
        WriteBytes(path, std::string(c.key) + " " + c.stored + "\r\n");
        CCfgFile cfg;
        ASSERT_TRUE(cfg.Load(path));
        TrackParams params;
        params.Load(cfg);
        EXPECT_EQ(c.field(params), c.expected);
        EXPECT_EQ(params.Check(), "");
    }
}

} // namespace
