#include "DemoSequence.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSwingPeriod = 40.0; // frames per step cycle
constexpr double kMaxSpeed = 3.0;     // walking speed limit, pixels a frame

// Joint offsets from the body centre, in units of the 640 x 480 figure.
struct Joint {
    double x;
    double y;
    double swingX; // horizontal swing amplitude
    double swingY;
    double phase; // 0 arms, pi legs
};
constexpr Joint kJoints[DemoSequence::kBodyMarkers] = {
    {0, -150, 0, 0, 0},     // head
    {-55, -100, 0, 0, 0},   // left shoulder
    {55, -100, 0, 0, 0},    // right shoulder
    {-95, -55, 12, 0, 0},   // left elbow
    {95, -55, -12, 0, 0},   // right elbow
    {-125, -5, 22, 4, 0},   // left wrist
    {125, -5, -22, 4, 0},   // right wrist
    {-35, 15, 0, 0, 0},     // left hip
    {35, 15, 0, 0, 0},      // right hip
    {-50, 100, 10, 0, kPi}, // left knee
    {50, 100, -10, 0, kPi}, // right knee
    {-60, 185, 18, 3, kPi}, // left ankle
    {60, 185, -18, 3, kPi}, // right ankle
};
// Limbs drawn between joints.
constexpr int kLimbs[][2] = {{0, 1}, {0, 2}, {1, 2}, {1, 3}, {3, 5},  {2, 4},  {4, 6},
                             {1, 7}, {2, 8}, {7, 8}, {7, 9}, {9, 11}, {8, 10}, {10, 12}};
constexpr int kLimbGrey = 125;
const cv::Scalar kLimbColour(140, 100, 80); // BGR
constexpr int kBackingValue = 40;
constexpr double kNoiseSigma = 3.0;

// Pixel value blended towards `value` by coverage.
uchar Blend(uchar base, int value, double coverage) {
    const double v = base * (1.0 - coverage) + value * coverage;
    return static_cast<uchar>(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

DemoSequence::DemoSequence(const Options& options) : options_(options) {
    options_.markers = std::clamp(options_.markers, 1, kMaxMarkers);
    scale_ = std::min(options_.width / 640.0, options_.height / 480.0);
    radius_ = 7.0 * scale_;
    MakeTexture();
}

void DemoSequence::MakeTexture() {
    const int w = options_.width;
    const int h = options_.height;
    cv::Mat grey(h, w, CV_8UC1);
    cv::RNG rng(options_.seed * 7919u + 17u);
    for (int y = 0; y < h; ++y) {
        uchar* row = grey.ptr<uchar>(y);
        for (int x = 0; x < w; ++x) {
            const double v = 95.0 +
                             25.0 * std::sin(x / (23.0 * scale_)) * std::cos(y / (31.0 * scale_)) +
                             15.0 * std::sin((x + y) / (11.0 * scale_)) + rng.uniform(-8.0, 8.0);
            row[x] = static_cast<uchar>(std::lround(v));
        }
    }
    if (!options_.colour) {
        texture_ = grey;
        return;
    }
    cv::Mat planes[3];
    grey.convertTo(planes[0], CV_8U, 0.7, 20.0); // B
    grey.convertTo(planes[1], CV_8U, 1.0, 0.0);  // G
    grey.convertTo(planes[2], CV_8U, 0.9, 10.0); // R
    cv::merge(planes, 3, texture_);
}

DemoSequence::Point DemoSequence::Truth(int frame, int marker) const {
    const double w = options_.width;
    const double h = options_.height;
    const double s = scale_;
    Point p;
    if (marker >= kBodyMarkers) {
        // Fixed reference markers: a row near the top, then one near the bottom.
        const int index = marker - kBodyMarkers;
        const int row = index / 12;
        const int column = index % 12;
        p.x = w * (column + 1) / 13.0 + 0.37;
        p.y = row == 0 ? 34.0 * s + 0.21 : h - 34.0 * s - 0.33;
        return p;
    }
    // The walk covers 40 % of the width, at most 3 pixels (at 640 x 480) a
    // frame, so that the first frames, which are searched without prediction,
    // still see each marker whole inside its window.
    const int n = std::max(options_.frames, 2);
    const double speed = std::min(0.4 * w / (n - 1), kMaxSpeed * s);
    const double cx = w * 0.3 + speed * frame;
    const double cy = h * 0.5 - 17.0 * s + 4.0 * s * std::sin(2.0 * kPi * frame / 20.0);
    const double phi = 2.0 * kPi * frame / kSwingPeriod;
    const Joint& j = kJoints[marker];
    p.x = cx + s * (j.x + j.swingX * std::sin(phi + j.phase));
    p.y = cy + s * (j.y + j.swingY * std::cos(phi + j.phase));
    // The left wrist passes behind the body for three frames at a third of
    // the sequence, the right knee at two thirds.
    if (options_.frames >= 12) {
        const int hideWrist = options_.frames / 3;
        const int hideKnee = 2 * options_.frames / 3;
        if (marker == 5 && frame >= hideWrist && frame < hideWrist + 3) p.visible = false;
        if (marker == 10 && frame >= hideKnee && frame < hideKnee + 3) p.visible = false;
    }
    return p;
}

double DemoSequence::Coverage(double px, double py, double cx, double cy, double r) {
    const double dx = std::fabs(px - cx);
    const double dy = std::fabs(py - cy);
    const double farX = dx + 0.5, farY = dy + 0.5;
    if (farX * farX + farY * farY <= r * r) return 1.0;
    const double nearX = std::max(dx - 0.5, 0.0), nearY = std::max(dy - 0.5, 0.0);
    if (nearX * nearX + nearY * nearY >= r * r) return 0.0;
    // Integrate the vertical overlap of the disc's chord with the pixel.
    constexpr int kSteps = 64;
    double area = 0.0;
    for (int i = 0; i < kSteps; ++i) {
        const double x = px - 0.5 + (i + 0.5) / kSteps;
        const double u = x - cx;
        const double half2 = r * r - u * u;
        if (half2 <= 0.0) continue;
        const double half = std::sqrt(half2);
        const double top = std::min(py + 0.5, cy + half);
        const double bottom = std::max(py - 0.5, cy - half);
        if (top > bottom) area += (top - bottom) / kSteps;
    }
    return area;
}

void DemoSequence::DrawDisc(cv::Mat& image, double cx, double cy, double r, int value) const {
    const int x0 = std::max(0, static_cast<int>(std::floor(cx - r - 1)));
    const int x1 = std::min(image.cols - 1, static_cast<int>(std::ceil(cx + r + 1)));
    const int y0 = std::max(0, static_cast<int>(std::floor(cy - r - 1)));
    const int y1 = std::min(image.rows - 1, static_cast<int>(std::ceil(cy + r + 1)));
    const int channels = image.channels();
    for (int y = y0; y <= y1; ++y) {
        uchar* row = image.ptr<uchar>(y);
        for (int x = x0; x <= x1; ++x) {
            const double c = Coverage(x, y, cx, cy, r);
            if (c <= 0.0) continue;
            for (int k = 0; k < channels; ++k)
                row[x * channels + k] = Blend(row[x * channels + k], value, c);
        }
    }
}

void DemoSequence::Render(int frame, cv::Mat& image) const {
    texture_.copyTo(image);
    const int thickness = std::max(2, static_cast<int>(std::lround(6.0 * scale_)));
    const cv::Scalar limb = options_.colour ? kLimbColour : cv::Scalar(kLimbGrey);
    const int markers = std::min(options_.markers, kBodyMarkers);
    Point joints[kBodyMarkers];
    for (int m = 0; m < kBodyMarkers; ++m)
        joints[m] = Truth(frame, m);
    for (const auto& limbPair : kLimbs) {
        const Point& a = joints[limbPair[0]];
        const Point& b = joints[limbPair[1]];
        cv::line(image, cv::Point(static_cast<int>(a.x), static_cast<int>(a.y)),
                 cv::Point(static_cast<int>(b.x), static_cast<int>(b.y)), limb, thickness,
                 cv::LINE_AA);
    }
    for (int m = 0; m < options_.markers; ++m) {
        const Point p = m < markers ? joints[m] : Truth(frame, m);
        if (!p.visible) continue;
        DrawDisc(image, p.x, p.y, radius_ + 2.5 * scale_, kBackingValue);
        DrawDisc(image, p.x, p.y, radius_, kMarkerValue);
    }
    cv::Mat noise(image.size(), CV_MAKETYPE(CV_16S, image.channels()));
    cv::RNG rng(options_.seed * 104729u + static_cast<unsigned>(frame));
    rng.fill(noise, cv::RNG::NORMAL, 0.0, kNoiseSigma);
    cv::Mat sum;
    image.convertTo(sum, noise.type());
    sum += noise;
    sum.convertTo(image, image.type());
}
