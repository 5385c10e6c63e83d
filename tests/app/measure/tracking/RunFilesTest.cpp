#include "AviFrameSource.h"
#include "CBmpFile.h"
#include "CTrackFile2D.h"
#include "DemoSequence.h"
#include "DemoWriter.h"
#include "SeriesFrameSource.h"
#include "StoreFrameSource.h"
#include "TrackingFixture.h"

using kova::test::ReadBytes;

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
    ASSERT_EQ(RunSource(source, resultPath, config), 0);
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
    // Bytes 30..37, 42..45, 48..51 and 56..65 are the zero reserved fields.
    const std::string b = ReadBytes(resultPath);
    EXPECT_EQ(b.substr(30, 8) + b.substr(42, 4) + b.substr(48, 4) + b.substr(56, 10),
              std::string(26, '\0'));
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(TrackingFixture, UncreatableResultFileShowsTheFileError) {
    Clear(1);
    SetTarget(0, 10.0f, 10.0f);
    StoreFrameSource source(1, 1);
    EXPECT_EQ(RunSource(source, dir.File("missing/RUN.TRK")), -1);
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
    EXPECT_LT(RunSource(source, dir.File("run1.trk")), 0);
    EXPECT_EQ(source.Problem(), "cannot read image " + dir.File("Walk0008.bmp"));
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("run1.trk")));
    const MeasureHeader& h = file.GetHeader();
    EXPECT_EQ((std::vector<double>{double(file.GetFrameCount()), double(h.firstNumber),
                                   double(h.lastNumber), h.widthEdge}),
              (std::vector<double>{1, 7, 9, 59}));
    EXPECT_EQ(ReadBytes(dir.File("run1.tri")),
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
    const std::string bytes = ReadBytes(path);
    kova::test::WriteBytes(path, bytes.substr(0, bytes.size() / 2));
    AviFrameSource source(store, prompter);
    ASSERT_TRUE(source.Open(path, 0, 0, &error)) << error;
    ASSERT_EQ(source.Count(), 6);
    SetTarget(0, static_cast<float>(demo.Truth(0, 0).x), static_cast<float>(demo.Truth(0, 0).y));
    EXPECT_EQ(RunSource(source, resultPath), -1);
    ASSERT_EQ(prompter.Texts(), std::vector<std::string>{"文件读取错误."});
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(resultPath));
    EXPECT_GE(file.GetFrameCount(), 1);
    EXPECT_LT(file.GetFrameCount(), 6);
    EXPECT_EQ(file.GetHeader().lastNumber, 6);
}
