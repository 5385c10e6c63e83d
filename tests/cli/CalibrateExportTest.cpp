// calibrate gives what tracking with that calibration gives; export writes
// every stored point so that it reads back exactly.
#include "BatchRun.h"
#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "TestFiles.h"
#include "Verb.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

using kova::test::ReadBytes;

namespace {

using Result = kova::test::BatchResult;
using kova::test::Batch;

class CalibrateExport : public ::testing::Test {
protected:
    // A 12-frame demo (two markers hidden for 3 frames) tracked with its own configuration (1 cm a
    // pixel).
    void SetUp() override {
        ASSERT_EQ(Batch({"demo", dir.Path(), "--frames", "12"}).status, 0);
        Track(dir.File("KOVA.CFG"), "A.TRK");
    }
    void Track(const std::string& config, const std::string& out) {
        const Result r = Batch({"--cfg", config, "track", "--series", dir.File("DEMO0001.BMP"),
                                dir.File("DEMO0012.BMP"), "--out", dir.File(out), "--targets",
                                dir.File("DEMO_TARGETS.TXT")});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    // The demo configuration with calibration keys replaced, as text.
    std::string Config(const std::vector<std::pair<std::string, std::string>>& keys,
                       const std::string& name) {
        CCfgFile config;
        EXPECT_TRUE(config.Load(dir.File("KOVA.CFG")));
        for (const auto& [key, value] : keys)
            config.SetValue(key, value);
        const std::string path = dir.File(name);
        EXPECT_TRUE(config.Save(path));
        return path;
    }
    std::string PositionCsv(const std::string& name) {
        const Result r = Batch({"table", "position", dir.File(name), "--csv"});
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }
    kova::test::TempDir dir;
};

TEST_F(CalibrateExport, CalibrateGivesWhatTrackingWithThatCalibrationGives) {
    const std::vector<std::pair<std::string, std::string>> metres = {
        {"Calibration2DLength", "0.004"},
        {"Calibration2DLengthUnit", "5"},
        {"Calibration2DFrames", "120"},
        {"Calibration2DTimeUnit", "4"},
        {"Calibration2DOriginX", "100"},
        {"Calibration2DOriginY", "200"},
        {"Calibration2DAngle", "1.5707963267948966"},
        {"Calibration2DDirectY", "-1"}};
    // 300 x 400 pixels apart is 500 pixels, 2 m: 0.004 m a pixel.
    const std::vector<std::string> byHand = {"--points",   "0",   "0",           "300", "400",
                                             "--distance", "2",   "--unit",      "m",   "--origin",
                                             "100",        "200", "--angle",     "90",  "--y-up",
                                             "--rate",     "120", "--time-unit", "s"};
    std::vector<std::pair<std::string, std::string>> plainAxes = metres;
    plainAxes.insert(plainAxes.end(), {{"Calibration2DOriginX", "0"},
                                       {"Calibration2DOriginY", "0"},
                                       {"Calibration2DDirectY", "1"}});
    const struct {
        std::vector<std::pair<std::string, std::string>> from; // the --from file's keys
        std::vector<std::string> options; // after calibrate A.TRK; "" is the --from file
    } cases[] = {{metres, {"--from", ""}},
                 {{}, byHand},
                 // The file's values, then the options over them.
                 {plainAxes, {"--from", "", "--origin", "100", "200", "--y-up"}}};
    Track(Config(metres, "CAL.CFG"), "B.TRK");
    for (const auto& c : cases) {
        const std::string from = Config(c.from, "FROM.CFG");
        std::vector<std::string> args = {"calibrate", dir.File("A.TRK")};
        for (const std::string& option : c.options)
            args.push_back(option.empty() ? from : option);
        args.insert(args.end(), {"-o", dir.File("C.TRK")});
        const Result r = Batch(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadBytes(dir.File("C.TRK")), ReadBytes(dir.File("B.TRK"))) << args[3];
        EXPECT_EQ(PositionCsv("C.TRK"), PositionCsv("B.TRK")) << args[3];
        EXPECT_NE(PositionCsv("C.TRK"), PositionCsv("A.TRK"));
    }
    EXPECT_TRUE(kova::test::Exists(dir.File("C.TRI")));
}

TEST_F(CalibrateExport, ExportedPointsReadBackAsStored) {
    // Interpolation leaves points of status -1 among the tracked ones.
    ASSERT_EQ(Batch({"interpolate", dir.File("A.TRK"), "--level", "3"}).status, 0);
    ASSERT_EQ(Batch({"export", dir.File("A.TRK"), "--csv", dir.File("P.csv")}).status, 0);
    CTrackFile2D track;
    ASSERT_TRUE(track.Load(dir.File("A.TRK")));
    std::istringstream csv(ReadBytes(dir.File("P.csv")));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "\xEF\xBB\xBF"
                    "frame,target,x (px),y (px),status\r");
    int rows = 0, interpolated = 0;
    for (; std::getline(csv, line); ++rows) {
        int frame = 0, target = 0, status = 0;
        char x[32] = {}, y[32] = {};
        ASSERT_EQ(
            std::sscanf(line.c_str(), "%d,%d,%31[^,],%31[^,],%d", &frame, &target, x, y, &status),
            5)
            << line;
        XY_TRACK point{};
        ASSERT_TRUE(track.GetPoint(target - 1, frame - 1, &point)) << line;
        EXPECT_EQ(rows, (frame - 1) * track.GetTargetCount() + target - 1);
        EXPECT_EQ(std::strtof(x, nullptr), point.x) << line;
        EXPECT_EQ(std::strtof(y, nullptr), point.y) << line;
        EXPECT_EQ(status, point.status) << line;
        interpolated += status == -1;
    }
    EXPECT_EQ(rows, track.GetFrameCount() * track.GetTargetCount());
    EXPECT_GT(interpolated, 0);
}

} // namespace
