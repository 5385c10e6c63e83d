#include "CImageProc.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <opencv2/imgproc.hpp>

namespace kova {

namespace {

struct Band {
    int low;
    int high;
    Band(int a, int b) : low(std::min(a, b)), high(std::max(a, b)) {}
    bool Holds(int v) const { return v >= low && v <= high; }
};

// Threshold of the mode method on a 256-bin histogram (see the header).
int ModeThreshold(const std::vector<long>& histogram) {
    long smooth[256];
    for (int v = 0; v < 256; ++v) {
        long sum = 0;
        for (int d = -2; d <= 2; ++d)
            sum += histogram[static_cast<size_t>(std::clamp(v + d, 0, 255))];
        smooth[v] = sum;
    }
    int first = 0;
    for (int v = 1; v < 256; ++v) {
        if (smooth[v] > smooth[first]) first = v;
    }
    int second = first;
    double best = 0.0;
    for (int v = 0; v < 256; ++v) {
        const double d = v - first;
        const double score = static_cast<double>(smooth[v]) * d * d;
        if (score > best) {
            best = score;
            second = v;
        }
    }
    const int from = std::min(first, second);
    const int to = std::max(first, second);
    int low = from;
    for (int v = from + 1; v <= to; ++v) {
        if (smooth[v] < smooth[low]) low = v;
    }
    // A flat valley (often empty bins, perhaps with a stray pixel inside) is
    // split in the middle between its first and last lowest bin.
    int high = low;
    for (int v = low + 1; v <= to; ++v) {
        if (smooth[v] == smooth[low]) high = v;
    }
    return (low + high) / 2;
}

} // namespace

CImageProc::CImageProc(CFrameStore& store) : store_(store), lut_(1, 256, CV_8UC1) {}

cv::Rect CImageProc::WindowRect() const {
    const FrameWindow& w = store_.Window();
    return cv::Rect(w.x0, w.y0, w.Width(), w.Height());
}

bool CImageProc::WindowPlanes(int src, int dst, cv::Mat& in, cv::Mat& out) {
    if (!store_.IsMonoFrame(src) || !store_.IsMonoFrame(dst)) return false;
    const cv::Rect rect = WindowRect();
    in = store_.Plane(src)(rect);
    out = store_.Plane(dst)(rect);
    return true;
}

bool CImageProc::ColorPlanes(int src, cv::Mat planes[3]) {
    int r = 0, g = 0, b = 0;
    if (store_.Get_frame_monochrome(src, r, g, b) != CFrameStore::kOk) return false;
    const cv::Rect rect = WindowRect();
    planes[0] = store_.Plane(r)(rect);
    planes[1] = store_.Plane(g)(rect);
    planes[2] = store_.Plane(b)(rect);
    return true;
}

int CImageProc::ApplyLut(int src, int dst) {
    cv::Mat in, out;
    if (!WindowPlanes(src, dst, in, out)) return kBadFrame;
    // A plain row loop: OpenCV's per-call overhead dominates on the small
    // windows of tracking.
    // Sizes and table are copied to locals, as byte stores may alias anything.
    uchar lut[256];
    std::memcpy(lut, lut_.ptr<uchar>(), sizeof lut);
    const int rows = in.rows;
    const int cols = in.cols;
    for (int y = 0; y < rows; ++y) {
        const uchar* i = in.ptr<uchar>(y);
        uchar* o = out.ptr<uchar>(y);
        for (int x = 0; x < cols; ++x) {
            o[x] = lut[i[x]];
        }
    }
    store_.Touch(dst);
    return kOk;
}

// ---- thresholds ----

int CImageProc::Twovalue(int src, int dst, int threshold) {
    uchar* lut = lut_.ptr<uchar>();
    for (int v = 0; v < 256; ++v)
        lut[v] = v >= threshold ? 255 : 0;
    return ApplyLut(src, dst);
}

int CImageProc::Twovalue_ext(int src, int dst, int low, int high) {
    const Band band(low, high);
    uchar* lut = lut_.ptr<uchar>();
    for (int v = 0; v < 256; ++v)
        lut[v] = band.Holds(v) ? 0 : 255;
    return ApplyLut(src, dst);
}

int CImageProc::Auto_twovalue_mode(int src, int dst, int& threshold) {
    if (Histogram_area_calculation(src, histogram_) != kOk || !store_.IsMonoFrame(dst)) {
        return kBadFrame;
    }
    threshold = ModeThreshold(histogram_);
    uchar* lut = lut_.ptr<uchar>();
    for (int v = 0; v < 256; ++v)
        lut[v] = v > threshold ? 255 : 0;
    return ApplyLut(src, dst);
}

int CImageProc::Auto_twovalue_percent(int src, int dst, int target, double percentage,
                                      int& threshold) {
    if (!std::isfinite(percentage)) return kBadArgument;
    if (Histogram_area_calculation(src, histogram_) != kOk || !store_.IsMonoFrame(dst)) {
        return kBadFrame;
    }
    long total = 0;
    for (long n : histogram_)
        total += n;
    const long need = std::lround(std::clamp(percentage, 0.0, 100.0) / 100.0 * total);
    uchar* lut = lut_.ptr<uchar>();
    long counted = 0;
    if (target != 0) { // bright side: the largest t with at least `need` pixels >= t
        int t = 256;
        while (counted < need)
            counted += histogram_[static_cast<size_t>(--t)];
        threshold = t;
        for (int v = 0; v < 256; ++v)
            lut[v] = v >= t ? 0 : 255;
    } else { // dark side: the smallest t with at least `need` pixels < t
        int t = 0;
        while (counted < need)
            counted += histogram_[static_cast<size_t>(t++)];
        threshold = t;
        for (int v = 0; v < 256; ++v)
            lut[v] = v < t ? 0 : 255;
    }
    return ApplyLut(src, dst);
}

int CImageProc::Reverse(int src, int dst) {
    cv::Mat in, out;
    if (!WindowPlanes(src, dst, in, out)) return kBadFrame;
    // 255 - v is ~v on a byte: invert eight bytes at a time.
    const int rows = in.rows;
    const int cols = in.cols;
    for (int y = 0; y < rows; ++y) {
        const uchar* i = in.ptr<uchar>(y);
        uchar* o = out.ptr<uchar>(y);
        int x = 0;
        for (; x + 8 <= cols; x += 8) {
            uint64_t word = 0;
            std::memcpy(&word, i + x, sizeof word);
            word = ~word;
            std::memcpy(o + x, &word, sizeof word);
        }
        for (; x < cols; ++x) {
            o[x] = static_cast<uchar>(255 - i[x]);
        }
    }
    store_.Touch(dst);
    return kOk;
}

// ---- colour extraction ----

int CImageProc::Extract_rgb_color(int src, int dst, int target, int rLow, int rHigh, int gLow,
                                  int gHigh, int bLow, int bHigh) {
    cv::Mat planes[3];
    if (!ColorPlanes(src, planes) || !store_.IsMonoFrame(dst)) return kBadFrame;
    uint8_t tables[3][256];
    const Band bands[3] = {Band(rLow, rHigh), Band(gLow, gHigh), Band(bLow, bHigh)};
    for (int c = 0; c < 3; ++c) {
        for (int v = 0; v < 256; ++v)
            tables[c][v] = bands[c].Holds(v) ? 1 : 0;
    }
    cv::Mat out = store_.Plane(dst)(WindowRect());
    const uchar on = static_cast<uchar>(std::clamp(target, 0, 255));
    const uchar off = static_cast<uchar>(OtherValue(target));
    for (int y = 0; y < out.rows; ++y) {
        const uchar* r = planes[0].ptr<uchar>(y);
        const uchar* g = planes[1].ptr<uchar>(y);
        const uchar* b = planes[2].ptr<uchar>(y);
        uchar* o = out.ptr<uchar>(y);
        for (int x = 0; x < out.cols; ++x) {
            o[x] = (tables[0][r[x]] & tables[1][g[x]] & tables[2][b[x]]) ? on : off;
        }
    }
    store_.Touch(dst);
    return kOk;
}

int CImageProc::Extract_rgb_color_ext(int src, int dst, int target, int rLow, int rHigh, int gLow,
                                      int gHigh, int bLow, int bHigh) {
    return Extract_rgb_color(src, dst, target, rLow, rHigh, gLow, gHigh, bLow, bHigh);
}

void CImageProc::RgbToHsi(int r, int g, int b, int& h, int& s, int& i) {
    const double y = 0.299 * r + 0.587 * g + 0.114 * b;
    const double c1 = 0.701 * r - 0.587 * g - 0.114 * b;
    const double c2 = 0.886 * b - 0.299 * r - 0.587 * g;
    i = static_cast<int>(y);
    s = static_cast<int>(std::sqrt(c1 * c1 + c2 * c2));
    h = s >= 1 ? static_cast<int>(std::fabs(std::atan2(c2, c1)) * 57.29577951308239) : 0;
}

void CImageProc::RgbToHsiCircle(int r, int g, int b, int& h, int& s, int& i) {
    RgbToHsi(r, g, b, h, s, i);
    if (s < 1) return;
    const double c1 = 0.701 * r - 0.587 * g - 0.114 * b;
    const double c2 = 0.886 * b - 0.299 * r - 0.587 * g;
    double degrees = std::atan2(c2, c1) * 57.29577951308239;
    if (degrees < 0) degrees += 360.0;
    h = static_cast<int>(degrees) % 360; // -tiny + 360 rounds to 360
}

int CImageProc::Extract_hsi_color(int src, int dst, int target, int hLow, int hHigh, int sLow,
                                  int sHigh, int iLow, int iHigh) {
    const int bands[6] = {hLow, hHigh, sLow, sHigh, iLow, iHigh};
    return ExtractHsi(src, dst, target, bands, false);
}

int CImageProc::Extract_hsi_color_ext(int src, int dst, int target, int hLow, int hHigh, int sLow,
                                      int sHigh, int iLow, int iHigh) {
    const int bands[6] = {hLow, hHigh, sLow, sHigh, iLow, iHigh};
    return ExtractHsi(src, dst, target, bands, true);
}

int CImageProc::ExtractHsi(int src, int dst, int target, const int bands[6], bool wholeCircle) {
    cv::Mat planes[3];
    if (!ColorPlanes(src, planes) || !store_.IsMonoFrame(dst)) return kBadFrame;
    const Band hb(bands[0], bands[1]), sb(bands[2], bands[3]), ib(bands[4], bands[5]);
    const auto convert = wholeCircle ? &RgbToHsiCircle : &RgbToHsi;
    cv::Mat out = store_.Plane(dst)(WindowRect());
    const uchar on = static_cast<uchar>(std::clamp(target, 0, 255));
    const uchar off = static_cast<uchar>(OtherValue(target));
    for (int y = 0; y < out.rows; ++y) {
        const uchar* r = planes[0].ptr<uchar>(y);
        const uchar* g = planes[1].ptr<uchar>(y);
        const uchar* b = planes[2].ptr<uchar>(y);
        uchar* o = out.ptr<uchar>(y);
        for (int x = 0; x < out.cols; ++x) {
            int h = 0, s = 0, i = 0;
            convert(r[x], g[x], b[x], h, s, i);
            o[x] = (hb.Holds(h) && sb.Holds(s) && ib.Holds(i)) ? on : off;
        }
    }
    store_.Touch(dst);
    return kOk;
}

// ---- histograms ----

int CImageProc::Histogram_area_calculation(int src, std::vector<long>& grey) {
    if (!store_.IsMonoFrame(src)) return kBadFrame;
    grey.assign(256, 0);
    const cv::Mat in = store_.Plane(src)(WindowRect());
    for (int y = 0; y < in.rows; ++y) {
        const uchar* p = in.ptr<uchar>(y);
        for (int x = 0; x < in.cols; ++x)
            ++grey[p[x]];
    }
    return kOk;
}

int CImageProc::Histogram_area_calculation_rgb(int src, std::vector<long>& r, std::vector<long>& g,
                                               std::vector<long>& b) {
    int pr = 0, pg = 0, pb = 0;
    if (store_.Get_frame_monochrome(src, pr, pg, pb) != CFrameStore::kOk) return kBadFrame;
    Histogram_area_calculation(pr, r);
    Histogram_area_calculation(pg, g);
    Histogram_area_calculation(pb, b);
    return kOk;
}

int CImageProc::Histogram_area_calculation_hsi(int src, std::vector<long>& h, std::vector<long>& s,
                                               std::vector<long>& i) {
    cv::Mat planes[3];
    if (!ColorPlanes(src, planes)) return kBadFrame;
    h.assign(kHsiBins, 0);
    s.assign(kHsiBins, 0);
    i.assign(kHsiBins, 0);
    for (int y = 0; y < planes[0].rows; ++y) {
        const uchar* r = planes[0].ptr<uchar>(y);
        const uchar* g = planes[1].ptr<uchar>(y);
        const uchar* b = planes[2].ptr<uchar>(y);
        for (int x = 0; x < planes[0].cols; ++x) {
            int hv = 0, sv = 0, iv = 0;
            RgbToHsiCircle(r[x], g[x], b[x], hv, sv, iv);
            ++h[static_cast<size_t>(std::min(hv, kHsiBins - 1))];
            ++s[static_cast<size_t>(std::min(sv, kHsiBins - 1))];
            ++i[static_cast<size_t>(std::min(iv, kHsiBins - 1))];
        }
    }
    return kOk;
}

// ---- blobs ----

int CImageProc::FindRoot(int label) {
    while (parent_[static_cast<size_t>(label)] != label) {
        const int up = parent_[static_cast<size_t>(parent_[static_cast<size_t>(label)])];
        parent_[static_cast<size_t>(label)] = up;
        label = up;
    }
    return label;
}

// Joins two label sets; the smaller label (the earlier blob start) is the root.
void CImageProc::Union(int a, int b) {
    a = FindRoot(a);
    b = FindRoot(b);
    if (a < b) {
        parent_[static_cast<size_t>(b)] = a;
    } else if (b < a) {
        parent_[static_cast<size_t>(a)] = b;
    }
}

// Labels the target pixels of a window in one raster pass with union-find,
// summing area and coordinates (relative to the window) per provisional
// label; then merges the sums per blob, numbered 1.. in raster order of their
// first pixel (the root of a set is its smallest, earliest label). Background
// runs are skipped with memchr. Returns the blob count; labels_ holds the
// provisional labels and remap_ their blob numbers.
int CImageProc::LabelBlobs(const cv::Mat& roi, int target, int connectivity) {
    const int w = roi.cols;
    const int h = roi.rows;
    labels_.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    parent_.assign(1, 0);
    sums_.assign(1, Blob{0, 0, 0});
    const bool eight = connectivity == 8;
    const int value = std::clamp(target, 0, 255);
    for (int y = 0; y < h; ++y) {
        const uchar* row = roi.ptr<uchar>(y);
        int* lab = &labels_[static_cast<size_t>(y) * static_cast<size_t>(w)];
        const int* up = y > 0 ? lab - w : nullptr;
        std::memset(lab, 0, sizeof(int) * static_cast<size_t>(w));
        int x = 0;
        while (x < w) {
            const void* hit = std::memchr(row + x, value, static_cast<size_t>(w - x));
            if (hit == nullptr) break;
            x = static_cast<int>(static_cast<const uchar*>(hit) - row);
            const int n = up != nullptr ? up[x] : 0;
            const int west = x > 0 ? lab[x - 1] : 0;
            int label = 0;
            if (eight) {
                const int ne = (up != nullptr && x + 1 < w) ? up[x + 1] : 0;
                const int nw = (up != nullptr && x > 0) ? up[x - 1] : 0;
                const int left = west != 0 ? west : nw;
                if (n != 0) {
                    label = n;
                } else if (ne != 0) {
                    label = ne;
                    if (left != 0) Union(ne, left);
                } else {
                    label = left;
                }
            } else {
                label = n != 0 ? n : west;
                if (n != 0 && west != 0) Union(n, west);
            }
            if (label == 0) {
                label = static_cast<int>(parent_.size());
                parent_.push_back(label);
                sums_.push_back(Blob{0, 0, 0});
            }
            lab[x] = label;
            Blob& sum = sums_[static_cast<size_t>(label)];
            ++sum.area;
            sum.sumX += x;
            sum.sumY += y;
            ++x;
        }
    }
    const int provisional = static_cast<int>(parent_.size()) - 1;
    remap_.resize(parent_.size());
    remap_[0] = 0;
    int count = 0;
    for (int l = 1; l <= provisional; ++l) {
        const int root = FindRoot(l);
        remap_[static_cast<size_t>(l)] = root == l ? ++count : remap_[static_cast<size_t>(root)];
    }
    blobs_.assign(static_cast<size_t>(count) + 1, Blob{0, 0, 0});
    for (int l = 1; l <= provisional; ++l) {
        Blob& blob = blobs_[static_cast<size_t>(remap_[static_cast<size_t>(l)])];
        const Blob& sum = sums_[static_cast<size_t>(l)];
        blob.area += sum.area;
        blob.sumX += sum.sumX;
        blob.sumY += sum.sumY;
    }
    return count;
}

int CImageProc::Noise_remover(int src, int dst, int target, int connectivity, int mode, int area) {
    if ((connectivity != 4 && connectivity != 8) || (mode != 0 && mode != 1)) return kBadArgument;
    cv::Mat in, out;
    if (!WindowPlanes(src, dst, in, out)) return kBadFrame;
    if (src != dst) in.copyTo(out);
    LabelBlobs(out, target, connectivity);
    const uchar off = static_cast<uchar>(OtherValue(target));
    for (int y = 0; y < out.rows; ++y) {
        uchar* o = out.ptr<uchar>(y);
        const int* lab = &labels_[static_cast<size_t>(y) * static_cast<size_t>(out.cols)];
        for (int x = 0; x < out.cols; ++x) {
            if (lab[x] == 0) continue;
            const int blob = remap_[static_cast<size_t>(lab[x])];
            const int64_t a = blobs_[static_cast<size_t>(blob)].area;
            if (mode == 0 ? a <= area : a >= area) o[x] = off;
        }
    }
    store_.Touch(dst);
    return kOk;
}

int CImageProc::Mass_center(int src, int dst, int target, int connectivity, int /*reserved*/,
                            int maxCount, int& count, std::vector<float>& centres,
                            std::vector<float>& areas) {
    if ((connectivity != 4 && connectivity != 8) || maxCount < 0) return kBadArgument;
    cv::Mat in, out;
    if (!WindowPlanes(src, dst, in, out)) return kBadFrame;
    if (src != dst) {
        in.copyTo(out);
        store_.Touch(dst);
    }
    count = LabelBlobs(in, target, connectivity);
    const int shown = std::min(count, maxCount);
    centres.resize(static_cast<size_t>(shown) * 2);
    areas.resize(static_cast<size_t>(shown));
    const FrameWindow& window = store_.Window();
    for (int k = 0; k < shown; ++k) {
        const Blob& blob = blobs_[static_cast<size_t>(k) + 1];
        const double a = static_cast<double>(blob.area);
        centres[static_cast<size_t>(2 * k)] = static_cast<float>(window.x0 + blob.sumX / a);
        centres[static_cast<size_t>(2 * k + 1)] = static_cast<float>(window.y0 + blob.sumY / a);
        areas[static_cast<size_t>(k)] = static_cast<float>(a);
    }
    return kOk;
}

// ---- filter and clear ----

int CImageProc::Filter_general(int src, int dst, int size, const float* kernel, float divisor) {
    if (size != 3 || kernel == nullptr || divisor == 0.0f || !std::isfinite(divisor)) {
        return kBadArgument;
    }
    cv::Mat in, out;
    if (!WindowPlanes(src, dst, in, out)) return kBadFrame;
    cv::Mat k(3, 3, CV_32F);
    for (int i = 0; i < 9; ++i)
        k.at<float>(8 - i) = kernel[i] / divisor; // flipped: convolution
    // The window is a view into its frame, so its neighbours outside the
    // window are real pixels; only the frame edge is replicated.
    cv::filter2D(in, scratch_, CV_8U, k, cv::Point(-1, -1), 0.0, cv::BORDER_REPLICATE);
    scratch_.copyTo(out);
    store_.Touch(dst);
    return kOk;
}

int CImageProc::Clear_frame(int frame, int value) {
    return store_.Fill_frame(frame, value, false) == CFrameStore::kOk ? kOk : kBadFrame;
}

int CImageProc::Clear_frame_color(int frame, int value) {
    int r = 0, g = 0, b = 0;
    if (store_.Get_frame_monochrome(frame, r, g, b) != CFrameStore::kOk) return kBadFrame;
    for (int plane : {r, g, b})
        store_.Fill_frame(plane, value, false);
    return kOk;
}

} // namespace kova
