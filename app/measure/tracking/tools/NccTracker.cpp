#include "NccTracker.h"

#include <algorithm>
#include <opencv2/imgproc.hpp>

cv::Rect NccTracker::Clip(const cv::Mat& image, float x, float y, int side) const {
    const int x0 = static_cast<int>(x) - side / 2;
    const int y0 = static_cast<int>(y) - side / 2;
    return cv::Rect(x0, y0, side, side) & cv::Rect(0, 0, image.cols, image.rows);
}

void NccTracker::Start(const cv::Mat& first, const std::vector<cv::Point2f>& positions,
                       int templateSide, int window) {
    window_ = window;
    frames_ = 0;
    templates_.clear();
    for (const cv::Point2f& p : positions)
        templates_.push_back(first(Clip(first, p.x, p.y, templateSide)).clone());
    p0_ = positions;
    p1_ = positions;
}

void NccTracker::Track(const cv::Mat& frame) {
    ++frames_;
    for (std::size_t i = 0; i < p1_.size(); ++i) {
        cv::Point2f search = p1_[i];
        if (frames_ > 2) search = p1_[i] + (p1_[i] - p0_[i]);
        const cv::Rect area = Clip(frame, search.x, search.y, window_);
        const cv::Mat& templ = templates_[i];
        p0_[i] = p1_[i];
        if (area.width < templ.cols || area.height < templ.rows) continue;
        cv::matchTemplate(frame(area), templ, result_, cv::TM_CCOEFF_NORMED);
        cv::Point best;
        cv::minMaxLoc(result_, nullptr, nullptr, nullptr, &best);
        p1_[i] = cv::Point2f(static_cast<float>(area.x + best.x) + (templ.cols - 1) / 2.0f,
                             static_cast<float>(area.y + best.y) + (templ.rows - 1) / 2.0f);
    }
}
