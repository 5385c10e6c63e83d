#include "TrackingFixture.h"

#include <opencv2/core.hpp>

using Points = std::vector<std::vector<XY_TRACK>>;

namespace {

// Random speckle with clusters, so that windows hold many blobs of many
// shapes, some touching only diagonally.
cv::Mat Speckle(int width, int height, unsigned seed) {
    cv::Mat image(height, width, CV_8UC1);
    cv::RNG rng(seed);
    rng.fill(image, cv::RNG::UNIFORM, 0, 256);
    for (int k = 0; k < 30; ++k) {
        const int x = rng.uniform(0, width - 6), y = rng.uniform(0, height - 6);
        image(cv::Rect(x, y, rng.uniform(1, 6), rng.uniform(1, 6))).setTo(230);
    }
    return image;
}

struct Blobs {
    int count = 0;
    std::vector<float> centres;
    std::vector<float> areas;
    bool operator==(const Blobs& o) const {
        return count == o.count && centres == o.centres && areas == o.areas;
    }
};

Blobs Reported(const WindowBlobFinder& finder) {
    Blobs b;
    b.count = finder.Count();
    finder.Report(64, b.centres, b.areas);
    return b;
}

} // namespace

class ExtractionTest : public TrackingFixture {
protected:
    // The pipeline by the frame store primitives for target 0's settings.
    Blobs Primitives(int frame, const TargetSetting& t) {
        const TrackParams& p = engine.Params();
        const int value = p.targetValue;
        if (p.IsColour()) {
            proc.Extract_rgb_color(frame, 0, value, t.colour[0], t.colour[1], t.colour[2],
                                   t.colour[3], t.colour[4], t.colour[5]);
        } else {
            proc.Twovalue_ext(frame, 0, t.greyLow, t.greyHigh);
            if (value != 0) proc.Reverse(0, 0);
        }
        if (p.RemovesSmall()) proc.Noise_remover(0, 0, value, 8, 0, p.noiseArea0);
        if (p.RemovesLarge()) proc.Noise_remover(0, 0, value, 8, 1, p.noiseArea1);
        Blobs b;
        proc.Mass_center(0, 0, value, 8, 0, 64, b.count, b.centres, b.areas);
        return b;
    }
};

TEST_F(ExtractionTest, LeanPathEqualsThePrimitivePipelineExactly) {
    const cv::Mat grey = Speckle(kWidth, kHeight, 7);
    store.Put_window_full();
    store.Put_image(1, grey, 0, 0);
    WindowBlobFinder finder;
    cv::RNG rng(99);
    int compared = 0;
    for (int trial = 0; trial < 200; ++trial) {
        TargetSetting t;
        t.greyLow = rng.uniform(150, 250);
        t.greyHigh = rng.uniform(0, 2) ? 255 : rng.uniform(0, 256); // sometimes reversed
        engine.Params().targetValue = rng.uniform(0, 2) ? 255 : 0;
        engine.Params().noiseRemover = static_cast<TrackParams::NoiseRemover>(rng.uniform(0, 4));
        engine.Params().noiseArea0 = rng.uniform(1, 4);
        engine.Params().noiseArea1 = rng.uniform(3, 12);
        const int x0 = rng.uniform(0, kWidth - 2), y0 = rng.uniform(0, kHeight - 2);
        store.Put_window(x0, y0, x0 + rng.uniform(1, 60), y0 + rng.uniform(1, 60));
        const kova::FrameWindow window = store.Window();
        const Blobs expected = Primitives(1, t);
        finder.FindGrey(store.Plane(1), window, t.greyLow, t.greyHigh);
        const TrackParams& p = engine.Params();
        finder.RemoveNoise(p.noiseRemover, p.noiseArea0, p.noiseArea1);
        ASSERT_EQ(Reported(finder), expected) << trial;
        compared += expected.count;
    }
    EXPECT_GT(compared, 1000); // the windows really held blobs
}

TEST_F(ExtractionTest, ColourRunIgnoresFilterAndReversal) {
    // A red 3 x 3 square on grey; emphasis filter and white targets set.
    cv::Mat bgr(kHeight, kWidth, CV_8UC3, cv::Scalar(90, 90, 90));
    bgr(cv::Rect(60, 40, 3, 3)).setTo(cv::Scalar(20, 30, 240));
    store.Put_window_full();
    store.Put_image_color(1, bgr, 0, 0);
    engine.Params().dispType = TrackParams::DispType::Colour;
    engine.Params().filter = TrackParams::Filter::Emphasis;
    engine.Params().targetValue = 255;
    SetTarget(0, 59.0f, 42.0f);
    const int bands[6] = {200, 255, 0, 60, 0, 60};
    std::copy(bands, bands + 6, engine.Target(0).colour);
    for (bool lean : {true, false}) {
        engine.SetLeanExtraction(lean);
        Points points;
        ASSERT_EQ(Run(1, &points), 0);
        EXPECT_EQ(points[0][0].status, kStatusFound) << lean;
        EXPECT_FLOAT_EQ(points[0][0].x, 61.0f);
        EXPECT_FLOAT_EQ(points[0][0].y, 41.0f);
    }
}

TEST_F(ExtractionTest, GreyFilterAndAutomaticThresholdsGoThroughThePrimitives) {
    // Dark targets on a bright ground, found by the p-tile method after the
    // average filter: the filtered 5 x 5 square's core is the darkest 1 %.
    Clear(1, 200);
    Square(1, 70, 70, 5, 10);
    engine.Params().pickupMode = TrackParams::PickupMode::Percentage;
    engine.Params().filter = TrackParams::Filter::Average;
    engine.Params().targetValue = 0;
    SetTarget(0, 75.0f, 75.0f, 31);
    engine.Target(0).percent = 1.0f;
    Points points;
    ASSERT_EQ(Run(1, &points), 0);
    EXPECT_EQ(points[0][0].status, kStatusFound);
    EXPECT_FLOAT_EQ(points[0][0].x, 72.0f);
    EXPECT_FLOAT_EQ(points[0][0].y, 72.0f);
}

TEST_F(ExtractionTest, PickupCopiesTheBlobCentresInRasterOrder) {
    Clear(1);
    Square(1, 150, 20, 3);
    Square(1, 30, 100, 4);
    Square(1, 10, 20, 2, 180); // below the band
    store.Disp_frame(1);
    store.Put_window_full();
    int count = 0;
    ASSERT_EQ(engine.ExtractTargets(count), 0);
    ASSERT_EQ(count, 2);
    EXPECT_FLOAT_EQ(engine.Target(0).x, 151.0f);
    EXPECT_FLOAT_EQ(engine.Target(1).y, 101.5f);
    // Frame 0 shows the targets white for confirmation.
    EXPECT_EQ(store.Read_pixel(0, 151, 21), 255);
    EXPECT_EQ(store.Read_pixel(0, 11, 21), 0);
}
