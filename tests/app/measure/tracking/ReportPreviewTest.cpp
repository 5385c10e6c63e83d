#include "TrackingFixture.h"
#include "TrackingPreview.h"
#include "TrackingReport.h"
#include "TrackingReportText.h"

#include <QImage>
#include <QString>
#include <sstream>

namespace {

// Two targets with 15-pixel windows through five hand-made frames.
// Target 1 (window 43..57 around 50 50): found in frame 1; cut by the
// window's right edge in frame 2; a single pixel near the predicted
// window's corner, 8.5 px from the prediction 63 50, in frame 3; hidden in
// frames 4 and 5. Target 2 (around 150 100): in frame 1 a dot at the centre
// and a larger 2 x 2 blob in the window's corner, which is taken, touches
// the edge and lies 9.2 px away; hidden from frame 2 on.
class ReportPreview : public TrackingFixture {
protected:
    void SetUp() override {
        for (int f = 1; f <= 5; ++f)
            Clear(f);
        Square(1, 49, 49, 3);
        Square(1, 150, 100, 1);
        Square(1, 156, 106, 2);
        Square(2, 56, 49, 3);
        Square(3, 69, 56, 1);
        SetTarget(0, 50.0f, 50.0f, 15);
        SetTarget(1, 150.0f, 100.0f, 15);
    }
    int Track(std::vector<TrackingObserver*> observers) {
        for (TrackingObserver* observer : observers)
            engine.AddObserver(observer);
        std::vector<std::vector<XY_TRACK>> points;
        const int result = Run(5, &points);
        engine.RemoveObservers();
        return result;
    }
};

TEST_F(ReportPreview, ReportCountsStatusesLossesEdgeTouchesAndJumpsOnEveryExtractionPath) {
    for (bool lean : {true, false}) {
        engine.SetLeanExtraction(lean);
        TrackingReport report(2);
        ASSERT_EQ(Track({&report}), 0);
        std::ostringstream text;
        TrackingReportText::PrintTargets(text, report);
        EXPECT_EQ(text.str(),
                  "target 1: status 0-4: 3 0 0 2 0; longest lost run: 2 frames (4-5); blob on the "
                  "window edge: 1 frame (2); jumps over half the window: 1 frame (3)\n"
                  "target 2: status 0-4: 0 1 0 4 0; longest lost run: 4 frames (2-5); blob on the "
                  "window edge: 1 frame (1); jumps over half the window: 1 frame (1)\n")
            << "lean " << lean;
        EXPECT_FALSE(report.AnyLongLoss());
    }
}

TEST_F(ReportPreview, LossesOfMoreThanFiveFramesAreWarnedAboutRunByRun) {
    // Not found in frames 1-6 and 9-13, skipped by a right click in 15-20.
    const std::string statuses = "33333300333330444444";
    TrackingReport report(1);
    for (int k = 1; k <= 20; ++k) {
        TrackedTarget tracked;
        tracked.record.status = static_cast<std::int16_t>(statuses[k - 1] - '0');
        report.TargetTracked(tracked);
        report.FrameWritten(k);
    }
    std::ostringstream warnings;
    TrackingReportText::PrintWarnings(warnings, report, "track: ");
    EXPECT_EQ(warnings.str(),
              "track: warning: target 1 lost for more than 5 frames in a row: frames 1-6,15-20\n");
    EXPECT_TRUE(report.AnyLongLoss());
    EXPECT_EQ(report.Targets()[0].LongestLost().first, 1); // the first of two of six frames
}

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000u;
}

TEST_F(ReportPreview, PreviewDrawsWindowsBlobsAndPointsIntoOnePngPerFrame) {
    TrackingPreview preview(dir.File("preview"));
    ASSERT_TRUE(preview.Open(nullptr));
    ASSERT_EQ(Track({&preview}), 0);
    EXPECT_TRUE(preview.Unwritten().empty());
    QImage frames[6];
    for (int k = 1; k <= 5; ++k) {
        ASSERT_TRUE(frames[k].load(QString::fromStdString(preview.PathOf(k)))) << k;
        EXPECT_EQ(frames[k].size(), QSize(kWidth, kHeight));
    }
    EXPECT_EQ(preview.PathOf(3), dir.File("preview/frame0003.png"));
    const struct {
        int frame, x, y;
        QRgb colour;
    } pixels[] = {
        {1, 43, 43, TrackingPreview::kWindowFound},     // target 1's window corners
        {1, 57, 57, TrackingPreview::kWindowFound},     //
        {1, 43, 50, TrackingPreview::kWindowFound},     // and its left edge
        {1, 44, 44, qRgb(20, 20, 20)},                  // inside: the frame
        {1, 48, 48, TrackingPreview::kBlobFrame},       // around the 3 x 3 blob
        {1, 49, 49, qRgb(127, 255, 255)},               // the blob, tinted
        {1, 50, 53, TrackingPreview::kPoint},           // the cross on 50 50
        {1, 143, 107, TrackingPreview::kWindowLargest}, // target 2 took the larger of two
        {1, 150, 100, qRgb(127, 255, 255)},             // the smaller blob tinted, not framed
        {4, 74, 55, TrackingPreview::kWindowLost},      // target 1's window at 81.5 62
        {4, 88, 69, TrackingPreview::kWindowLost},      //
        {4, 82, 62, TrackingPreview::kPoint},           // the prediction written
    };
    for (const auto& p : pixels)
        EXPECT_EQ(Pixel(frames[p.frame], p.x, p.y), p.colour | 0xff000000u)
            << p.frame << ": " << p.x << ' ' << p.y;
}

TEST_F(ReportPreview, ObserversLeaveTheResultFileByteForByte) {
    ASSERT_EQ(Track({}), 0);
    const std::string plain = kova::test::ReadBytes(resultPath);
    for (bool lean : {true, false}) {
        engine.SetLeanExtraction(lean);
        TrackingReport report(2);
        TrackingPreview preview(dir.File("p"));
        ASSERT_TRUE(preview.Open(nullptr));
        ASSERT_EQ(Track({&report, &preview}), 0);
        EXPECT_EQ(kova::test::ReadBytes(resultPath), plain) << lean;
    }
}

} // namespace
