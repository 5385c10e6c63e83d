#pragma once

#include "FrameWindow.h"
#include "TrackParams.h"

#include <cstdint>
#include <opencv2/core.hpp>
#include <vector>

// The lean path of the extraction pipeline for the common cases (grey band
// without filter, colour bands): finds the 8-connected blobs of in-band
// pixels of one processing window straight from the image planes, by runs,
// without writing a work frame. Its blobs, their order (raster order of the
// first pixel), areas and centres (mean pixel coordinates) are exactly those
// of the band threshold, noise removal and Mass_center primitives, whose
// target pixels are the in-band pixels whatever the target value. The band
// test is one vectorisable pass into a reused mask; the runs skip background
// eight pixels at a time. Buffers are kept between calls, so
// tracking allocates nothing per window.
class WindowBlobFinder {
public:
    // One blob in image pixels: its centre as Report gives it, its area and
    // the inclusive box around its pixels.
    struct Found {
        float x = 0.0f;
        float y = 0.0f;
        int area = 0;
        kova::FrameWindow box;
    };

    // Blobs of the pixels of `plane` inside the window whose value lies in
    // [low, high] (given in either order). Returns the blob count.
    int FindGrey(const cv::Mat& plane, const kova::FrameWindow& window, int low, int high);
    // Blobs of the pixels whose R, G and B each lie in their band (R low,
    // R high, G low, G high, B low, B high).
    int FindColour(const cv::Mat& r, const cv::Mat& g, const cv::Mat& b,
                   const kova::FrameWindow& window, const int bands[6]);
    // Drops blobs as the noise remover does: small ones (areas up to area0),
    // large ones (from area1 up) or both.
    void RemoveNoise(TrackParams::NoiseRemover mode, int area0, int area1);

    int Count() const { return static_cast<int>(blobs_.size()); }
    // Centres (x, y pairs, image pixels) and areas of the first
    // min(Count(), maxCount) blobs.
    void Report(int maxCount, std::vector<float>& centres, std::vector<float>& areas) const;
    // Blob k, 0 .. Count() - 1.
    Found At(int k) const;
    // The window of the last search.
    const kova::FrameWindow& Window() const { return window_; }
    // The pixels of the blobs the noise removal kept, row by row over the
    // window: 1 for a blob pixel, 0 otherwise. For looking, not for tracking.
    void KeptPixels(std::vector<std::uint8_t>& mask) const;

private:
    struct Run {
        int x0;
        int x1;
        int y;
    };
    struct Blob {
        std::int64_t area;
        std::int64_t sumX;
        std::int64_t sumY;
        int label;  // the blob's number before the noise removal
        int x0, x1; // box in window pixels; the rows come from the runs
        int y0, y1;
    };

    int FindRuns();
    void JoinRows(std::size_t aboveStart, std::size_t aboveEnd, std::size_t rowStart,
                  std::size_t rowEnd);
    int Root(int run);
    void Join(int a, int b);
    int Collect();

    kova::FrameWindow window_;
    std::vector<Run> runs_;
    std::vector<int> parent_;
    std::vector<int> blobOfRun_;
    std::vector<Blob> blobs_;
    int labels_ = 0;                 // blobs found before the noise removal
    std::vector<std::uint8_t> mask_; // in-band pixels of the window (1), reused
};
