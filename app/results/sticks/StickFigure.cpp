#include "StickFigure.h"

#include "CPointDataFile.h"

#include <algorithm>
#include <cmath>

namespace {

// Image coordinates beyond this are not positions a measurement can hold.
constexpr double kLargestCoordinate = 1e9;

bool ReadEnd(const CPointDataFile& track, int target, int frame, double* x, double* y) {
    XY_TRACK point{};
    if (!track.GetPoint(target, frame, &point)) return false;
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return false;
    if (std::fabs(point.x) > kLargestCoordinate || std::fabs(point.y) > kLargestCoordinate)
        return false;
    *x = point.x;
    *y = point.y;
    return true;
}

// The shifted position truncated to a whole pixel; exact in a double, as
// both terms stay far below 2^53.
std::int64_t Shifted(double value, std::int64_t shift) {
    return static_cast<std::int64_t>(value + static_cast<double>(shift));
}

} // namespace

StickFigure StickFigure::Build(const CPointDataFile& track,
                               const std::vector<ConnectionLine>& lines,
                               const std::vector<int>& frames, int xStep, int yStep) {
    StickFigure figure;
    bool any = false;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const auto shiftX = static_cast<std::int64_t>(k) * xStep;
        const auto shiftY = static_cast<std::int64_t>(k) * yStep;
        for (const ConnectionLine& line : lines) {
            double ax = 0, ay = 0, bx = 0, by = 0;
            if (!ReadEnd(track, line.first, frames[k], &ax, &ay) ||
                !ReadEnd(track, line.second, frames[k], &bx, &by))
                continue;
            const StickSegment segment{Shifted(ax, shiftX), Shifted(ay, shiftY),
                                       Shifted(bx, shiftX), Shifted(by, shiftY), line.colour};
            if (!any) {
                figure.originX_ = figure.maxX_ = segment.x1;
                figure.originY_ = figure.maxY_ = segment.y1;
                any = true;
            }
            figure.Include(segment.x1, segment.y1);
            figure.Include(segment.x2, segment.y2);
            figure.segments_.push_back(segment);
        }
    }
    figure.width_ = figure.maxX_ - figure.originX_ + 2 * kMargin + 1;
    figure.height_ = figure.maxY_ - figure.originY_ + 2 * kMargin + 1;
    return figure;
}

void StickFigure::Include(std::int64_t x, std::int64_t y) {
    originX_ = std::min(originX_, x);
    originY_ = std::min(originY_, y);
    maxX_ = std::max(maxX_, x);
    maxY_ = std::max(maxY_, y);
}

double StickFigure::AllowedMagnification(double magnification) const {
    const auto side = static_cast<double>(std::max(width_, height_));
    return side * magnification > kMaxSide ? kMaxSide / side : magnification;
}
