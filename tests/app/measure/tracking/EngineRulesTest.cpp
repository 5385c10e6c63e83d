#include "MeasureFixtures.h"
#include "TrackingFixture.h"

using Points = std::vector<std::vector<XY_TRACK>>;

// ---- prediction ----

TEST_F(TrackingFixture, PredictionIsExactAndClippedAlongTheMotionLine) {
    const struct {
        float x1, y1, x0, y0;
        int result;
        float px, py;
    } cases[] = {
        {30.5f, 40.25f, 27.0f, 41.0f, 0, 34.0f, 39.5f},
        {190.0f, 100.0f, 180.0f, 90.0f, 0, 199.0f, 109.0f},   // pulled back to x = W - 1
        {4.0f, 146.0f, 12.0f, 138.0f, 0, 1.0f, 149.0f},       // left and bottom: x, then y
        {50.0f, 60.0f, 50.0f, 60.0f, 0, 50.0f, 60.0f},        // standing still
        {100.0f, 149.0f, 100.0f, 140.0f, -1, 100.0f, 149.0f}, // along the edge: p1 kept
    };
    for (const auto& c : cases) {
        float px = 0, py = 0;
        EXPECT_EQ(engine.PredictPosition(c.x1, c.y1, c.x0, c.y0, px, py), c.result) << c.x1;
        EXPECT_FLOAT_EQ(px, c.px);
        EXPECT_FLOAT_EQ(py, c.py);
    }
}

TEST_F(TrackingFixture, SearchWindowAndTargetCountStayWithinTheirLimits) {
    engine.SetSearchWindowAt(10.7f, 140.2f, 21, 15); // truncated, clamped into the frame
    EXPECT_EQ(store.Window(), (kova::FrameWindow{0, 133, 20, 147}));
    engine.CentreWindowAt(100, 50);
    EXPECT_EQ(store.Window(), (kova::FrameWindow{90, 43, 110, 57}));
    EXPECT_TRUE(engine.SetTargetCount(4096));
    EXPECT_FALSE(engine.SetTargetCount(4097));
    EXPECT_EQ(engine.TargetCount(), 4096);
}

// ---- automatic mode ----

TEST_F(TrackingFixture, HiddenTargetGetsThePredictedPointAndIsFoundAgain) {
    // A 3 x 3 square moving 6 px right and 2 px down per frame, hidden in
    // frames 4 and 5.
    for (int f = 1; f <= 7; ++f) {
        Clear(f);
        if (f != 4 && f != 5) Square(f, 20 + 6 * f, 30 + 2 * f, 3);
    }
    SetTarget(0, 27.0f, 33.0f, 15);
    Points points;
    ASSERT_EQ(Run(7, &points), 0);
    for (int f = 1; f <= 7; ++f) {
        const XY_TRACK& p = points[0][static_cast<std::size_t>(f - 1)];
        EXPECT_EQ(p.status, f == 4 || f == 5 ? kStatusNotFound : kStatusFound) << f;
        EXPECT_FLOAT_EQ(p.x, 21.0f + 6 * f);
        EXPECT_FLOAT_EQ(p.y, 31.0f + 2 * f);
    }
}

TEST_F(TrackingFixture, LargestBlobWinsAndTiesGoToTheFirstReported) {
    Clear(1);
    Square(1, 95, 80, 3); // reported second (lower), same area as the next
    Square(1, 105, 90, 2);
    Square(1, 100, 75, 3); // first in raster order
    SetTarget(0, 100.0f, 85.0f, 31);
    Points points;
    ASSERT_EQ(Run(1, &points), 0);
    EXPECT_EQ(points[0][0], (XY_TRACK{kStatusLargestOfMany, 101.0f, 76.0f}));
}

TEST_F(TrackingFixture, UpTo64BlobsGiveStatusOneAndMoreTheLargestOfTheFirst64) {
    // Dots in raster order; dot 10 is two pixels wide, the last dot larger
    // still: taken at the limit of 64, not counted beyond it.
    for (int dots : {64, 65}) {
        for (bool lean : {true, false}) {
            engine.SetLeanExtraction(lean);
            Clear(1);
            for (int d = 0; d < dots; ++d) {
                const int x = 60 + 3 * (d % 13), y = 50 + 3 * (d / 13);
                store.Write_pixel(1, x, y, 255);
                if (d == 9) store.Write_pixel(1, x + 1, y, 255);
                if (d == dots - 1) Square(1, x, y, 2);
            }
            SetTarget(0, 80.0f, 56.0f, 41);
            Points points;
            ASSERT_EQ(Run(1, &points), 0);
            const bool over = dots > 64;
            EXPECT_EQ(points[0][0].status, over ? kStatusTooManyBlobs : kStatusLargestOfMany)
                << dots << " dots, lean " << lean;
            EXPECT_FLOAT_EQ(points[0][0].x, over ? 87.5f : 93.5f);
            EXPECT_FLOAT_EQ(points[0][0].y, over ? 50.0f : 62.5f);
        }
    }
}

// ---- semi-automatic mode ----

TEST_F(TrackingFixture, SemiAutomaticAsksWhenSeveralBlobsAndSkipKeepsThePreviousPoint) {
    engine.Params().processType = TrackParams::ProcessType::SemiAutomatic;
    engine.Params().selectMaxArea = 0;
    RecordingClicks clicks;
    clicks.answers = {{ManualPointSource::kSkipped, 0, 0}, {ManualPointSource::kSkipped, 0, 0}};
    engine.SetManualPointSource(&clicks);
    for (int f = 1; f <= 3; ++f) {
        Clear(f);
        Square(f, 50, 50, 3);
        if (f != 2) Square(f, 58, 58, 3);
    }
    SetTarget(0, 52.5f, 51.5f, 25);
    Points points;
    ASSERT_EQ(Run(3, &points), 0);
    ASSERT_EQ(clicks.requests.size(), 2u);
    EXPECT_EQ(clicks.requests[1].frame, 3);
    // Frame 1: skipped, the initial position; frame 3: the result of frame 2.
    EXPECT_EQ(points[0], (std::vector<XY_TRACK>{{kStatusSkipped, 52.5f, 51.5f},
                                                {kStatusFound, 51.0f, 51.0f},
                                                {kStatusSkipped, 51.0f, 51.0f}}));
}

// ---- stopping ----

TEST_F(TrackingFixture, StopWhileWaitingKeepsExactlyTheCompletedFrames) {
    engine.Params().processType = TrackParams::ProcessType::Manual;
    RecordingClicks clicks;
    clicks.answers = {
        {0, 10, 10}, {0, 20, 20}, {0, 30, 30}, {0, 40, 40}, {ManualPointSource::kStopped, 0, 0}};
    engine.SetManualPointSource(&clicks);
    SetTarget(0, 10.0f, 10.0f);
    SetTarget(1, 100.0f, 100.0f);
    for (int f = 1; f <= 4; ++f)
        Clear(f);
    Points points;
    MeasureHeader header;
    EXPECT_EQ(Run(4, &points, &header), TrackingEngine::kAborted);
    EXPECT_EQ(header.statusCounts[0], 4u);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1][1].x, 40.0f);
    EXPECT_EQ(kova::test::ReadBytes(resultPath).size(), 86u + 2u * 2u * 10u);
}

TEST_F(TrackingFixture, StopBetweenFramesEndsAfterTheCurrentFrame) {
    for (int f = 1; f <= 5; ++f) {
        Clear(f);
        Square(f, 40, 40, 3);
    }
    SetTarget(0, 41.0f, 41.0f);
    StopAtPoll progress;
    progress.stopAt = 2;
    engine.SetProgress(&progress);
    Points points;
    MeasureHeader header;
    EXPECT_EQ(Run(5, &points, &header), 0);
    EXPECT_EQ(progress.steps, (std::vector<int>{1, 2}));
    EXPECT_TRUE(progress.closed);
    EXPECT_EQ(header.frames, 2);
    EXPECT_EQ(header.statusCounts[0], 2u);
}
