#pragma once

#include <opencv2/core.hpp>
#include <vector>

// The reference tracker of the benchmarks: normalised cross-correlation of
// a template cut around each target in the first frame (OpenCV
// matchTemplate), searched in a window around the linearly predicted
// position, as common motion-analysis tools track. Buffers are reused.
class NccTracker {
public:
    // Templates of side `templateSide` around the positions in `first`
    // (8-bit grey); search windows of `window` x `window` pixels.
    void Start(const cv::Mat& first, const std::vector<cv::Point2f>& positions, int templateSide,
               int window);
    // Finds every target in the next frame; positions are updated.
    void Track(const cv::Mat& frame);
    const std::vector<cv::Point2f>& Positions() const { return p1_; }

private:
    cv::Rect Clip(const cv::Mat& image, float x, float y, int side) const;

    std::vector<cv::Mat> templates_;
    std::vector<cv::Point2f> p0_;
    std::vector<cv::Point2f> p1_;
    int window_ = 41;
    int frames_ = 0;
    cv::Mat result_;
};
