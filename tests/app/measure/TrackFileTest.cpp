#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "MeasureFixtures.h"
#include "TestFiles.h"
#include "TextLines.h"

#include <gtest/gtest.h>

using namespace kova::test;

TEST(TrackFile2D, SavesTheExactByteLayoutAndReadsItBack) {
    TempDir dir;
    CTrackFile2D track;
    FillSample(&track, 2, 3);
    const XY_TRACK filled{-1, 1.5f, -2.0f};
    track.SetPoint(1, 2, &filled);
    ASSERT_EQ(track.Save(dir.File("m.TRK")), 1);

    // Header, then frame by frame: target 0, target 1.
    std::string expected = HeaderBytes(3, 2);
    for (int f = 0; f < 3; ++f)
        for (int t = 0; t < 2; ++t) {
            XY_TRACK p = (t == 1 && f == 2) ? filled : SamplePoint(t, f);
            PutI16(&expected, p.status);
            PutF32(&expected, p.x);
            PutF32(&expected, p.y);
        }
    EXPECT_EQ(ReadBytes(dir.File("m.TRK")), expected);

    CTrackFile2D again;
    ASSERT_EQ(again.Load(dir.File("m.TRK")), 1);
    EXPECT_EQ(At(again, 1, 2), filled); // status -1 keeps all 16 bits
    ASSERT_EQ(again.Save(dir.File("copy.TRK")), 1);
    EXPECT_EQ(ReadBytes(dir.File("copy.TRK")), expected);
}

TEST(TrackFile2D, BadFilesFailAndLeaveAnEmptyMeasurement) {
    TempDir dir;
    const std::pair<const char*, std::string> cases[] = {
        {"zero frames", HeaderBytes(0, 3)},
        {"zero targets", HeaderBytes(3, 0)},
        {"negative count", HeaderBytes(-5, 2)},
        {"short header", HeaderBytes(1, 1).substr(0, 60)},
        {"truncated points", HeaderBytes(2, 1) + std::string(15, '\0')},
        // 32767 x 32767 points claimed by 96 bytes: refused before allocating.
        {"huge counts", HeaderBytes(32767, 32767) + std::string(10, '\0')},
        {"missing file", ""},
    };
    for (const auto& [name, bytes] : cases) {
        const std::string path = dir.File(name);
        if (!bytes.empty()) WriteBytes(path, bytes);
        CTrackFile2D track;
        FillSample(&track, 2, 2);
        EXPECT_EQ(track.Load(path), 0) << name;
        EXPECT_EQ(track.GetError(), 1) << name;
        EXPECT_EQ(track.GetTargetCount() + track.GetFrameCount(), 0) << name;
        EXPECT_EQ(track.GetHeader().frames + track.GetHeader().targets, 0) << name;
        EXPECT_EQ(track.IsModified(), 1) << name;
    }
}

TEST(TrackFile2D, TableOperationsKeepCountsAndModifiedFlag) {
    CTrackFile2D track;
    // The header holds 16-bit counts.
    EXPECT_EQ(track.Create(0, 5) + track.Create(3, 0) + track.Create(32768, 1), 0);
    EXPECT_EQ(track.AddTarget(), -1); // no table

    ASSERT_EQ(track.Create(2, 4), 1);
    const XY_TRACK p{3, 1.0f, 2.0f};
    EXPECT_EQ(track.SetPoint(2, 0, &p) + track.SetPoint(0, 4, &p) + track.SetPoint(-1, 0, &p), 0);
    EXPECT_EQ(track.IsModified(), 0);
    EXPECT_EQ(track.AddTarget(), 2);
    EXPECT_EQ(track.IsModified(), 1);
    track.SetPoint(2, 3, &p);

    EXPECT_EQ(track.DeleteFrame(4), 0);
    EXPECT_EQ(track.DeleteFrame(0), 1);
    EXPECT_EQ(track.DeleteTarget(3), 0);
    EXPECT_EQ(track.DeleteTarget(0), 1);
    EXPECT_EQ(At(track, 1, 2), p); // target 2, frame 3 moved to 1, 2
    EXPECT_EQ(track.GetHeader().frames, 3);
    EXPECT_EQ(track.GetHeader().targets, 2);
}

TEST(TrackFile2D, SaveRefusesAnEmptyTableAndAFailedSaveKeepsTheOldFile) {
    TempDir dir;
    CTrackFile2D empty;
    EXPECT_EQ(empty.Save(dir.File("e.TRK")), 0);
    EXPECT_TRUE(dir.Entries().empty()); // no file and no temporary left

    CTrackFile2D track;
    FillSample(&track, 1, 2);
    ASSERT_EQ(track.Save(dir.File("m.TRK")), 1);
    const std::string before = ReadBytes(dir.File("m.TRK"));
    const XY_TRACK p{0, 9.0f, 9.0f};
    track.SetPoint(0, 0, &p);
    EXPECT_EQ(track.Save(dir.File("missing-dir/m.TRK")), 0);
    EXPECT_EQ(track.IsModified(), 1); // still unsaved
    EXPECT_EQ(ReadBytes(dir.File("m.TRK")), before);
}

TEST(TrackFile2D, CalibrationGoesBothWaysAndMissingKeysKeepFields) {
    CCfgFile cfg;
    cfg.SetValue("Calibration2DInterval", 3);
    cfg.SetValue("Calibration2DFrames", 60);
    cfg.SetValue("Calibration2DLength", 0.125);
    cfg.SetValue("Calibration2DOriginY", 7.5);
    cfg.SetValue("Calibration2DDirectY", 1);
    CTrackFile2D track;
    track.Create(1, 1);
    track.SetHeader(SampleHeader());
    track.SetCalibration(&cfg);
    const MeasureHeader& h = track.GetHeader();
    EXPECT_EQ((std::vector<double>{double(h.interval), double(h.frameRate), h.scale, h.originY,
                                   double(h.directY), double(h.timeUnit), h.originX}),
              (std::vector<double>{3, 60, 0.125, 7.5, 1, 4, 12.25})); // missing keys kept

    CCfgFile out;
    track.GetCalibration(&out);
    short s = 0;
    float f = 0;
    EXPECT_TRUE(out.GetValue("Calibration2DAngle", &f) && f == 0.75f);
    EXPECT_TRUE(out.GetValue("Calibration2DLengthUnit", &s) && s == 3);
    EXPECT_EQ(out.Records().size(), 9u);
}

TEST(TrackFile2D, SummaryLines) {
    TempDir dir;
    CTrackFile2D track;
    FillSample(&track, 3, 12);
    track.Save(dir.File("run.TRK"));
    TextLines lines;
    track.AddSummary(&lines);
    // 0.75 rad = 42.971835 degrees; widths count GB18030 bytes.
    const std::vector<std::string> expected = {
        "文件名          , " + dir.File("run.TRK") + "\n",
        "帧数            ,       12\n",
        "目标数          ,        3\n",
        "间隔            ,        2\n",
        "帧数/单位时间   ,       30    帧/s\n",
        "距离比例        ,        0.500mm/像素\n",
        "原点 X          ,       12.250\n",
        "原点 Y          ,       -3.500\n",
        "旋转角          ,       42.972\n",
        "Y 轴方向        , 向左\n",
    };
    EXPECT_EQ(lines.Lines(), expected);

    MeasureHeader h = track.GetHeader();
    h.directY = 1;
    h.angle = -0.5f; // shown in [0, 360): 331.352
    track.SetHeader(h);
    TextLines again;
    track.AddSummary(&again);
    EXPECT_EQ(again.Lines()[8], "旋转角          ,      331.352\n");
    EXPECT_EQ(again.Lines()[9], "Y 轴方向        , 向右\n");
}
