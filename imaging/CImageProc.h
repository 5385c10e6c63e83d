#pragma once

// Image-processing primitives on the frames of a CFrameStore. Every primitive
// reads and writes only inside the store's current processing window; pixels
// outside it stay as they were. Source and destination may be the same frame.
// Scratch buffers are kept between calls, so repeated calls on windows of the
// same size allocate nothing.
//
// Choices fixed here:
// - Two-valued results use 0 and 255. Twovalue_ext gives the pixels inside
//   the band [low, high] the value 0 and all others 255; Auto_twovalue_percent
//   gives the selected pixels 0 and the others 255 (so the caller's Reverse
//   makes bright targets 255); Auto_twovalue_mode and Twovalue give pixels
//   above (mode method: > t) or at/above (Twovalue: >= t) the threshold 255.
// - Colour extraction gives pixels whose components all lie in their bands
//   the target value and the others the other value (255 for target 0, else
//   0). The _ext variants behave the same. Every band given as (high, low)
//   is taken as (low, high).
// - Mode method: the window histogram is smoothed over 5 bins; the first peak
//   is its highest bin, the second the bin maximising count x distance^2 from
//   the first; the threshold lies between them, in the middle between the
//   first and the last of the lowest smoothed bins there.
// - p-tile: need = round(percentage / 100 x pixels). Target 255 (bright side):
//   t is the largest value with at least `need` pixels >= t, and those are
//   selected; target 0 (dark side): t is the smallest value with at least
//   `need` pixels < t. t may be 256 (bright) or 0 (dark) when nothing is
//   selected.
// - Blobs are 8-connected (4-connected when 4 is passed), measured inside the
//   window only. Noise_remover's limits include the limit itself: mode 0
//   removes blobs of area <= limit, mode 1 blobs of area >= limit; removed
//   pixels take the other value. Mass_center reports blobs in raster order of
//   their first pixel, centres as the mean pixel coordinates in image pixels.
// - Filter_general rounds to nearest and saturates; neighbours outside the
//   window are read from the frame, beyond the frame edge replicated.
// - HSI: Y = .299R + .587G + .114B, C1 = .701R - .587G - .114B,
//   C2 = .886B - .299R - .587G; I = trunc(Y), S = trunc(|(C1, C2)|),
//   H = trunc(|angle of (C1, C2)| in degrees) when S >= 1, else 0
//   (Extract_hsi_color). Extract_hsi_color_ext and the HSI histogram take the
//   hue on the whole circle: the angle of (C1, C2) in [0, 360), so that hues
//   on either side of red stay apart.

#include "CFrameStore.h"

#include <cstdint>
#include <opencv2/core.hpp>
#include <vector>

namespace kova {

class CImageProc {
public:
    static constexpr int kOk = 0;
    static constexpr int kBadFrame = -1;
    static constexpr int kBadArgument = -2;
    static constexpr int kHsiBins = 360;

    explicit CImageProc(CFrameStore& store);
    CImageProc(const CImageProc&) = delete;
    CImageProc& operator=(const CImageProc&) = delete;

    int Twovalue(int src, int dst, int threshold);
    int Twovalue_ext(int src, int dst, int low, int high);
    int Auto_twovalue_mode(int src, int dst, int& threshold);
    int Auto_twovalue_percent(int src, int dst, int target, double percentage, int& threshold);
    int Reverse(int src, int dst);

    // src is a colour frame, dst a monochrome frame.
    int Extract_rgb_color(int src, int dst, int target, int rLow, int rHigh, int gLow, int gHigh,
                          int bLow, int bHigh);
    int Extract_rgb_color_ext(int src, int dst, int target, int rLow, int rHigh, int gLow,
                              int gHigh, int bLow, int bHigh);
    int Extract_hsi_color(int src, int dst, int target, int hLow, int hHigh, int sLow, int sHigh,
                          int iLow, int iHigh);
    int Extract_hsi_color_ext(int src, int dst, int target, int hLow, int hHigh, int sLow,
                              int sHigh, int iLow, int iHigh);
    // Histograms of the window: grey (256 bins), R/G/B (256 each) of a colour
    // frame, and H/S/I (kHsiBins each) of a colour frame.
    int Histogram_area_calculation(int src, std::vector<long>& grey);
    int Histogram_area_calculation_rgb(int src, std::vector<long>& r, std::vector<long>& g,
                                       std::vector<long>& b);
    int Histogram_area_calculation_hsi(int src, std::vector<long>& h, std::vector<long>& s,
                                       std::vector<long>& i);

    int Noise_remover(int src, int dst, int target, int connectivity, int mode, int area);
    // centres receives x, y pairs and areas the pixel counts of the first
    // min(count, maxCount) blobs; count is the number of blobs in the window.
    int Mass_center(int src, int dst, int target, int connectivity, int reserved, int maxCount,
                    int& count, std::vector<float>& centres, std::vector<float>& areas);

    // dst = convolution of src with the size x size kernel / divisor (size 3).
    int Filter_general(int src, int dst, int size, const float* kernel, float divisor);

    int Clear_frame(int frame, int value);
    int Clear_frame_color(int frame, int value);

    // The HSI values of one pixel with the hue folded to |angle| (0..180).
    static void RgbToHsi(int r, int g, int b, int& h, int& s, int& i);
    // The same with the hue on the whole circle, 0..359, as the segmentation
    // window samples it.
    static void RgbToHsiCircle(int r, int g, int b, int& h, int& s, int& i);

private:
    struct Blob {
        int64_t area;
        int64_t sumX;
        int64_t sumY;
    };

    bool WindowPlanes(int src, int dst, cv::Mat& in, cv::Mat& out);
    bool ColorPlanes(int src, cv::Mat planes[3]);
    int ApplyLut(int src, int dst);
    int ExtractHsi(int src, int dst, int target, const int bands[6], bool wholeCircle);
    int ExtractWithTables(int src, int dst, int target, const uint8_t* t0, const uint8_t* t1,
                          const uint8_t* t2, bool hsi);
    int LabelBlobs(const cv::Mat& roi, int target, int connectivity);
    int FindRoot(int label);
    void Union(int a, int b);
    static int OtherValue(int target) { return target == 0 ? 255 : 0; }
    cv::Rect WindowRect() const;

    CFrameStore& store_;
    cv::Mat lut_;
    cv::Mat scratch_;
    std::vector<int> labels_;
    std::vector<int> parent_;
    std::vector<int> remap_;
    std::vector<Blob> sums_;  // per provisional label
    std::vector<Blob> blobs_; // per blob, 1-based
    std::vector<long> histogram_;
};

} // namespace kova
