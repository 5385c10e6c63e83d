#include "CFrameStore.h"
#include "CImageProc.h"
#include "SegmentationLogic.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

namespace {

using kova::CFrameStore;
using kova::CImageProc;
constexpr int kW = 32, kH = 24;

// Hue on the whole circle: each primary and secondary colour keeps its own
// value (computed by hand from the conversion), and red is no longer folded
// onto 23 degrees.
TEST(HueCircleTest, PrimaryAndSecondaryColoursKeepTheirHue) {
    struct Case {
        int r, g, b, h;
    };
    const Case cases[] = {{255, 0, 0, 336},   {255, 255, 0, 277}, {0, 255, 0, 224},
                          {0, 255, 255, 156}, {0, 0, 255, 97},    {255, 0, 255, 45},
                          {120, 60, 80, 359}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        int h = -1, s = -1, i = -1;
        CImageProc::RgbToHsiCircle(c.r, c.g, c.b, h, s, i);
        EXPECT_EQ(h, c.h) << c.r << "," << c.g << "," << c.b;
    }
}

struct Rig : ::testing::Test {
    CFrameStore store;
    SegmentationLogic logic{store};
    SegmentationResult given;

    void SetUp() override {
        store.Put_framesize(kW, kH);
        store.Put_nofframe(4);
        store.Put_nofframe_color(2);
    }
    void Colour(const cv::Vec3b& bgr) {
        store.Put_image_color(1, cv::Mat(kH, kW, CV_8UC3, cv::Scalar(bgr[0], bgr[1], bgr[2])), 0,
                              0);
        store.Put_dispmode(CFrameStore::kColorDispMode);
    }
    void Grey(int value) {
        store.Put_image(1, cv::Mat(kH, kW, CV_8UC1, cv::Scalar(value)), 0, 0);
        store.Put_dispmode(0);
    }
    int Out(int x = 0, int y = 0) const { return store.Read_pixel(2, x, y); }
};

TEST_F(Rig, FramesOutsideTheStoreAreRefused) {
    Grey(10);
    for (auto [source, output] : {std::pair{0, 0}, {5, 0}, {1, -1}, {1, 5}})
        EXPECT_FALSE(logic.Open(source, output, given)) << source << " " << output;
    ASSERT_TRUE(logic.Open(1, 0, given));
    EXPECT_EQ(logic.Fields().mode, SegmentationMode::Grey);
    EXPECT_EQ(logic.Fields().bands[0].low, 0);
    EXPECT_EQ(logic.Fields().bands[0].high, 63);
}

TEST_F(Rig, SamplingFollowsTheSquareRules) {
    Colour({10, 10, 10});
    store.Write_pixel_color(1, 14, 10, 200, 10, 10); // x - 4: inside a 9 x 9 square
    store.Write_pixel_color(1, 13, 10, 250, 10, 10); // x - 5: outside it
    given.method = kMethodRgb;
    ASSERT_TRUE(logic.Open(1, 2, given));
    logic.Fields().sampleSize = 8;
    ASSERT_TRUE(logic.SampleAt(18, 10));
    const SegmentationFields& f = logic.Fields();
    EXPECT_EQ(f.sampleSize, 9);
    EXPECT_EQ(f.sampleCount, 1);
    EXPECT_EQ((std::pair{f.bands[0].low, f.bands[0].high}), (std::pair{10, 200}));
    // Wholly outside: no sample, nothing changed; at a corner: window clamped.
    EXPECT_FALSE(logic.SampleAt(-5, 3));
    EXPECT_FALSE(logic.SampleAt(kW + 4, kH + 4));
    EXPECT_EQ(f.sampleCount, 1);
    EXPECT_EQ(store.Window().x0, 14);
    ASSERT_TRUE(logic.SampleAt(kW - 1, 0));
    EXPECT_EQ(
        (std::array{store.Window().x0, store.Window().y0, store.Window().x1, store.Window().y1}),
        (std::array{kW - 5, 0, kW - 1, 4}));
}

TEST_F(Rig, UncheckedChannelIsIgnoredByTheRun) {
    Colour({30, 200, 100}); // B G R
    given.method = kMethodRgb;
    ASSERT_TRUE(logic.Open(1, 2, given));
    SegmentationFields& f = logic.Fields();
    f.bands = {SegmentationBand{true, 90, 110}, {true, 0, 10}, {true, 20, 40}};
    f.colour = ResultColour::White;
    logic.Run();
    EXPECT_EQ(Out(), 0);
    f.bands[1].on = false;
    logic.Run();
    EXPECT_EQ(Out(), 255);
    const SegmentationBand g = logic.Accept().rgb[1]; // recorded as the run took it
    EXPECT_EQ((std::pair{g.low, g.high}), (std::pair{0, 255}));
}

TEST_F(Rig, HsiRunTakesTheWholeCircle) {
    Colour({0, 0, 255}); // red: hue 336, folded it would read 23
    given.method = kMethodHsi;
    ASSERT_TRUE(logic.Open(1, 2, given));
    SegmentationFields& f = logic.Fields();
    f.colour = ResultColour::White;
    for (auto [low, high, want] : {std::tuple{330, 340, 255}, {20, 30, 0}}) {
        f.bands = {SegmentationBand{true, low, high}, {false, 0, 0}, {false, 0, 0}};
        logic.Run();
        EXPECT_EQ(Out(), want) << low;
    }
    EXPECT_EQ(logic.Histogram(0)[336], kW * kH);
    EXPECT_EQ(logic.Accept().method, kMethodHsi);
}

TEST_F(Rig, SourceOfTheOtherKindIsDerived) {
    Grey(77); // sampled in a colour mode: the grey value in all three planes
    given.method = kMethodRgb;
    ASSERT_TRUE(logic.Open(1, 2, given));
    ASSERT_TRUE(logic.SampleAt(5, 5));
    for (const SegmentationBand& band : logic.Fields().bands)
        EXPECT_EQ((std::pair{band.low, band.high}), (std::pair{77, 77}));
    Colour({50, 100, 200}); // grey mode on a colour frame: its luminance, 124
    given.method = kMethodGrey;
    ASSERT_TRUE(logic.Open(1, 2, given));
    logic.Fields().bands[0] = {false, 124, 124};
    logic.Run(); // inside the sample square, still the processing window
    EXPECT_EQ(Out(5, 5), 0);
    logic.Fields().bands[0] = {false, 125, 200};
    logic.Run();
    EXPECT_EQ(Out(5, 5), 255);
}

TEST_F(Rig, AutomaticBandsStayOnTheScale) {
    Grey(90);
    store.Write_pixel(1, 0, 0, 200);
    struct Case {
        ResultColour colour;
        double percent;
        int low, high;
    };
    // Nothing selected: dark side t = 0 gives no band, bright side t = 256 is clamped.
    const Case cases[] = {{ResultColour::Black, 0.0, 0, -1},
                          {ResultColour::White, 0.0, 255, 255},
                          {ResultColour::White, 0.1, 200, 255}};
    for (const Case& c : cases) {
        given.method = kMethodAutoPercent;
        ASSERT_TRUE(logic.Open(1, 2, given));
        logic.Fields().colour = c.colour;
        logic.Fields().percent = c.percent;
        logic.Run();
        const SegmentationBand band = logic.Fields().bands[0];
        EXPECT_EQ((std::pair{band.low, band.high}), (std::pair{c.low, c.high})) << c.percent;
    }
    const SegmentationResult record = logic.Accept();
    EXPECT_EQ(record.method, kMethodAutoPercent);
    EXPECT_TRUE(record.accepted);
}

TEST_F(Rig, AcceptedBandsReturnOnTheNextOpening) {
    Grey(10);
    ASSERT_TRUE(logic.Open(1, 0, given));
    logic.Fields().bands[0] = {false, 20, 40};
    given = logic.Accept();
    SegmentationLogic again(store);
    ASSERT_TRUE(again.Open(1, 0, given));
    EXPECT_EQ((std::pair{again.Fields().bands[0].low, again.Fields().bands[0].high}),
              (std::pair{20, 40}));
    ASSERT_TRUE(again.ChangeView()); // 常规 preview: a palette, no frame changed
    EXPECT_EQ(store.Read_pixel(1, 0, 0), 10);
}

} // namespace
