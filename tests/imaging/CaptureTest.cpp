// The capture backend with stand-in videos: memory and disk capture, limits,
// write errors, playback, transfer notices and the PC camera's data file.

#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CRiffAviWriter.h"
#include "CVideoCapDS.h"
#include "CVideoCapture.h"
#include "CaptureDisk.h"
#include "CaptureFileSource.h"
#include "CaptureRecorder.h"
#include "TestFiles.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>
#include <thread>

namespace kova {
namespace {

using test::TempDir;

constexpr int kSourceFrames = 10;
constexpr int kWidth = 64;
constexpr int kHeight = 48;

// Frame i of the stand-in: one flat colour of its own.
cv::Scalar SourceColour(int i) {
    return cv::Scalar(20 + 22 * i, 230 - 20 * i, (60 + 70 * i) % 256);
}

std::string WriteStandIn(const TempDir& dir, int width = kWidth,
                         const std::string& name = "STANDIN.AVI") {
    const std::string path = dir.File(name);
    if (width % 2 != 0) {
        // MJPEG needs even sizes: an odd one is written as 24-bit DIBs.
        CRiffAviWriter writer;
        writer.Open(path, width, kHeight, 24, 25, 1, kSourceFrames);
        for (int i = 0; i < kSourceFrames; ++i)
            writer.WriteFrame(cv::Mat(kHeight, width, CV_8UC3, SourceColour(i)));
        writer.Close();
        return path;
    }
    cv::VideoWriter writer(path, cv::CAP_FFMPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), 25,
                           cv::Size(width, kHeight));
    for (int i = 0; i < kSourceFrames; ++i)
        writer.write(cv::Mat(kHeight, width, CV_8UC3, SourceColour(i)));
    return path;
}

// The source frame whose colour `image` has within MJPEG tolerance, -1 when none.
int SourceFrameOf(const cv::Mat& image) {
    const cv::Scalar mean = cv::mean(image);
    for (int i = 0; i < kSourceFrames; ++i) {
        const cv::Scalar want = SourceColour(i);
        if (std::abs(mean[0] - want[0]) < 6 && std::abs(mean[1] - want[1]) < 6 &&
            std::abs(mean[2] - want[2]) < 6)
            return i;
    }
    return -1;
}

int FramesIn(const std::string& path) {
    CAviVideo video;
    return video.Open(path) ? video.GetFrameCount() : -1;
}

// The frames of a video as our reader and, when installed, FFmpeg's own
// tool count them.
void ExpectFramesCounted(const std::string& path, int frames) {
    EXPECT_EQ(FramesIn(path), frames);
    if (std::system("command -v ffprobe > /dev/null 2>&1") != 0) return;
    const std::string command = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                "stream=nb_read_frames -of csv=p=0 '" +
                                path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    int probed = -1;
    EXPECT_EQ(std::fscanf(pipe, "%d", &probed), 1);
    pclose(pipe);
    EXPECT_EQ(probed, frames);
}

// Calls UpdateStatus as a window's timer would, until nothing runs (at most ~20 s).
void RunToEnd(CVideoCapDS& capture) {
    for (int tick = 0; tick < 4000 && capture.UpdateStatus(); ++tick)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void RunUntilCaptured(CVideoCapDS& capture, int frames) {
    for (int tick = 0; tick < 4000 && capture.GetCapturedFrames() < frames; ++tick) {
        capture.UpdateStatus();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Chooses the last source, a stand-in, paced fast so that captures take a
// fraction of a second.
void SelectLastSource(CVideoCapDS& capture) {
    std::vector<std::string> names;
    ASSERT_EQ(capture.GetVDeviceList(&names), 1);
    ASSERT_FALSE(names.empty());
    ASSERT_EQ(capture.SelectVDevices(static_cast<int>(names.size()) - 1), 1);
    ASSERT_EQ(capture.ChooseFrameRate(true, 100.0), 1);
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.InitImageSys();
        store.Put_nofframe_color(20);
        standIn = WriteStandIn(dir);
        capture.AddStandIn(standIn);
        capture.SetNoticeSink(
            [this](int notice, int count) { notices.emplace_back(notice, count); });
        ASSERT_EQ(capture.AppInit(), 1);
        SelectLastSource(capture);
        capture.PutCaptureFileName(dir.File("CAPTURE.AVI"));
    }
    void TearDown() override {
        CaptureDisk::SetFreeBytesQueryForTest(nullptr);
        CaptureRecorder::FailAfterForTest(-1);
    }
    // A disk capture of `frames` frames run to its end.
    void CaptureToDisk(int frames) {
        capture.PutLimitFrames(frames);
        ASSERT_EQ(capture.StartCapture(), 1);
        RunToEnd(capture);
    }
    int LastCount(int notice) const {
        int count = -1;
        for (const auto& [kind, value] : notices)
            if (kind == notice) count = value;
        return count;
    }

    TempDir dir;
    CFrameStore store;
    CVideoCapDS capture{store};
    std::string standIn;
    std::vector<std::pair<int, int>> notices;
};

TEST(CaptureDevicesTest, EnvironmentStandInsAreListedAndNoCameraIsNeeded) {
    TempDir dir;
    const std::string path = WriteStandIn(dir);
    ::setenv("KOVA_CAMERA_STANDIN", (dir.File("MISSING.AVI") + ":" + path).c_str(), 1);
    CFrameStore store;
    CVideoCapDS capture(store);
    ASSERT_EQ(capture.AppInit(), 1);
    ::unsetenv("KOVA_CAMERA_STANDIN");
    std::vector<std::string> names;
    ASSERT_EQ(capture.GetVDeviceList(&names), 1);
    ASSERT_GE(names.size(), 2U);
    EXPECT_NE(names.back().find("STANDIN.AVI"), std::string::npos);
    // A stand-in the decoder cannot open is refused when chosen, not at listing.
    EXPECT_EQ(capture.SelectVDevices(static_cast<int>(names.size()) - 2), 0);
    EXPECT_EQ(capture.Preview(true), 0);
}

TEST_F(CaptureTest, MemoryCaptureFillsTheRangeInSourceOrderUpToTheFrameLimit) {
    // 15 frames of a 10-frame stand-in: it starts over at its end.
    const struct {
        int start, end, limit, frames;
    } cases[] = {{3, 10, 0, 8}, {1, 20, 5, 5}, {1, 15, 0, 15}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end);
        capture.PutLimitFrames(c.limit);
        ASSERT_EQ(capture.StartStillCapture(c.start, c.end), 1);
        RunToEnd(capture);
        ASSERT_EQ(capture.GetCapturedFrames(), c.frames);
        const int last = c.start + c.frames - 1;
        EXPECT_EQ(capture.GetOperateFrame(), last);
        EXPECT_EQ(LastCount(CVideoCapDS::kCapturedNotice), c.frames);
        EXPECT_EQ(store.Width(), kWidth);
        // Unless the machine was too slow to keep up, no frame is left out.
        const bool inOrder = capture.GetDroppedFrames() == 0;
        for (int frame = c.start, before = -1; frame <= last; ++frame) {
            const int source = SourceFrameOf(store.Get_image_color(frame));
            EXPECT_GE(source, 0) << "frame " << frame;
            if (inOrder && before >= 0) {
                EXPECT_EQ(source, (before + 1) % kSourceFrames) << "frame " << frame;
            }
            before = source;
        }
        EXPECT_EQ(capture.GetCapInfor().rfind("Capture stopped: " + std::to_string(c.frames), 0),
                  0U)
            << capture.GetCapInfor();
    }
}

TEST_F(CaptureTest, ACaptureStartedAsTheLastOneEndsRunsInFull) {
    // The grabber of the last capture may still be ending: the new one
    // must not be lost with it.
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(capture.StartStillCapture(1, 2), 1);
        for (int tick = 0; tick < 4000 && capture.IsCapturing(); ++tick)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(capture.GetCapturedFrames(), 2);
    }
    RunToEnd(capture);
    EXPECT_EQ(capture.GetCapturedFrames(), 2);
}

TEST_F(CaptureTest, ImpossibleRequestsAreRefused) {
    EXPECT_EQ(capture.StartStillCapture(5, 4), 0);
    EXPECT_EQ(capture.StartStillCapture(1, 21), 0);
    EXPECT_EQ(capture.StartStillCapture(-1, 3), 0);
    EXPECT_EQ(capture.ChooseFrameRate(true, 0.0), 0);
    EXPECT_EQ(capture.ChooseFrameRate(true, -5.0), 0);
    EXPECT_EQ(capture.ChooseFrameRate(true, 1e6), 0);
    EXPECT_DOUBLE_EQ(capture.GetFrameRate(), 100.0);
    EXPECT_EQ(capture.ChooseFrameRate(false, 0.0), 1);
    EXPECT_DOUBLE_EQ(capture.GetFrameRate(), 25.0); // the stand-in's own
    EXPECT_EQ(capture.SelectOption(2), 0);
    EXPECT_EQ(capture.SelectVDevices(CVideoCapDS::kMaxDevices), 0);
}

TEST_F(CaptureTest, RefusedDiskCapturesSayWhyAndWriteNothing) {
    const struct {
        const char* name;
        std::function<void()> setUp;
        std::string info;
    } cases[] = {
        {"no folder", [&] { capture.PutCaptureFileName(dir.File("NO/SUCH/FOLDER/CAPTURE.AVI")); },
         "Cannot capture: no folder "},
        {"disk full",
         [] {
             CaptureDisk::SetFreeBytesQueryForTest(
                 [](const std::string&) { return CVideoCapDS::kDiskReserveBytes; });
         },
         "Cannot capture: the disk is full"},
        {"the stand-in itself", [&] { capture.PutCaptureFileName(standIn); },
         "Cannot capture: the capture file is the stand-in video itself"},
    };
    const std::string before = test::ReadBytes(standIn);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp();
        EXPECT_EQ(capture.StartCapture(), 0);
        EXPECT_FALSE(capture.IsCapturing());
        EXPECT_EQ(capture.GetCapInfor().rfind(c.info, 0), 0U) << capture.GetCapInfor();
        CaptureDisk::SetFreeBytesQueryForTest(nullptr);
        capture.PutCaptureFileName(dir.File("CAPTURE.AVI"));
    }
    EXPECT_EQ(test::ReadBytes(standIn), before);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"STANDIN.AVI"});
}

TEST(CaptureUnreadyTest, NothingRunsBeforeAppInitOrWithoutASource) {
    CFrameStore store;
    store.InitImageSys();
    CVideoCapDS capture(store);
    EXPECT_EQ(capture.Preview(true), 0);
    EXPECT_EQ(capture.StartCapture(), 0);
    EXPECT_EQ(capture.StartStillCapture(1, 2), 0);
    EXPECT_EQ(capture.StartPlayGraph(), 0);
    EXPECT_FALSE(capture.UpdateStatus());
    EXPECT_EQ(capture.GetActiveVDevice(), -1);
    ASSERT_EQ(capture.AppInit(), 1);
    EXPECT_EQ(capture.Preview(true), 0);
    EXPECT_EQ(capture.StartCapture(), 0);
    EXPECT_FALSE(capture.UpdateStatus());
    EXPECT_EQ(capture.StopCapture(), 1);
    EXPECT_EQ(capture.CloseCapture(), 1);
}

TEST_F(CaptureTest, OddFrameSizesAreRefusedAsMjpegAndCapturedUncompressed) {
    capture.AddStandIn(WriteStandIn(dir, kWidth + 1, "ODD.AVI"));
    SelectLastSource(capture);
    EXPECT_EQ(capture.StartCapture(), 0);
    EXPECT_NE(capture.GetCapInfor().find("even"), std::string::npos) << capture.GetCapInfor();
    ASSERT_EQ(capture.SelectOption(1), 1);
    CaptureToDisk(3);
    CAviVideo video;
    ASSERT_EQ(video.Open(capture.GetCaptureFileName()), 1);
    EXPECT_EQ(video.GetFrameCount(), 3);
    EXPECT_EQ(video.GetBitCount(), 24);
    EXPECT_EQ(video.DecodeFrame(0).cols, kWidth + 1);
}

TEST_F(CaptureTest, ClosingDuringACaptureFinishesTheFile) {
    {
        CVideoCapDS running(store);
        running.AddStandIn(standIn);
        ASSERT_EQ(running.AppInit(), 1);
        SelectLastSource(running);
        running.PutCaptureFileName(dir.File("OPEN.AVI"));
        ASSERT_EQ(running.StartCapture(), 1);
        RunUntilCaptured(running, 2);
    }
    EXPECT_GE(FramesIn(dir.File("OPEN.AVI")), 2);
}

TEST(CaptureFileSourceTest, LateGrabsCountTheFramesPassedOver) {
    TempDir dir;
    CaptureFileSource source(WriteStandIn(dir), true);
    ASSERT_TRUE(source.IsOpen());
    ASSERT_TRUE(source.SetRate(100.0));
    const std::atomic<bool> abort{false};
    cv::Mat frame;
    ASSERT_TRUE(source.Grab(&frame, abort));
    EXPECT_EQ(source.Skipped(), 0);
    // Five periods later: the next frame is due, the four after it are gone.
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    ASSERT_TRUE(source.Grab(&frame, abort));
    EXPECT_GE(source.Skipped(), 4);
    EXPECT_EQ(frame.size(), cv::Size(kWidth, kHeight));
}

TEST(CaptureDiskTest, AFailedCopyLeavesTheTargetAsItWas) {
    TempDir dir;
    test::WriteBytes(dir.File("OLD.AVI"), "old");
    std::string error;
    EXPECT_FALSE(CaptureDisk::CopyFile(dir.File("MISSING.AVI"), dir.File("OLD.AVI"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::ReadBytes(dir.File("OLD.AVI")), "old");
    test::WriteBytes(dir.File("NEW.AVI"), "new");
    EXPECT_TRUE(CaptureDisk::CopyFile(dir.File("NEW.AVI"), dir.File("OLD.AVI"), &error));
    EXPECT_EQ(test::ReadBytes(dir.File("OLD.AVI")), "new");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"NEW.AVI", "OLD.AVI"}));
}

TEST(CaptureRecorderTest, AFrameOfAnotherSizeEndsTheWritingWithAFinishedFile) {
    TempDir dir;
    CaptureRecorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(dir.File("R.AVI"), CaptureCodec::Mjpeg, cv::Size(kWidth, kHeight),
                              25.0, &error));
    EXPECT_TRUE(recorder.Write(cv::Mat(kHeight, kWidth, CV_8UC3, SourceColour(1))));
    recorder.Write(cv::Mat(kHeight, 2 * kWidth, CV_8UC3, SourceColour(2)));
    for (int i = 0; i < 100 && !recorder.Ended(); ++i)
        recorder.Write(cv::Mat(kHeight, kWidth, CV_8UC3, SourceColour(3)));
    EXPECT_FALSE(recorder.Close());
    EXPECT_TRUE(recorder.Failed());
    EXPECT_EQ(recorder.Written(), 1);
    EXPECT_EQ(FramesIn(dir.File("R.AVI")), 1);
}

TEST_F(CaptureTest, DiskCaptureWritesAVideoEveryReaderCounts) {
    for (const int option : {0, 1}) {
        SCOPED_TRACE(option);
        ASSERT_EQ(capture.SelectOption(option), 1);
        CaptureToDisk(12);
        EXPECT_EQ(capture.GetCapturedFrames(), 12);
        ExpectFramesCounted(capture.GetCaptureFileName(), 12);
        CAviVideo video;
        ASSERT_EQ(video.Open(capture.GetCaptureFileName()), 1);
        EXPECT_GE(SourceFrameOf(video.DecodeFrame(0)), 0);
    }
}

TEST_F(CaptureTest, TimeLimitEndsTheCaptureAtItsTime) {
    capture.PutIfTimeLimit(true);
    capture.PutLimitTime(1);
    CaptureToDisk(0);
    EXPECT_GE(capture.GetCapturedTime(), 1000);
    // At 100 frames a second no frame past the first second is taken.
    EXPECT_GT(capture.GetCapturedFrames(), 0);
    EXPECT_LE(capture.GetCapturedFrames(), 101);
    EXPECT_EQ(FramesIn(capture.GetCaptureFileName()), capture.GetCapturedFrames());
    EXPECT_NE(capture.GetCapInfor().find("(time limit)"), std::string::npos);
}

TEST_F(CaptureTest, DiskFrameLimitFollowsTheFreeSpace) {
    const std::int64_t frameBytes = std::int64_t{kWidth} * kHeight * 3;
    CaptureDisk::SetFreeBytesQueryForTest(
        [&](const std::string&) { return CVideoCapDS::kDiskReserveBytes + 7 * frameBytes + 5; });
    EXPECT_EQ(capture.MaxFramesOnDisk(kWidth, kHeight), 7);
    EXPECT_EQ(capture.GetDiskSize(), (CVideoCapDS::kDiskReserveBytes + 7 * frameBytes) >> 20);
    CaptureToDisk(0);
    EXPECT_EQ(capture.GetCapturedFrames(), 7);
    EXPECT_EQ(FramesIn(capture.GetCaptureFileName()), 7);
}

TEST(CaptureDiskTest, FramesThatFitIn64Bits) {
    const std::int64_t reserve = CVideoCapDS::kDiskReserveBytes;
    struct Case {
        std::int64_t freeBytes;
        int width, height;
        std::int64_t frames;
    };
    const Case cases[] = {
        {reserve - 1, 640, 480, 0},
        {reserve, 640, 480, 0},
        {reserve + 640 * 480 * 3 - 1, 640, 480, 0},
        {reserve + 640 * 480 * 3, 640, 480, 1},
        // 10 GiB of 1080p frames: past 32-bit byte counts.
        {reserve + (std::int64_t{10} << 30), 1920, 1080, (std::int64_t{10} << 30) / 6220800},
        {std::int64_t{1} << 50, 1, 1, INT_MAX},
        {std::int64_t{1} << 40, 0, 480, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptureDisk::FramesThatFit(c.freeBytes, reserve, c.width, c.height), c.frames)
            << c.freeBytes << " " << c.width << "x" << c.height;
}

TEST_F(CaptureTest, WriteErrorEndsWithAPlayableFile) {
    CaptureRecorder::FailAfterForTest(4);
    CaptureToDisk(10);
    EXPECT_EQ(capture.GetCapInfor().rfind("Write error: ", 0), 0U) << capture.GetCapInfor();
    EXPECT_EQ(capture.GetCapturedFrames(), 4);
    ExpectFramesCounted(capture.GetCaptureFileName(), 4);
}

TEST_F(CaptureTest, RemovedCaptureFileEndsTheCapture) {
    capture.PutIfTimeLimit(true);
    capture.PutLimitTime(20);
    ASSERT_EQ(capture.StartCapture(), 1);
    RunUntilCaptured(capture, 3);
    std::filesystem::remove(capture.GetCaptureFileName());
    RunToEnd(capture);
    EXPECT_NE(capture.GetCapInfor().find("was removed"), std::string::npos)
        << capture.GetCapInfor();
    EXPECT_LT(capture.GetCapturedTime(), 20000);
}

TEST_F(CaptureTest, StopCaptureKeepsWhatCameAndPreviewGoesOn) {
    ASSERT_EQ(capture.Preview(true), 1);
    ASSERT_EQ(capture.StartCapture(), 1);
    RunUntilCaptured(capture, 3);
    ASSERT_EQ(capture.StopCapture(), 1);
    EXPECT_FALSE(capture.IsCapturing());
    EXPECT_TRUE(capture.IsPreviewing());
    EXPECT_GE(capture.GetCapturedFrames(), 3);
    EXPECT_EQ(FramesIn(capture.GetCaptureFileName()), capture.GetCapturedFrames());
    EXPECT_EQ(capture.Preview(false), 1);
    EXPECT_FALSE(capture.IsPreviewing());
}

TEST_F(CaptureTest, TheCaptureFileTransfersPlaysAndSaves) {
    CaptureToDisk(6);
    notices.clear();
    std::int64_t last = 0;
    ASSERT_EQ(capture.GetFrameNumber(&last), 1);
    EXPECT_EQ(last, 5);
    // Transfer: a notice after each frame ...
    ASSERT_EQ(capture.ReadImageToMemory(1, 6, 0, 0, 0, 1), 1);
    EXPECT_EQ(capture.GetOperateFrame(), 6);
    std::vector<std::pair<int, int>> expected;
    for (int count = 1; count <= 6; ++count)
        expected.emplace_back(CVideoCapDS::kTransferNotice, count);
    EXPECT_EQ(notices, expected);
    // ... and the stop request halts it before its next frame.
    capture.SetNoticeSink([this](int, int count) {
        if (count == 2) store.Put_progress_pos(-1);
    });
    ASSERT_EQ(capture.ReadImageToMemory(11, 16, 0, 0, 0, 1), 1);
    EXPECT_EQ(capture.GetOperateFrame(), 12);
    EXPECT_EQ(store.Get_progress_pos(), 0);
    // Play: once through the sink.
    int shown = 0;
    capture.SetFrameSink([&](const cv::Mat& frame) {
        EXPECT_EQ(frame.cols, kWidth);
        ++shown;
    });
    ASSERT_EQ(capture.StartPlayGraph(), 1);
    RunToEnd(capture);
    EXPECT_GE(shown, 1);
    EXPECT_FALSE(capture.IsPlaying());
    EXPECT_EQ(capture.GetCapInfor(), "Play ended: 6 frames");
    // Save: a copy, or nothing where it cannot be written.
    EXPECT_EQ(capture.SaveCaptureFile(dir.File("KEPT.AVI")), 1);
    EXPECT_EQ(FramesIn(dir.File("KEPT.AVI")), 6);
    EXPECT_EQ(capture.SaveCaptureFile(dir.File("NO/SUCH/FOLDER.AVI")), 0);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"CAPTURE.AVI", "KEPT.AVI", "STANDIN.AVI"}));
}

TEST(PcCameraTest, CapturesFrameByFrameIntoADataFileThatGoesWithTheCamera) {
    TempDir dir;
    std::string data;
    {
        CVideoCapture camera;
        camera.AddStandIn(WriteStandIn(dir));
        std::vector<std::string> names;
        ASSERT_EQ(camera.GetDriverList(&names), 1);
        ASSERT_EQ(camera.Connect(static_cast<int>(names.size()) - 1), 1);
        ASSERT_EQ(camera.VideoSetRate(100.0), 1);
        const std::vector<CaptureFormat> formats = camera.VideoFormat();
        ASSERT_EQ(formats.size(), 1U);
        EXPECT_EQ(formats[0].width, kWidth);
        EXPECT_EQ(camera.SetFormat(formats[0].fourcc, kWidth, kHeight), 1);
        EXPECT_EQ(camera.SetFormat(formats[0].fourcc, 2 * kWidth, kHeight), 0);
        EXPECT_TRUE(camera.VideoSource().empty());
        ASSERT_EQ(camera.CaptureFrameOpen(), 1);
        for (int i = 0; i < 7; ++i)
            ASSERT_EQ(camera.CaptureFrame(), 1) << i;
        ASSERT_EQ(camera.CaptureFrameClose(), 1);
        EXPECT_EQ(camera.FramesCaptured(), 7);
        data = camera.GetDataFileName();
        EXPECT_EQ(FramesIn(data), 7);
        cv::Mat shown;
        ASSERT_EQ(camera.VideoDisplay(shown), 1);
        EXPECT_GE(SourceFrameOf(shown), 0);
        ASSERT_EQ(camera.VideoFileSave(dir.File("PC.AVI")), 1);
        EXPECT_EQ(FramesIn(dir.File("PC.AVI")), 7);
        ASSERT_EQ(camera.CaptureFrameOpen(), 1); // a new data file, left open
        ASSERT_EQ(camera.CaptureFrame(), 1);
        data = camera.GetDataFileName();
    }
    EXPECT_FALSE(std::filesystem::exists(data));
}

TEST(PcCameraTest, NothingIsCapturedWithoutADriver) {
    CVideoCapture camera;
    std::vector<std::string> names;
    camera.GetDriverList(&names);
    EXPECT_LE(names.size(), static_cast<std::size_t>(CVideoCapture::kMaxDrivers));
    EXPECT_EQ(camera.Connect(static_cast<int>(names.size())), 0);
    EXPECT_EQ(camera.CaptureFrameOpen(), 0);
    EXPECT_EQ(camera.CaptureFrame(), 0);
    EXPECT_EQ(camera.VideoFileSave("/tmp/never-written.avi"), 0);
    cv::Mat frame;
    EXPECT_EQ(camera.VideoDisplay(frame), 0);
    EXPECT_TRUE(camera.VideoFormat().empty());
}

} // namespace
} // namespace kova
