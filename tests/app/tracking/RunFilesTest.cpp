#include "AviFrameSource.h"
#include "CBmpFile.h"
#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "DemoSequence.h"
#include "DemoWriter.h"
#include "SeriesFrameSource.h"
#include "StoreFrameSource.h"
#include "TrackingFixture.h"
#include "TrackingRun.h"

using Points = std::vector<std::vector<XY_TRACK>>;

TEST_F(TrackingFixture, HeaderCarriesCalibrationCountsAndStatusTotals) {
    for (int f = 1; f <= 3; ++f) {
        Clear(f);
        Square(f, 30 + 2 * f, 30, 3);
        if (f == 2) Square(f, 38, 38, 2);
    }
    SetTarget(0, 33.0f, 31.0f);
    SetTarget(1, 150.0f, 100.0f); // nothing there: status 3
    engine.Params().selectMaxArea = 1;
    CCfgFile config;
    config.SetValue("Calibration2DInterval", 2);
    config.SetValue("Calibration2DFrames", 250);
    config.SetValue("Calibration2DLength", 0.5f);
    config.SetValue("Calibration2DOriginX", 12.5f);
    config.SetValue("Calibration2DDirectY", -1);
    StoreFrameSource source(1, 3);
    TrackingRun run(engine, prompter);
    engine.Start();
    ASSERT_EQ(run.RunTracking(source, resultPath, TrackingRun::MakeHeader(config, source, false)),
              0);
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(resultPath));
    const MeasureHeader& h = file.GetHeader();
    EXPECT_EQ(h.frames, 3);
    EXPECT_EQ(h.targets, 2);
    EXPECT_EQ(h.interval, 2);
    EXPECT_EQ(h.frameRate, 250);
    EXPECT_EQ(h.timeUnit, 4); // default where the key is missing
    EXPECT_FLOAT_EQ(h.scale, 0.5f);
    EXPECT_FLOAT_EQ(h.originX, 12.5f);
    EXPECT_EQ(h.directY, -1);
    EXPECT_FLOAT_EQ(h.widthEdge, kWidth - 1.0f);
    EXPECT_EQ(h.imageType, 0);
    EXPECT_EQ(h.firstNumber, 1);
    EXPECT_EQ(h.lastNumber, 3);
    const std::uint32_t expected[5] = {2, 1, 0, 3, 0};
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(h.statusCounts[s], expected[s]) << s;
    // Bytes 30..37 and 42..65 are the zero reserved fields.
    const std::string bytes = kova::test::ReadBytes(resultPath);
    for (int offset : {30, 34, 42, 48, 50, 56, 58, 60, 62, 64})
        EXPECT_EQ(bytes[static_cast<std::size_t>(offset)], '\0') << offset;
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(TrackingFixture, UncreatableResultFileShowsTheFileError) {
    Clear(1);
    SetTarget(0, 10.0f, 10.0f);
    StoreFrameSource source(1, 1);
    TrackingRun run(engine, prompter);
    CCfgFile config;
    engine.Start();
    EXPECT_EQ(run.RunTracking(source, dir.File("missing/RUN.TRK"),
                              TrackingRun::MakeHeader(config, source, false)),
              -1);
    ASSERT_EQ(prompter.Texts(), std::vector<std::string>{"追踪文件错误。"});
    EXPECT_FALSE(kova::test::Exists(dir.File("missing/RUN.TRI")));
}

TEST_F(TrackingFixture, SeriesRunWritesTheCompanionWithTheImageKeys) {
    // A three-image series, the middle file missing: the run ends with the
    // loader's failure, keeps frame 1 and still writes header and .TRI.
    cv::Mat image(40, 60, CV_8UC1, cv::Scalar(10));
    image(cv::Rect(20, 10, 3, 3)).setTo(255);
    ASSERT_TRUE(kova::CBmpFile::Write(dir.File("Walk0007.bmp"), image));
    ASSERT_TRUE(kova::CBmpFile::Write(dir.File("Walk0009.bmp"), image));
    SeriesFrameSource source(store);
    std::string error;
    ASSERT_TRUE(source.SetFiles(dir.File("Walk0009.bmp"), dir.File("Walk0007.bmp"), &error));
    SetTarget(0, 21.0f, 11.0f, 9);
    TrackingRun run(engine, prompter);
    CCfgFile config;
    engine.Start();
    const std::string result = dir.File("run1.trk");
    EXPECT_LT(run.RunTracking(source, result, TrackingRun::MakeHeader(config, source, false)), 0);
    EXPECT_EQ(source.Problem(), "cannot read image " + dir.File("Walk0008.bmp"));
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(result));
    EXPECT_EQ(file.GetFrameCount(), 1);
    EXPECT_EQ(file.GetHeader().firstNumber, 7);
    EXPECT_EQ(file.GetHeader().lastNumber, 9);
    EXPECT_FLOAT_EQ(file.GetHeader().widthEdge, 59.0f);
    ASSERT_EQ(run.InfoPath(), dir.File("run1.tri"));
    CTrackInfo2D info;
    ASSERT_TRUE(info.Load(run.InfoPath()));
    std::string text;
    int number = 0;
    info.GetValue("ImagePath", &text);
    EXPECT_EQ(text, dir.Path());
    info.GetValue("ImageNameHead", &text);
    EXPECT_EQ(text, "Walk");
    info.GetValue("ImageFileExt", &text);
    EXPECT_EQ(text, "bmp");
    info.GetValue("ImageStartFile", &text);
    EXPECT_EQ(text, "Walk0007.bmp");
    info.GetValue("ImageEndNum", &number);
    EXPECT_EQ(number, 9);
    info.GetValue("ImageScenes", &number);
    EXPECT_EQ(number, 3);
    EXPECT_EQ(info.Count("AviFile"), 1);
}

TEST_F(TrackingFixture, UnreadableAviFrameShowsTheReadErrorAndKeepsTheFramesBefore) {
    DemoSequence::Options o;
    o.width = 320;
    o.height = 240;
    o.frames = 6;
    const DemoSequence demo(o);
    std::string error;
    ASSERT_TRUE(DemoWriter::WriteImages(dir.Path(), demo, DemoWriter::Format::RawAvi, &error));
    // Cut the file in the middle of its frame data: the header still
    // announces six frames.
    const std::string path = dir.File(DemoWriter::kAviName);
    const std::string bytes = kova::test::ReadBytes(path);
    kova::test::WriteBytes(path, bytes.substr(0, bytes.size() / 2));
    AviFrameSource source(store, prompter);
    ASSERT_TRUE(source.Open(path, 0, 0, &error)) << error;
    ASSERT_EQ(source.Count(), 6);
    SetTarget(0, static_cast<float>(demo.Truth(0, 0).x), static_cast<float>(demo.Truth(0, 0).y));
    TrackingRun run(engine, prompter);
    CCfgFile config;
    engine.Start();
    EXPECT_EQ(run.RunTracking(source, resultPath, TrackingRun::MakeHeader(config, source, false)),
              -1);
    ASSERT_EQ(prompter.Texts(), std::vector<std::string>{"文件读取错误."});
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(resultPath));
    EXPECT_GE(file.GetFrameCount(), 1);
    EXPECT_LT(file.GetFrameCount(), 6);
    EXPECT_EQ(file.GetHeader().lastNumber, 6);
}
