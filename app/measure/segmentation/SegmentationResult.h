#pragma once

#include <array>

// What the image segmentation window hands back when it is closed with 确定,
// and what it is opened with: the values persist between openings.
struct SegmentationBand {
    bool on = true; // colour modes: the channel takes part
    int low = 0;
    int high = 63;
};

enum class SegmentationMode { Grey = 0, Auto = 1, Rgb = 2, Hsi = 3 };
enum class AutoMethod { Mode = 0, Percent = 1 };
enum class ResultColour { Black = 0, White = 1 };

// Method codes of the record: 0 grey band, 1 automatic (mode method),
// 2 automatic (percentage), 11 RGB, 21 HSI.
enum SegmentationMethodCode {
    kMethodGrey = 0,
    kMethodAutoMode = 1,
    kMethodAutoPercent = 2,
    kMethodRgb = 11,
    kMethodHsi = 21
};

struct SegmentationResult {
    int method = kMethodGrey; // one of SegmentationMethodCode
    int greyLow = 0;          // row 1 in the grey modes
    int greyHigh = 63;
    double percent = 0.0; // p-tile percentage (method 2)
    ResultColour colour = ResultColour::Black;
    std::array<SegmentationBand, 3> rgb{}; // R, G, B rows (method 11)
    std::array<SegmentationBand, 3> hsi{}; // H, S, I rows (method 21 only)
    bool accepted = false;                 // the last use ended with 确定
};

// The tracking engine extracts colour targets by RGB bands only: an HSI
// result is not copied into the tracking window's RGB fields, and the
// window says why with this message.
inline constexpr const char kHsiNotTrackedMessage[] =
    "追踪只使用RGB颜色范围，HSI的阈值没有复制到追踪参数。";
inline bool TrackingTakes(const SegmentationResult& result) {
    return result.method != kMethodHsi;
}
