#pragma once

#include <opencv2/core.hpp>
#include <vector>

// The synthetic demo sequence: a figure with bright round markers on its
// joints walking across a textured, noisy background, with optional fixed
// reference markers above and below it. Two markers hide for three frames
// each (when the sequence is long enough). Markers are discs on a dark
// backing, rendered by exact area coverage, so the true centres are known to
// the sub-pixel and a band threshold finds them without bias. Pixel (i, j)
// covers [i - 0.5, i + 0.5] x [j - 0.5, j + 0.5], so a centre is in the
// coordinates blob centres are measured in.
class DemoSequence {
public:
    static constexpr int kBodyMarkers = 13;
    static constexpr int kMaxMarkers = kBodyMarkers + 24;
    static constexpr int kMarkerValue = 250;

    struct Options {
        int width = 640;
        int height = 480;
        int frames = 60;
        bool colour = false;
        int markers = kBodyMarkers;
        unsigned seed = 1;
    };

    struct Point {
        double x = 0.0;
        double y = 0.0;
        bool visible = true;
    };

    explicit DemoSequence(const Options& options);

    const Options& GetOptions() const { return options_; }
    int MarkerCount() const { return options_.markers; }
    double Radius() const { return radius_; }
    // Truth of a marker (0-based) in a frame (0-based).
    Point Truth(int frame, int marker) const;
    // Renders a frame as 8-bit grey or 8-bit BGR into `image`.
    void Render(int frame, cv::Mat& image) const;

    // Area of the disc (cx, cy, r) inside the unit pixel centred on (px, py).
    static double Coverage(double px, double py, double cx, double cy, double r);

private:
    void MakeTexture();
    void DrawDisc(cv::Mat& image, double cx, double cy, double r, int value) const;

    Options options_;
    double scale_ = 1.0;
    double radius_ = 5.0;
    cv::Mat texture_;
};
