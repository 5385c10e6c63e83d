#include "BatchRun.h"
#include "CBmpFile.h"
#include "TestFiles.h"
#include "Verb.h"

#include <QImage>
#include <QString>
#include <filesystem>
#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <sstream>

using kova::test::ReadBytes;

namespace {

using Result = kova::test::BatchResult;
using kova::test::Batch;

// Twenty 64 x 48 grey frames: marker 1 (3 x 3) moves 2 px right a frame
// from 13 11 and is hidden in frames 6-15; marker 2 stands at 41 31.
class TrackReport : public ::testing::Test {
protected:
    void SetUp() override {
        for (int k = 1; k <= 20; ++k) {
            cv::Mat frame(48, 64, CV_8UC1, cv::Scalar(20));
            if (k < 6 || k > 15) frame(cv::Rect(10 + 2 * k, 10, 3, 3)).setTo(250);
            frame(cv::Rect(40, 30, 3, 3)).setTo(250);
            char name[32];
            std::snprintf(name, sizeof name, "S%04d.BMP", k);
            kova::CBmpFile::Write(dir.File(name), frame);
        }
        kova::test::WriteBytes(dir.File("T.TXT"), "13 11\n41 31\n");
        kova::test::WriteBytes(dir.File("KOVA.CFG"), "VersionInformation KOVA_VER1.00\r\n");
    }
    Result Track(const std::vector<std::string>& extra) const {
        std::vector<std::string> args = {"--cfg",
                                         dir.File("KOVA.CFG"),
                                         "track",
                                         "--series",
                                         dir.File("S0001.BMP"),
                                         dir.File("S0020.BMP"),
                                         "--out",
                                         dir.File("R.TRK"),
                                         "--mode",
                                         "auto",
                                         "--window",
                                         "15",
                                         "15"};
        args.insert(args.end(), extra.begin(), extra.end());
        return Batch(args);
    }
    std::string Measurement() const {
        return ReadBytes(dir.File("R.TRK")) + ReadBytes(dir.File("R.TRI"));
    }

    kova::test::TempDir dir;
};

TEST_F(TrackReport, TargetLostForTenFramesIsReportedExactlyAndFailOnLostExitsThree) {
    const Result r = Track({"--targets", dir.File("T.TXT"), "--report", dir.File("R.CSV")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("target 1: status 0-4: 10 0 0 10 0; longest lost run: 10 frames (6-15); "
                         "blob on the window edge: 0 frames; jumps over half the window: 0 "
                         "frames\ntarget 2: status 0-4: 20 0 0 0 0; longest lost run: 0 frames;"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.err.find("track: warning: target 1 lost for more than 5 frames in a row: "
                         "frames 6-15\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadBytes(dir.File("R.CSV")),
              "\xEF\xBB\xBFtarget,status 0,status 1,status 2,status 3,status 4,longest lost,"
              "lost from,lost to,lost more than 5 in a row,edge frames,on the edge,jump frames,"
              "jumps\r\n1,10,0,0,10,0,10,6,15,6-15,0,,0,\r\n2,20,0,0,0,0,0,,,,0,,0,\r\n");
    const std::string measurement = Measurement();
    EXPECT_EQ(Track({"--targets", dir.File("T.TXT"), "--fail-on-lost"}).status, 3);
    EXPECT_EQ(Measurement(), measurement);
}

TEST_F(TrackReport, ReportAndPreviewLeaveTheMeasurementByteForByte) {
    ASSERT_EQ(Track({"--targets", dir.File("T.TXT")}).status, 0);
    const std::string plain = Measurement();
    const Result r = Track({"--targets", dir.File("T.TXT"), "--report", dir.File("R.CSV"),
                            "--preview", dir.File("new/preview")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Measurement(), plain);
    for (int k : {1, 20}) {
        char name[48];
        std::snprintf(name, sizeof name, "new/preview/frame%04d.png", k);
        EXPECT_EQ(QImage(QString::fromStdString(dir.File(name))).size(), QSize(64, 48)) << k;
    }
    EXPECT_FALSE(kova::test::Exists(dir.File("new/preview/frame0021.png")));
}

TEST_F(TrackReport, UnwritableReportOrPreviewIsRefusedBeforeTracking) {
    kova::test::WriteBytes(dir.File("FILE"), "x");
    std::filesystem::create_directory(dir.File("FOLDER"));
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--report", dir.File("FOLDER")}, "--report: cannot write " + dir.File("FOLDER")},
        {{"--report", dir.File("NONE/R.CSV")}, "no folder " + dir.File("NONE")},
        {{"--preview", dir.File("FILE")}, dir.File("FILE") + " is not a folder"},
        {{"--preview", dir.File("FILE/sub")}, dir.File("FILE") + " is not a folder"},
    };
    const std::vector<std::string> before = dir.Entries();
    for (const auto& [extra, message] : cases) {
        std::vector<std::string> args = {"--targets", dir.File("T.TXT")};
        args.insert(args.end(), extra.begin(), extra.end());
        const Result r = Track(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(dir.Entries(), before) << message;
    }
}

TEST_F(TrackReport, PickupPrintsThePositionAndAreaOfEveryTarget) {
    const Result r = Track({"--pickup"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("pickup 1: 13.00 11.00 area 9\npickup 2: 41.00 31.00 area 9\n"),
              std::string::npos)
        << r.out;
}

// A 9 x 7 frame: a 2 x 2 marker at 2..3 2..3, a brighter-than-band-low
// pixel at 6 3 and a grey 100 at 4 5, on 20.
class Inspect : public ::testing::Test {
protected:
    void SetUp() override {
        cv::Mat frame(7, 9, CV_8UC1, cv::Scalar(20));
        frame(cv::Rect(2, 2, 2, 2)).setTo(250);
        frame.at<std::uint8_t>(3, 6) = 230;
        frame.at<std::uint8_t>(5, 4) = 100;
        kova::CBmpFile::Write(dir.File("F.BMP"), frame);
        kova::test::WriteBytes(dir.File("KOVA.CFG"), "VersionInformation KOVA_VER1.00\r\n");
    }
    Result Run(const std::vector<std::string>& extra) const {
        std::vector<std::string> args = {"--cfg", dir.File("KOVA.CFG"), "inspect"};
        args.insert(args.end(), extra.begin(), extra.end());
        return Batch(args);
    }

    kova::test::TempDir dir;
};

TEST_F(Inspect, ShowsValuesMaskAndBlobsOfTheWindow) {
    const Result grey = Run({dir.File("F.BMP"), "--at", "3", "3", "--window", "7", "5"});
    ASSERT_EQ(grey.status, 0) << grey.err;
    EXPECT_EQ(grey.out, "frame 1 of " + dir.File("F.BMP") +
                            ": 9x7 grey\n"
                            "window: x 0..6, y 1..5\n"
                            "values at x 0..8, y 0..6:\n"
                            "         0   1   2   3   4   5   6   7   8\n"
                            "    0:  20  20  20  20  20  20  20  20  20\n"
                            "    1:  20  20  20  20  20  20  20  20  20\n"
                            "    2:  20  20 250 250  20  20  20  20  20\n"
                            "    3:  20  20 250 250  20  20 230  20  20\n"
                            "    4:  20  20  20  20  20  20  20  20  20\n"
                            "    5:  20  20  20  20 100  20  20  20  20\n"
                            "    6:  20  20  20  20  20  20  20  20  20\n"
                            "mask (# blob pixel) from x 0, y 1:\n"
                            ".......\n"
                            "..##...\n"
                            "..##..#\n"
                            ".......\n"
                            ".......\n"
                            "blobs: 2\n"
                            "blob 1: centre 2.50 2.50, area 4, box x 2..3, y 2..3\n"
                            "blob 2: centre 6.00 3.00, area 1, box x 6..6, y 3..3\n");
    // In colour the default bands 50..120 take the grey 100 pixel.
    const Result colour = Run({dir.File("F.BMP"), "--at", "3", "3", "--colour"});
    ASSERT_EQ(colour.status, 0) << colour.err;
    EXPECT_NE(colour.out.find("    3:    20,20,20    20,20,20 250,250,250"), std::string::npos)
        << colour.out;
    EXPECT_NE(colour.out.find("blobs: 1\nblob 1: centre 4.00 5.00, area 1"), std::string::npos);
}

TEST_F(Inspect, BadInputIsRefusedWithAClearMessage) {
    const std::string image = dir.File("F.BMP");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{image}, "--at X Y is required"},
        {{image, "--at", "9", "3"}, "--at lies outside the 9x7 frame"},
        {{image, "--at", "nan", "3"}, "--at lies outside"},
        {{image, "--at", "3", "3", "--frame", "2"}, "is one image: --frame must be 1"},
        {{image, "--at", "3", "3", "--window", "0", "5"}, "--window W H needs two sizes"},
        {{dir.File("NONE.BMP"), "--at", "3", "3"}, "cannot read image " + dir.File("NONE.BMP")},
        {{dir.File("NONE.AVI"), "--at", "3", "3"}, dir.File("NONE.AVI")},
    };
    for (const auto& [args, message] : cases) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << message;
    }
}

} // namespace
