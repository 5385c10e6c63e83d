#pragma once

#include <vector>

// A parametric cubic spline in chord length through a row of points, x and
// y with the same parameter, sampled at 32 steps per interval. Long rows are
// built in overlapping windows of at most 13 points; a zero-length interval
// splits the row into independent pieces and stays at its point.
class SplineCurve {
public:
    static constexpr int kSteps = 32;

    // Builds the curve; false when memory runs out. Fewer than two points
    // give an empty curve.
    bool Build(const std::vector<float>& xs, const std::vector<float>& ys);

    int IntervalCount() const { return static_cast<int>(intervals_.size()); }
    // Chord length of an interval, as stored (float).
    float Chord(int interval) const { return intervals_[Index(interval)].h; }
    // 32 * intervals + 1 samples; the end sample of an interval is the start
    // sample of the next.
    int SampleCount() const { return static_cast<int>(sampleX_.size()); }
    float SampleX(int index) const { return sampleX_[static_cast<std::size_t>(index)]; }
    float SampleY(int index) const { return sampleY_[static_cast<std::size_t>(index)]; }
    // The cubic of an interval at parameter t in [0, chord].
    void Evaluate(int interval, double t, double* x, double* y) const;

private:
    struct Cubic {
        double x0 = 0, mx = 0, cx = 0, dx = 0;
        double y0 = 0, my = 0, cy = 0, dy = 0;
        float h = 0;
    };

    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    void BuildPiece(const std::vector<float>& xs, const std::vector<float>& ys, int first,
                    int count);
    void BuildWindow(const std::vector<float>& xs, const std::vector<float>& ys, int first,
                     int count, int fromInterval, int toInterval);
    void Sample();

    std::vector<Cubic> intervals_;
    std::vector<float> sampleX_;
    std::vector<float> sampleY_;
};
