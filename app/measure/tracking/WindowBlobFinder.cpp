#include "WindowBlobFinder.h"

#include <algorithm>
#include <cstring>
#include <opencv2/core.hpp>

namespace {

// A band of pixel values as one unsigned comparison, which vectorises.
struct Band {
    std::uint8_t low;
    std::uint8_t span;
    Band(int a, int b) {
        const int lo = std::clamp(std::min(a, b), 0, 256);
        const int hi = std::clamp(std::max(a, b), -1, 255);
        empty = hi < lo;
        low = static_cast<std::uint8_t>(empty ? 0 : lo);
        span = static_cast<std::uint8_t>(empty ? 0 : hi - lo);
    }
    std::uint8_t Holds(std::uint8_t v) const {
        return static_cast<std::uint8_t>(!empty & (static_cast<std::uint8_t>(v - low) <= span));
    }
    bool empty;
};

} // namespace

int WindowBlobFinder::Root(int run) {
    while (parent_[static_cast<std::size_t>(run)] != run) {
        const int up = parent_[static_cast<std::size_t>(parent_[static_cast<std::size_t>(run)])];
        parent_[static_cast<std::size_t>(run)] = up;
        run = up;
    }
    return run;
}

// The earlier run stays the root, so a blob's root is its first run.
void WindowBlobFinder::Join(int a, int b) {
    a = Root(a);
    b = Root(b);
    if (a < b) {
        parent_[static_cast<std::size_t>(b)] = a;
    } else if (b < a) {
        parent_[static_cast<std::size_t>(a)] = b;
    }
}

// Joins the runs of one row with the 8-connected runs of the row above;
// both lists are sorted by x.
void WindowBlobFinder::JoinRows(std::size_t aboveStart, std::size_t aboveEnd, std::size_t rowStart,
                                std::size_t rowEnd) {
    std::size_t p = aboveStart;
    for (std::size_t c = rowStart; c < rowEnd; ++c) {
        const Run& run = runs_[c];
        while (p < aboveEnd && runs_[p].x1 < run.x0 - 1)
            ++p;
        for (std::size_t q = p; q < aboveEnd && runs_[q].x0 <= run.x1 + 1; ++q)
            Join(static_cast<int>(q), static_cast<int>(c));
    }
}

// Cuts every row of the in-band mask into runs, skipping background eight
// bytes at a time, and joins them with the runs of the row above.
int WindowBlobFinder::FindRuns() {
    runs_.clear();
    parent_.clear();
    std::size_t aboveStart = 0;
    std::size_t aboveEnd = 0;
    const int width = window_.Width();
    for (int y = 0; y < window_.Height(); ++y) {
        const std::size_t rowStart = runs_.size();
        const std::uint8_t* m = mask_.data() + static_cast<std::size_t>(y) * width;
        int x = 0;
        while (x < width) {
            std::uint64_t word = 0;
            while (x + 8 <= width && (std::memcpy(&word, m + x, 8), word == 0))
                x += 8;
            while (x < width && m[x] == 0)
                ++x;
            if (x >= width) break;
            const int start = x;
            while (x < width && m[x] != 0)
                ++x;
            runs_.push_back(Run{start, x - 1, y});
            parent_.push_back(static_cast<int>(parent_.size()));
        }
        JoinRows(aboveStart, aboveEnd, rowStart, runs_.size());
        aboveStart = rowStart;
        aboveEnd = runs_.size();
    }
    return Collect();
}

// Numbers the blobs in the order of their first run and sums their runs.
int WindowBlobFinder::Collect() {
    blobs_.clear();
    blobOfRun_.resize(runs_.size());
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        const int root = Root(static_cast<int>(i));
        const Run& run = runs_[i];
        if (root == static_cast<int>(i)) {
            blobOfRun_[i] = static_cast<int>(blobs_.size());
            blobs_.push_back(Blob{0, 0, 0, blobOfRun_[i], run.x0, run.x1, run.y, run.y});
        } else {
            blobOfRun_[i] = blobOfRun_[static_cast<std::size_t>(root)];
        }
        const std::int64_t length = run.x1 - run.x0 + 1;
        Blob& blob = blobs_[static_cast<std::size_t>(blobOfRun_[i])];
        blob.area += length;
        blob.sumX += (static_cast<std::int64_t>(run.x0) + run.x1) * length / 2;
        blob.sumY += static_cast<std::int64_t>(run.y) * length;
        blob.x0 = std::min(blob.x0, run.x0);
        blob.x1 = std::max(blob.x1, run.x1);
        blob.y1 = run.y; // runs come row by row
    }
    labels_ = static_cast<int>(blobs_.size());
    return labels_;
}

int WindowBlobFinder::FindGrey(const cv::Mat& plane, const kova::FrameWindow& window, int low,
                               int high) {
    window_ = window;
    const Band band(low, high);
    const int width = window.Width();
    mask_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(window.Height()));
    std::uint8_t* out = mask_.data();
    for (int y = window.y0; y <= window.y1; ++y, out += width) {
        const std::uint8_t* in = plane.ptr<std::uint8_t>(y) + window.x0;
        for (int x = 0; x < width; ++x)
            out[x] = band.Holds(in[x]);
    }
    return FindRuns();
}

int WindowBlobFinder::FindColour(const cv::Mat& r, const cv::Mat& g, const cv::Mat& b,
                                 const kova::FrameWindow& window, const int bands[6]) {
    window_ = window;
    const Band br(bands[0], bands[1]), bg(bands[2], bands[3]), bb(bands[4], bands[5]);
    const int width = window.Width();
    mask_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(window.Height()));
    std::uint8_t* out = mask_.data();
    for (int y = window.y0; y <= window.y1; ++y, out += width) {
        const std::uint8_t* pr = r.ptr<std::uint8_t>(y) + window.x0;
        const std::uint8_t* pg = g.ptr<std::uint8_t>(y) + window.x0;
        const std::uint8_t* pb = b.ptr<std::uint8_t>(y) + window.x0;
        for (int x = 0; x < width; ++x)
            out[x] = br.Holds(pr[x]) & bg.Holds(pg[x]) & bb.Holds(pb[x]);
    }
    return FindRuns();
}

void WindowBlobFinder::RemoveNoise(TrackParams::NoiseRemover mode, int area0, int area1) {
    using Noise = TrackParams::NoiseRemover;
    const bool small = mode == Noise::Small || mode == Noise::Both;
    const bool large = mode == Noise::Large || mode == Noise::Both;
    if (!small && !large) return;
    blobs_.erase(std::remove_if(blobs_.begin(), blobs_.end(),
                                [&](const Blob& blob) {
                                    return (small && blob.area <= area0) ||
                                           (large && blob.area >= area1);
                                }),
                 blobs_.end());
}

void WindowBlobFinder::Report(int maxCount, std::vector<float>& centres,
                              std::vector<float>& areas) const {
    const int shown = std::min(Count(), std::max(maxCount, 0));
    centres.resize(static_cast<std::size_t>(shown) * 2);
    areas.resize(static_cast<std::size_t>(shown));
    for (int k = 0; k < shown; ++k) {
        const Found found = At(k);
        centres[static_cast<std::size_t>(2 * k)] = found.x;
        centres[static_cast<std::size_t>(2 * k + 1)] = found.y;
        areas[static_cast<std::size_t>(k)] = static_cast<float>(found.area);
    }
}

WindowBlobFinder::Found WindowBlobFinder::At(int k) const {
    const Blob& blob = blobs_[static_cast<std::size_t>(k)];
    const double a = static_cast<double>(blob.area);
    Found found;
    found.x = static_cast<float>(window_.x0 + blob.sumX / a);
    found.y = static_cast<float>(window_.y0 + blob.sumY / a);
    found.area = static_cast<int>(blob.area);
    found.box = kova::FrameWindow{window_.x0 + blob.x0, window_.y0 + blob.y0, window_.x0 + blob.x1,
                                  window_.y0 + blob.y1};
    return found;
}

void WindowBlobFinder::KeptPixels(std::vector<std::uint8_t>& mask) const {
    const std::size_t width = static_cast<std::size_t>(window_.Width());
    mask.assign(width * static_cast<std::size_t>(window_.Height()), 0);
    std::vector<std::uint8_t> kept(static_cast<std::size_t>(labels_), 0);
    for (const Blob& blob : blobs_)
        kept[static_cast<std::size_t>(blob.label)] = 1;
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        if (!kept[static_cast<std::size_t>(blobOfRun_[i])]) continue;
        const Run& run = runs_[i];
        std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(run.y * width + run.x0),
                    run.x1 - run.x0 + 1, std::uint8_t{1});
    }
}
