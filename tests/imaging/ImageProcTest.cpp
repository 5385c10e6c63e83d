// The processing primitives against plain brute-force references on random
// images, always inside a window that leaves a margin of the frame untouched.
#include "CFrameStore.h"
#include "CImageProc.h"
#include "ImageTool.h"

#include <cmath>
#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>
#include <random>

namespace kova {
namespace {

constexpr int kW = 64;
constexpr int kH = 48;
const FrameWindow kWindow{7, 5, 50, 40};

struct RefBlob {
    double cx;
    double cy;
    int area;
};

// The blobs of `target` inside the window, numbered in raster order of their
// first pixel (OpenCV's own labelling, which the code under test does not use).
std::vector<RefBlob> ReferenceBlobs(const cv::Mat& frame, const FrameWindow& w, int target,
                                    int connectivity, cv::Mat* labels = nullptr) {
    const cv::Rect rect(w.x0, w.y0, w.Width(), w.Height());
    cv::Mat inside = frame(rect) == target, label, stats, centres;
    const int n = cv::connectedComponentsWithStats(inside, label, stats, centres, connectivity);
    std::vector<int> order(static_cast<size_t>(n), 0);
    int next = 0;
    for (int& id : cv::Mat_<int>(label)) {
        if (id != 0 && order[static_cast<size_t>(id)] == 0) order[static_cast<size_t>(id)] = ++next;
        id = order[static_cast<size_t>(id)];
    }
    std::vector<RefBlob> blobs(static_cast<size_t>(next));
    for (int i = 1; i < n; ++i)
        blobs[static_cast<size_t>(order[static_cast<size_t>(i)] - 1)] = {
            centres.at<double>(i, 0) + w.x0, centres.at<double>(i, 1) + w.y0,
            stats.at<int>(i, cv::CC_STAT_AREA)};
    if (labels != nullptr) {
        *labels = cv::Mat::zeros(frame.size(), CV_32SC1);
        label.copyTo((*labels)(rect));
    }
    return blobs;
}

// A random binary frame (0/255) with the given density of 255.
cv::Mat RandomBinary(unsigned seed, double density) {
    std::mt19937 random(seed);
    std::bernoulli_distribution on(density);
    cv::Mat frame(kH, kW, CV_8UC1);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x)
            frame.at<uchar>(y, x) = on(random) ? 255 : 0;
    }
    return frame;
}

class ImageProcTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.Put_framesize(kW, kH);
        store.Put_image(9, cv::Mat(kH, kW, CV_8UC1, cv::Scalar(17)), 0, 0); // untouched marker
        store.Put_window(kWindow.x0, kWindow.y0, kWindow.x1, kWindow.y1);
    }
    // Puts `source` into frame 1 and fills frame 0 with a marker value.
    void Load(const cv::Mat& source) {
        store.Put_window_full();
        store.Put_image(1, source, 0, 0);
        store.Put_image(0, cv::Mat(kH, kW, CV_8UC1, cv::Scalar(17)), 0, 0);
        store.Put_window(kWindow.x0, kWindow.y0, kWindow.x1, kWindow.y1);
    }
    // Checks frame 0 against `expected(value)` inside the window and the
    // marker outside it.
    template <typename F> void ExpectPerPixel(const cv::Mat& source, F expected) {
        const cv::Mat out = store.Get_image(0);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                const int want = kWindow.Contains(x, y) ? expected(source.at<uchar>(y, x)) : 17;
                ASSERT_EQ(out.at<uchar>(y, x), want) << x << "," << y;
            }
        }
    }

    CFrameStore store;
    CImageProc proc{store};
};

TEST_F(ImageProcTest, ThresholdsAndReverseActInsideTheWindow) {
    const cv::Mat source = test::RandomImage(kW, kH, 1, 1);
    Load(source);
    ASSERT_EQ(proc.Twovalue_ext(1, 0, 90, 160), CImageProc::kOk);
    ExpectPerPixel(source, [](int v) { return v >= 90 && v <= 160 ? 0 : 255; });
    ASSERT_EQ(proc.Twovalue_ext(1, 0, 160, 90), CImageProc::kOk); // band given high first
    ExpectPerPixel(source, [](int v) { return v >= 90 && v <= 160 ? 0 : 255; });
    ASSERT_EQ(proc.Twovalue(1, 0, 128), CImageProc::kOk);
    ExpectPerPixel(source, [](int v) { return v >= 128 ? 255 : 0; });
    ASSERT_EQ(proc.Reverse(1, 0), CImageProc::kOk);
    ExpectPerPixel(source, [](int v) { return 255 - v; });
    EXPECT_EQ(proc.Reverse(1, 99999), CImageProc::kBadFrame);
}

TEST_F(ImageProcTest, PercentileSelectsAtLeastThePercentageOnTheTargetSide) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const cv::Mat source = test::RandomImage(kW, kH, 1, seed);
        Load(source);
        const double percent = (seed * 37) % 101;
        const cv::Mat window =
            source(cv::Rect(kWindow.x0, kWindow.y0, kWindow.Width(), kWindow.Height()));
        const long need = std::lround(percent / 100.0 * static_cast<double>(window.total()));
        int t = -1, want = 256;
        ASSERT_EQ(proc.Auto_twovalue_percent(1, 0, 255, percent, t), CImageProc::kOk);
        while (cv::countNonZero(window >= want) < need)
            --want;
        EXPECT_EQ(t, want) << "bright " << percent;
        ExpectPerPixel(source, [t](int v) { return v >= t ? 0 : 255; });
        ASSERT_EQ(proc.Auto_twovalue_percent(1, 0, 0, percent, t), CImageProc::kOk);
        for (want = 0; cv::countNonZero(window < want) < need;)
            ++want;
        EXPECT_EQ(t, want) << "dark " << percent;
        ExpectPerPixel(source, [t](int v) { return v < t ? 0 : 255; });
    }
}

TEST_F(ImageProcTest, ModeMethodFindsTheValleyOfABimodalWindow) {
    std::mt19937 random(4);
    std::normal_distribution<double> dark(60, 8), bright(190, 8);
    cv::Mat source(kH, kW, CV_8UC1);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double v = (x + y) % 3 == 0 ? bright(random) : dark(random);
            source.at<uchar>(y, x) = cv::saturate_cast<uchar>(v);
        }
    }
    Load(source);
    int t = -1;
    ASSERT_EQ(proc.Auto_twovalue_mode(1, 0, t), CImageProc::kOk);
    EXPECT_GT(t, 100); // the middle of the empty valley
    EXPECT_LT(t, 150);
    ExpectPerPixel(source, [t](int v) { return v > t ? 255 : 0; });
}

TEST_F(ImageProcTest, MassCenterMatchesFloodFill) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        const cv::Mat source = RandomBinary(seed, 0.2 + 0.02 * seed);
        Load(source);
        for (int connectivity : {8, 4}) {
            for (int target : {255, 0}) {
                const auto ref = ReferenceBlobs(source, kWindow, target, connectivity);
                int count = -1;
                std::vector<float> centres, areas;
                ASSERT_EQ(
                    proc.Mass_center(1, 1, target, connectivity, 0, 64, count, centres, areas),
                    CImageProc::kOk);
                ASSERT_EQ(count, static_cast<int>(ref.size()));
                const size_t shown = std::min<size_t>(ref.size(), 64);
                ASSERT_EQ(areas.size(), shown);
                for (size_t k = 0; k < shown; ++k) {
                    EXPECT_EQ(areas[k], ref[k].area);
                    EXPECT_NEAR(centres[2 * k], ref[k].cx, 1e-6 * ref[k].cx);
                    EXPECT_NEAR(centres[2 * k + 1], ref[k].cy, 1e-6 * ref[k].cy);
                }
            }
        }
    }
    int count = 0;
    std::vector<float> centres, areas;
    EXPECT_EQ(proc.Mass_center(1, 0, 255, 6, 0, 64, count, centres, areas),
              CImageProc::kBadArgument);
}

TEST_F(ImageProcTest, NoiseRemoverMatchesFloodFill) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const cv::Mat source = RandomBinary(seed + 100, 0.35);
        const int target = seed % 2 ? 255 : 0;
        const int mode = static_cast<int>(seed / 2 % 2);
        const int limit = 1 + static_cast<int>(seed % 5);
        Load(source);
        cv::Mat labels;
        const auto ref = ReferenceBlobs(source, kWindow, target, 8, &labels);
        // Limits 1..5 meet blobs of exactly that area.
        ASSERT_EQ(proc.Noise_remover(1, 0, target, 8, mode, limit), CImageProc::kOk);
        const cv::Mat out = store.Get_image(0);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                const int id = kWindow.Contains(x, y) ? labels.at<int>(y, x) : 0;
                int want = kWindow.Contains(x, y) ? source.at<uchar>(y, x) : 17;
                if (id != 0) {
                    const int area = ref[static_cast<size_t>(id - 1)].area;
                    if (mode == 0 ? area <= limit : area >= limit) want = 255 - target;
                }
                ASSERT_EQ(out.at<uchar>(y, x), want) << x << "," << y;
            }
        }
    }
}

TEST_F(ImageProcTest, ColourExtraction) {
    const cv::Mat colour = test::RandomImage(kW, kH, 3, 8);
    store.Put_image_color(1, colour, 0, 0);
    Load(cv::Mat(kH, kW, CV_8UC1, cv::Scalar(0))); // frame 0 holds the marker
    auto check = [&](auto inside, int target) {
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                const cv::Vec3b p = colour.at<cv::Vec3b>(y, x);
                const int want = !kWindow.Contains(x, y)    ? 17
                                 : inside(p[2], p[1], p[0]) ? target
                                                            : 255 - target;
                ASSERT_EQ(store.Read_pixel(0, x, y), want) << x << "," << y;
            }
        }
    };
    ASSERT_EQ(proc.Extract_rgb_color(1, 0, 255, 30, 200, 0, 255, 100, 120), CImageProc::kOk);
    check([](int r, int, int b) { return r >= 30 && r <= 200 && b >= 100 && b <= 120; }, 255);
    ASSERT_EQ(proc.Extract_rgb_color_ext(1, 0, 0, 200, 30, 50, 60, 0, 255), CImageProc::kOk);
    check([](int r, int g, int) { return r >= 30 && r <= 200 && g >= 50 && g <= 60; }, 0);
    ASSERT_EQ(proc.Extract_hsi_color(1, 0, 255, 20, 120, 40, 200, 50, 180), CImageProc::kOk);
    check(
        [](int r, int g, int b) {
            int h, s, i;
            CImageProc::RgbToHsi(r, g, b, h, s, i);
            return h >= 20 && h <= 120 && s >= 40 && s <= 200 && i >= 50 && i <= 180;
        },
        255);
}

TEST(ImageProcHsiTest, ConversionFollowsTheSamplingFormula) {
    // Red: C1 = 178.755, C2 = -76.245; blue: C1 = -29.07, C2 = 225.93.
    const std::vector<int> want[] = {
        {255, 0, 0, 23, 194, 76}, {0, 0, 255, 97, 227, 29}, {0, 0, 0, 0, 0, 0}};
    for (const auto& w : want) {
        std::vector<int> got{w[0], w[1], w[2], -1, -1, -1};
        CImageProc::RgbToHsi(w[0], w[1], w[2], got[3], got[4], got[5]);
        EXPECT_EQ(got, w);
    }
}

TEST_F(ImageProcTest, FilterConvolvesInPlaceWithTheFrameAroundTheWindow) {
    const cv::Mat source = test::RandomImage(kW, kH, 1, 12);
    Load(source);
    // Convolution: four times the pixel less its left and lower neighbours, halved
    // and clamped; the frame edge is replicated, the frame beyond the window is used.
    const float kernel[9] = {0, -2, 0, 0, 8, -2, 0, 0, 0};
    store.Put_window(0, 0, 20, 15);
    ASSERT_EQ(proc.Filter_general(1, 1, 3, kernel, 2.0f), CImageProc::kOk);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const int v = source.at<uchar>(y, x);
            const int want = x <= 20 && y <= 15
                                 ? std::clamp(4 * v - source.at<uchar>(y, std::max(x - 1, 0)) -
                                                  source.at<uchar>(y + 1, x),
                                              0, 255)
                                 : v;
            ASSERT_EQ(store.Read_pixel(1, x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(proc.Filter_general(1, 0, 5, kernel, 1.0f), CImageProc::kBadArgument);
    EXPECT_EQ(proc.Filter_general(1, 0, 3, kernel, 0.0f), CImageProc::kBadArgument);
}

} // namespace
} // namespace kova
