#pragma once

#include "ConnectionLines.h"

#include <cstdint>
#include <vector>

class CPointDataFile;

// One connection line of one figure, its ends already shifted by the
// figure's step and truncated to whole pixels.
struct StickSegment {
    std::int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int colour = 0;
};

// The figures of the chosen frames side by side: the k-th frame of the
// selection is shifted by k steps. The content area spans every drawn end
// with a margin of 20 pixels on every side. Positions are 64-bit, so no
// step or frame count can overflow them.
class StickFigure {
public:
    static constexpr int kMargin = 20;
    // Largest magnified content side the window draws.
    static constexpr double kMaxSide = 32767;

    StickFigure() = default;
    // The lines of `frames` (0-based, in selection order). A line with an end
    // that cannot be read (no such target or frame, a coordinate that is not
    // a finite pixel position) is left out and does not count for the area.
    static StickFigure Build(const CPointDataFile& track, const std::vector<ConnectionLine>& lines,
                             const std::vector<int>& frames, int xStep, int yStep);

    const std::vector<StickSegment>& Segments() const { return segments_; }
    // Top left of the drawn ends; (0, 0) when nothing is drawn.
    std::int64_t OriginX() const { return originX_; }
    std::int64_t OriginY() const { return originY_; }
    // The content size with its margins, at magnification 1.
    std::int64_t Width() const { return width_; }
    std::int64_t Height() const { return height_; }
    // `magnification`, or the largest one that keeps both magnified sides
    // within kMaxSide when it is larger.
    double AllowedMagnification(double magnification) const;

private:
    void Include(std::int64_t x, std::int64_t y);

    std::vector<StickSegment> segments_;
    std::int64_t originX_ = 0, originY_ = 0;
    std::int64_t maxX_ = 0, maxY_ = 0;
    std::int64_t width_ = 2 * kMargin + 1, height_ = 2 * kMargin + 1;
};
