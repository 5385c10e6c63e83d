#include "AviFrameSource.h"
#include "CBmpFile.h"
#include "CCfgFile.h"
#include "CTrackFile2D.h"
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
    ASSERT_EQ(run.RunTracking(source, resultPath, TrackingRun::MakeHeader(config, source, false)),
              0);
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(resultPath));
    const MeasureHeader& h = file.GetHeader();
    const std::vector<double> fields = {
        double(h.frames),    double(h.targets),     double(h.interval),
        double(h.frameRate), double(h.timeUnit),    h.scale,
        h.originX,           double(h.directY),     h.widthEdge,
        double(h.imageType), double(h.firstNumber), double(h.lastNumber)};
    // The time unit keeps its default where the key is missing.
    EXPECT_EQ(fields, (std::vector<double>{3, 2, 2, 250, 4, 0.5, 12.5, -1, kWidth - 1, 0, 1, 3}));
    EXPECT_EQ(std::vector<std::uint32_t>(h.statusCounts, h.statusCounts + 5),
              (std::vector<std::uint32_t>{2, 1, 0, 3, 0}));
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
    EXPECT_EQ(kova::test::ReadBytes(run.InfoPath()),
              "ImagePath " + dir.Path() +
                  "\r\nImageNameHead Walk\r\nImageFileExt bmp\r\nImageStartNum 7\r\n"
                  "ImageEndNum 9\r\nImageScenes 3\r\nImageStartFile Walk0007.bmp\r\n"
                  "ImageEndFile Walk0009.bmp\r\nAviStartFrm 0\r\nAviEndFrm 0\r\nAviFile \r\n");
}

TEST_F(TrackingFixture, UnreadableAviFrameShowsTheReadErrorAndKeepsTheFramesBefore) {
    const DemoSequence demo(DemoSequence::Options{320, 240, 6}); // 320 x 240, 6 frames
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
    EXPECT_EQ(run.RunTracking(source, resultPath, TrackingRun::MakeHeader(config, source, false)),
              -1);
    ASSERT_EQ(prompter.Texts(), std::vector<std::string>{"文件读取错误."});
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(resultPath));
    EXPECT_GE(file.GetFrameCount(), 1);
    EXPECT_LT(file.GetFrameCount(), 6);
    EXPECT_EQ(file.GetHeader().lastNumber, 6);
}
